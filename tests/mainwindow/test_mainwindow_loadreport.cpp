// What the window tells about lines the fixed layout leaves out: the question
// before a save that would drop them, the "Keep file layout" box, and the
// load report window.

#include "windowtestkit.h"

#include "document/loadreport.h"
#include "mainwindow/loadreportmodel.h"
#include "mainwindow/loadreportwindow.h"
#include "mainwindow/shownvalue.h"

#include <QProcess>
#include <QTableView>
#include <QtTest>

using namespace tarnel;

using namespace wkit;

namespace {

const QString dropsLines = QStringLiteral("basegame-default.ide");
const QByteArray typedLine = "7, 0, 0, 10, 20, 30, 1, 1";
const QStringList layoutButtons{QStringLiteral("Keep them"), QStringLiteral("Leave them out"),
                                QStringLiteral("Cancel")};

// The lines of the other sections of basegame-default.ide, as the file has them.
QByteArrayList otherSectionLines(const QByteArray& bytes)
{
    return sectionLines(bytes, "hier") + sectionLines(bytes, "cars") + sectionLines(bytes, "peds");
}

} // namespace

class LoadReportTest : public QObject {
    Q_OBJECT

private slots:
    void saveAsksBeforeDroppingLines_data()
    {
        QTest::addColumn<QString>("command"); // FileSave, FileSaveAs, or "close" answered Yes
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("choice"); // 0 keep, 1 leave out, 2 cancel

        QTest::newRow("Save, keep them") << QStringLiteral("fileSave") << false << 0;
        QTest::newRow("Save as, keep them") << QStringLiteral("fileSaveAs") << false << 0;
        QTest::newRow("Save, leave them out") << QStringLiteral("fileSave") << true << 1;
        QTest::newRow("Save as, leave them out") << QStringLiteral("fileSaveAs") << false << 1;
        QTest::newRow("Save, cancel") << QStringLiteral("fileSave") << true << 2;
        QTest::newRow("Save as, cancel") << QStringLiteral("fileSaveAs") << true << 2;
        QTest::newRow("close, Yes, keep them") << QStringLiteral("close") << true << 0;
        QTest::newRow("close, Yes, cancel") << QStringLiteral("close") << true << 2;
    }

    void saveAsksBeforeDroppingLines()
    {
        QFETCH(QString, command);
        QFETCH(bool, edited);
        QFETCH(int, choice);

        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(dropsLines, QStringLiteral("a.ide"));
        const QByteArray original = fileBytes(a);
        MainWindow& w = s.startShown(a);
        if (edited)
            s.typePathLine(typedLine);
        s.platform.clear();
        const QString target = command == u"fileSaveAs" ? s.path(QStringLiteral("b.ide")) : a;
        s.platform.fileNames << target;
        s.platform.answers << Platform::Answer::Yes;
        s.platform.choices << choice;

        const bool closed =
            command == u"close" ? s.window->close() : (s.action(qPrintable(command))->trigger(), false);

        const QStringList expectedKinds = command == u"close"      ? QStringList{"question", "choice"}
                                          : command == u"fileSave" ? QStringList{"choice"}
                                                                   : QStringList{"save", "choice"};
        QCOMPARE(s.requestKinds(), expectedKinds);
        const ScriptedPlatform::Request& asked = s.platform.requests.last();
        QCOMPARE(asked.title, QStringLiteral("Save changes?"));
        QCOMPARE(asked.buttons, layoutButtons);
        const QStringList text = asked.text.split(QStringLiteral("\r\n"));
        QCOMPARE(text.first(), QString::number(w.document().loadReport().droppedLineCount()) +
                                   QStringLiteral(" lines of this file are not kept by the Tarnel layout:"));
        QCOMPARE(text.value(1),
                 QStringLiteral("sections hier, cars, peds: %1 lines")
                     .arg(otherSectionLines(original).size() + 6)); // and their keywords and ends

        QCOMPARE(closed, command == u"close" && choice != 2);
        if (choice == 2) {
            QCOMPARE(fileBytes(a), original);
            QVERIFY(!QFile::exists(s.path(QStringLiteral("b.ide"))));
            QCOMPARE(w.windowTitle(), titleFor(a, true));
            return;
        }
        const QByteArray written = fileBytes(target);
        if (choice == 0) {
            QCOMPARE(otherSectionLines(written), otherSectionLines(original));
            if (!edited)
                QCOMPARE(written, original);
        } else {
            QVERIFY(written.startsWith(headerPrefix));
            QVERIFY(otherSectionLines(written).isEmpty());
        }
        if (closed)
            return;
        QCOMPARE(w.windowTitle(), titleFor(target));
        // The box shows what the next save does: it keeps the lines after Keep them.
        QCOMPARE(s.child<QCheckBox>("keepLayout")->isChecked(), choice == 0);

        // Answered once for the document; a reload starts a new one, asked again.
        s.platform.clear();
        s.action("fileSave")->trigger();
        QVERIFY(s.platform.requests.isEmpty());
        QTest::mouseClick(s.child<QPushButton>("reloadButton"), Qt::LeftButton);
        QVERIFY(!s.child<QCheckBox>("keepLayout")->isChecked());
        s.platform.clear();
        s.action("fileSave")->trigger();
        QCOMPARE(s.requestKinds(), QStringList{"choice"});
    }

