#include "history/sortcommand.h"

#include "document/idedocument.h"
#include "texts/texts.h"

namespace tarnel {

SortCommand::SortCommand(IdeDocument& document, bool on, std::function<void(bool)> shown)
    : QUndoCommand(on ? texts::stepSort : texts::stepUnsort), m_document(document), m_on(on),
      m_shown(std::move(shown))
{
}

void SortCommand::redo()
{
    if (m_on) {
        QList<QMetaObject::Connection> watches;
        for (LineKind kind : allLineKinds) {
            m_moves[size_t(kind)].clear();
            watches << QObject::connect(
                &m_document.table(kind), &SectionTable::reordered,
                [this, kind](const QList<qsizetype>& moves) { m_moves[size_t(kind)] = moves; });
        }
        m_document.setSorted(true);
        for (const QMetaObject::Connection& watch : watches)
            QObject::disconnect(watch);
    } else {
        m_document.setSorted(false);
    }
    if (m_shown)
        m_shown(m_on);
}

void SortCommand::undo()
{
    if (m_on) {
        // The row now at newPositions[old] goes back to `old`.
        for (LineKind kind : allLineKinds) {
            QList<qsizetype>& moves = m_moves[size_t(kind)];
            SectionTable& table = m_document.table(kind);
            if (moves.size() == table.rowCount())
                table.unsortToOrder(moves);
            else
                table.setSorted(false);
            moves.clear();
        }
    } else {
        m_document.setSorted(true);
    }
    if (m_shown)
        m_shown(!m_on);
}

} // namespace tarnel
