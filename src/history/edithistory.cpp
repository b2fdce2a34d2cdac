#include "history/edithistory.h"

#include "document/idedocument.h"
#include "document/linecommands.h"
#include "document/rowlist.h"
#include "history/jointstep.h"
#include "history/layoutcommand.h"
#include "history/pathtextcommand.h"
#include "history/sortcommand.h"
#include "history/tableeditcommand.h"
#include "texts/texts.h"

#include <algorithm>
#include <memory>

namespace tarnel {

EditHistory::EditHistory(IdeDocument& document) : QObject(&document), m_document(&document)
{
    setObjectName(QStringLiteral("EditHistory"));
    m_stack.setUndoLimit(stepsKept);
    connect(&m_stack, &QUndoStack::indexChanged, this, &EditHistory::followStack);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &EditHistory::followStack);
    followLoadsOf(document);
}

void EditHistory::followLoadsOf(IdeDocument& document)
{
    // A load or reset starts from the state of its file, with no steps before
    // it; content only changing places with another document keeps its steps.
    m_loads = connect(&document, &IdeDocument::aboutToReplaceContent, this, [this] {
        if (!m_document->isExchangingContent())
            forget();
    });
}

void EditHistory::moveTo(IdeDocument& document)
{
    disconnect(m_loads);
    setParent(&document);
    m_document = &document;
    followLoadsOf(document);
}

EditHistory& EditHistory::of(IdeDocument& document)
{
    if (auto* history = document.findChild<EditHistory*>(QString(), Qt::FindDirectChildrenOnly))
        return *history;
    return *new EditHistory(document);
}

qsizetype EditHistory::addRow(LineKind kind, const QList<QByteArray>& values)
{
    qsizetype row = -1;
    changeRows(
        kind, {}, [](qsizetype) { return texts::addLineStep; },
        [&] {
            row = m_document->table(kind).appendRow(m_key, values);
            return 1;
        });
    return row;
}

qsizetype EditHistory::setRow(LineKind kind, qsizetype row, const QList<QByteArray>& values)
{
    SectionTable& table = m_document->table(kind);
    // The step names the row's line in the file, as the row header shows it.
    const qsizetype line = m_document->rowIds().fileLine(table.rows().id(row));
    const QString text =
        line > 0 ? texts::changeLineStep.arg(texts::fileLineNumber(line)) : texts::changeNewLineStep;
    qsizetype to = row;
    changeRows(
        kind, {row}, [&text](qsizetype) { return text; },
        [&] {
            to = table.setRowValues(m_key, row, values);
            return 1;
        });
    return to;
}

qsizetype EditHistory::runCommand(const QString& name, RowsCommand command, LineKind kind,
                                  const QList<qsizetype>& rows)
{
    return changeRows(
        kind, rows, [&name](qsizetype count) { return linesText(name, count); },
        [&] { return command(m_key, *m_document, kind, rows); });
}

qsizetype EditHistory::commentOut(LineKind kind, const QList<qsizetype>& rows)
{
    return runCommand(texts::stepCommentOut, tarnel::commentOut, kind, rows);
}

qsizetype EditHistory::unComment(LineKind kind, const QList<qsizetype>& rows)
{
    return runCommand(texts::stepUnComment, tarnel::unComment, kind, rows);
}

qsizetype EditHistory::remove(LineKind kind, const QList<qsizetype>& rows)
{
    return runCommand(texts::stepRemove, tarnel::removeRows, kind, rows);
}

qsizetype EditHistory::duplicate(LineKind kind, const QList<qsizetype>& rows)
{
    // Copies leave the rows they copy as they were and where they were among
    // the others: the step holds only the rows it adds, no snapshot of the sources.
    return changeRows(
        kind, {}, [](qsizetype count) { return linesText(texts::stepDuplicate, count); },
        [&] { return tarnel::duplicateRows(m_key, *m_document, kind, rows); });
}

qsizetype EditHistory::appendRows(LineKind kind, const QList<QList<QByteArray>>& rows)
{
    qsizetype row = -1;
    changeRows(
        kind, {}, [](qsizetype) { return texts::pasteTitle; },
        [&] {
            for (const QList<QByteArray>& values : rows)
                row = m_document->table(kind).appendRow(m_key, values);
            return 1;
        });
    return row;
}

qsizetype EditHistory::pasteLine(LineKind kind, const QList<QByteArray>& values)
{
    return appendRows(kind, {values});
}

QList<std::pair<LineKind, qsizetype>> EditHistory::pasteLines(const RowsByKind& rows)
{
    qsizetype count = 0;
    for (const QList<QList<QByteArray>>& kindRows : rows)
        count += kindRows.size();
    QList<std::pair<LineKind, qsizetype>> lastRows;
    // An empty step would stay on the stack.
    if (count == 0)
        return lastRows;
    m_stack.beginMacro(linesText(texts::pasteCommand, count));
    for (LineKind kind : allLineKinds) {
        if (!rows[size_t(kind)].isEmpty())
            lastRows.append({kind, appendRows(kind, rows[size_t(kind)])});
    }
    m_stack.endMacro();
    return lastRows;
}

