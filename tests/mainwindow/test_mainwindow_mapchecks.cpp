// The open map's checks in the window: the Problems panel, marks, tooltips,
// Go to ID, F8 and Free IDs across the map's files.
#include "windowtestkit.h"

#include "history/edithistory.h"
#include "mainwindow/freeidswindow.h"
#include "mainwindow/openmap.h"
#include "mainwindow/placementfileview.h"
#include "mainwindow/problemsmodel.h"
#include "mainwindow/problemspanel.h"
#include "map/gamemap.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTreeView>

using namespace tarnel;
using namespace wkit;

namespace {

// b.ide defines 101 again, p.ipl places 200 under another name, a.ide's timed object switches at hour
// 25, GONE.IDE is not there: 2 errors, 2 warnings. Placements of 12 values: the ID limit is 5500.
void putSmallMap(Session& s)
{
    QDir(s.dir.path()).mkpath(QStringLiteral("data"));
    putFile(s.path("data/level.dat"), "IDE DATA\\A.IDE\nIDE DATA\\B.ide\nIDE DATA\\GONE.IDE\nIPL DATA\\P.IPL\n");
    putFile(s.path("data/a.ide"), "objs\n100, alpha, tex, 1, 50, 0\n101, beta, tex, 1, 50, 0\nend\n"
                                  "tobj\n110, gamma, tex, 1, 50, 0, 25, 6\nend\n");
    putFile(s.path("data/b.ide"), "objs\n200, delta, tex, 1, 50, 0\n101, beta, tex, 1, 50, 0\nend\n");
    putFile(s.path("data/p.ipl"), "inst\n100, alpha, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1\n"
                                  "100, alpha, 1, 0, 0, 1, 1, 1, 0, 0, 0, 1\n"
                                  "200, other, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1\nend\n");
}

// The window on the small map, or on the list given.
OpenMap& openMap(Session& s, const QString& list = QString())
{
    s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
    s.startShown();
    if (list.isEmpty())
        putSmallMap(s);
    OpenMap& map = s.window->openMap();
    map.open({list.isEmpty() ? s.path("data/level.dat") : list});
    return map;
}

qsizetype fileNamed(const OpenMap& map, const QString& name)
{
    const QList<MapFile>& files = map.map().sources().files;
    return std::find_if(files.begin(), files.end(),
                        [&name](const MapFile& file) { return QFileInfo(file.path).fileName() == name; }) -
           files.begin();
}

// The shown file's name and the file line of the selected row of the shown table: "b.ide:3".
QString shownPlace(Session& s)
{
    const LineKind kind =
        s.window->shownSection() == Section::TimedObjects ? LineKind::TimedObject : LineKind::Object;
    const QList<qsizetype> rows = s.window->view(kind)->selectedRowNumbers();
    return QFileInfo(s.window->document().openFilePath()).fileName() + QLatin1Char(':') +
           (rows.size() == 1 ? s.window->view(kind)->model()->headerData(int(rows[0]), Qt::Vertical).toString()
                             : QStringLiteral("none"));
}

// The ID cell's tooltip of the object row read from `line` of the shown file.
QString idTooltip(Session& s, qint64 line)
{
    const qsizetype row = s.window->document().table(LineKind::Object).rowWithId(RowId(line));
    return s.window->view(LineKind::Object)->model()->index(int(row), 0).data(Qt::ToolTipRole).toString();
}

} // namespace

