#pragma once

#include "document/editkey.h"
#include "document/idedocument.h"

#include <QUndoCommand>

namespace tarnel {

// Sorting switched on or off. Switching it on reorders the rows, so the
// command keeps the reorders the document returns to put them back on undo.
class SortCommand : public QUndoCommand {
public:
    SortCommand(IdeDocument* const& document, EditKey key, bool on);

    void undo() override;
    void redo() override;

private:
    // The history's document: the one holding this file's content now.
    IdeDocument* const& m_document;
    EditKey m_key;
    bool m_on;
    TableOrders m_moves; // while sorting on is done
};

} // namespace tarnel
