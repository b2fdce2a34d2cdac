#pragma once

#include "document/editkey.h"

#include <QByteArray>
#include <QUndoCommand>

namespace tarnel {

class IdeDocument;

// A change of the paths text. Consecutive ones merge, as typing does in a text editor.
class PathTextCommand : public QUndoCommand {
public:
    PathTextCommand(IdeDocument* const& document, EditKey key, QByteArray text, QUndoCommand* parent = nullptr);

    void undo() override;
    void redo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    // The history's document: the one holding this file's content now.
    IdeDocument* const& m_document;
    EditKey m_key;
    QByteArray m_before;
    QByteArray m_after;
};

} // namespace tarnel
