#pragma once

#include "document/linekind.h"

#include <QList>
#include <QObject>
#include <QUndoStack>

#include <functional>

namespace tarnel {

class IdeDocument;

// The one way to change a document: each change becomes a step of the
// document's undo stack, and the document's changed flag follows the stack
// (changed exactly when a step other than sorting on or off lies between it
// and the state last saved or loaded).
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int stepsKept = 100;

    // Lives as a child of the document.
    explicit EditHistory(IdeDocument& document);
    // The stack, emptied as it goes, must not reach a document being destroyed.
    ~EditHistory() override { m_stack.disconnect(this); }
    // The document's history, made on first use.
    static EditHistory& of(IdeDocument& document);

    QUndoStack& stack() { return m_stack; }

    // Runs `change` on table `kind`, which touches at most the rows at
    // `rows` and rows it adds, and keeps it as one step named `text`.
    // Returns what `change` returned: whether it changed anything.
    bool changeRows(LineKind kind, QList<qsizetype> rows, const QString& text,
                    const std::function<bool()>& change);
    // The same for a change that returns how many rows it changed: the step is
    // named `text(count)`, and a change of no row keeps none. Returns the count.
    qsizetype changeCountedRows(LineKind kind, QList<qsizetype> rows,
                                const std::function<QString(qsizetype)>& text,
                                const std::function<qsizetype()>& change);
    // Runs `changes`, which make their steps through changeRows (one per
    // table, say), and keeps them as one step named `text`: one undo takes
    // them all back. An empty step would stay on the stack: call it only for
    // changes that are made.
    void changeAsOneStep(const QString& text, const std::function<void()>& changes);
    void setPathText(const QByteArray& text);
    // `shown` hears of the sorting state when undo or redo changes it.
    void setSorted(bool on, const std::function<void(bool)>& shown);

    // The document now equals its file (saved).
    void markSaved();
    // A new document or file replaced the content: no history before it.
    void forget();

    // "Remove 500 lines", "Comment out 1 line".
    static QString linesText(const QString& command, qsizetype count);

private:
    bool differsFromFile() const;
    void followStack();

    IdeDocument& m_document;
    QUndoStack m_stack;
};

} // namespace tarnel