class MapChecksTest : public QObject {
    Q_OBJECT
private slots:
    // The panel's counts and a.ide's 101 mark follow an edit of either file and its undo.
    void checksFollowEditAndUndo_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("line");
        QTest::addColumn<QByteArrayList>("values");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("tooltip"); // a.ide's 101
        QTest::newRow("the other definition renumbered")
            << "b.ide" << qint64(3) << QByteArrayList{"102", "beta", "tex", "1", "50", "0"}
            << "1 error, 2 warnings"
            << "";
        QTest::newRow("a third definition in the same file")
            << "a.ide" << qint64(2) << QByteArrayList{"101", "alpha", "tex", "1", "50", "0"}
            << "3 errors, 4 warnings"
            << "Also used by line 2 of Objects\nAlso defined at b.ide:3";
    }
    void checksFollowEditAndUndo()
    {
        QFETCH(QString, file);
        QFETCH(qint64, line);
        QFETCH(QByteArrayList, values);
        QFETCH(QString, counts);
        QFETCH(QString, tooltip);
        Session s;
        OpenMap& map = openMap(s);
        auto* panel = s.window->findChild<ProblemsPanel*>();
        map.showFile(fileNamed(map, file));
        IdeDocument& edited = s.window->document();
        EditHistory::of(edited).setRow(LineKind::Object, edited.table(LineKind::Object).rowWithId(line), values);
        QTRY_COMPARE(panel->countText(), counts);
        map.showFile(fileNamed(map, QStringLiteral("a.ide")));
        QTRY_COMPARE(idTooltip(s, 3), tooltip);
        QCOMPARE(s.window->view(LineKind::Object)->model()->index(1, 0).data(Qt::BackgroundRole).isValid(),
                 !tooltip.isEmpty());
        map.showFile(fileNamed(map, file));
        EditHistory::of(s.window->document()).stack().undo();
        QTRY_COMPARE(panel->countText(), QStringLiteral("2 errors, 2 warnings"));
        map.showFile(fileNamed(map, QStringLiteral("a.ide")));
        QTRY_COMPARE(idTooltip(s, 3), QStringLiteral("Also defined at b.ide:3"));
    }

    // Enter or a double-click on a finding: an IDE row in the tables, any other line read-only.
    void goesToFinding_data()
    {
        QTest::addColumn<QString>("location"); // the end of the finding's file:line
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("shown");
        QTest::newRow("an object of another file") << "b.ide:3" << false << "b.ide:3";
        QTest::newRow("a timed object") << "a.ide:6" << true << "a.ide:6";
        QTest::newRow("a placement line") << "p.ipl:4" << false << "p.ipl:4 read-only";
        QTest::newRow("a line of the level list") << "level.dat:3" << true << "level.dat:3 read-only";
    }
    void goesToFinding()
    {
        QFETCH(QString, location);
        QFETCH(bool, doubleClick);
        QFETCH(QString, shown);
        Session s;
        openMap(s); // a.ide shown, the first file
        QTreeView* view = s.window->findChild<ProblemsPanel*>()->view();
        const QModelIndexList found = view->model()->match(view->model()->index(0, ProblemsModel::LocationColumn),
                                                           Qt::DisplayRole, location, 1, Qt::MatchEndsWith);
        view->scrollTo(found.value(0));
        const QPoint at = view->visualRect(found.value(0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at); // the current row
        if (doubleClick)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        else
            QTest::keyClick(view, Qt::Key_Return);
        const auto* text = s.window->findChild<PlacementFileView*>();
        QCOMPARE(text && text->isVisible() ? QStringLiteral("%1:%2%3")
                                                 .arg(QFileInfo(text->path()).fileName())
                                                 .arg(text->textCursor().blockNumber() + 1)
                                                 .arg(text->isReadOnly() ? " read-only" : "")
                                           : shownPlace(s),
                 shown);
    }

    // Ctrl+G goes to the shown file's row, else to another file's; F8 goes on through the files.
    void goToIdAcrossFiles_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("typed"); // "F8": the key instead
        QTest::addColumn<QString>("found");
        QTest::newRow("in the shown file") << "b.ide" << QStringList{"101"} << "b.ide:3";
        QTest::newRow("in another file") << "a.ide" << QStringList{"200"} << "b.ide:2";
        QTest::newRow("a timed object of another file") << "b.ide" << QStringList{"0110"} << "a.ide:6";
        QTest::newRow("placed, defined nowhere") << "a.ide" << QStringList{"300"} << "No line with ID 300";
        QTest::newRow("F8 into the next file") << "a.ide" << QStringList{"F8", "F8"} << "b.ide:3";
        QTest::newRow("F8 round to the first") << "a.ide" << QStringList{"F8", "F8", "F8"} << "a.ide:3";
    }
    void goToIdAcrossFiles()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, typed);
        QFETCH(QString, found);
        Session s;
        OpenMap& map = openMap(s);
        map.showFile(fileNamed(map, from));
        for (const QString& text : typed) {
            if (text != QStringLiteral("F8"))
                s.platform.typedTexts.append(text);
            s.action(text == QStringLiteral("F8") ? "editNextDuplicateId" : "editGoToId")->trigger();
        }
        QCOMPARE(s.platform.messages().isEmpty() ? shownPlace(s) : s.platform.messages().constLast(), found);
    }

    // Free IDs count the map's IDs and stop below its limit, whatever the range typed.
    void freeIdsBelowTheLimit_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("blocks");
        const QString upToLimit = QStringLiteral("201\u2013"
                                                 "5499");
        QTest::newRow("the default range ends at the limit") << 3000 << "" << QStringList{upToLimit};
        QTest::newRow("a typed end above it is cut") << 5299 << "9000" << QStringList{upToLimit};
        QTest::newRow("no run fits below it") << 5300 << "9000" << QStringList{texts::freeIdsNone};
    }
    void freeIdsBelowTheLimit()
    {
        QFETCH(int, count);
        QFETCH(QString, to);
        QFETCH(QStringList, blocks);
        Session s;
        openMap(s);
        s.action("editFreeIds")->trigger();
        FreeIdsWindow* window = s.window->freeIdsWindow();
        s.children.find<QSpinBox>(window, "freeIdsCount")->setValue(count);
        s.children.find<QLineEdit>(window, "freeIdsTo")->setText(to);
        const auto* list = s.children.find<QListWidget>(window, "freeIdsBlocks");
        QTRY_COMPARE(list->count(), blocks.size());
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->item(row)->text(), blocks[row]);
        QCOMPARE(labelText(*window, "freeIdsLimit"), texts::freeIdsLimit.arg(5500));
    }

    // An opened map: the panel's counts, and an object's ID tooltip counting the
    // inst lines placing it, naming the first five.
    void openedMapCountsAndPlacements_data()
    {
        QTest::addColumn<QString>("list"); // empty: the small map
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("line");
        QTest::addColumn<QString>("tooltip");
        const QString corpus = QStringLiteral(TARNEL_CORPUS_DIR "/map/data/maplist.dat");
        const QString corpusCounts = QStringLiteral("0 errors, 4,296 warnings"); // 31 files missing, 4,265 IDs
        QTest::newRow("twice in one file") << QString() << "2 errors, 2 warnings"
                                           << "a.ide" << qint64(2) << "Placed 2 times: p.ipl:2, p.ipl:3";
        QTest::newRow("once") << corpus << corpusCounts << "smalltown1.ide" << qint64(23)
                              << "Placed once: smalltown1.ipl:3";
        QTest::newRow("49 times in four files")
            << corpus << corpusCounts << "ul_generic.ide" << qint64(13)
            << "Placed 49 times: smalltown1.ipl:216, smalltown1.ipl:217, smalltown1.ipl:218, smalltown1.ipl:219, "
               "smalltown1.ipl:220, \u2026";
        QTest::newRow("not placed") << QString() << "2 errors, 2 warnings"
                                    << "b.ide" << qint64(3) << "Also defined at a.ide:3";
    }
    void openedMapCountsAndPlacements()
    {
        QFETCH(QString, list);
        QFETCH(QString, counts);
        QFETCH(QString, file);
        QFETCH(qint64, line);
        QFETCH(QString, tooltip);
        Session s;
        OpenMap& map = openMap(s, list);
        QCOMPARE(s.window->findChild<ProblemsPanel*>()->countText(), counts);
        map.showFile(fileNamed(map, file));
        QTRY_COMPARE(idTooltip(s, line), tooltip);
    }
};

TARNEL_TEST_MAIN(MapChecksTest)
#include "test_mainwindow_mapchecks.moc"
