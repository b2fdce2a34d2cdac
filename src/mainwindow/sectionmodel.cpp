#include "mainwindow/sectionmodel.h"

#include "document/rowcells.h"
#include "document/linekind.h"
#include "document/sectiontable.h"
#include "mainwindow/shownvalue.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace tarnel {

SectionModel::SectionModel(SectionTable& table, QObject* parent) : QAbstractTableModel(parent), m_table(table)
{
    connect(&table, &SectionTable::aboutToBeReset, this, [this] { beginResetModel(); });
    connect(&table, &SectionTable::wasReset, this, [this] { endResetModel(); });
    connect(&table, &SectionTable::rowAboutToBeInserted, this,
            [this](qsizetype row) { beginInsertRows({}, int(row), int(row)); });
    connect(&table, &SectionTable::rowInserted, this, [this] { endInsertRows(); });
    connect(&table, &SectionTable::rowsAboutToBeAppended, this,
            [this](qsizetype count) { beginInsertRows({}, rowCount(), int(rowCount() + count - 1)); });
    connect(&table, &SectionTable::rowsAppended, this, [this] { endInsertRows(); });
    connect(&table, &SectionTable::rowsAboutToBeRemoved, this, &SectionModel::beginRowsRemoval);
    connect(&table, &SectionTable::rowsRemoved, this, &SectionModel::endRowsRemoval);
    connect(&table, &SectionTable::rowAboutToMove, this, [this](qsizetype from, qsizetype to) {
        // Qt counts the destination before the move; the table gives it after.
        beginMoveRows({}, int(from), int(from), {}, int(to > from ? to + 1 : to));
    });
    connect(&table, &SectionTable::rowMoved, this, [this] { endMoveRows(); });
    connect(&table, &SectionTable::rowChanged, this,
            [this](qsizetype row) { emit dataChanged(index(int(row), 0), index(int(row), columnCount() - 1)); });
    // Rows only change places: the selection follows one index per row, not per cell.
    connect(&table, &SectionTable::aboutToBeReordered, this, [this] {
        emit rowsAboutToBeReordered();
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    });
    connect(&table, &SectionTable::reordered, this, &SectionModel::remapAfterReorder);
}

int SectionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.rowCount());
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
    switch (role) {
    // No tooltip here: the view shows one only for a cell it cuts.
    case Qt::DisplayRole: {
        const LineKind kind = m_table.kind();
        const qsizetype count = rows.valueCount(index.row());
        const CellSpan span =
            cellSpan(kind, count, isLaterLayoutRow(kind, count, m_table.isLaterLayout()), index.column());
        if (span.count == 1)
            return shownValue(rows.value(index.row(), span.first));
        // An empty cell, or the draw distances of a line with several meshes.
        return shownValue(cellText(rows, index.row(), kind, m_table.isLaterLayout(), index.column()));
    }
    // A commented row looks it, whichever way its "#" came or went.
    case Qt::ForegroundRole:
        if (rows.isCommented(index.row()))
            return QBrush(QColor(255, 0, 0));
        return {};
    case Qt::FontRole:
        if (rows.isCommented(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QVariant SectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
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

} // namespace tarnel
