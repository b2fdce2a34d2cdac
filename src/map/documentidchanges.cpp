#include "map/documentidchanges.h"

#include "document/idedocument.h"
#include "map/idvalue.h"
#include "map/linewalk.h"

namespace tarnel {

namespace {

// The file line of each line of the paths text as read, where it still reads so; 0 elsewhere.
QList<qint64> pathFileLines(const IdeDocument& document)
{
    const FileLayout& layout = document.fileLayout();
    QList<QByteArrayView> readLines;
    QList<qint64> readNumbers;
    if (layout.read) {
        for (qsizetype line = 1; line <= layout.lineCount; ++line) {
            if (layout.role(line) == FileLayout::Role::Path)
                readNumbers.append(line);
        }
        forEachLine(layout.pathText, [&](QByteArrayView line, qint64) { readLines.append(line); });
    }
    QList<qint64> numbers;
    forEachLine(document.pathText(), [&](QByteArrayView line, qint64 number) {
        const qsizetype k = qsizetype(number - 1);
        const bool asRead = k < readLines.size() && k < readNumbers.size() && readLines[k] == line;
        numbers.append(asRead ? readNumbers[k] : 0);
    });
    return numbers;
}

} // namespace

DocumentIdChanges idChangesInDocument(const IdeDocument& document, const IdMapping& mapping)
{
    DocumentIdChanges changes;
    if (mapping.isEmpty())
        return changes;
    const RowIdSource& rowIds = document.rowIds();
    for (const LineKind kind : allLineKinds) {
        const RowStore& rows = document.table(kind).rows();
        for (qsizetype row = 0; row < rows.size(); ++row) {
            const QByteArrayView first = rows.firstValue(row);
            const std::optional<IdValue> value = idValueOf(first, 0);
            if (!value)
                continue;
            const std::optional<QByteArray> moved = movedLine(first, *value, mapping);
            if (!moved)
                continue;
            QList<QByteArray> values = rows.values(row);
            values[0] = *moved;
            changes.shown.append(
                LineChange{qint64(rowIds.fileLine(rows.id(row))), rows.joined(row), values.join(", ")});
            changes.rows[size_t(kind)].append(row);
            changes.values[size_t(kind)].append(std::move(values));
        }
    }
    QList<LineChange> pathChanges;
    forEachLine(document.pathText(), [&](QByteArrayView line, qint64 number) {
        if (const std::optional<IdValue> value = pathHeaderIdOf(line)) {
            if (const std::optional<QByteArray> moved = movedLine(line, *value, mapping))
                pathChanges.append(LineChange{number, line.toByteArray(), *moved});
        }
    });
    if (!pathChanges.isEmpty()) {
        changes.pathText = withLineChanges(document.pathText(), pathChanges);
        const QList<qint64> fileLines = pathFileLines(document);
        for (LineChange& change : pathChanges) {
            change.line = fileLines.value(change.line - 1);
            changes.shown.append(std::move(change));
        }
    }
    const FileLayout& layout = document.fileLayout();
    if (layout.read) {
        changes.keptLines = idChangesInFile(layout.bytes, MapFileKind::Ide, mapping);
        changes.keptLines.removeIf(
            [&](const LineChange& change) { return layout.role(change.line) != FileLayout::Role::Kept; });
    }
    return changes;
}

} // namespace tarnel
