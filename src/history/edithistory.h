#pragma once

#include "document/editkey.h"
#include "document/layoutconversion.h"
#include "document/linekind.h"

#include <QList>
#include <QObject>
#include <QUndoStack>

#include <array>
#include <functional>
#include <optional>
#include <utility>

namespace tarnel {

class IdeDocument;

// The one way to change a document: each change becomes a step of the
// document's undo stack, and the document's changed flag follows the stack
// (changed exactly when a step other than sorting on or off lies between it
// and the state last saved or loaded). Only the history makes the EditKey the
// tables' mutators take, so no other code can change a table.
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int stepsKept = 100;
    // Rows to append, table by table.
    using RowsByKind = std::array<QList<QList<QByteArray>>, lineKindCount>;
    // New values for some rows of one table: rows in any order, values[i] for rows[i].
    struct RowValues {
        QList<qsizetype> rows;
        QList<QList<QByteArray>> values;
    };
    using RowValuesByKind = std::array<RowValues, lineKindCount>;

    // Lives as a child of the document.
    explicit EditHistory(IdeDocument& document);
    // The stack, emptied as it goes, must not reach a document being destroyed.
    ~EditHistory() override { m_stack.disconnect(this); }
    // The document's history, made on first use.
    static EditHistory& of(IdeDocument& document);

    QUndoStack& stack() { return m_stack; }
    // The document holding this history's content now.
    IdeDocument& document() { return *m_document; }
    // The content this history belongs to moved to `document` (a map's files
    // change places in the window's document): the history goes with it.
    void moveTo(IdeDocument& document);

    // An editor's confirm: a row added ("Add line"), or the row at `row` given
    // `values` ("Change line 12", by its line in the file). Each returns where the row is now.
    qsizetype addRow(LineKind kind, const QList<QByteArray>& values);
    qsizetype setRow(LineKind kind, qsizetype row, const QList<QByteArray>& values);
    // The Actions commands (linecommands.h) on the rows given, in any order,
    // those outside the table left aside. Each is a step named by the rows it
    // changed ("Remove 500 lines"), none when it changed none; returns that count.
    qsizetype commentOut(LineKind kind, const QList<qsizetype>& rows);
    qsizetype unComment(LineKind kind, const QList<qsizetype>& rows);
    qsizetype remove(LineKind kind, const QList<qsizetype>& rows);
    qsizetype duplicate(LineKind kind, const QList<qsizetype>& rows);
    // A pasted line appended to the kind's table ("Paste line"); returns where it went.
    qsizetype pasteLine(LineKind kind, const QList<QByteArray>& values);
    // Pasted lines appended to their tables, all as one step "Paste 4 lines";
    // returns, per table that took lines, the row where its last line went.
    QList<std::pair<LineKind, qsizetype>> pasteLines(const RowsByKind& rows);
    void setPathText(const QByteArray& text);
    // The rows given their new values as one step named `text`; returns how
    // many differed (0: no step).
    qsizetype setRows(LineKind kind, const RowValues& rows, const QString& text);
    // Rows of several tables and, when given, the paths text, as one step
    // named `text`; returns the rows changed plus one for the paths text (0: no
    // step). `follow(redone)` is called after each later undo (false) and
    // redo (true) of the step, not when it is made: a step that steps of other
    // documents go with (a move of IDs across a map's files).
    qsizetype changeTogether(const QString& text, const RowValuesByKind& rows,
                             const std::optional<QByteArray>& pathText,
                             std::function<void(bool redone)> follow = {});
    // The objects and timed objects tables' lines (commented rows too) in
    // layout `to`, and the tables read in it, as one step "Convert table
    // layout" (none when nothing changes). Rows that cannot go stay as they are.
    struct LayoutConversion {
        qsizetype changed = 0;                                // rows converted
        std::array<QList<qsizetype>, lineKindCount> leftRows; // per table, ascending
    };
    LayoutConversion convertLayout(ObjectLayout to);
    // Sorting on or off; the document tells the state (IdeDocument::sortedChanged).
    void setSorted(bool on);

    // The document now equals its file (saved).
    void markSaved();
    // No history before this state, which equals the file (a load or reset
    // does it as it begins).
    void forget();

private:
    // "Remove 500 lines", "Comment out 1 line".
    static QString linesText(const QString& command, qsizetype count);
    using RowsCommand = qsizetype (*)(EditKey, IdeDocument&, LineKind, QList<qsizetype>);
    // Runs `change`, which touches at most the rows at `rows` and rows it
    // adds, and keeps it as one step named `text(count)` when it changed
    // `count` rows, none when 0. Returns the count.
    qsizetype changeRows(LineKind kind, QList<qsizetype> rows, const std::function<QString(qsizetype)>& text,
                         const std::function<qsizetype()>& change);
    // Runs `change` as changeRows does and records it as a step, a child of
    // `parent` when given, else pushed; returns the count and the step (none when 0).
    std::pair<qsizetype, QUndoCommand*> recordRows(LineKind kind, QList<qsizetype> rows,
                                                   const std::function<qsizetype()>& change, QUndoCommand* parent);
    qsizetype runCommand(const QString& name, RowsCommand command, LineKind kind, const QList<qsizetype>& rows);
    // Appends the rows to the kind's table as one step "Paste line"; where the last one went.
    qsizetype appendRows(LineKind kind, const QList<QList<QByteArray>>& rows);
    bool differsFromFile() const;
    void followStack();
    void followLoadsOf(IdeDocument& document);

    const EditKey m_key;
    IdeDocument* m_document; // the steps reach their document through this
    QMetaObject::Connection m_loads;
    QUndoStack m_stack;
};

} // namespace tarnel
