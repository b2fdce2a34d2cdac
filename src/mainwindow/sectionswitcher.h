#pragma once

#include "document/linekind.h"
#include "mainwindow/section.h"

#include <QObject>

#include <array>

class QStackedWidget;
class QVBoxLayout;
class QWidget;

namespace tarnel {

class FilterBar;
class IdeDocument;
class PathsView;
class Platform;
class SectionView;

// Which section the window shows: the stacked views (a table per kind and
// the paths text) with the filter bar above them, the filter following to
// each table shown, and the keys Ctrl+1 to Ctrl+8.
class SectionSwitcher : public QObject {
    Q_OBJECT
public:
    // The views and the filter bar are made children of `area`.
    SectionSwitcher(IdeDocument& document, Platform& platform, QWidget& area);

    // The filter bar above the stacked views, for the window's layout.
    QVBoxLayout* layout() const { return m_layout; }
    FilterBar* filterBar() const { return m_filterBar; }
    SectionView* view(LineKind kind) const { return m_views[size_t(kind)]; }
    PathsView* pathsView() const { return m_pathsView; }
    QWidget* shownWidget() const;

    // The shown section ("2DFX" shows as the lights) and its table, none for the paths.
    Section shown() const { return m_shown; }
    std::optional<LineKind> shownTable() const { return shownBy(m_shown).table; }
    void select(Section section);
    // Shows the table of `kind` with its row at `position` selected and current.
    void showTableRow(LineKind kind, qsizetype position);
    // Scrolls the table's row at `row` into view.
    void scrollToRow(LineKind kind, qsizetype row);
    // Ctrl+1 to Ctrl+8 show a section and hand it the keys.
    void addSectionKeys(QWidget& window);

signals:
    // A section was picked; `section` is the one shown.
    void sectionShown(Section section);

private:
    void applyFilter();
    void refreshFilterCount();
    void focusFirstShownRow();

    IdeDocument& m_document;
    QStackedWidget* m_stack;
    FilterBar* m_filterBar;
    QVBoxLayout* m_layout;
    std::array<SectionView*, lineKindCount> m_views{};
    PathsView* m_pathsView;
    Section m_shown = Section::Objects;
};

} // namespace tarnel
