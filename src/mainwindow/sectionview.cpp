#include "mainwindow/sectionview.h"

#include "document/rowlist.h"
#include "document/sectiontable.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/twips.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <vector>

namespace tarnel {

namespace {

// Column widths in twips, by kind; 0 leaves the column at the list's default width.
const std::array<std::vector<int>, lineKindCount> columnWidths = {{
    {800, 2500, 2500, 0, 900, 1200},
    {800, 2500, 1700, 1200, 900, 970, 900, 900},
    {800,  1000, 1000, 1000, 800,  800,  800,  800,  800,  1200,
     1100, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 800},
    {800, 1000, 1000, 1000, 800, 800, 800, 1000, 1000},
    {800, 1000, 1000, 1000, 800, 800, 800, 800, 800, 1000, 1000, 1000, 1000, 1000},
    {800, 1000, 1000, 1000, 800, 800, 800, 800, 800, 800, 1000, 1000, 1000, 1000, 1000, 1000},
}};

} // namespace

SectionView::SectionView(SectionModel* model, QWidget* parent) : QTableView(parent), m_model(model)
{
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Each row headed by its line in the file. Fixed sections: nothing walks
    // the rows, and only the rows on screen are asked for their number.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsClickable(false);
    applyColumnWidths();
    // After the widths: the last column keeps its own width as its least.
    horizontalHeader()->setStretchLastSection(true);
    connect(model, &SectionModel::rowsAboutToBeReordered, this, &SectionView::holdSelection);
    connect(model, &SectionModel::rowsReordered, this, &SectionView::restoreSelection);
    connect(model, &QAbstractItemModel::modelReset, this, &SectionView::fitRowHeader);
    fitRowHeader();
}

void SectionView::fitRowHeader()
{
    const QString widest(QString::number(m_model->lastFileLine()).size(), QLatin1Char('9'));
    verticalHeader()->setMinimumWidth(verticalHeader()->fontMetrics().horizontalAdvance(widest) + 8);
}

void SectionView::makeCurrent(int row)
{
    const int last = m_model->rowCount() - 1;
    if (last < 0 || !selectionModel())
        return;
    const QModelIndex index = m_model->index(qBound(0, row, last), 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    showRow(index.row());
}

void SectionView::showCurrent()
{
    if (currentIndex().isValid())
        showRow(currentIndex().row());
}

void SectionView::showRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    // The view lays out a change of its rows later; the scroll bar's range must fit them now.
    updateGeometries();
    scrollTo(m_model->index(row, 0));
}

void SectionView::setRowHeaderShown(bool shown)
{
    QHeaderView* header = verticalHeader();
    if (shown == (header->model() == model()))
        return;
    if (!shown) {
        m_heldScroll = verticalScrollBar()->value();
        header->setModel(nullptr);
        return;
    }
    header->setModel(model());
    header->setSelectionModel(selectionModel());
    updateGeometries();
    verticalScrollBar()->setValue(m_heldScroll);
}

LineKind SectionView::kind() const
{
    return m_model->table().kind();
}

void SectionView::applyColumnWidths()
{
    const std::vector<int>& widths = columnWidths[size_t(kind())];
    for (int column = 0; column < int(widths.size()); ++column) {
        if (widths[size_t(column)] > 0)
            horizontalHeader()->resizeSection(column, twips(widths[size_t(column)]));
    }
}

QList<qsizetype> SectionView::selectedRowNumbers() const
{
    QList<qsizetype> rows = selectedShownRows();
    // Shown rows ascend in table order, so the mapped list ascends too.
    if (m_model->isFiltered()) {
        for (qsizetype& row : rows)
            row = m_model->tableRow(int(row));
    }
    return rows;
}

QList<qsizetype> SectionView::selectedOrShownRows(bool* selected) const
{
    QList<qsizetype> rows = selectedRowNumbers();
    *selected = !rows.isEmpty();
    if (rows.isEmpty()) {
        rows.resize(m_model->rowCount());
        for (int shown = 0; shown < m_model->rowCount(); ++shown)
            rows[shown] = m_model->tableRow(shown);
    }
    return rows;
}

QList<qsizetype> SectionView::selectedShownRows() const
{
    QList<qsizetype> rows;
    if (!selectionModel())
        return rows;
    // Ranges, not indexes: a selection of a million rows is one range.
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    return sortedDistinct(std::move(rows));
}

QString SectionView::cutText(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    const QString text = index.data().toString();
    const QVariant cellFont = index.data(Qt::FontRole);
    const QFontMetrics metrics(cellFont.isValid() ? cellFont.value<QFont>().resolve(font()) : font());
    // As the style lays out a cell's text: a margin each side, the grid line
    // taken off the cell's right.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int room = visualRect(index).width() - (showGrid() ? 1 : 0) - 2 * margin;
    return metrics.horizontalAdvance(text) > room ? text : QString();
}

bool SectionView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    QStringList parts = {cutText(index), index.data(Qt::ToolTipRole).toString()};
    parts.removeAll(QString());
    const QString text = parts.join(QLatin1Char('\n'));
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
    return true;
}

// The selection model would follow every selected row through a reorder with
// an index of its own; the selection is carried over as row numbers instead.
void SectionView::holdSelection()
{
    m_heldRows = selectedShownRows();
    if (!m_heldRows.isEmpty())
        selectionModel()->clearSelection();
}

void SectionView::restoreSelection(const QList<qsizetype>& newPositions)
{
    if (m_heldRows.isEmpty())
        return;
    for (qsizetype& row : m_heldRows)
        row = newPositions.value(row, -1);
    std::sort(m_heldRows.begin(), m_heldRows.end());
    QItemSelection selection;
    const int lastColumn = m_model->columnCount() - 1;
    // Removed rows (-1) come first and stay unselected.
    for (qsizetype i = std::lower_bound(m_heldRows.cbegin(), m_heldRows.cend(), 0) - m_heldRows.cbegin();
         i < m_heldRows.size();) {
        qsizetype end = i + 1;
        while (end < m_heldRows.size() && m_heldRows[end] == m_heldRows[end - 1] + 1)
            ++end;
        selection.append(QItemSelectionRange(m_model->index(int(m_heldRows[i]), 0),
                                             m_model->index(int(m_heldRows[end - 1]), lastColumn)));
        i = end;
    }
    m_heldRows.clear();
    selectionModel()->select(selection, QItemSelectionModel::Select);
}

void SectionView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit openRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}

void SectionView::mousePressEvent(QMouseEvent* event)
{
    // Only the left button selects; the middle one does nothing at all.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    // A right click on a row outside the selection selects that row alone, so
    // the command chosen acts on the row pointed at; on a selected row the
    // selection stays. Then the Actions menu pops up for it.
    if (event->button() == Qt::RightButton) {
        event->accept();
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && selectionModel() && !selectionModel()->isRowSelected(index.row())) {
            selectionModel()->setCurrentIndex(index,
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        if (m_popup && selectionModel() && selectionModel()->hasSelection())
            m_popup->popup(event->globalPosition().toPoint());
        return;
    }
    QTableView::mousePressEvent(event);
}

void SectionView::mouseReleaseEvent(QMouseEvent* event)
{
    // The release of a button whose press was kept from the view.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void SectionView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit openRequested();
}

} // namespace tarnel
