#include "history/pathtextcommand.h"

#include "document/idedocument.h"
#include "texts/texts.h"

namespace tarnel {

PathTextCommand::PathTextCommand(IdeDocument* const& document, EditKey key, QByteArray text, QUndoCommand* parent)
    : QUndoCommand(texts::stepEditPaths, parent), m_document(document), m_key(key), m_before(document->pathText()),
      m_after(std::move(text))
{
}

void PathTextCommand::undo()
{
    m_document->setPathText(m_key, m_before);
}

void PathTextCommand::redo()
{
    m_document->setPathText(m_key, m_after);
}

bool PathTextCommand::mergeWith(const QUndoCommand* other)
{
    m_after = static_cast<const PathTextCommand*>(other)->m_after;
    return true;
}

} // namespace tarnel
