#pragma once

#include "document/editkey.h"
#include "document/linekind.h"
#include "document/rowsnapshot.h"

#include <QUndoCommand>

namespace tarnel {

class IdeDocument;

// A change of some rows of one table, already made: the rows it touched as
// they were before and as they are after. Undo and redo swap one for the other.
class TableEditCommand : public QUndoCommand {
public:
    TableEditCommand(IdeDocument* const& document, EditKey key, LineKind kind, RowSnapshot before,
                     RowSnapshot after, const QString& text, QUndoCommand* parent = nullptr);

    void undo() override;
    void redo() override;

    const RowSnapshot& before() const { return m_before; }
    const RowSnapshot& after() const { return m_after; }

private:
    // The history's document: the one holding this file's content now.
    IdeDocument* const& m_document;
    EditKey m_key;
    LineKind m_kind;
    RowSnapshot m_before;
    RowSnapshot m_after;
    bool m_made = true; // the change was made before the command was pushed
};

} // namespace tarnel