    void keepLayoutOptionSavesWithoutAsking_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("keep");
        QTest::newRow("drops lines, option on") << dropsLines << true;
        QTest::newRow("sample, option on") << QStringLiteral("sample") << true;
        QTest::newRow("sample, option off") << QStringLiteral("sample") << false;
    }

    void keepLayoutOptionSavesWithoutAsking()
    {
        QFETCH(QString, file);
        QFETCH(bool, keep);

        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("keepLayout=0", keep ? "keepLayout=1" : "keepLayout=0"));
        QString a = s.path(QStringLiteral("a.ide"));
        if (file == u"sample")
            QVERIFY(putFile(a, sampleIde(3)));
        else
            a = s.copyOfCorpus(file, QStringLiteral("a.ide"));
        const QByteArray original = fileBytes(a);
        MainWindow& w = s.startShown(a);
        QCOMPARE(s.child<QCheckBox>("keepLayout")->isChecked(), keep);
        s.platform.clear();
        s.action("fileSave")->trigger();

        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.statusText(), QStringLiteral("IDE File saved"));
        if (keep)
            QCOMPARE(fileBytes(a), original);
        else
            QVERIFY(fileBytes(a).startsWith(headerPrefix));
    }

    void reportWindowListsTheLoadReport()
    {
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(dropsLines, QStringLiteral("a.ide"));
        MainWindow& w = s.startShown(a);
        const LoadReport& report = w.document().loadReport();
        QCOMPARE(w.statusText(),
                 QStringLiteral("IDE File opened - %1 lines in the load report").arg(report.entries.size()));
        QVERIFY(s.action("fileLoadReport")->isEnabled());
        s.action("fileLoadReport")->trigger();
        LoadReportWindow* shown = w.loadReportWindow();
        QVERIFY(shown && shown->isVisible());

        // The window and the command line word every entry alike.
        QProcess cli;
        cli.start(QStringLiteral(TARNEL_CLI), {QStringLiteral("report"), a});
        QVERIFY(cli.waitForFinished(30000));
        QByteArrayList printed = cli.readAllStandardOutput().split('\n');
        printed.removeAll(QByteArray());
        const QAbstractItemModel* model = shown->list()->model();
        QCOMPARE(model->rowCount(), printed.size());
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << model->index(row, column).data().toString();
            QCOMPARE(cells.join(u'\t'), QString::fromLatin1(printed[row]).remove(u'\r'));
        }

        // New empties it; the menu item follows.
        s.action("fileNew")->trigger();
        QCOMPARE(model->rowCount(), 0);
        QVERIFY(!s.action("fileLoadReport")->isEnabled());
    }

    void reportTextIsUtf8WhereValid_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("shown");
        QTest::newRow("UTF-8 banner") << QByteArray("# \xe2\x95\x90 Gr\xc3\xbcn \xe2\x95\x90")
                                      << QStringLiteral("# ═ Grün ═");
        QTest::newRow("Latin-1") << QByteArray("# Stra\xdf"
                                               "e, \xe9t\xe9")
                                 << QStringLiteral("# Straße, été");
        QTest::newRow("long, cut before a character")
            << QByteArray(999, 'a') + "\xc3\xa4\xc3\xa4" << QString(999, u'a') + QChar(0x2026);
    }

    void reportTextIsUtf8WhereValid()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, shown);
        QCOMPARE(shownLineText(line), shown);
    }

    void doubleClickShowsTheRow()
    {
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        const QString a = s.path(QStringLiteral("short.ide"));
        // Short object lines stay rows; the heading and the cars line are only reported.
        QVERIFY(putFile(a, "# heading\r\nobjs\r\n300, b, c, 1, 20, 0\r\n200, a\r\n100, d, e\r\nend\r\n"
                           "cars\r\n90, x\r\nend\r\n"));
        MainWindow& w = s.startShown(a);
        s.action("fileLoadReport")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(w.loadReportWindow()));
        QTableView* list = w.loadReportWindow()->list();
        int entry = -1;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            if (list->model()->index(row, LoadReportModel::TextColumn).data().toString() == u"100, d, e")
                entry = row;
        }
        QVERIFY(entry >= 0);
        s.clickSection(2);
        const QRect cell = list->visualRect(list->model()->index(entry, LoadReportModel::ReasonColumn));
        // A double click is a press, then the double-click event on the same entry.
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());

        SectionView* objects = w.view(LineKind::Object);
        QVERIFY(objects->isVisible());
        QCOMPARE(objects->selectedRowNumbers(), QList<qsizetype>{2});
    }
};

TARNEL_TEST_MAIN(LoadReportTest)
#include "test_mainwindow_loadreport.moc"
