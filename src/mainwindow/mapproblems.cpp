#include "mainwindow/mapproblems.h"

#include "document/idedocument.h"
#include "history/documentids.h"
#include "map/gamemap.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/mapidsearch.h"
#include "mainwindow/openmap.h"
#include "mainwindow/problemspanel.h"
#include "mainwindow/sectionview.h"
#include "texts/texts.h"

#include <QDockWidget>
#include <QFileInfo>

namespace tarnel {

MapProblems::MapProblems(MainWindow& window, OpenMap& map, TextShower showText)
    : QObject(&window), m_window(window), m_map(map), m_showText(std::move(showText)), m_notes(map),
      m_panel(new ProblemsPanel)
{
    window.dockPanel(m_panel, QStringLiteral("problemsDock"), Qt::BottomDockWidgetArea);
    m_dock = qobject_cast<QDockWidget*>(m_panel->parentWidget());
    m_dock->setWindowTitle(texts::problemsPanelTitle);
    m_dock->hide(); // with no map open, the window is as it always was
    connect(m_panel, &ProblemsPanel::findingChosen, this, &MapProblems::goTo);
    follow();
}

void MapProblems::follow()
{
    DocumentIds& ids = DocumentIds::of(m_window.document());
    connect(&m_map, &OpenMap::opened, this, [this, &ids] {
        ids.setOutside(&m_notes);
        refresh();
        m_dock->show();
    });
    connect(&m_map, &OpenMap::closed, this, [this, &ids] {
        ids.setOutside(nullptr);
        m_findingsByFile.clear();
        m_panel->setFindings({});
        m_dock->hide();
    });
    // Another file shown, or any file's IDs changed: marks and tooltips are read again.
    connect(&m_map, &OpenMap::shownFileChanged, &ids, &DocumentIds::outsideChanged);
    connect(&m_map, &OpenMap::mapChanged, &ids, &DocumentIds::outsideChanged);
    connect(&m_map, &OpenMap::findingsChanged, this, qOverload<const QList<qsizetype>&>(&MapProblems::refresh));
}

void MapProblems::refresh()
{
    if (!m_map.isOpen())
        return;
    m_findingsByFile.clear();
    for (qsizetype file = -1; file < m_map.map().sources().files.size(); ++file)
        m_findingsByFile.append(m_map.map().findingsIn(file));
    refresh({});
}

void MapProblems::refresh(const QList<qsizetype>& files)
{
    if (!m_map.isOpen())
        return;
    // Told while the map opens, before all its findings were read.
    if (m_findingsByFile.size() != m_map.map().sources().files.size() + 1)
        return refresh();
    for (const qsizetype file : files)
        m_findingsByFile[file + 1] = m_map.map().findingsIn(file);
    QList<MapFinding> all;
    for (const QList<MapFinding>& ofFile : std::as_const(m_findingsByFile))
        all.append(ofFile);
    m_panel->setFindings(std::move(all));
}

QString MapProblems::pathOnDisk(const MapFinding& finding) const
{
    const MapSources& sources = m_map.map().sources();
    if (finding.file >= 0 && finding.file < sources.files.size())
        return sources.files[finding.file].path;
    // A level list's own finding: the list read, as the finding names it.
    const QString named = QFileInfo(finding.path).absoluteFilePath();
    for (const QString& list : sources.lists) {
        if (list == named || list.endsWith(QLatin1Char('/') + QFileInfo(finding.path).fileName()))
            return list;
    }
    return {};
}

void MapProblems::goTo(const MapFinding& finding)
{
    if (!m_map.isOpen())
        return;
    const MapSources& sources = m_map.map().sources();
    if (finding.file >= 0 && finding.file < sources.files.size()) {
        const MapFile& file = sources.files[finding.file];
        if (file.kind == MapFileKind::Ide && !file.missing()) {
            m_map.showFile(finding.file);
            const std::optional<TableRow> row = rowReadFromLine(m_window.document(), finding.line);
            if (row || finding.line <= 0) {
                if (row) {
                    m_window.showRow(row->kind, RowId(finding.line));
                    m_window.view(row->kind)->setFocus(Qt::OtherFocusReason);
                }
                return;
            }
            // A line the tables do not show (a section Tarnel does not edit, a path header).
        }
    }
    const QString path = pathOnDisk(finding);
    if (!path.isEmpty() && QFileInfo(path).isFile())
        m_showText(path, finding.line);
}

} // namespace tarnel
