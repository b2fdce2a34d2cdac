#pragma once

#include "document/loadreport.h"

#include <QAbstractTableModel>

namespace tarnel {

// The entries of a load report as a list: line number, what the line is, and
// its text. Holds a shared copy of the report, so a later load does not pull
// the entries from under a view that is painting.
class LoadReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { LineColumn, ReasonColumn, TextColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setReport(const LoadReport& report);
    const LoadReportEntry& entry(int row) const { return m_report.entries[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    LoadReport m_report;
};

} // namespace tarnel
