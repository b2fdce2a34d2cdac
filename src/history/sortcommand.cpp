#include "history/sortcommand.h"

#include "document/idedocument.h"
#include "texts/texts.h"

namespace tarnel {

SortCommand::SortCommand(IdeDocument* const& document, EditKey key, bool on)
    : QUndoCommand(on ? texts::stepSort : texts::stepUnsort), m_document(document), m_key(key), m_on(on)
{
}

void SortCommand::redo()
{
    if (m_on)
        m_moves = m_document->setSorted(m_key, true);
    else
        m_document->setSorted(m_key, false);
}

void SortCommand::undo()
{
    if (m_on)
        m_document->unsort(m_key, std::exchange(m_moves, {}));
    else
        m_document->setSorted(m_key, true);
}

} // namespace tarnel
