#include "mainwindow/sectionmodel.h"

#include "document/rowcells.h"
#include "document/linekind.h"
#include "document/rowidsource.h"
#include "document/sectiontable.h"
#include "editors/editornumbers.h"
#include "history/documentids.h"
#include "mainwindow/shownvalue.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QSet>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace tarnel {

namespace {

// The first of a 2dfx line's red, green and blue values; every 2dfx kind has them there.
constexpr int redColumn = 4;

bool hasColourColumns(LineKind kind)
{
    return kind != LineKind::Object && kind != LineKind::TimedObject;
}

// A row's colour as the line editors' swatch shows it, framed so that white shows too.
QPixmap colourSwatch(const RowStore& rows, qsizetype row)
{
    const auto level = [&](int column) { return colourLevel(QString::fromLatin1(rows.value(row, column))); };
    QPixmap swatch(10, 10);
    swatch.fill(QColor(level(redColumn), level(redColumn + 1), level(redColumn + 2)));
    QPainter frame(&swatch);
    frame.setPen(QColor(0x80, 0x80, 0x80));
    frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    return swatch;
}

} // namespace

SectionModel::SectionModel(SectionTable& table, QObject* parent) : QAbstractTableModel(parent), m_table(table)
{
    // While filtered, every change of the table is one layout change and the
    // rows shown are found again; a reset is a reset either way.
    connect(&table, &SectionTable::aboutToBeReset, this, [this] { beginResetModel(); });
    connect(&table, &SectionTable::wasReset, this, [this] {
        if (isFiltered())
            m_shown = rowsPassing(m_filter, nullptr);
        endResetModel();
    });
    connect(&table, &SectionTable::rowAboutToBeInserted, this, [this](qsizetype row) {
        if (isFiltered())
            return holdShownRows();
        beginInsertRows({}, int(row), int(row));
    });
    connect(&table, &SectionTable::rowInserted, this, [this](qsizetype row) {
        if (!isFiltered())
            return endInsertRows();
        m_addedIds.push_back(m_table.rows().id(row));
        refilterAfterChange();
    });
    connect(&table, &SectionTable::rowsAboutToBeAppended, this, [this](qsizetype count) {
        if (isFiltered())
            return holdShownRows();
        beginInsertRows({}, rowCount(), int(rowCount() + count - 1));
    });
    connect(&table, &SectionTable::rowsAppended, this, [this](qsizetype first, qsizetype count) {
        if (!isFiltered())
            return endInsertRows();
        for (qsizetype row = first; row < first + count; ++row)
            m_addedIds.push_back(m_table.rows().id(row));
        refilterAfterChange();
    });
    connect(&table, &SectionTable::rowsAboutToBeRemoved, this,
            [this](const QList<qsizetype>& rows) { isFiltered() ? holdShownRows() : beginRowsRemoval(rows); });
    connect(&table, &SectionTable::rowsRemoved, this,
            [this](const QList<qsizetype>& rows) { isFiltered() ? refilterAfterChange() : endRowsRemoval(rows); });
    connect(&table, &SectionTable::rowAboutToMove, this, [this](qsizetype from, qsizetype to) {
        if (isFiltered())
            return holdShownRows();
        // Qt counts the destination before the move; the table gives it after.
        beginMoveRows({}, int(from), int(from), {}, int(to > from ? to + 1 : to));
    });
    connect(&table, &SectionTable::rowMoved, this,
            [this] { isFiltered() ? refilterAfterChange() : endMoveRows(); });
    // A changed row stays shown while filtered, so it does not vanish under the user.
    connect(&table, &SectionTable::rowChanged, this, [this](qsizetype row) {
        const int shown = shownRow(row);
        if (shown >= 0)
            emit dataChanged(index(shown, 0), index(shown, columnCount() - 1));
    });
    connect(&table, &SectionTable::rowsChanged, this, [this](qsizetype first, qsizetype last) {
        const int top = isFiltered()
                            ? int(std::lower_bound(m_shown.cbegin(), m_shown.cend(), first) - m_shown.cbegin())
                            : int(first);
        const int bottom =
            isFiltered() ? int(std::upper_bound(m_shown.cbegin(), m_shown.cend(), last) - m_shown.cbegin()) - 1
                         : int(last);
        if (top <= bottom)
            emit dataChanged(index(top, 0), index(bottom, columnCount() - 1));
    });
    connect(&table, &SectionTable::layoutSwitched, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    });
    // Rows only change places: the selection follows one index per row, not per cell.
    connect(&table, &SectionTable::aboutToBeReordered, this, [this] {
        if (isFiltered())
            return holdShownRows();
        emit rowsAboutToBeReordered();
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    });
    connect(&table, &SectionTable::reordered, this, [this](const QList<qsizetype>& newPositions) {
        isFiltered() ? refilterAfterChange() : remapAfterReorder(newPositions);
    });
}

