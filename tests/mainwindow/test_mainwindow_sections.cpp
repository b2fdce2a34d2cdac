// The shown section: the selector captions, the six table views and the
// paths text, the Actions menus, the option boxes and the table models.

#include "windowtestkit.h"

#include "mainwindow/sectionmodel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolTip>
#include <QtTest>

#include <memory>
#include <vector>

using namespace tarnel;

using namespace wkit;

namespace {

const char* const actionsMenus[] = {"objectsActionsMenu", "timedObjectsActionsMenu", "lightsActionsMenu",
                                    "sunActionsMenu",     "particlesActionsMenu",    "pedAreasActionsMenu"};

QString visibleActionsMenus(Session& s)
{
    QStringList shown;
    for (const char* name : actionsMenus) {
        if (s.child<QMenu>(name)->menuAction()->isVisible())
            shown << QString::fromLatin1(name);
    }
    return shown.join(QLatin1Char(','));
}

void clickBox(Session& s, const char* name)
{
    auto* box = s.child<QCheckBox>(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

void clickRow(SectionView* view, int row, Qt::MouseButton button = Qt::LeftButton)
{
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), button, {}, cell.center());
}

QList<int> rowsOf(const QList<qsizetype>& rows)
{
    return QList<int>(rows.cbegin(), rows.cend());
}

} // namespace

class SectionsTest : public QObject {
    Q_OBJECT

private slots:
    void selectorShowsTheSection_data()
    {
        QTest::addColumn<int>("caption");
        QTest::addColumn<int>("shownTable"); // a LineKind, or -1 for the paths text
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("red");

        QTest::newRow("Objects") << 0 << int(LineKind::Object) << QStringLiteral("objectsActionsMenu") << 0;
        QTest::newRow("Timed objects") << 1 << int(LineKind::TimedObject)
                                       << QStringLiteral("timedObjectsActionsMenu") << 1;
        QTest::newRow("Paths") << 2 << -1 << QStringLiteral("timedObjectsActionsMenu") << 2;
        QTest::newRow("2DFX") << 3 << int(LineKind::Light) << QStringLiteral("lightsActionsMenu") << 4;
        QTest::newRow("Lights") << 4 << int(LineKind::Light) << QStringLiteral("lightsActionsMenu") << 4;
        QTest::newRow("Particles") << 5 << int(LineKind::Particle) << QStringLiteral("particlesActionsMenu") << 5;
        QTest::newRow("Sun") << 6 << int(LineKind::Sun) << QStringLiteral("sunActionsMenu") << 6;
        QTest::newRow("Ped areas") << 7 << int(LineKind::PedArea) << QStringLiteral("pedAreasActionsMenu") << 7;
    }

    void selectorShowsTheSection()
    {
        QFETCH(int, caption);
        QFETCH(int, shownTable);
        QFETCH(QString, menu);
        QFETCH(int, red);

        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        // The first show fills the space down to the status bar.
        const auto bottomOf = [&w](QWidget* shown) { return shown->mapTo(&w, QPoint(0, shown->height())).y(); };
        QCOMPARE(bottomOf(w.view(LineKind::Object)), w.statusBar()->y());
        // Come from another section, so that the previous one has to be hidden,
        // and from the paths, whose menu commands are off while they are shown.
        s.clickSection(2);
        s.clickSection(caption == 7 ? 1 : 7);
        s.clickSection(caption);

        for (LineKind kind : allLineKinds)
            QCOMPARE(w.view(kind)->isVisible(), int(kind) == shownTable);
        QCOMPARE(w.pathsView()->isVisible(), shownTable < 0);
        QCOMPARE(visibleActionsMenus(s), menu);
        for (const QAction* action : s.child<QMenu>(qPrintable(menu))->actions())
            QCOMPARE(action->isEnabled(), action->isSeparator() || shownTable >= 0);
        QCOMPARE(bottomOf(shownTable < 0 ? static_cast<QWidget*>(w.pathsView()) : w.view(LineKind(shownTable))),
                 w.statusBar()->y());
        for (int k = 0; k < SectionSelector::labelCount; ++k) {
            const QString style = w.selector()->label(k)->styleSheet();
            QVERIFY2(style.contains(k == red ? QStringLiteral("#ff0000") : QStringLiteral("#000000")),
                     qPrintable(QStringLiteral("sectionCaption%1: %2").arg(k).arg(style)));
        }
        QCOMPARE(w.selector()->label(3)->text(), QStringLiteral("2DFX"));
    }

