#include "mainwindow/sectionmodel.h"

#include "document/linekind.h"
#include "document/sectiontable.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace {

// Characters a cell shows at most; a column is never wider than a few hundred.
constexpr qsizetype shownValueLength = 1000;

} // namespace

SectionModel::SectionModel(SectionTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table)
{
    connect(&table, &SectionTable::aboutToBeReset, this, [this] { beginResetModel(); });
    connect(&table, &SectionTable::wasReset, this, [this] { endResetModel(); });
    connect(&table, &SectionTable::rowAboutToBeInserted, this,
            [this](qsizetype row) { beginInsertRows({}, int(row), int(row)); });
    connect(&table, &SectionTable::rowInserted, this, [this] { endInsertRows(); });
    connect(&table, &SectionTable::rowAboutToBeRemoved, this,
            [this](qsizetype row) { beginRemoveRows({}, int(row), int(row)); });
    connect(&table, &SectionTable::rowRemoved, this, [this] { endRemoveRows(); });
    connect(&table, &SectionTable::rowAboutToMove, this, [this](qsizetype from, qsizetype to) {
        // Qt counts the destination before the move; the table gives it after.
        beginMoveRows({}, int(from), int(from), {}, int(to > from ? to + 1 : to));
    });
    connect(&table, &SectionTable::rowMoved, this, [this] { endMoveRows(); });
    connect(&table, &SectionTable::rowChanged, this, [this](qsizetype row) {
        emit dataChanged(index(int(row), 0), index(int(row), columnCount() - 1));
    });
    connect(&table, &SectionTable::aboutToBeReordered, this, [this] { emit layoutAboutToBeChanged(); });
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
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        // A cell shows the start of a very long value only: laying out a value
        // of megabytes on every paint would freeze the window.
        const QByteArrayView value = rows.value(index.row(), index.column());
        if (value.size() <= shownValueLength)
            return QString::fromLatin1(value);
        return QString::fromLatin1(value.first(shownValueLength)) + QChar(0x2026);
    }
    case Qt::ForegroundRole:
        if (rows.style(index.row()) & RowStore::RedText)
            return QBrush(QColor(255, 0, 0));
        return {};
    case Qt::FontRole:
        if (rows.style(index.row()) & RowStore::BoldText) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant SectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const QStringList& names = fieldNamesOf(m_table.kind());
    return section >= 0 && section < names.size() ? QVariant(names[section]) : QVariant();
}

void SectionModel::remapAfterReorder(const QList<qsizetype>& newPositions)
{
    // Only the indexes someone holds (selection, current row, open editors) move.
    const QModelIndexList held = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(held.size());
    for (const QModelIndex& old : held)
        moved.append(index(int(newPositions[old.row()]), old.column()));
    changePersistentIndexList(held, moved);
    emit layoutChanged();
}
