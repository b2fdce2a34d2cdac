// A whole map in the window: files shown in turn, each keeping its own
// document and history, Save all, and one question before the map goes.
#include "windowtestkit.h"

#include "map/gamemap.h"
#include "mainwindow/openmap.h"

#include <QDirIterator>

using namespace tarnel;

using namespace wkit;

namespace {

const QString corpusMap = QStringLiteral(TARNEL_CORPUS_DIR "/map");

// The mod map copied with its folders into the session's folder: every file's path and bytes.
QHash<QString, QByteArray> copyOfMap(Session& s)
{
    QHash<QString, QByteArray> files;
    for (QDirIterator it(corpusMap, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString from = it.next();
        const QString to = s.path(QDir(corpusMap).relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).absolutePath());
        files.insert(to, fileBytes(from));
        putFile(to, files.value(to));
    }
    return files;
}

// The map, opened through File > "Open map…" on its level list.
MainWindow& openMap(Session& s, bool keepLayout)
{
    s.useSettings(
        QByteArray(defaultSettings).replace("keepLayout=0", keepLayout ? "keepLayout=1" : "keepLayout=0"));
    MainWindow& w = s.start();
    s.platform.fileNames << s.path(QStringLiteral("data/maplist.dat"));
    s.action("fileOpenMap")->trigger();
    return w;
}

// Shows the map's IDE file named `name` and comments out its `nth` objects row
// not commented out yet; returns that row's file line.
qsizetype commentOutIn(MainWindow& w, Session& s, const QString& name, int nth)
{
    const QList<MapFile>& files = w.openMap().map().sources().files;
    for (qsizetype file = 0; file < files.size(); ++file) {
        if (files[file].path.endsWith(QLatin1Char('/') + name))
            w.openMap().showFile(file);
    }
    const RowStore& rows = w.document().table(LineKind::Object).rows();
    qsizetype row = 0;
    while (rows.joined(row).startsWith('#') || nth-- > 0)
        ++row;
    const qsizetype line = w.document().rowIds().fileLine(rows.id(row));
    w.view(LineKind::Object)->selectRow(int(row));
    s.action("objectsCommentOut")->trigger();
    return line;
}

} // namespace

class MainWindowMapTest : public QObject {
    Q_OBJECT

private slots:
    // Two files edited, one step of the second undone, both saved by Save all
    // in their own layout: only the lines of the steps kept differ on disk.
    void saveAllKeepsEachFilesLayout_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("town and ghost town") << "smalltown1.ide"
                                             << "ghosttown.ide";
        QTest::newRow("countryside and site") << "countryside.ide"
                                              << "csite.ide";
    }
    void saveAllKeepsEachFilesLayout()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        Session s;
        const QHash<QString, QByteArray> before = copyOfMap(s);
        MainWindow& w = openMap(s, true);
        QVERIFY(w.openMap().isOpen());
        QCOMPARE(s.action("recentMap1")->text(), s.path(QStringLiteral("data/maplist.dat")));
        const qsizetype firstLine = commentOutIn(w, s, first, 2);
        const qsizetype secondLine = commentOutIn(w, s, second, 1);
        commentOutIn(w, s, second, 3);
        s.action("editUndo")->trigger();
        // Back to the first file: its own step is still there to undo, the second's are not.
        commentOutIn(w, s, first, 0);
        s.action("editUndo")->trigger();
        QVERIFY(s.action("editUndo")->isEnabled());
        QCOMPARE(w.openMap().changedFiles().size(), 2);
        s.action("fileSaveAll")->trigger();
        QVERIFY(w.openMap().changedFiles().isEmpty());
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QByteArray after = fileBytes(it.key());
            const qsizetype edited = it.key().endsWith(first)    ? firstLine
                                     : it.key().endsWith(second) ? secondLine
                                                                 : 0;
            if (edited == 0) {
                QCOMPARE(after, it.value());
                continue;
            }
            QByteArrayList wasLines = it.value().split('\n');
            QByteArrayList nowLines = after.split('\n');
            QCOMPARE(nowLines.size(), wasLines.size());
            QVERIFY(nowLines[edited - 1].startsWith('#'));
            QVERIFY(nowLines[edited - 1].contains(wasLines[edited - 1].left(4)));
            nowLines.removeAt(edited - 1);
            wasLines.removeAt(edited - 1);
            QCOMPARE(nowLines, wasLines);
        }
    }

    // Exit with two files changed asks once, naming both: Yes saves them, No
    // drops them, Cancel keeps the window and the map.
    void closeAsksOnceForAllFiles_data()
    {
        QTest::addColumn<Platform::Answer>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << Platform::Answer::Yes << true << true;
        QTest::newRow("no") << Platform::Answer::No << true << false;
        QTest::newRow("cancel") << Platform::Answer::Cancel << false << false;
    }
    void closeAsksOnceForAllFiles()
    {
        QFETCH(Platform::Answer, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        Session s;
        const QHash<QString, QByteArray> before = copyOfMap(s);
        MainWindow& w = openMap(s, true);
        commentOutIn(w, s, QStringLiteral("smalltown2.ide"), 0);
        commentOutIn(w, s, QStringLiteral("vegetation.ide"), 0);
        s.platform.clear();
        s.platform.answers << answer;
        QCOMPARE(w.close(), closes);
        QCOMPARE(s.platform.count(QStringLiteral("question")), 1);
        const QString question = s.platform.requests.constFirst().text;
        QVERIFY(question.contains(QStringLiteral("smalltown2.ide")) &&
                question.contains(QStringLiteral("vegetation.ide")));
        QCOMPARE(w.openMap().isOpen(), !closes);
        QStringList changedOnDisk;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (fileBytes(it.key()) != it.value())
                changedOnDisk << QFileInfo(it.key()).fileName();
        }
        changedOnDisk.sort();
        const QStringList both{QStringLiteral("smalltown2.ide"), QStringLiteral("vegetation.ide")};
        QCOMPARE(changedOnDisk, saved ? both : QStringList());
    }

    // A file another program changed while a second file was shown is not
    // written over by Save all without the question a Save asks; "Cancel" keeps it.
    void outsideChangeWhileAnotherFileIsShown()
    {
        Session s;
        copyOfMap(s);
        MainWindow& w = openMap(s, true);
        commentOutIn(w, s, QStringLiteral("smalltown2.ide"), 0);
        commentOutIn(w, s, QStringLiteral("vegetation.ide"), 0);
        const QString changed = s.path(QStringLiteral("data/maps/UL/ul_lcc/smalltown2.ide"));
        const QByteArray theirs = fileBytes(changed) + "# added by another program\n";
        putFile(changed, theirs);
        s.platform.clear();
        s.platform.choices << 2; // Cancel
        s.action("fileSaveAll")->trigger();
        QCOMPARE(s.platform.count(QStringLiteral("choice")), 1);
        QCOMPARE(fileBytes(changed), theirs);
    }
};

TARNEL_TEST_MAIN(MainWindowMapTest)

#include "test_mainwindow_map.moc"
