#pragma once

#include "document/editkey.h"
#include "document/linekind.h"

#include <QUndoCommand>

namespace tarnel {

class IdeDocument;

// A table read in the other object layout from now on (SectionTable::isLaterLayout),
// a part of the step that converted its lines.
class LayoutCommand : public QUndoCommand {
public:
    LayoutCommand(IdeDocument* const& document, EditKey key, LineKind kind, bool later, QUndoCommand* parent);

    void undo() override;
    void redo() override;

private:
    IdeDocument* const& m_document;
    EditKey m_key;
    LineKind m_kind;
    bool m_later;
};

} // namespace tarnel
