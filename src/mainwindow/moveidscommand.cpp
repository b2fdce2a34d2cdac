#include "mainwindow/moveidscommand.h"

#include "document/idedocument.h"
#include "document/idindex.h"
#include "mainwindow/mapidmove.h"
#include "mainwindow/moveidsdialog.h"
#include "mainwindow/moveidspreview.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/openmap.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionswitcher.h"
#include "mainwindow/sectionview.h"
#include "map/gamemap.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace tarnel {

namespace {

bool movable(std::optional<LineKind> kind)
{
    return kind == LineKind::Object || kind == LineKind::TimedObject;
}

// The preview's files in load order: the documents' rows and the placement files' lines.
QList<MoveIdsPreviewModel::File> previewFiles(const IdMovePlan& plan, const OpenMap& map, const IdeDocument& shown)
{
    QList<std::pair<qsizetype, MoveIdsPreviewModel::File>> files;
    // Below the game folder, as the map's lists name them.
    const auto nameOf = [&](qsizetype file) {
        if (file < 0 || !map.isOpen())
            return QFileInfo(shown.displayName()).fileName();
        return QDir(map.map().sources().gameFolder).relativeFilePath(map.map().sources().files[file].path);
    };
    for (const IdMovePlan::DocumentPart& part : plan.documents) {
        files.append({part.file, {nameOf(part.file), part.changes.shown}});
        if (!part.changes.keptLines.isEmpty())
            files.append({part.file, {nameOf(part.file), part.changes.keptLines, true}});
    }
    for (const IdMovePlan::PlacementPart& part : plan.placements)
        files.append({part.file, {nameOf(part.file), part.changes}});
    std::stable_sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<MoveIdsPreviewModel::File> ordered;
    for (auto& file : files)
        ordered << std::move(file.second);
    return ordered;
}

} // namespace

MoveIdsCommand::MoveIdsCommand(IdeDocument& document, OpenMap& map, SectionSwitcher& sections, Platform& platform,
                               QWidget& window)
    : QObject(&window), m_document(document), m_map(map), m_sections(sections), m_platform(platform),
      m_window(window), m_action(namedAction(&window, QStringLiteral("editMoveIds"), texts::menuMoveIds))
{
    connect(m_action, &QAction::triggered, this, &MoveIdsCommand::run);
    m_action->setEnabled(movable(sections.shownTable()));
    connect(&sections, &SectionSwitcher::sectionShown, this,
            [this](Section section) { m_action->setEnabled(movable(shownBy(section).table)); });
}

void MoveIdsCommand::run()
{
    const std::optional<LineKind> kind = m_sections.shownTable();
    if (!movable(kind))
        return;
    const SectionView* view = m_sections.view(*kind);
    bool selection = false;
    const QList<qsizetype> rows = view->selectedOrShownRows(&selection);
    const RowStore& store = m_document.table(*kind).rows();
    QList<qint64> ids;
    ids.reserve(rows.size());
    for (qsizetype row : std::as_const(rows)) {
        if (const std::optional<qint64> id = rowIdOf(store.firstValue(row)))
            ids << *id;
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    if (ids.isEmpty()) {
        m_platform.showMessage(&m_window, texts::moveIdsTitle, texts::moveIdsNoRows, Platform::Icon::None);
        return;
    }
    const QLocale locale;
    const QString rowsText = (!selection         ? texts::moveIdsOfShown
                              : rows.size() == 1 ? texts::moveIdsOfOneRow
                                                 : texts::moveIdsOfSelection)
                                 .arg(locale.toString(rows.size()), locale.toString(ids.size()));

    std::optional<GameMap> ownMap;
    if (!m_map.isOpen())
        ownMap = mapOfDocument(m_document);
    MoveIdsDialog dialog(ownMap ? *ownMap : m_map.map(), ids, rowsText, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::optional<IdMapping> mapping = dialog.mapping();
    if (!mapping)
        return;
    const IdMovePlan plan =
        m_map.isOpen() ? planMapIdMove(m_map, *mapping) : planDocumentIdMove(m_document, *mapping);
    if (plan.isEmpty()) {
        m_platform.showMessage(&m_window, texts::moveIdsTitle, texts::moveIdsNothing, Platform::Icon::None);
        return;
    }
    MoveIdsPreview preview(previewFiles(plan, m_map, m_document), &m_window);
    if (preview.exec() != QDialog::Accepted)
        return;
    const QString error = applyIdMove(
        plan, [this](const QStringList& paths) { m_map.rereadPlacementFiles(paths); },
        [this](const QString& reason) {
            m_platform.showMessage(&m_window, texts::moveIdsTitle, texts::moveIdsUndoNotWritten.arg(reason),
                                   Platform::Icon::None);
        });
    if (!error.isEmpty()) {
        m_platform.showMessage(&m_window, texts::moveIdsTitle, texts::moveIdsNotWritten.arg(error),
                               Platform::Icon::None);
        return;
    }
    emit statusMessage(texts::moveIdsDone.arg(locale.toString(plan.lineCount()),
                                              locale.toString(plan.documents.size() + plan.placements.size())));
}

} // namespace tarnel
