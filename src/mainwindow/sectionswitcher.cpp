#include "mainwindow/sectionswitcher.h"

#include "document/idedocument.h"
#include "history/documentids.h"
#include "mainwindow/filterbar.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/pathsview.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionview.h"
#include "mainwindow/twips.h"

#include <QStackedWidget>
#include <QVBoxLayout>

namespace tarnel {

namespace {

constexpr bool eachSectionInItsRow()
{
    for (int k = 0; k < sectionCount; ++k) {
        if (sectionsShown[size_t(k)].section != Section(k))
            return false;
    }
    return true;
}
static_assert(eachSectionInItsRow());
static_assert(sectionOf(LineKind::Light) == Section::Lights);

} // namespace

SectionSwitcher::SectionSwitcher(IdeDocument& document, Platform& platform, QWidget& area)
    : QObject(&area), m_document(document), m_stack(new QStackedWidget(&area))
{
    m_stack->setObjectName(QStringLiteral("sectionViews"));
    // The window's layout keeps it from growing smaller than the whole left
    // panel beside the ID and name of an object.
    m_stack->setMinimumWidth(twips(800 + 2500) + 24);
    for (LineKind kind : allLineKinds) {
        auto* model = new SectionModel(document.table(kind), &area);
        model->setRowIds(&document.rowIds());
        if (kind == LineKind::Object || kind == LineKind::TimedObject)
            model->setDuplicateMarks(&DocumentIds::of(document));
        m_views[size_t(kind)] = new SectionView(model, m_stack);
        m_views[size_t(kind)]->setObjectName(namePrefixOf(kind) + QStringLiteral("View"));
        // Tab leaves the table for the next control; the arrows move between rows.
        m_views[size_t(kind)]->setTabKeyNavigation(false);
        m_stack->addWidget(m_views[size_t(kind)]);
    }
    // Only the shown table heads its rows (see select).
    for (SectionView* view : m_views)
        view->setRowHeaderShown(view == m_stack->currentWidget());
    m_pathsView = new PathsView(document, platform, m_stack);
    m_stack->addWidget(m_pathsView);

    // The filter field sits above the shown section when asked for.
    m_filterBar = new FilterBar(&area);
    connect(m_filterBar, &FilterBar::textChanged, this, &SectionSwitcher::applyFilter);
    connect(m_filterBar, &FilterBar::accepted, this, &SectionSwitcher::focusFirstShownRow);
    connect(m_filterBar, &FilterBar::closed, this, [this] { m_stack->currentWidget()->setFocus(); });
    for (SectionView* shown : m_views) {
        QAbstractItemModel* model = shown->model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, &SectionSwitcher::refreshFilterCount);
        connect(model, &QAbstractItemModel::layoutChanged, this, &SectionSwitcher::refreshFilterCount);
        connect(model, &QAbstractItemModel::modelReset, this, &SectionSwitcher::refreshFilterCount);
    }
    m_layout = new QVBoxLayout;
    m_layout->setSpacing(4);
    m_layout->addWidget(m_filterBar);
    m_layout->addWidget(m_stack, 1);
}

QWidget* SectionSwitcher::shownWidget() const
{
    return m_stack->currentWidget();
}

void SectionSwitcher::addSectionKeys(QWidget& window)
{
    for (int index = 0; index < sectionCount; ++index) {
        QAction* show = namedAction(&window, QStringLiteral("showSection%1").arg(index), QString());
        show->setShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + index)));
        // The shown table takes the keys at once.
        connect(show, &QAction::triggered, this, [this, index] {
            select(Section(index));
            m_stack->currentWidget()->setFocus(Qt::ShortcutFocusReason);
        });
        window.addAction(show);
    }
}

void SectionSwitcher::select(Section section)
{
    const SectionShown& target = shownBy(shownBy(section).marked);
    QWidget* const shown = target.table ? static_cast<QWidget*>(view(*target.table)) : m_pathsView;
    if (target.table)
        view(*target.table)->setRowHeaderShown(true);
    if (auto* left = qobject_cast<SectionView*>(m_stack->currentWidget()); left && left != shown)
        left->setRowHeaderShown(false);
    m_stack->setCurrentWidget(shown);
    m_shown = target.section;
    emit sectionShown(m_shown);
    // The filter follows to each table shown.
    applyFilter();
}

void SectionSwitcher::showTableRow(LineKind kind, qsizetype position)
{
    select(sectionOf(kind));
    SectionView* shown = view(kind);
    // A row the filter hides is wanted more than the filter.
    if (shown->sectionModel()->shownRow(position) < 0)
        m_filterBar->setText(QString());
    const QModelIndex index = shown->model()->index(shown->sectionModel()->shownRow(position), 0);
    shown->selectionModel()->setCurrentIndex(index,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    shown->scrollTo(index);
}

void SectionSwitcher::scrollToRow(LineKind kind, qsizetype row)
{
    view(kind)->showRow(view(kind)->sectionModel()->shownRow(row));
}

void SectionSwitcher::applyFilter()
{
    if (const std::optional<LineKind> kind = shownTable()) {
        SectionModel* model = view(*kind)->sectionModel();
        model->setFilter(m_filterBar->text());
        // Each keystroke shows the first match, an ID match before the others.
        if (model->isFiltered())
            view(*kind)->showRow(model->firstMatch());
    }
    refreshFilterCount();
}

void SectionSwitcher::refreshFilterCount()
{
    const std::optional<LineKind> kind = shownTable();
    const SectionModel* model = kind ? view(*kind)->sectionModel() : nullptr;
    if (model && model->isFiltered())
        m_filterBar->showCount(model->rowCount(), model->table().rowCount());
    else
        m_filterBar->clearCount();
}

void SectionSwitcher::focusFirstShownRow()
{
    const std::optional<LineKind> kind = shownTable();
    if (!kind)
        return;
    SectionView* shown = view(*kind);
    shown->setFocus(Qt::ShortcutFocusReason);
    if (shown->model()->rowCount() > 0) {
        shown->selectionModel()->setCurrentIndex(shown->model()->index(0, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        shown->scrollToTop();
    }
}

} // namespace tarnel
