#include "mainwindow/problemspanel.h"

#include "mainwindow/problemsmodel.h"
#include "texts/texts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace tarnel {

ProblemsPanel::ProblemsPanel(QWidget* parent)
    : QWidget(parent), m_model(new ProblemsModel(this)), m_counts(new QLabel(this)), m_view(new QTreeView(this))
{
    setObjectName(QStringLiteral("problemsPanel"));
    m_counts->setObjectName(QStringLiteral("problemsCount"));
    m_view->setObjectName(QStringLiteral("problemsView"));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true); // a long list scrolls without measuring each row
    m_view->setAllColumnsShowFocus(true);
    m_view->setTextElideMode(Qt::ElideLeft); // a long path keeps its file name and line
    m_view->header()->setStretchLastSection(true);
    m_view->header()->setSectionResizeMode(ProblemsModel::SeverityColumn, QHeaderView::ResizeToContents);
    m_view->setColumnWidth(ProblemsModel::LocationColumn, 220);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_counts);
    layout->addWidget(m_view, 1);
    connect(m_model, &ProblemsModel::countsChanged, this, &ProblemsPanel::showCounts);
    // Enter on the current row, or a double-click, as the style activates items.
    connect(m_view, &QTreeView::activated, this,
            [this](const QModelIndex& index) { emit findingChosen(m_model->finding(index.row())); });
    showCounts();
}

void ProblemsPanel::setFindings(QList<MapFinding> findings)
{
    m_model->setFindings(std::move(findings));
}

QString ProblemsPanel::countText() const
{
    return m_counts->text();
}

void ProblemsPanel::showCounts()
{
    m_counts->setText(texts::problemCounts(m_model->errorCount(), m_model->warningCount()));
}

} // namespace tarnel
