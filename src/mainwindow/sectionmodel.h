#pragma once

#include "document/rowfilter.h"
#include "document/rowid.h"

#include <QAbstractTableModel>

#include <vector>

namespace tarnel {

class DocumentIds;
class RowIdSource;
class SectionTable;

// Shows one section table: one column per field of its kind, commented rows
// red and bold. Reads the table's own storage; holds no copy of it. A filter
// shows only the rows it passes: the model's rows are then a list of the
// table's row numbers (tableRow/shownRow map between the two).
class SectionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SectionModel(SectionTable& table, QObject* parent = nullptr);

    SectionTable& table() const { return m_table; }
    // Marks the ID cells of rows whose ID another row uses too (a warning
    // background, a tooltip naming the other rows), following `ids`.
    void setDuplicateMarks(const DocumentIds* ids);
    // The first marked row shown after the shown row `after`, wrapping round
    // (from the top when `after` is -1); -1 when none is shown.
    int nextMarkedRow(int after) const;
    // Heads each row with the line of the file it was read from (blank for
    // rows made since the load), as `ids` tells.
    void setRowIds(const RowIdSource* ids) { m_rowIds = ids; }
    // The highest line number a row header can show.
    qsizetype lastFileLine() const;

    // Shows only the rows `text` passes (rowfilter.h); empty shows all. The
    // selection and the other held indexes follow the rows they were on.
    void setFilter(const QString& text);
    QString filterText() const { return m_filterText; }
    bool isFiltered() const { return !m_filter.isEmpty(); }
    // The table's row shown at `row`, and the reverse (-1 when filtered out).
    qsizetype tableRow(int row) const { return isFiltered() ? m_shown[size_t(row)] : row; }
    int shownRow(qsizetype tableRow) const;
    // Where the view goes as the filter is typed: the first shown row the
    // filter passes by its ID, else the first shown row (-1 when none).
    int firstMatch() const;

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
    // The rows of the table `filter` passes, looking only at `candidates` when given.
    std::vector<qsizetype> rowsPassing(const RowFilter& filter, const std::vector<qsizetype>* candidates) const;
    // Around a change of the table while filtered: every change is one layout
    // change, and the rows shown are found again afterwards.
    void holdShownRows();
    void refilterAfterChange();
    static bool isOneRange(const QList<qsizetype>& rows);
    void beginRowsRemoval(const QList<qsizetype>& rows);
    void endRowsRemoval(const QList<qsizetype>& rows);
    void remapAfterReorder(const QList<qsizetype>& newPositions);

    SectionTable& m_table;
    RowFilter m_filter;
    QString m_filterText;
    std::vector<qsizetype> m_shown; // ascending table rows, while filtered
    std::vector<RowId> m_heldIds;   // the shown rows' identities during a change
    std::vector<RowId> m_addedIds;  // rows the change added, while filtered
    const DocumentIds* m_marks = nullptr;
    const RowIdSource* m_rowIds = nullptr;
};

} // namespace tarnel
