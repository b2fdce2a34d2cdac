#include "mainwindow/loadreportmodel.h"

#include "mainwindow/shownvalue.h"
#include "texts/texts.h"

namespace tarnel {

void LoadReportModel::setReport(const LoadReport& report)
{
    beginResetModel();
    m_report = report;
    endResetModel();
}

int LoadReportModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_report.entries.size());
}

int LoadReportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LoadReportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const LoadReportEntry& shown = entry(index.row());
    switch (index.column()) {
    case LineColumn: return QString::number(shown.lineNumber);
    case ReasonColumn: return reasonText(shown);
    case TextColumn: return shownLineText(shown.line);
    }
    return {};
}

QVariant LoadReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn: return texts::loadReportLineColumn;
    case ReasonColumn: return texts::loadReportWhatColumn;
    case TextColumn: return texts::loadReportTextColumn;
    }
    return {};
}

} // namespace tarnel
