#include "mainwindow/idnavigation.h"

#include "document/idedocument.h"
#include "document/idindex.h"
#include "history/documentids.h"
#include "mainwindow/filterbar.h"
#include "mainwindow/mapidsearch.h"
#include "mainwindow/openmap.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionswitcher.h"
#include "mainwindow/sectionview.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QSet>

namespace tarnel {

IdNavigation::IdNavigation(IdeDocument& document, Platform& platform, SectionSwitcher& sections, QWidget& window)
    : QObject(&window), m_document(document), m_platform(platform), m_sections(sections), m_window(window),
      m_goToId(namedAction(&window, QStringLiteral("editGoToId"), texts::menuGoToId)),
      m_nextDuplicate(namedAction(&window, QStringLiteral("editNextDuplicateId"), texts::menuNextDuplicateId))
{
    m_goToId->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(m_goToId, &QAction::triggered, this, &IdNavigation::goToId);
    m_nextDuplicate->setShortcut(QKeySequence(Qt::Key_F8));
    connect(m_nextDuplicate, &QAction::triggered, this, &IdNavigation::goToNextDuplicate);
}

qsizetype IdNavigation::firstRowWithId(LineKind kind, qint64 id) const
{
    const RowStore& rows = m_document.table(kind).rows();
    if (kind != LineKind::Object && kind != LineKind::TimedObject) {
        // The 2dfx tables are not indexed: their first value names the object they belong to.
        for (qsizetype row = 0; row < rows.size(); ++row) {
            if (rowIdOf(rows.firstValue(row)) == id)
                return row;
        }
        return -1;
    }
    QSet<RowId> holding;
    for (const IdUse& use : DocumentIds::of(m_document).index().rowsWithId(id)) {
        if (use.kind == kind)
            holding.insert(use.row);
    }
    // The rows' order is the table's (sorted or not): the first listed is wanted.
    for (qsizetype row = 0; !holding.isEmpty() && row < rows.size(); ++row) {
        if (holding.contains(rows.id(row)))
            return row;
    }
    return -1;
}

void IdNavigation::goToId()
{
    const std::optional<QString> answer = m_platform.askText(&m_window, texts::goToIdTitle, texts::goToIdLabel);
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString wanted = answer->trimmed();
    // The paths have no IDs of their own: their objects are looked up.
    const std::optional<LineKind> shown = m_sections.shownTable();
    const QList<LineKind> kinds =
        shown ? QList<LineKind>{*shown} : QList<LineKind>{LineKind::Object, LineKind::TimedObject};
    if (const std::optional<qint64> id = rowIdOf(wanted.toLatin1())) {
        for (LineKind kind : kinds) {
            if (const qsizetype row = firstRowWithId(kind, *id); row >= 0) {
                m_sections.showTableRow(kind, row);
                m_sections.view(kind)->setFocus(Qt::ShortcutFocusReason);
                return;
            }
        }
        if (m_map && m_map->isOpen()) {
            if (const std::optional<MapPlace> place =
                    firstDefinitionElsewhere(m_map->map(), *id, m_map->shownFile()))
                return showMapRow(place->file, place->line);
        }
    }
    m_platform.showMessage(&m_window, texts::appTitle, texts::noLineWithId.arg(wanted),
                           Platform::Icon::Information);
}

void IdNavigation::showMapRow(qsizetype file, qint64 line)
{
    m_map->showFile(file);
    if (const std::optional<TableRow> row = rowReadFromLine(m_document, line)) {
        m_sections.showTableRow(row->kind, row->position);
        m_sections.view(row->kind)->setFocus(Qt::ShortcutFocusReason);
    }
}

bool IdNavigation::goToNextDuplicateInMap()
{
    // The rest of the shown file: the shown table after its current row, the timed objects after the objects.
    const std::optional<LineKind> shown = m_sections.shownTable();
    QList<std::pair<LineKind, int>> rest; // a table and the shown row to search after
    if (shown == LineKind::Object || shown == LineKind::TimedObject) {
        const SectionView* view = m_sections.view(*shown);
        const QModelIndex current = view->currentIndex();
        rest.append({*shown, view->selectionModel()->isRowSelected(current.row()) ? current.row() : -1});
    } else {
        rest.append({LineKind::Object, -1});
    }
    if (shown != LineKind::TimedObject)
        rest.append({LineKind::TimedObject, -1});
    for (const auto& [kind, after] : rest) {
        SectionModel* model = m_sections.view(kind)->sectionModel();
        model->setFilter(m_sections.filterBar()->text());
        if (const int row = model->nextMarkedRow(after); row > after) {
            m_sections.showTableRow(kind, model->tableRow(row));
            return true;
        }
    }
    const std::optional<MapPlace> place = nextDuplicateElsewhere(m_map->map(), m_map->shownFile());
    if (place)
        showMapRow(place->file, place->line);
    return place.has_value();
}

void IdNavigation::goToNextDuplicate()
{
    // Past the shown file's last one, the map's next files; back round to the shown file's first.
    if (m_map && m_map->isOpen() && goToNextDuplicateInMap())
        return;
    // The shown one of the two tables first, from its current row on, then the other.
    const std::optional<LineKind> shown = m_sections.shownTable();
    const bool timedFirst = shown == LineKind::TimedObject;
    for (LineKind kind : {timedFirst ? LineKind::TimedObject : LineKind::Object,
                          timedFirst ? LineKind::Object : LineKind::TimedObject}) {
        SectionView* view = m_sections.view(kind);
        SectionModel* model = view->sectionModel();
        // The filter applies to every table shown, so to this one once it is.
        model->setFilter(m_sections.filterBar()->text());
        // From the current row when it is selected, else from the top.
        const QModelIndex current = view->currentIndex();
        const bool fromCurrent = kind == shown && view->selectionModel()->isRowSelected(current.row());
        const int after = fromCurrent ? current.row() : -1;
        if (const int row = model->nextMarkedRow(after); row >= 0) {
            m_sections.showTableRow(kind, model->tableRow(row));
            return;
        }
    }
    emit statusMessage(texts::noDuplicateIds);
}

} // namespace tarnel
