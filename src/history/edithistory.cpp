#include "history/edithistory.h"

#include "document/idedocument.h"
#include "history/pathtextcommand.h"
#include "history/sortcommand.h"
#include "history/tableeditcommand.h"
#include "texts/texts.h"

#include <algorithm>

namespace tarnel {

EditHistory::EditHistory(IdeDocument& document) : QObject(&document), m_document(document)
{
    setObjectName(QStringLiteral("EditHistory"));
    m_stack.setUndoLimit(stepsKept);
    connect(&m_stack, &QUndoStack::indexChanged, this, &EditHistory::followStack);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &EditHistory::followStack);
}

EditHistory& EditHistory::of(IdeDocument& document)
{
    if (auto* history = document.findChild<EditHistory*>(QString(), Qt::FindDirectChildrenOnly))
        return *history;
    return *new EditHistory(document);
}

bool EditHistory::changeRows(LineKind kind, QList<qsizetype> rows, const QString& text,
                             const std::function<bool()>& change)
{
    return changeCountedRows(
               kind, std::move(rows), [&text](qsizetype) { return text; },
               [&change] { return qsizetype(change() ? 1 : 0); }) > 0;
}

qsizetype EditHistory::changeCountedRows(LineKind kind, QList<qsizetype> rows,
                                         const std::function<QString(qsizetype)>& text,
                                         const std::function<qsizetype()>& change)
{
    SectionTable& table = m_document.table(kind);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&table](qsizetype row) { return row < 0 || row >= table.rowCount(); }),
               rows.end());
    RowSnapshot before = snapshotRows(table.rows(), rows);
    std::vector<RowId> ids;
    ids.reserve(size_t(before.size()));
    for (qsizetype i = 0; i < before.size(); ++i)
        ids.push_back(before.rows.id(i));
    std::sort(ids.begin(), ids.end());
    const RowId firstNew = m_document.rowIds().nextId();
    const qsizetype changed = change();
    if (changed == 0)
        return 0;
    RowSnapshot after = snapshotRowsWithIds(table.rows(), ids, firstNew);
    dropUnchangedRows(before, after, firstNew);
    m_stack.push(new TableEditCommand(m_document, kind, std::move(before), std::move(after), text(changed)));
    return changed;
}

void EditHistory::changeAsOneStep(const QString& text, const std::function<void()>& changes)
{
    m_stack.beginMacro(text);
    changes();
    m_stack.endMacro();
}

void EditHistory::setPathText(const QByteArray& text)
{
    if (text != m_document.pathText())
        m_stack.push(new PathTextCommand(m_document, text));
}

void EditHistory::setSorted(bool on, const std::function<void(bool)>& shown)
{
    bool hasRows = false;
    bool already = true;
    for (LineKind kind : allLineKinds) {
        hasRows = hasRows || m_document.table(kind).rowCount() > 0;
        already = already && m_document.table(kind).isSorted() == on;
    }
    if (already)
        return;
    // Sorting empty tables changes nothing a save would write.
    if (!hasRows) {
        m_document.setSorted(on);
        return;
    }
    // Sorting is a step, so that the steps around it find their rows again;
    // whether the document differs from its file is left to followStack().
    m_stack.push(new SortCommand(m_document, on, shown));
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
    m_document.setModified(differsFromFile());
}

} // namespace tarnel