qsizetype EditHistory::changeRows(LineKind kind, QList<qsizetype> rows,
                                  const std::function<QString(qsizetype)>& text,
                                  const std::function<qsizetype()>& change)
{
    const auto [changed, step] = recordRows(kind, std::move(rows), change, nullptr);
    if (step) {
        step->setText(text(changed));
        m_stack.push(step);
    }
    return changed;
}

std::pair<qsizetype, QUndoCommand*> EditHistory::recordRows(LineKind kind, QList<qsizetype> rows,
                                                            const std::function<qsizetype()>& change,
                                                            QUndoCommand* parent)
{
    SectionTable& table = m_document->table(kind);
    rows = sortedDistinctIn(std::move(rows), table.rowCount());
    RowSnapshot before = snapshotRows(table.rows(), rows);
    std::vector<RowId> ids;
    ids.reserve(size_t(before.size()));
    for (qsizetype i = 0; i < before.size(); ++i)
        ids.push_back(before.rows.id(i));
    const RowId firstNew = m_document->rowIds().nextId();
    const qsizetype changed = change();
    if (changed == 0)
        return {0, nullptr};
    RowSnapshot after = snapshotRowsWithIds(table.rows(), ids, firstNew);
    dropUnchangedRows(before, after, firstNew);
    return {changed,
            new TableEditCommand(m_document, m_key, kind, std::move(before), std::move(after), QString(), parent)};
}

qsizetype EditHistory::setRows(LineKind kind, const RowValues& rows, const QString& text)
{
    return changeRows(
        kind, rows.rows, [&text](qsizetype) { return text; },
        [&] { return setRowsValues(m_key, *m_document, kind, rows.rows, rows.values); });
}

EditHistory::LayoutConversion EditHistory::convertLayout(ObjectLayout to)
{
    auto step = std::make_unique<QUndoCommand>(texts::stepConvertLayout);
    LayoutConversion result;
    bool switched = false;
    const bool later = to == ObjectLayout::Later;
    for (LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        SectionTable& table = m_document->table(kind);
        TableLayoutChange change = layoutChangeOfTable(table, to);
        result.leftRows[size_t(kind)] = change.leftRows;
        if (!change.rows.isEmpty()) {
            result.changed +=
                recordRows(
                    kind, change.rows,
                    [&] { return setRowsValues(m_key, *m_document, kind, change.rows, change.values); },
                    step.get())
                    .first;
        }
        // Pushed, the step switches the layout after the rows changed, and back before they are undone.
        if (table.isLaterLayout() != later) {
            new LayoutCommand(m_document, m_key, kind, later, step.get());
            switched = true;
        }
    }
    if (result.changed > 0 || switched)
        m_stack.push(step.release());
    return result;
}

qsizetype EditHistory::changeTogether(const QString& text, const RowValuesByKind& rows,
                                      const std::optional<QByteArray>& pathText,
                                      std::function<void(bool redone)> follow)
{
    auto step = std::make_unique<JointStep>(text, std::move(follow));
    qsizetype changed = 0;
    for (LineKind kind : allLineKinds) {
        const RowValues& kindRows = rows[size_t(kind)];
        if (kindRows.rows.isEmpty())
            continue;
        changed += recordRows(
                       kind, kindRows.rows,
                       [&] { return setRowsValues(m_key, *m_document, kind, kindRows.rows, kindRows.values); },
                       step.get())
                       .first;
    }
    if (pathText && *pathText != m_document->pathText()) {
        new PathTextCommand(m_document, m_key, *pathText, step.get());
        ++changed;
    }
    if (changed > 0)
        m_stack.push(step.release());
    return changed;
}

void EditHistory::setPathText(const QByteArray& text)
{
    if (text != m_document->pathText())
        m_stack.push(new PathTextCommand(m_document, m_key, text));
}

void EditHistory::setSorted(bool on)
{
    bool hasRows = false;
    for (LineKind kind : allLineKinds)
        hasRows = hasRows || m_document->table(kind).rowCount() > 0;
    if (m_document->isSorted() == on)
        return;
    // Sorting empty tables changes nothing a save would write.
    if (!hasRows) {
        m_document->setSorted(m_key, on);
        return;
    }
    // Sorting is a step, so that the steps around it find their rows again;
    // whether the document differs from its file is left to followStack().
    m_stack.push(new SortCommand(m_document, m_key, on));
}

void EditHistory::markSaved()
{
    m_stack.setClean();
    followStack();
}

void EditHistory::forget()
{
    m_stack.clear();
    followStack();
}

QString EditHistory::linesText(const QString& command, qsizetype count)
{
    return texts::stepOnLines.arg(command).arg(count).arg(count == 1 ? texts::stepLine : texts::stepLines);
}

bool EditHistory::differsFromFile() const
{
    // Sorting only changes the order rows are listed in, which is no change
    // (a load with sorting on orders them too; a save keeping the file's
    // layout writes the same bytes in any order): the document differs from
    // its file exactly when a step other than a sort lies between the state
    // saved or loaded and this one.
    const int saved = m_stack.cleanIndex();
    if (saved < 0)
        return true; // the saved state fell out of the history
    for (int step = qMin(saved, m_stack.index()); step < qMax(saved, m_stack.index()); ++step) {
        if (!dynamic_cast<const SortCommand*>(m_stack.command(step)))
            return true;
    }
    return false;
}

void EditHistory::followStack()
{
    m_document->setModified(m_key, differsFromFile());
}

} // namespace tarnel
