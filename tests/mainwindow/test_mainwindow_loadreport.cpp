// What the window tells about lines the fixed layout leaves out: the question
// before a save that would drop them, the "Keep file layout" box, and the
// load report window.

#include "windowtestkit.h"

#include "document/loadreport.h"
#include "mainwindow/loadreportmodel.h"
#include "mainwindow/loadreportwindow.h"

#include <QTableView>
#include <QtTest>

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

// The load report's entries for the lines of sections of other keywords.
LoadReport otherSectionsReport(const QByteArray& bytes)
{
    LoadReport report;
    QByteArray section;
    const QByteArrayList lines = linesOf(bytes);
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray word = lines[n].trimmed().toLower();
        if (section.isEmpty() && !word.isEmpty() && !word.contains(',') && !word.startsWith('#'))
            section = word;
        else if (word == "end")
            section.clear();
        else if (!section.isEmpty() && !QByteArrayList{"objs", "tobj", "path", "2dfx"}.contains(section))
            report.entries.append({n + 1, LoadReportEntry::Reason::OtherSection, 0, section, lines[n], {}, 0});
    }
    return report;
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

        QTest::newRow("Save, keep them") << QStringLiteral("FileSave") << false << 0;
        QTest::newRow("Save as, keep them") << QStringLiteral("FileSaveAs") << false << 0;
        QTest::newRow("Save, leave them out") << QStringLiteral("FileSave") << true << 1;
        QTest::newRow("Save as, leave them out") << QStringLiteral("FileSaveAs") << false << 1;
        QTest::newRow("Save, cancel") << QStringLiteral("FileSave") << true << 2;
        QTest::newRow("Save as, cancel") << QStringLiteral("FileSaveAs") << true << 2;
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
        Form1& w = s.startShown(a);
        w.document().setLoadReport(otherSectionsReport(original));
        if (edited)
            s.typePathLine(typedLine);
        s.platform.clear();
        const QString target = command == u"FileSaveAs" ? s.path(QStringLiteral("b.ide")) : a;
        s.platform.fileNames << target;
        s.platform.answers << Platform::Answer::Yes;
        s.platform.choices << choice;

        const bool closed = command == u"close" ? s.window->close() : (s.action(qPrintable(command))->trigger(), false);

        const QStringList expectedKinds = command == u"close"     ? QStringList{"question", "choice"}
                                          : command == u"FileSave" ? QStringList{"choice"}
                                                                   : QStringList{"save", "choice"};
        QCOMPARE(s.requestKinds(), expectedKinds);
        const ScriptedPlatform::Request& asked = s.platform.requests.last();
        QCOMPARE(asked.title, QStringLiteral("Save changes?"));
        QCOMPARE(asked.buttons, layoutButtons);
        const QStringList text = asked.text.split(QStringLiteral("\r\n"));
        QCOMPARE(text.first(), QString::number(w.document().loadReport().droppedLineCount()) +
                                   QStringLiteral(" lines of this file are not kept by the Tarnel layout:"));
        QCOMPARE(text.value(1), QStringLiteral("sections hier, cars, peds: %1 lines")
                                    .arg(otherSectionLines(original).size()));

        QCOMPARE(closed, command == u"close" && choice != 2);
        if (choice == 2) {
            QCOMPARE(fileBytes(a), original);
            QVERIFY(!QFile::exists(s.path(QStringLiteral("b.ide"))));
            QCOMPARE(w.windowTitle(), titleFor(a, true));
            return;
        }
        const QByteArray written = fileBytes(target);
        QVERIFY(!written.isEmpty());
        if (choice == 1)
            QVERIFY(otherSectionLines(written).isEmpty());
        if (closed)
            return;
        QCOMPARE(w.windowTitle(), titleFor(target));

        // Answered once for the document; a reload starts a new one, asked again.
        s.platform.clear();
        s.action("FileSave")->trigger();
        QVERIFY(s.platform.requests.isEmpty());
        QTest::mouseClick(s.child<QPushButton>("reloadFile"), Qt::LeftButton);
        s.platform.clear();
        s.action("FileSave")->trigger();
        QCOMPARE(s.requestKinds(), QStringList{"choice"});
    }

    void keepLayoutOptionSavesWithoutAsking_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("keep");
        QTest::newRow("drops lines, option on") << dropsLines << true;
        QTest::newRow("drops nothing, option on") << QStringLiteral("sample") << true;
        QTest::newRow("drops nothing, option off") << QStringLiteral("sample") << false;
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
        Form1& w = s.startShown(a);
        w.document().setLoadReport(otherSectionsReport(fileBytes(a)));
        QCOMPARE(s.child<QCheckBox>("keepLayout")->isChecked(), keep);
        s.platform.clear();
        s.action("FileSave")->trigger();

        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.statusText(), QStringLiteral("IDE File saved"));
    }

    void reportWindowListsTheLoadReport()
    {
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(dropsLines, QStringLiteral("a.ide"));
        Form1& w = s.startShown(a);
        LoadReport report = otherSectionsReport(fileBytes(a));
        // A line of megabytes is shown cut, like a table's cell.
        report.entries.append({9999, LoadReportEntry::Reason::Comment, 0, {}, "#" + QByteArray(3'000'000, 'x'), {}, 0});
        w.document().setLoadReport(report);
        w.openLoadReport();
        LoadReportWindow* shown = w.loadReportWindow();
        QVERIFY(shown && shown->isVisible());

        const QAbstractItemModel* model = shown->list()->model();
        QCOMPARE(model->rowCount(), report.entries.size());
        const LoadReportEntry& first = report.entries.first();
        QCOMPARE(model->index(0, LoadReportModel::LineColumn).data().toString(), QString::number(first.lineNumber));
        QCOMPARE(model->index(0, LoadReportModel::ReasonColumn).data().toString(),
                 QStringLiteral("section ") + QString::fromLatin1(first.section));
        QCOMPARE(model->index(0, LoadReportModel::TextColumn).data().toString(), QString::fromLatin1(first.line));
        const QString cut = model->index(model->rowCount() - 1, LoadReportModel::TextColumn).data().toString();
        QCOMPARE(cut.size(), 1001);
        QVERIFY(cut.endsWith(QChar(0x2026)));

        // New empties it; the menu item follows.
        s.action("FileNew")->trigger();
        QCOMPARE(model->rowCount(), 0);
        QVERIFY(!s.action("FileLoadReport")->isEnabled());
    }
};

QTEST_MAIN(LoadReportTest)
#include "test_mainwindow_loadreport.moc"
