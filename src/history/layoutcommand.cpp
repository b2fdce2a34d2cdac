#include "history/layoutcommand.h"

#include "document/idedocument.h"

namespace tarnel {

LayoutCommand::LayoutCommand(IdeDocument* const& document, EditKey key, LineKind kind, bool later,
                             QUndoCommand* parent)
    : QUndoCommand(parent), m_document(document), m_key(key), m_kind(kind), m_later(later)
{
}

void LayoutCommand::undo()
{
    m_document->table(m_kind).setLaterLayout(m_key, !m_later);
}

void LayoutCommand::redo()
{
    m_document->table(m_kind).setLaterLayout(m_key, m_later);
}

} // namespace tarnel
