#include "mainwindow/loadreportwindow.h"

#include "editors/toolwindow.h"
#include "mainwindow/escapecloses.h"
#include "mainwindow/loadreportmodel.h"
#include "mainwindow/twips.h"
#include "texts/texts.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace tarnel {

LoadReportWindow::LoadReportWindow(QWidget* parent)
    : QWidget(parent), m_model(new LoadReportModel(this)), m_list(new QTableView(this))
{
    setObjectName(QStringLiteral("LoadReport"));
    setWindowTitle(texts::loadReportTitle);
    makeToolWindow(*this);
    closeOnEscape(*this);
    m_list->setObjectName(QStringLiteral("loadReportList"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    m_list->setShowGrid(false);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed sizes: a report of many entries scrolls without measuring them.
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 4);
    QHeaderView* header = m_list->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    applyColumnWidths();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    resize(twips(10500), twips(6000));

    connect(m_list, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const LoadReportEntry& entry = m_model->entry(index.row());
        if (entry.kind)
            emit rowRequested(*entry.kind, entry.row);
    });
}

void LoadReportWindow::setReport(const LoadReport& report)
{
    m_model->setReport(report);
    applyColumnWidths();
}

void LoadReportWindow::applyColumnWidths()
{
    QHeaderView* header = m_list->horizontalHeader();
    header->resizeSection(LoadReportModel::LineColumn, twips(900));
    header->resizeSection(LoadReportModel::ReasonColumn, twips(2200));
    header->resizeSection(LoadReportModel::TextColumn, twips(7000));
}

} // namespace tarnel
