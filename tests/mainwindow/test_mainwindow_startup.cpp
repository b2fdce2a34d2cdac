// Start-up of the main window: the settings file, the options boxes, the
// command line, the first load and what the window shows after it.

#include "windowtestkit.h"

#include "document/idedocument.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionview.h"
#include "mainwindow/windowsize.h"

#include <QLayout>
#include <QtTest>

using namespace tarnel;

using namespace wkit;

namespace {

const char* const countLabels[] = {"objectCount",   "timedObjectCount", "pathsPresent", "lightCount",
                                   "particleCount", "sunCount",         "pedAreaCount"};

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    // A mistyped control name fails the test with the name; the program goes on.
    void mistypedControlNameFailsCleanly()
    {
        Session s;
        s.useSettings();
        s.start(s.copyOfCorpus(QStringLiteral("modmap-generic.ide"), QStringLiteral("a.ide")));
        QEXPECT_FAIL("", "no QAction named fileSaev", Abort);
        s.action("fileSaev")->trigger();
        QEXPECT_FAIL("", "no QCheckBox named keepLayot", Abort);
        s.child<QCheckBox>("keepLayot")->setChecked(true);
        QVERIFY(!s.window->document().isModified());
    }

    void missingSettingsAreRebuilt()
    {
        Session s;
        QVERIFY(!QFile::exists(s.settings.path()));
        MainWindow& w = s.startShown();

        QCOMPARE(w.statusText(), QStringLiteral("Settings file rebuilt"));
        QCOMPARE(fileBytes(s.settings.path()), defaultSettings);
        QCOMPARE(w.versionPanelText(), QStringLiteral("Beta 0.1"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
        QVERIFY(s.platform.requests.isEmpty());
        for (const char* box : {"gridLinesBox", "catchPasteBox", "sortByIdBox"})
            QVERIFY2(s.child<QCheckBox>(box)->isChecked(), box);
        QVERIFY(!s.child<QCheckBox>("keepLayout")->isChecked());
    }

    void firstLookOfTheWindow()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();

        QCOMPARE(w.statusText(), QStringLiteral("Tarnel ready"));
        QCOMPARE(fileBytes(s.settings.path()), defaultSettings);
        QVERIFY(s.platform.requests.isEmpty());

        // Objects shown, its caption red and the others black.
        for (LineKind kind : allLineKinds)
            QCOMPARE(w.view(kind)->isVisible(), kind == LineKind::Object);
        QVERIFY(!w.pathsView()->isVisible());
        for (int k = 0; k < SectionSelector::labelCount; ++k) {
            const QString style =
                s.child<QLabel>(qPrintable(QStringLiteral("sectionCaption%1").arg(k)))->styleSheet();
            QVERIFY2(style.contains(k == 0 ? QStringLiteral("#ff0000") : QStringLiteral("#000000")),
                     qPrintable(style));
            QVERIFY2(!style.contains(k == 0 ? QStringLiteral("#000000") : QStringLiteral("#ff0000")),
                     qPrintable(style));
        }
        for (const char* menu : {"objectsActionsMenu", "timedObjectsActionsMenu", "lightsActionsMenu",
                                 "sunActionsMenu", "particlesActionsMenu", "pedAreasActionsMenu"})
            QCOMPARE(s.child<QMenu>(menu)->menuAction()->isVisible(), qstrcmp(menu, "objectsActionsMenu") == 0);

        // Nothing counted before a load.
        for (const char* name : countLabels)
            QVERIFY2(labelText(w, name).isEmpty(), name);
    }

    void optionsFromSettings_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("lines");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<bool>("sort");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QStringList>("messages");

        const QByteArray recent = "[tarnel]\r\nrecent1=recent1\r\nrecent2=recent2\r\nrecent3=recent3\r\n"
                                  "recent4=recent4\r\nrecent5=recent5\r\nrecent6=recent6\r\nrecent7=recent7\r\n";
        const QStringList none;
        const QStringList iniError{QStringLiteral("INI Error -Check Settings")};
        QTest::newRow("all on but keep layout") << defaultSettings << true << true << true << false << none;
        // Spelled so that a rewrite of the key would show.
        QTest::newRow("sort off, keep layout on")
            << QByteArray(recent + "lines=1\r\npaste=1\r\nsort = 0\r\nkeepLayout = 1\r\n") << true << true << false
            << true << none;
        // Files written before the keep layout option read it as off, without a word.
        QTest::newRow("all off") << QByteArray(recent + "lines=0\r\npaste=0\r\nsort=0\r\n") << false << false
                                 << false << false << none;
        QTest::newRow("not a switch value")
            << QByteArray(recent + "lines=yes\r\npaste=1\r\nsort=2\r\nkeepLayout=2\r\n") << false << true << false
            << false << none;
        // Told once; the key then holds its default, so the next start is clean.
        QTest::newRow("lines missing") << QByteArray(recent + "paste=1\r\nsort=1\r\n") << true << true << true
                                       << false << iniError;
    }

