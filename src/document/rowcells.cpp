#include "document/rowcells.h"

#include "document/idetext.h"
#include "document/rowstore.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tarnel {

namespace {

bool hasObjectLayouts(LineKind kind)
{
    return kind == LineKind::Object || kind == LineKind::TimedObject;
}

// Values a line of the later layout has: 5 for objects, 7 for timed objects;
// 0 for the 2dfx kinds, which have one layout only.
qsizetype laterLayoutValueCount(LineKind kind)
{
    return hasObjectLayouts(kind) ? fieldCountOf(kind) - 1 : 0;
}

// The most columns a table has.
constexpr int mostColumns = [] {
    int most = 0;
    for (const LineKindTraits& traits : lineKinds)
        most = std::max(most, traits.fieldCount);
    return most;
}();

} // namespace

bool laterLayoutOf(LineKind kind, const RowStore& rows)
{
    if (!hasObjectLayouts(kind))
        return false;
    const qsizetype later = laterLayoutValueCount(kind);
    bool seen = false;
    // Commented rows of either count, for a table with no active row.
    qsizetype commentedLater = 0;
    qsizetype commentedUsual = 0;
    bool active = false;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const qsizetype count = rows.valueCount(row);
        if (rows.isCommented(row)) {
            commentedLater += count == later;
            commentedUsual += count > later;
            continue;
        }
        if (count > later)
            return false;
        active = true;
        seen = seen || count == later;
    }
    return active ? seen : commentedLater > commentedUsual;
}

bool isLaterLayoutRow(LineKind kind, qsizetype valueCount, bool laterLayoutTable)
{
    return laterLayoutTable && hasObjectLayouts(kind) && valueCount == laterLayoutValueCount(kind);
}

CellSpan cellSpan(LineKind kind, qsizetype valueCount, bool laterLayoutRow, int column)
{
    const int columns = fieldCountOf(kind);
    const auto single = [valueCount](qsizetype index) {
        return index >= 0 && index < valueCount ? CellSpan{index, 1} : CellSpan{};
    };
    if (!hasObjectLayouts(kind) || column < meshCountColumn)
        return single(column);
    if (laterLayoutRow)
        return column == meshCountColumn ? CellSpan{} : single(column - 1);
    // A short line keeps its values where they are.
    if (valueCount <= columns)
        return single(column);
    // Several draw distances: the columns after them take the last values.
    const qsizetype after = columns - 1 - drawDistanceColumn;
    if (column < drawDistanceColumn)
        return single(column);
    if (column == drawDistanceColumn)
        return {drawDistanceColumn, valueCount - drawDistanceColumn - after};
    return single(valueCount - (columns - column));
}

QByteArray cellText(const RowStore& rows, qsizetype row, LineKind kind, bool laterLayoutTable, int column)
{
    const qsizetype count = rows.valueCount(row);
    const CellSpan span = cellSpan(kind, count, isLaterLayoutRow(kind, count, laterLayoutTable), column);
    if (span.count == 1)
        return rows.value(row, span.first).toByteArray();
    // One walk: a line of many draw distances is read once, not once a value.
    return rows.joinedValues(row, span.first, span.count);
}

void appendRowCells(const RowStore& rows, qsizetype row, LineKind kind, bool laterLayoutTable, char separator,
                    QByteArray& out)
{
    QVarLengthArray<QByteArrayView, 16> values;
    rows.valueViews(row, values);
    const qsizetype count = values.size();
    const bool laterLayoutRow = isLaterLayoutRow(kind, count, laterLayoutTable);
    const int columns = fieldCountOf(kind);
    std::array<CellSpan, mostColumns> spans;
    qsizetype length = columns - 1; // the separators
    for (int column = 0; column < columns; ++column) {
        spans[size_t(column)] = cellSpan(kind, count, laterLayoutRow, column);
        for (qsizetype i = 0; i < spans[size_t(column)].count; ++i)
            length += values[spans[size_t(column)].first + i].size() + (i > 0 ? 2 : 0);
    }
    // Grown once and filled in place: a million rows of a dozen short pieces each.
    const qsizetype start = out.size();
    out.resize(start + length);
    char* p = out.data() + start;
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            *p++ = separator;
        const CellSpan span = spans[size_t(column)];
        for (qsizetype i = 0; i < span.count; ++i) {
            if (i > 0) {
                *p++ = ',';
                *p++ = ' ';
            }
            const QByteArrayView value = values[span.first + i];
            std::memcpy(p, value.data(), size_t(value.size()));
            p += value.size();
        }
    }
}

QList<QByteArray> valuesFromCells(LineKind kind, const QList<QByteArray>& cells, bool laterLayoutRow)
{
    QList<QByteArray> values;
    values.reserve(cells.size() + 2);
    for (int column = 0; column < cells.size(); ++column) {
        if (!hasObjectLayouts(kind) || column != drawDistanceColumn) {
            if (!(laterLayoutRow && hasObjectLayouts(kind) && column == meshCountColumn))
                values.append(cells[column]);
            continue;
        }
        for (const QByteArray& piece : cells[column].split(','))
            values.append(idetext::trimSpaces(piece).toByteArray());
    }
    return values;
}

} // namespace tarnel
