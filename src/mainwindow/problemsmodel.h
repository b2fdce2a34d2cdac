#pragma once

#include "map/mapfinding.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

namespace tarnel {

// The map's findings as rows: severity, file:line, message. A new list is
// compared with the shown one from both ends, so an edit that changes a few
// findings tells the view of those rows only, and the counts follow the
// same rows.
class ProblemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ProblemsModel(QObject* parent = nullptr);

    enum Column { SeverityColumn, LocationColumn, MessageColumn, ColumnCount };

    void setFindings(QList<MapFinding> findings);
    const MapFinding& finding(int row) const { return m_findings[row]; }
    qsizetype errorCount() const { return m_errors; }
    qsizetype warningCount() const { return m_findings.size() - m_errors; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void countsChanged();

private:
    QList<MapFinding> m_findings;
    qsizetype m_errors = 0;
    QIcon m_errorIcon;
    QIcon m_warningIcon;
};

} // namespace tarnel
