#pragma once

#include "document/linekind.h"

#include <QList>
#include <QUndoCommand>

#include <array>
#include <functional>

namespace tarnel {

class IdeDocument;

// Sorting switched on or off. Switching it on reorders the rows, so the
// command keeps where each row went to put them back on undo.
class SortCommand : public QUndoCommand {
public:
    // `shown` is told the state after each redo and undo (the window's check box).
    SortCommand(IdeDocument& document, bool on, std::function<void(bool)> shown);

    void undo() override;
    void redo() override;

private:
    IdeDocument& m_document;
    bool m_on;
    std::function<void(bool)> m_shown;
    // newPositions[old] of each table's reorder, while sorting on is done.
    std::array<QList<qsizetype>, lineKindCount> m_moves;
};

} // namespace tarnel
