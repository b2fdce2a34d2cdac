#pragma once

#include "document/linekind.h"
#include "document/loadreport.h"

#include <QWidget>

class QTableView;

namespace tarnel {

class LoadReportModel;

// The window of File > "Load report": every entry of the last load's report.
// Not modal: the user keeps it open beside the tables, a tool window kept
// above the main window; Esc closes it.
class LoadReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoadReportWindow(QWidget* parent = nullptr);

    void setReport(const LoadReport& report);
    QTableView* list() const { return m_list; }

signals:
    // An entry that became a row was double-clicked.
    void rowRequested(LineKind kind, RowId row);

private:
    void applyColumnWidths();

    LoadReportModel* m_model;
    QTableView* m_list;
};

} // namespace tarnel
