#pragma once

#include "document/linekind.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <array>

class QWidget;

namespace tarnel {

class IdeDocument;
class LineEditor;
class Platform;

// Hands rows of the section tables, or new lines, to the editor of their
// kind. At most one editor per kind is open; each is a window of its own
// placed beside the owner, made afresh from its designed values whenever it is
// opened while absent and discarded when confirmed, cancelled or closed.
class EditorHost : public QObject {
    Q_OBJECT
public:
    EditorHost(IdeDocument& document, Platform& platform, QWidget* owner, QObject* parent = nullptr);
    ~EditorHost() override;

    // Opens the kind's editor on the last of the rows (0-based) in table
    // order, as if each had been loaded in turn. An empty list does nothing.
    void openRows(LineKind kind, const QList<qsizetype>& rows);
    // The kind's editor, in add mode.
    void openNew(LineKind kind);
    // The open editor window of the kind, or none.
    QWidget* editor(LineKind kind) const;
    // Before the document is replaced or the program closes: asks of each open
    // editor holding unconfirmed changes whether they may go, and closes it on
    // Yes. Returns false at the first No, which keeps that editor and the rest.
    bool mayDiscardAll();

signals:
    void statusMessage(const QString& text);
    // An editor of `kind` wrote its row back; `row` is where it stands now.
    void rowConfirmed(LineKind kind, qsizetype row);

private:
    LineEditor* shownEditor(LineKind kind);
    // Whether the kind's editor may take `row`: yes unless it follows another
    // row and holds changes the user will not discard.
    bool mayReplace(LineKind kind, qsizetype row);
    void placeBesideOwner(LineEditor* editor) const;
    LineEditor* createEditor(LineKind kind);

    IdeDocument& m_document;
    Platform& m_platform;
    QPointer<QWidget> m_owner;
    std::array<QPointer<LineEditor>, lineKindCount> m_editors{};
};

} // namespace tarnel