    void optionsFromSettings()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, lines);
        QFETCH(bool, paste);
        QFETCH(bool, sort);
        QFETCH(bool, keep);
        QFETCH(QStringList, messages);

        Session s;
        s.useSettings(settings);
        MainWindow& w = s.startShown();

        QCOMPARE(s.child<QCheckBox>("gridLinesBox")->isChecked(), lines);
        QCOMPARE(s.child<QCheckBox>("catchPasteBox")->isChecked(), paste);
        QCOMPARE(s.child<QCheckBox>("sortByIdBox")->isChecked(), sort);
        QCOMPARE(s.child<QCheckBox>("keepLayout")->isChecked(), keep);
        for (LineKind kind : allLineKinds)
            QCOMPARE(w.view(kind)->showGrid(), lines);
        QCOMPARE(s.action("editPaste")->isVisible(), paste);
        QCOMPARE(s.action("editPasteWithoutShortcut")->isVisible(), !paste);
        QCOMPARE(w.document().table(LineKind::Object).isSorted(), sort);

        QCOMPARE(s.platform.messages(), messages);
        for (const ScriptedPlatform::Request& r : s.platform.requests) {
            QCOMPARE(r.kind, QStringLiteral("message"));
            QCOMPARE(r.title, QStringLiteral("Tarnel"));
            QCOMPARE(r.icon, Platform::Icon::None);
        }
        // Nothing rebuilt or rewritten: every key reads as it did, a missing one is added.
        QCOMPARE(w.statusText(), QStringLiteral("Tarnel ready"));
        QCOMPARE(fileBytes(s.settings.path()),
                 messages.isEmpty() ? settings : settings + QByteArray("lines=1\r\n"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("quoted");
        QTest::addColumn<bool>("present");

        QTest::newRow("plain path") << QString() << QStringLiteral("town.ide") << false << true;
        QTest::newRow("quoted path with spaces")
            << QStringLiteral("my maps") << QStringLiteral("ghost town.ide") << true << true;
        QTest::newRow("missing file") << QString() << QStringLiteral("gone.ide") << false << false;
        QTest::newRow("quoted missing file with spaces")
            << QStringLiteral("old maps") << QStringLiteral("gone town.ide") << true << false;
    }

    void commandLine()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(bool, quoted);
        QFETCH(bool, present);

        Session s;
        s.useSettings();
        QVERIFY(QDir(s.dir.path()).mkpath(folder.isEmpty() ? QStringLiteral(".") : folder));
        const QString relative = folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
        const QString path = s.path(relative);
        if (present)
            QVERIFY(!s.copyOfCorpus(QStringLiteral("modmap-ghosttown.ide"), relative).isEmpty());

        MainWindow& w = s.start(quoted ? QLatin1Char('"') + path + QLatin1Char('"') : path);

        // A file not there yet keeps its name, for Save to create.
        QCOMPARE(w.windowTitle(), titleFor(path));
        QCOMPARE(w.document().openFilePath(), path);
        if (present) {
            QVERIFY(s.platform.requests.isEmpty());
            QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
            QCOMPARE(labelText(w, "objectCount"), QStringLiteral("530"));
            QCOMPARE(s.setting(QStringLiteral("recent1")), path);
        } else {
            QVERIFY(s.platform.requests.isEmpty());
            QCOMPARE(w.statusText(), QStringLiteral("New file: the first save creates it"));
            QCOMPARE(s.setting(QStringLiteral("recent1")), QStringLiteral("recent1"));
            s.action("fileSave")->trigger();
            QVERIFY(fileBytes(path).startsWith(headerPrefix));
        }
    }

    void relativeCommandLineIsListedWhole()
    {
        Session s;
        s.useSettings();
        const QString path = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("town.ide"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(s.dir.path()));
        MainWindow& w = s.start(QStringLiteral("town.ide"));
        QDir::setCurrent(before);
        QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
        // Listed so that it opens from any folder.
        const QString listed = s.setting(QStringLiteral("recent1"));
        QVERIFY2(QDir::isAbsolutePath(listed), qPrintable(listed));
        QCOMPARE(QFileInfo(listed).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
    }

    void emptyCommandLineIsUntitled()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.start(QString());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
        QVERIFY(w.document().isUntitled());
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(fileBytes(s.settings.path()), defaultSettings);
    }

    void loadedCorpusFile()
    {
        Session s;
        s.useSettings();
        const QString path =
            s.copyOfCorpus(QStringLiteral("modmap-ghosttown.ide"), QStringLiteral("ghosttown.ide"));
        QVERIFY(!path.isEmpty());
        MainWindow& w = s.start(path);

        QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
        QCOMPARE(labelText(w, "objectCount"), QStringLiteral("530"));
        QCOMPARE(labelText(w, "lightCount"), QStringLiteral("386"));
        QCOMPARE(labelText(w, "particleCount"), QStringLiteral("152"));
        QCOMPARE(labelText(w, "pathsPresent"), QStringLiteral("YES"));
        QCOMPARE(w.view(LineKind::Object)->model()->rowCount(), 530);
        QCOMPARE(w.view(LineKind::Light)->model()->rowCount(), 386);

        QCOMPARE(w.windowTitle(), titleFor(path));
        QVERIFY(!w.document().isModified());
        QCOMPARE(s.setting(QStringLiteral("recent1")), path);
        QCOMPARE(s.action("recentFile1")->text(), path);
        QCOMPARE(s.action("recentFile1")->data().toString(), path);
        QCOMPARE(s.action("recentFile2")->text(), QStringLiteral("recent1"));
    }

    void countsOfEveryTable_data()
    {
        QTest::addColumn<QList<int>>("rows"); // objs, tobj, lights, particles, sun, peds
        QTest::addColumn<bool>("paths");

        QTest::newRow("one of each") << QList<int>{1, 1, 1, 1, 1, 1} << true;
        QTest::newRow("all different") << QList<int>{2, 3, 4, 5, 6, 7} << false;
        QTest::newRow("effects only") << QList<int>{0, 0, 3, 0, 2, 0} << true;
        QTest::newRow("nothing") << QList<int>{0, 0, 0, 0, 0, 0} << false;
    }

    void countsOfEveryTable()
    {
        QFETCH(QList<int>, rows);
        QFETCH(bool, paths);

        // The 2dfx kinds are told apart by their number of values.
        QByteArray file = "objs\r\n";
        for (int k = 0; k < rows[0]; ++k)
            file += lineWithFields(QByteArray::number(100 + k), 6) + "\r\n";
        file += "end\r\ntobj\r\n";
        for (int k = 0; k < rows[1]; ++k)
            file += lineWithFields(QByteArray::number(200 + k), 8) + "\r\n";
        file += "end\r\npath\r\n";
        if (paths)
            file += "group, 1\r\n\t1, 0, 0, 0\r\n";
        file += "end\r\n2dfx\r\n";
        const int effectFields[] = {20, 14, 9, 16};
        for (int e = 0; e < 4; ++e) {
            for (int k = 0; k < rows[2 + e]; ++k)
                file += lineWithFields(QByteArray::number(300 + k), effectFields[e]) + "\r\n";
        }
        file += "end\r\n";

        Session s;
        s.useSettings();
        const QString path = s.path(QStringLiteral("counts.ide"));
        QVERIFY(putFile(path, file));
        MainWindow& w = s.start(path);

        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(labelText(w, "objectCount"), QString::number(rows[0]));
        QCOMPARE(labelText(w, "timedObjectCount"), QString::number(rows[1]));
        QCOMPARE(labelText(w, "pathsPresent"), paths ? QStringLiteral("YES") : QStringLiteral("NO"));
        QCOMPARE(labelText(w, "lightCount"), QString::number(rows[2]));
        QCOMPARE(labelText(w, "particleCount"), QString::number(rows[3]));
        QCOMPARE(labelText(w, "sunCount"), QString::number(rows[4]));
        QCOMPARE(labelText(w, "pedAreaCount"), QString::number(rows[5]));
    }

    void shortLinesAreReported_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("prompts");

        QTest::newRow("objs with 3 values") << QByteArray("objs") << QByteArray("1500, lonely, txd") << 3;
        // (A line of 5 values alone is the later layout, complete.)
        QTest::newRow("objs with 4 values") << QByteArray("objs") << QByteArray("1501, a, b, 1") << 2;
        QTest::newRow("objs complete") << QByteArray("objs") << QByteArray("1502, a, b, 1, 100, 0") << 0;
        QTest::newRow("tobj with 6 values") << QByteArray("tobj") << QByteArray("1503, a, b, 1, 100, 0") << 2;
    }

    void shortLinesAreReported()
    {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, line);
        QFETCH(int, prompts);

        Session s;
        s.useSettings();
        const QString path = s.path(QStringLiteral("short.ide"));
        QVERIFY(putFile(path, section + "\r\n" + line + "\r\nend\r\n"));
        MainWindow& w = s.start(path);

        const QString expected =
            QStringLiteral("The below line caused and error. Please correct or further errors "
                           "could occur\r\n") +
            QString::fromLatin1(line);
        QCOMPARE(s.platform.requests.size(), prompts);
        for (const ScriptedPlatform::Request& r : s.platform.requests) {
            QCOMPARE(r.kind, QStringLiteral("checkmessage"));
            QCOMPARE(r.title, QStringLiteral("Tarnel"));
            QCOMPARE(r.text, expected);
            QCOMPARE(r.icon, Platform::Icon::Information);
        }

        // The line is kept with the values it has; the cells it lacks stay empty.
        const LineKind kind = section == "objs" ? LineKind::Object : LineKind::TimedObject;
        const RowStore& rows = w.document().table(kind).rows();
        QCOMPARE(rows.size(), 1);
        const QByteArrayList values = line.split(',');
        QCOMPARE(rows.valueCount(0), values.size());
        QAbstractItemModel* model = w.view(kind)->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            const QString shown = model->index(0, column).data().toString();
            QCOMPARE(shown, column < values.size() ? QString::fromLatin1(values[column].trimmed()) : QString());
        }
        // A short line is listed in the load report.
        QCOMPARE(w.statusText(), w.document().loadReport().isEmpty()
                                     ? QStringLiteral("IDE File opened")
                                     : QStringLiteral("IDE File opened - 1 line in the load report"));
        QVERIFY(!w.windowTitle().endsWith(QLatin1Char('*')));
    }
    // A file may be called "empty" like the untitled document's title: it is
    // opened, shown and saved as the file it is.
    void fileNamedEmptyIsAFile()
    {
        Session s;
        s.useSettings();
        QVERIFY(
            putFile(s.path(QStringLiteral("empty")), "objs\r\n1, a, t, 1, 10, 0\r\n2, b, t, 1, 10, 0\r\nend\r\n"));
        struct BackToFolder {
            QString folder = QDir::currentPath();
            ~BackToFolder() { QDir::setCurrent(folder); }
        } back;
        QVERIFY(QDir::setCurrent(s.dir.path()));
        MainWindow& w = s.startShown(QStringLiteral("empty"));
        QVERIFY(!w.document().isUntitled());
        QCOMPARE(w.windowTitle(), titleFor(QStringLiteral("empty")));
        QCOMPARE(labelText(w, "objectCount"), QStringLiteral("2"));
        w.view(LineKind::Object)->selectRow(0);
        s.action("objectsRemove")->trigger();
        s.platform.clear();
        s.action("fileSave")->trigger();
        QCOMPARE(s.requestKinds(), QStringList()); // no Save as dialog
        QCOMPARE(sectionLines(fileBytes(s.path(QStringLiteral("empty"))), "objs"),
                 QByteArrayList({"2, b, t, 1, 10, 0"}));
    }

    // The opening size fits the screen's free area with the frame, down to the layout's minimum.
    void openingSizeFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("scale 2 on 1920x1080, too low") << QSize(960, 520) << QSize(912, 490);
        QTest::newRow("below the minimum") << QSize(500, 400) << QSize(700, 480);
    }
    void openingSizeFitsTheScreen()
    {
        QFETCH(QSize, available);
        QFETCH(QSize, expected);
        QCOMPARE(fittedWindowSize(QSize(912, 560), QSize(700, 480), available, QSize(10, 30)), expected);
    }

    void leftPanelRowsStayApart_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::newRow("the panel's own face") << 0.0;
        QTest::newRow("a face twice as large") << 16.0;
    }

    // The panel's controls come one below the other, each as tall and wide as
    // it asks, left of the section view; in the panel's own face they sit
    // where the window was drawn.
    void leftPanelRowsStayApart()
    {
        QFETCH(qreal, points);
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        auto* panel = s.child<QWidget>("leftPanel");
        if (points > 0) {
            QFont larger = panel->font();
            larger.setPointSizeF(points);
            panel->setFont(larger);
        }
        // Each layout hears of the new face by a posted request; the window's own
        // layout then lays out every layout inside it and grows the window as needed.
        for (int round = 0; round < 3; ++round)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        w.layout()->activate();

        const QList<QWidget*> rows = {s.child<QWidget>("sectionSelector"),  s.child<QWidget>("statisticsPanel"),
                                      s.child<QWidget>("gridLinesBox"),     s.child<QWidget>("catchPasteBox"),
                                      s.child<QWidget>("sortByIdBox"),      s.child<QWidget>("keepLayout"),
                                      s.child<QWidget>("openInTextEditor"), s.child<QWidget>("reloadButton")};
        const int designedTops[] = {8, 184, 344};
        const QRect views = s.child<QWidget>("sectionViews")->geometry();
        QVERIFY(views.left() > panel->geometry().right());
        for (int k = 0; k < rows.size(); ++k) {
            const QRect place(rows[k]->mapTo(w.centralWidget(), QPoint()), rows[k]->size());
            QVERIFY2(place.height() >= rows[k]->sizeHint().height(), rows[k]->objectName().toLatin1());
            QVERIFY2(place.width() >= rows[k]->sizeHint().width(), rows[k]->objectName().toLatin1());
            QVERIFY2(place.right() < views.left(), rows[k]->objectName().toLatin1());
            if (k > 0)
                QVERIFY2(place.top() >
                             rows[k - 1]->mapTo(w.centralWidget(), QPoint(0, rows[k - 1]->height() - 1)).y(),
                         rows[k]->objectName().toLatin1());
            // The options are as tall as the style draws them, more than the designed 16 pixels.
            if (points == 0 && k < int(std::size(designedTops)))
                QCOMPARE(place.top(), designedTops[k]);
        }
        QCOMPARE(views.top(), 8);
        // The status bar's panels draw their own frames, whole whatever the style does.
        for (const char* name : {"statusMessage", "statusVersion"})
            QVERIFY(s.child<QLabel>(name)->frameShape() != QFrame::NoFrame);
    }
};

TARNEL_TEST_MAIN(StartUpTest)
#include "test_mainwindow_startup.moc"
