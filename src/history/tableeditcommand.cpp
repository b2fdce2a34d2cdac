#include "history/tableeditcommand.h"

#include "document/idedocument.h"

namespace tarnel {

TableEditCommand::TableEditCommand(IdeDocument* const& document, EditKey key, LineKind kind, RowSnapshot before,
                                   RowSnapshot after, const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent), m_document(document), m_key(key), m_kind(kind), m_before(std::move(before)),
      m_after(std::move(after))
{
}

void TableEditCommand::undo()
{
    m_document->table(m_kind).applyRowChanges(m_key, m_after, m_before);
}

void TableEditCommand::redo()
{
    if (m_made) {
        m_made = false;
        return;
    }
    m_document->table(m_kind).applyRowChanges(m_key, m_before, m_after);
}

} // namespace tarnel