void SectionModel::setDuplicateMarks(const DocumentIds* ids)
{
    m_marks = ids;
    // Another row's change can mark or unmark any ID cell: the column is told once per step.
    connect(ids, &DocumentIds::changed, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::BackgroundRole, Qt::ToolTipRole});
    });
}

int SectionModel::nextMarkedRow(int after) const
{
    if (!m_marks)
        return -1;
    m_marks->index(); // F8 right after a load finds them too
    const int rows = rowCount();
    for (int step = 1; step <= rows; ++step) {
        const int shown = (after + step) % rows;
        if (m_marks->isMarked(m_table, tableRow(shown)))
            return shown;
    }
    return -1;
}

int SectionModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return int(isFiltered() ? qsizetype(m_shown.size()) : m_table.rowCount());
}

int SectionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant SectionModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const RowStore& rows = m_table.rows();
    const int row = int(tableRow(index.row()));
    switch (role) {
    // The view adds the whole text of a cell it cuts to a cell's tooltip.
    case Qt::DisplayRole: {
        const LineKind kind = m_table.kind();
        const qsizetype count = rows.valueCount(row);
        const CellSpan span =
            cellSpan(kind, count, isLaterLayoutRow(kind, count, m_table.isLaterLayout()), index.column());
        if (span.count == 1)
            return shownValue(rows.value(row, span.first));
        // An empty cell, or the draw distances of a line with several meshes.
        return shownValue(cellText(rows, row, kind, m_table.isLaterLayout(), index.column()));
    }
    // A commented row looks it, whichever way its "#" came or went.
    case Qt::ForegroundRole:
        if (rows.isCommented(row))
            return QBrush(QColor(255, 0, 0));
        return {};
    case Qt::FontRole:
        if (rows.isCommented(row)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        if (index.column() == 0 && m_marks && m_marks->isMarked(m_table, row))
            return QBrush(QColor(255, 214, 120));
        return {};
    case Qt::ToolTipRole:
        if (index.column() == 0 && m_marks)
            return m_marks->otherUsesText(m_table, row);
        return {};
    case Qt::DecorationRole:
        if (index.column() == redColumn && hasColourColumns(m_table.kind()))
            return colourSwatch(rows, row);
        return {};
    default: return {};
    }
}

qsizetype SectionModel::lastFileLine() const
{
    return m_rowIds ? qsizetype(m_rowIds->firstFresh()) - 1 : 0;
}

QVariant SectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Asked only for the rows on screen: the header has a fixed section size.
    if (orientation == Qt::Vertical) {
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole || !m_rowIds || section < 0 || section >= rowCount())
            return {};
        const qsizetype line = m_rowIds->fileLine(m_table.rows().id(tableRow(section)));
        return line > 0 ? QString::number(line) : QString();
    }
    if (role != Qt::DisplayRole)
        return {};
    const QStringList& names = fieldNamesOf(m_table.kind());
    return section >= 0 && section < names.size() ? QVariant(names[section]) : QVariant();
}

bool SectionModel::isOneRange(const QList<qsizetype>& rows)
{
    return rows.back() - rows.front() + 1 == rows.size();
}

