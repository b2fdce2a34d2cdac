#pragma once

#include <QAbstractTableModel>

namespace tarnel {

class SectionTable;

// Shows one section table: one column per field of its kind, commented rows
// red and bold. Reads the table's own storage; holds no copy of it.
class SectionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SectionModel(SectionTable& table, QObject* parent = nullptr);

    SectionTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // Around a reorder of the rows or a removal of scattered rows, before
    // layoutAboutToBeChanged and after layoutChanged: newPositions[old] is
    // where the row at `old` went, -1 when it was removed.
    void rowsAboutToBeReordered();
    void rowsReordered(const QList<qsizetype>& newPositions);

private:
    static bool isOneRange(const QList<qsizetype>& rows);
    void beginRowsRemoval(const QList<qsizetype>& rows);
    void endRowsRemoval(const QList<qsizetype>& rows);
    void remapAfterReorder(const QList<qsizetype>& newPositions);

    SectionTable& m_table;
};

} // namespace tarnel