    void onlyTheLeftButtonSelects()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        QLabel* label = w.selector()->label(4);
        QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
        QVERIFY(w.view(LineKind::Object)->isVisible());
        QVERIFY(!w.view(LineKind::Light)->isVisible());
        QCOMPARE(visibleActionsMenus(s), QStringLiteral("objectsActionsMenu"));
    }

    void rightClickPopsUpTheActionsMenu_data()
    {
        QTest::addColumn<int>("caption");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("menu");

        QTest::newRow("objects") << 0 << int(LineKind::Object) << QStringLiteral("objectsActionsMenu");
        QTest::newRow("timed objects") << 1 << int(LineKind::TimedObject)
                                       << QStringLiteral("timedObjectsActionsMenu");
        QTest::newRow("lights") << 4 << int(LineKind::Light) << QStringLiteral("lightsActionsMenu");
        QTest::newRow("particles") << 5 << int(LineKind::Particle) << QStringLiteral("particlesActionsMenu");
        QTest::newRow("sun") << 6 << int(LineKind::Sun) << QStringLiteral("sunActionsMenu");
        QTest::newRow("ped areas") << 7 << int(LineKind::PedArea) << QStringLiteral("pedAreasActionsMenu");
    }

    void rightClickPopsUpTheActionsMenu()
    {
        QFETCH(int, caption);
        QFETCH(int, kind);
        QFETCH(QString, menu);

        Session s;
        s.useSettings();
        const QString path = s.path(QStringLiteral("sample.ide"));
        QVERIFY(putFile(path, sampleIde(5)));
        MainWindow& w = s.startShown(path);
        s.clickSection(caption);
        SectionView* view = w.view(LineKind(kind));
        QVERIFY(view->isVisible());

        const auto popupAfterRightClick = [&](int row) {
            clickRow(view, row, Qt::RightButton);
            QWidget* popup = QApplication::activePopupWidget();
            const QString shown = popup ? popup->objectName() : QStringLiteral("<no menu>");
            if (popup)
                popup->close();
            return shown;
        };
        // A row outside the selection is selected alone, a selected one keeps the selection.
        QCOMPARE(popupAfterRightClick(1), menu);
        QCOMPARE(rowsOf(view->selectedRowNumbers()), QList<int>{1});
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          view->visualRect(view->model()->index(2, 0)).center());
        QCOMPARE(popupAfterRightClick(2), menu);
        QCOMPARE(rowsOf(view->selectedRowNumbers()), (QList<int>{1, 2}));
        clickRow(view, 4, Qt::MiddleButton); // does nothing at all
        QCOMPARE(rowsOf(view->selectedRowNumbers()), (QList<int>{1, 2}));
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(popupAfterRightClick(3), menu);
        QCOMPARE(rowsOf(view->selectedRowNumbers()), QList<int>{3});

        // The command chosen then acts on the row pointed at.
        const QByteArray pointedAt = firstValues(w.document(), LineKind(kind)).at(3);
        w.tableActions(LineKind(kind)).remove->trigger();
        QCOMPARE(w.document().table(LineKind(kind)).rowCount(), 4);
        QVERIFY(!firstValues(w.document(), LineKind(kind)).contains(pointedAt));
    }

    void enterOpensTheSelectedRow_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void enterOpensTheSelectedRow()
    {
        QFETCH(int, key);

        Session s;
        s.useSettings();
        const QString path = s.path(QStringLiteral("sample.ide"));
        QVERIFY(putFile(path, sampleIde(4)));
        MainWindow& w = s.startShown(path);
        SectionView* view = w.view(LineKind::Object);
        QSignalSpy opened(view, &SectionView::openRequested);

        clickRow(view, 2);
        QTest::keyClick(view, Qt::Key(key));
        QCOMPARE(opened.count(), 1);
        // Enter neither moves nor widens the selection.
        QCOMPARE(rowsOf(view->selectedRowNumbers()), QList<int>{2});

        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                           view->visualRect(view->model()->index(3, 1)).center());
        QCOMPARE(opened.count(), 2);
        // Below the last row there is nothing to open.
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, view->viewport()->height() - 3));
        QCOMPARE(opened.count(), 2);
    }

    void enterOnAnEmptyTable()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        SectionView* view = w.view(LineKind::Object);
        QCOMPARE(view->model()->rowCount(), 0);
        QTest::keyClick(view, Qt::Key_Return);
        QTest::keyClick(view, Qt::Key_Enter);
        QTest::keyClick(view, Qt::Key_Down);
        QVERIFY(view->selectedRowNumbers().isEmpty());
        QVERIFY(w.isVisible());
        QVERIFY(!w.document().isModified());
    }

    void sortingByFirstValue_data()
    {
        QTest::addColumn<bool>("sortAtStart");
        QTest::newRow("ticked before the load") << true;
        QTest::newRow("ticked after the load") << false;
    }

    void sortingByFirstValue()
    {
        QFETCH(bool, sortAtStart);

        const QByteArrayList fileOrder{"3", "B12", "20", "a7", "1000"};
        const QByteArrayList sorted{"1000", "20", "3", "a7", "B12"};
        QByteArray file = "objs\r\n";
        for (const QByteArray& id : fileOrder)
            file += lineWithFields(id, 6) + "\r\n";
        file += "end\r\n";

        Session s;
        s.useSettings(sortAtStart ? defaultSettings : QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        const QString path = s.path(QStringLiteral("unsorted.ide"));
        QVERIFY(putFile(path, file));
        MainWindow& w = s.startShown(path);
        auto* box = s.child<QCheckBox>("sortByIdBox");
        SectionView* view = w.view(LineKind::Object);

        if (!sortAtStart) {
            QCOMPARE(firstValues(w.document(), LineKind::Object), fileOrder);
            // The selected row stays selected wherever sorting takes it.
            clickRow(view, 2);
            clickBox(s, "sortByIdBox");
            QVERIFY(box->isChecked());
            QCOMPARE(s.setting(QStringLiteral("sort")), QStringLiteral("1"));
            const QList<qsizetype> selected = view->selectedRowNumbers();
            QCOMPARE(selected.size(), 1);
            QCOMPARE(view->model()->index(int(selected.first()), 0).data().toString(), QStringLiteral("20"));
        }
        QCOMPARE(firstValues(w.document(), LineKind::Object), sorted);
        for (int row = 0; row < sorted.size(); ++row)
            QCOMPARE(view->model()->index(row, 0).data().toString(), QString::fromLatin1(sorted[row]));

        clickBox(s, "sortByIdBox");
        QVERIFY(!box->isChecked());
        QCOMPARE(s.setting(QStringLiteral("sort")), QStringLiteral("0"));
        QCOMPARE(firstValues(w.document(), LineKind::Object), sorted);
        QCOMPARE(w.windowTitle(), titleFor(path));

        // Sorting off: a new load keeps the file's order.
        s.platform.fileNames << path;
        s.action("fileOpen")->trigger();
        QCOMPARE(firstValues(w.document(), LineKind::Object), fileOrder);
    }

    // Each box writes its key at once, and a new start reads it back.
    void optionBoxesAreRemembered_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("key");
        QTest::newRow("grid lines") << QStringLiteral("gridLinesBox") << QStringLiteral("lines");
        QTest::newRow("catch paste") << QStringLiteral("catchPasteBox") << QStringLiteral("paste");
        QTest::newRow("sort") << QStringLiteral("sortByIdBox") << QStringLiteral("sort");
        QTest::newRow("keep layout") << QStringLiteral("keepLayout") << QStringLiteral("keepLayout");
    }

    void optionBoxesAreRemembered()
    {
        QFETCH(QString, box);
        QFETCH(QString, key);

        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("keepLayout=0", "keepLayout=1"));
        const QString path = s.path(QStringLiteral("sample.ide"));
        QVERIFY(putFile(path, sampleIde(2)));
        MainWindow& w = s.startShown(path);
        QVERIFY(s.child<QCheckBox>(qPrintable(box))->isChecked());

        clickBox(s, qPrintable(box));
        QVERIFY(!s.child<QCheckBox>(qPrintable(box))->isChecked());
        QCOMPARE(s.setting(key), QStringLiteral("0"));
        QCOMPARE(w.windowTitle(), titleFor(path));

        s.window.reset();
        s.startShown(path);
        QVERIFY(!s.child<QCheckBox>(qPrintable(box))->isChecked());
        clickBox(s, qPrintable(box));
        QVERIFY(s.child<QCheckBox>(qPrintable(box))->isChecked());
        QCOMPARE(s.setting(key), QStringLiteral("1"));
        QCOMPARE(s.window->windowTitle(), titleFor(path));
        QVERIFY(s.platform.requests.isEmpty());
    }

    void gridLinesOnEveryTable()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        for (bool expected : {false, true, false}) {
            clickBox(s, "gridLinesBox");
            for (LineKind kind : allLineKinds)
                QCOMPARE(w.view(kind)->showGrid(), expected);
        }
    }

    void pasteItemFollowsTheBox()
    {
        Session s;
        s.useSettings();
        s.startShown();
        QAction* paste = s.action("editPaste");
        QAction* plainPaste = s.action("editPasteWithoutShortcut");
        QCOMPARE(paste->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
        QVERIFY(plainPaste->shortcut().isEmpty());
        for (bool catching : {true, false, true}) {
            if (catching != s.child<QCheckBox>("catchPasteBox")->isChecked())
                clickBox(s, "catchPasteBox");
            QCOMPARE(paste->isVisible(), catching);
            QCOMPARE(paste->isEnabled(), catching);
            QCOMPARE(plainPaste->isVisible(), !catching);
            QCOMPARE(plainPaste->isEnabled(), !catching);
            QCOMPARE(paste->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
        }
    }

    void pathsTextEditsTheDocument()
    {
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        const QByteArrayList original = sectionLines(fileBytes(a), "path");
        QVERIFY(original.size() > 2);
        MainWindow& w = s.startShown(a);
        s.clickSection(2);
        PathsView* paths = w.pathsView();
        QCOMPARE(paths->toPlainText().toLatin1().split('\n'), original);
        QCOMPARE(w.windowTitle(), titleFor(a));

        // Replace the first line and add one at the end.
        paths->moveCursor(QTextCursor::Start);
        QTest::keyClick(paths, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(paths, QStringLiteral("group, 42"));
        QCOMPARE(w.windowTitle(), titleFor(a, true));
        paths->moveCursor(QTextCursor::End);
        QTest::keyClick(paths, Qt::Key_Return);
        QTest::keyClicks(paths, QStringLiteral("\t1, 2, 3"));

        s.action("fileSave")->trigger();
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.windowTitle(), titleFor(a));
        QByteArrayList expected = original;
        expected.first() = "group, 42";
        expected.append("\t1, 2, 3");
        const QByteArray saved = fileBytes(a);
        QCOMPARE(sectionLines(saved, "path"), expected);
        QVERIFY(saved.contains("\r\nPath\r\ngroup, 42\r\n"));
        QVERIFY(saved.contains("\r\n\t1, 2, 3\r\nend\r\n"));
    }

    // The window's cells are the command line's, for real files of both object layouts.
    void corpusCellsAsTheCommandLineShowsThem_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("section");
        for (const char* file : {"basegame-generic.ide", "laterlayout-game-la.ide", "laterlayout-oceandrv.ide",
                                 "modmap-ghosttown.ide"}) {
            for (const char* section : {"objs", "tobj"})
                QTest::addRow("%s %s", file, section) << QString::fromLatin1(file) << QString::fromLatin1(section);
        }
    }

    void corpusCellsAsTheCommandLineShowsThem()
    {
        QFETCH(QString, file);
        QFETCH(QString, section);
        QProcess cli;
        cli.start(QStringLiteral(TARNEL_CLI), {QStringLiteral("table"), corpusPath(file), section});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QByteArray expected = cli.readAllStandardOutput();

        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        MainWindow& w = s.start(corpusPath(file));
        // Later-layout files are complete: no load error prompt.
        if (file.startsWith(u"laterlayout"))
            QCOMPARE(s.platform.requests.size(), 0);
        const QAbstractItemModel* model =
            w.view(section == u"objs" ? LineKind::Object : LineKind::TimedObject)->model();
        QStringList shown;
        for (int row = -1; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << (row < 0 ? model->headerData(column, Qt::Horizontal).toString()
                                  : model->index(row, column).data().toString());
            shown << cells.join(QLatin1Char('\t'));
        }
        QCOMPARE(shown.join(QLatin1Char('\n')) + QLatin1Char('\n'), QString::fromLatin1(expected));
        if (file == u"basegame-generic.ide" && section == u"objs")
            QVERIFY(shown.contains(QStringLiteral("1405\ttrafficlight1\tdyntraffic\t2\t64, 60\t0")));
        if (file == u"laterlayout-game-la.ide" && section == u"objs")
            QVERIFY(shown.at(1).split(QLatin1Char('\t')).at(3).isEmpty());
    }

    // Every line the view warns of is one the next load loses from the paths, and only those.
    void pathsTextWarnsOfLinesTheLoadLoses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("notice");
        const QString lost = QStringLiteral(" when the file is opened again.");
        QTest::newRow("path line") << "\t9, 1, 2" << QString();
        QTest::newRow("tab only") << "\t"
                                  << "Line 3 is blank: it is dropped" + lost;
        QTest::newRow("blank") << "   "
                               << "Line 3 is blank: it is dropped" + lost;
        QTest::newRow("comment") << " # 1, 2"
                                 << "Line 3 is a comment: it leaves the paths" + lost;
        QTest::newRow("end") << "End "
                             << "Line 3 is \"end\": it and the lines after it are lost" + lost;
        QTest::newRow("2dfx") << "2DFX"
                              << "Line 3 is a section name: it is dropped" + lost;
        QTest::newRow("objs") << " objs"
                              << "Line 3 starts another section: it and the lines after it leave the paths" + lost;
    }

    void pathsTextWarnsOfLinesTheLoadLoses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, notice);

        Session s;
        s.useSettings();
        const QString path = s.path(QStringLiteral("paths.ide"));
        QVERIFY(putFile(path, sampleIde(1)));
        MainWindow& w = s.startShown(path);
        PathsView* paths = w.pathsView();
        s.typePathLine(typed.toLatin1());
        QCOMPARE(paths->notice(), notice);
        auto* shown = s.child<QLabel>("pathNotice");
        QCOMPARE(shown->isVisible(), !notice.isEmpty());
        QVERIFY(!shown->isVisible() || shown->geometry().top() == paths->viewport()->geometry().bottom() + 1);
        // A line after the one warned of is not what the warning is about.
        QTest::keyClick(paths, Qt::Key_Return);
        QTest::keyClicks(paths, QStringLiteral("\t5, 6"));
        QCOMPARE(paths->notice(), notice);

        const QString typedText = paths->toPlainText();
        s.action("fileSave")->trigger();
        s.platform.fileNames << path;
        s.action("fileOpen")->trigger();
        QCOMPARE(paths->toPlainText() == typedText, notice.isEmpty());
        QCOMPARE(paths->notice(), QString());
    }

    void pathsTextRefusesWhatTheFileCannotStore()
    {
        Session s;
        s.useSettings();
        const QString path = s.path(QStringLiteral("paths.ide"));
        QVERIFY(putFile(path, sampleIde(1)));
        MainWindow& w = s.startShown(path);
        PathsView* paths = w.pathsView();
        const QByteArray stored = w.document().pathText() + "\r\n\t1";
        const QString refused = QStringLiteral("The paths text holds characters that an IDE file cannot store.");
        s.typePathLine("\t1");
        for (const QChar c : QStringLiteral("\u20ac\u03a9"))
            paths->insertPlainText(c);
        QCOMPARE(s.platform.messages(), QStringList{refused}); // once, not on every key
        QVERIFY(paths->toPlainText().endsWith(QStringLiteral("\t1\u20ac\u03a9")));
        QVERIFY(paths->notice().startsWith(refused));
        QCOMPARE(w.document().pathText(), stored);

        // Put right: stored again, and the notice goes.
        QTest::keyClick(paths, Qt::Key_Backspace);
        QTest::keyClick(paths, Qt::Key_Backspace);
        QCOMPARE(paths->notice(), QString());
        QTest::keyClick(paths, Qt::Key_2);
        QCOMPARE(w.document().pathText(), stored + '2');
    }

    void pathsTextFollowsTheDocument()
    {
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        const QString b = s.path(QStringLiteral("b.ide"));
        QVERIFY(putFile(b, sampleIde(1)));
        MainWindow& w = s.startShown();
        s.clickSection(2);
        PathsView* paths = w.pathsView();
        QVERIFY(paths->toPlainText().isEmpty());

        // Loads while the paths are shown and while they are hidden.
        s.platform.fileNames << a;
        s.action("fileOpen")->trigger();
        QCOMPARE(paths->toPlainText().toLatin1().split('\n'), sectionLines(fileBytes(a), "path"));
        s.clickSection(0);
        s.platform.fileNames << b;
        s.action("fileOpen")->trigger();
        s.clickSection(2);
        QCOMPARE(paths->toPlainText().toLatin1().split('\n'), sectionLines(fileBytes(b), "path"));
        QCOMPARE(w.windowTitle(), titleFor(b));

        s.action("fileNew")->trigger();
        QVERIFY(paths->toPlainText().isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
        QCOMPARE(s.requestKinds(), (QStringList{QStringLiteral("open"), QStringLiteral("open")}));
    }

    void modelsStayConsistent_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("ghost town, then generic")
            << QStringLiteral("modmap-ghosttown.ide") << QStringLiteral("basegame-generic.ide");
        QTest::newRow("game-la, then sewers")
            << QStringLiteral("laterlayout-game-la.ide") << QStringLiteral("basegame-sewers.ide");
        QTest::newRow("country builds, then empty")
            << QStringLiteral("modmap-countrybuilds.ide") << QStringLiteral("modmap-cull-empty.ide");
    }

    void modelsStayConsistent()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);

        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        MainWindow& w = s.startShown();
        std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
        for (LineKind kind : allLineKinds)
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                w.view(kind)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest));

        s.platform.fileNames << corpusPath(first) << corpusPath(second);
        s.action("fileOpen")->trigger();
        QCOMPARE(w.windowTitle(), titleFor(corpusPath(first)));
        // Hold a selection in every table across the sort.
        for (LineKind kind : allLineKinds) {
            SectionView* view = w.view(kind);
            if (view->model()->rowCount() > 0)
                view->selectRow(view->model()->rowCount() - 1);
        }
        clickBox(s, "sortByIdBox");
        clickBox(s, "sortByIdBox");
        s.action("fileNew")->trigger();
        for (LineKind kind : allLineKinds)
            QCOMPARE(w.view(kind)->model()->rowCount(), 0);
        clickBox(s, "sortByIdBox");
        s.action("fileOpen")->trigger();
        QCOMPARE(w.windowTitle(), titleFor(corpusPath(second)));
        for (LineKind kind : allLineKinds) {
            QCOMPARE(w.view(kind)->model()->rowCount(), int(w.document().table(kind).rowCount()));
            QCOMPARE(w.view(kind)->model()->columnCount(), fieldCountOf(kind));
        }
        s.action("fileClose")->trigger();
    }

    // The last column fills the view; a cell's tooltip holds its whole text
    // when the view cuts it, and only then.
    void cellsFillTheViewAndShowCutText_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("cut");
        QTest::newRow("short name") << QByteArray("1, tree, tex, 1, 100, 0") << 1 << false;
        QTest::newRow("long name") << "#1, " + QByteArray(80, 'm') + ", tex, 1, 100, 0" << 1 << true;
        QTest::newRow("long last value, stretched")
            << "1, tree, tex, 1, 100, " + QByteArray(40, '9') << 5 << false;
        QTest::newRow("very long last value") << "1, tree, tex, 1, 100, " + QByteArray(400, '9') << 5 << true;
    }

    void cellsFillTheViewAndShowCutText()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, column);
        QFETCH(bool, cut);
        Session s;
        s.useSettings();
        const QString file = s.path(QStringLiteral("cells.ide"));
        QVERIFY(putFile(file, "objs\r\n" + line + "\r\nend\r\n"));
        MainWindow& w = s.startShown(file);
        w.resize(1600, 1000);
        SectionView* view = w.view(LineKind::Object);
        QTRY_VERIFY(view->viewport()->width() > 1200);
        const QHeaderView* header = view->horizontalHeader();
        QCOMPARE(header->sectionViewportPosition(5) + header->sectionSize(5), view->viewport()->width());

        QToolTip::showText(QPoint(), QString()); // none left from an earlier case
        const QPoint at = view->visualRect(view->model()->index(0, column)).center();
        QHelpEvent hover(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &hover);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(),
                 cut ? QString::fromLatin1(line.split(',').at(column).trimmed()) : QString());
    }
};

TARNEL_TEST_MAIN(SectionsTest)
#include "test_mainwindow_sections.moc"