void SectionModel::beginRowsRemoval(const QList<qsizetype>& rows)
{
    if (isOneRange(rows)) {
        beginRemoveRows({}, int(rows.front()), int(rows.back()));
        return;
    }
    // Scattered rows: one removal each would make the views shift their
    // per-row records once per row. One layout change does it in one pass.
    emit rowsAboutToBeReordered();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SectionModel::endRowsRemoval(const QList<qsizetype>& rows)
{
    if (isOneRange(rows)) {
        endRemoveRows();
        return;
    }
    QList<qsizetype> newPositions(m_table.rowCount() + rows.size());
    qsizetype removed = 0;
    for (qsizetype old = 0; old < newPositions.size(); ++old) {
        const bool gone = removed < rows.size() && rows[removed] == old;
        newPositions[old] = gone ? -1 : old - removed;
        removed += gone;
    }
    remapAfterReorder(newPositions);
}

// newPositions[old] is the row's new place, or -1 when it was removed.
void SectionModel::remapAfterReorder(const QList<qsizetype>& newPositions)
{
    // Only the indexes someone holds (selection, current row, open editors) move.
    const QModelIndexList held = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(held.size());
    for (const QModelIndex& old : held) {
        const qsizetype row = newPositions[old.row()];
        moved.append(row >= 0 ? index(int(row), old.column()) : QModelIndex());
    }
    changePersistentIndexList(held, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit rowsReordered(newPositions);
}

int SectionModel::shownRow(qsizetype tableRow) const
{
    if (!isFiltered())
        return tableRow >= 0 && tableRow < m_table.rowCount() ? int(tableRow) : -1;
    const auto at = std::lower_bound(m_shown.cbegin(), m_shown.cend(), tableRow);
    return at != m_shown.cend() && *at == tableRow ? int(at - m_shown.cbegin()) : -1;
}

int SectionModel::firstMatch() const
{
    if (!isFiltered())
        return rowCount() > 0 ? 0 : -1;
    const auto byId = std::find_if(m_shown.cbegin(), m_shown.cend(),
                                   [this](qsizetype row) { return m_filter.matchesId(m_table.rows(), row); });
    if (byId != m_shown.cend())
        return int(byId - m_shown.cbegin());
    return m_shown.empty() ? -1 : 0;
}

std::vector<qsizetype> SectionModel::rowsPassing(const RowFilter& filter,
                                                 const std::vector<qsizetype>* candidates) const
{
    const RowStore& rows = m_table.rows();
    std::vector<qsizetype> passing;
    if (candidates) {
        for (qsizetype row : *candidates) {
            if (filter.matches(rows, row))
                passing.push_back(row);
        }
        return passing;
    }
    for (qsizetype row = 0; row < rows.size(); ++row) {
        if (filter.matches(rows, row))
            passing.push_back(row);
    }
    return passing;
}

void SectionModel::setFilter(const QString& text)
{
    if (text == m_filterText)
        return;
    const RowFilter next(text);
    std::vector<qsizetype> shown;
    if (!next.isEmpty())
        shown = rowsPassing(next, isFiltered() && next.narrows(m_filter) ? &m_shown : nullptr);
    // Both lists ascend in table order: one merge tells where each shown row goes.
    QList<qsizetype> newPositions(rowCount(), -1);
    auto kept = shown.cbegin();
    for (qsizetype old = 0; old < newPositions.size(); ++old) {
        const qsizetype row = tableRow(int(old));
        if (next.isEmpty()) {
            newPositions[old] = row;
            continue;
        }
        kept = std::lower_bound(kept, shown.cend(), row);
        if (kept != shown.cend() && *kept == row)
            newPositions[old] = kept - shown.cbegin();
    }
    emit rowsAboutToBeReordered();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_filter = next;
    m_filterText = next.isEmpty() ? QString() : text;
    m_shown = std::move(shown);
    remapAfterReorder(newPositions);
}

void SectionModel::holdShownRows()
{
    const RowStore& rows = m_table.rows();
    m_heldIds.clear();
    m_heldIds.reserve(m_shown.size());
    for (qsizetype row : m_shown)
        m_heldIds.push_back(rows.id(row));
    emit rowsAboutToBeReordered();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SectionModel::refilterAfterChange()
{
    // Rows shown before the change and rows it added stay shown, passing or
    // not: an edit never makes a row vanish under the user, and a new line is
    // seen. Only typing in the filter field hides rows.
    const RowStore& rows = m_table.rows();
    QSet<RowId> kept(m_heldIds.cbegin(), m_heldIds.cend());
    kept.unite(QSet<RowId>(m_addedIds.cbegin(), m_addedIds.cend()));
    m_addedIds.clear();
    std::vector<qsizetype> shown;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        if (m_filter.matches(rows, row) || kept.contains(rows.id(row)))
            shown.push_back(row);
    }
    QHash<RowId, qsizetype> placeOf;
    placeOf.reserve(qsizetype(shown.size()));
    for (size_t place = 0; place < shown.size(); ++place)
        placeOf.insert(rows.id(shown[place]), qsizetype(place));
    QList<qsizetype> newPositions(qsizetype(m_heldIds.size()), -1);
    for (size_t old = 0; old < m_heldIds.size(); ++old)
        newPositions[qsizetype(old)] = placeOf.value(m_heldIds[old], -1);
    m_heldIds.clear();
    m_shown = std::move(shown);
    remapAfterReorder(newPositions);
}

} // namespace tarnel
