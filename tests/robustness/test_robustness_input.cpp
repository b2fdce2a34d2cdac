// Files, names and settings that are not what the window expects: it never
// crashes or hangs, tells the user what it could not use, and changes no byte
// of a file it only read.

#include "robustnesskit.h"

#include <QRandomGenerator>

#include <sys/stat.h>

using namespace tarnel;

using namespace wkit;
using namespace rkit;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

// Opens `path` through File > Open.
void openThroughDialog(Session& s, const QString& path)
{
    s.platform.fileNames << path;
    s.action("fileOpen")->trigger();
}

template <size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

// The tables in file order, as the loader leaves them.
const QByteArray unsorted = QByteArray(defaultSettings).replace("sort=1", "sort=0");

const QString iniError = QStringLiteral("INI Error -Check Settings");

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

private slots:
    // Whatever the bytes, the tables hold what the loader reads from them, each
    // short object line is reported, the file is left alone and a save reads
    // back to the same tables.
    void oddFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("objects"); // -1: whatever the bytes give
        QTest::addColumn<QByteArray>("secondName");

        QTest::newRow("binary") << "objs\r\n" + randomBytes(8192, 6) + "\r\nend\r\n2dfx\r\n" + randomBytes(8192, 7)
                                << -1 << QByteArray();
        QTest::newRow("NUL bytes inside lines")
            << raw("objs\r\n100, a\0b, t, 1, 50, 0\r\n\0\0, \0, t, 1, 50, 0\r\nend\r\n") << 2 << raw("a\0b");
        QTest::newRow("only commas") << QByteArray(",,,,,\r\n,,,,,,,\r\n,\r\n") << 0 << QByteArray();
        QTest::newRow("commas in objs")
            << QByteArray("objs\r\n,,,,,\r\n,,,,,,,\r\n,\r\nend\r\n") << 3 << QByteArray("");
        QTest::newRow("mixed line ends")
            << QByteArray("objs\n100, a, t, 1, 50, 0\r\n101, b, t, 1, 50, 0\r102, c, t, 1, 50, 0\n\rend") << 3
            << QByteArray("a");
        QTest::newRow("lone CRs and CR CR LF")
            << QByteArray("objs\r\r\r\n100, a, t, 1, 50, 0\r\r\n\r\n\r101, b, t, 1, 50, 0\rend\r") << 2
            << QByteArray("a");
    }
    void oddFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, objects);
        QFETCH(QByteArray, secondName);

        Session s;
        s.useSettings(unsorted);
        const QString path = s.path(QStringLiteral("odd.ide"));
        QVERIFY(putFile(path, bytes));
        MainWindow& w = s.startShown();
        openThroughDialog(s, path);

        const qsizetype reported = w.document().loadReport().entries.size();
        QCOMPARE(w.statusText(), reported == 0 ? QStringLiteral("IDE File opened")
                                               : QStringLiteral("IDE File opened - %1 line%2 in the load report")
                                                     .arg(reported)
                                                     .arg(reported == 1 ? "" : "s"));
        QCOMPARE(w.windowTitle(), titleFor(path));
        const QStringList messages = s.platform.messages();
        QCOMPARE(messages.size(), loadErrorCount(bytes));
        for (const QString& text : messages)
            QVERIFY(text.startsWith(loadErrorPrefix));
        const Tables loaded = tablesOf(w.document());
        QCOMPARE(loaded, tablesOf(parseIde(bytes)));
        if (objects >= 0)
            QCOMPARE(loaded[0].size(), objects);
        if (!secondName.isNull())
            QCOMPARE(loaded[0].value(0).value(1), secondName);
        QCOMPARE(fileBytes(path), bytes);

        // Every table painted with these values, then written and read back.
        for (int section = 0; section < 8; ++section) {
            s.clickSection(section);
            QVERIFY(!w.grab().isNull());
        }
        s.platform.choices << 1; // lines the fixed layout drops: leave them out
        s.action("fileSave")->trigger();
        QCOMPARE(w.statusText(), QStringLiteral("IDE File saved"));
        QCOMPARE(tablesOf(parseIde(fileBytes(path))), loaded);
    }

    // A single 50 MB line, once as a value of a complete object line and once
    // as a line with one value, which is reported without quoting it whole.
    void fiftyMegabyteLine()
    {
        const QByteArray huge(50 << 20, 'n');
        Session s;
        s.useSettings();
        const QString whole = s.path(QStringLiteral("long-value.ide"));
        const QString alone = s.path(QStringLiteral("long-line.ide"));
        QVERIFY(putFile(whole, "objs\r\n100, " + huge + ", t, 1, 50, 0\r\nend\r\n"));
        QVERIFY(putFile(alone, "objs\r\n" + huge + "\r\nend\r\n"));

        MainWindow& w = s.startShown(whole);
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.document().table(LineKind::Object).rows().value(0, 1).size(), huge.size());
        QVERIFY(!w.grab().isNull());

        openThroughDialog(s, alone);
        QVERIFY(w.statusText().startsWith(QStringLiteral("IDE File opened")));
        QCOMPARE(w.document().table(LineKind::Object).rows().value(0, 0).size(), huge.size());
        const QStringList messages = s.platform.messages();
        QCOMPARE(messages.size(), 5);
        for (const QString& text : messages) {
            QVERIFY(text.startsWith(loadErrorPrefix + QStringLiteral("nnnn")));
            QVERIFY2(text.size() < 4096, "a message box cannot lay out a line of 50 MB");
        }
        s.action("fileSave")->trigger();
        QCOMPARE(w.statusText(), QStringLiteral("IDE File saved"));
        QVERIFY(fileBytes(alone).contains("\r\nobjs\r\n" + huge + "\r\nend\r\n"));
    }

    // Between the choice in the dialog and the load the file goes away, turns
    // into something else, or can no longer be read.
    void fileReplacedUnderTheDialog_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("missing"); // else unreadable
        QTest::newRow("removed") << "remove" << true;
        QTest::newRow("replaced by a folder") << "folder" << true;
        QTest::newRow("replaced by a named pipe") << "fifo" << false;
        QTest::newRow("made unreadable") << "chmod" << false;
    }
    void fileReplacedUnderTheDialog()
    {
        QFETCH(QString, change);
        QFETCH(bool, missing);
        if (change == u"chmod" && runningAsRoot())
            QSKIP(rootSkip);

        Session s;
        s.useSettings();
        const QString open = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("open.ide"));
        const QString chosen = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("chosen.ide"));
        MainWindow& w = s.startShown(open);
        s.platform.clear();
        s.platform.onRequest = [&](const ScriptedPlatform::Request& r) {
            if (r.kind != u"open")
                return;
            QFile::remove(chosen);
            const QByteArray name = QFile::encodeName(chosen);
            if (change == u"folder")
                QVERIFY(QDir().mkdir(chosen));
            else if (change == u"fifo")
                QCOMPARE(::mkfifo(name.constData(), 0600), 0);
            else if (change == u"chmod")
                QVERIFY(putFile(chosen, "objs\r\n1, a, b, 1, 1, 0\r\nend\r\n") &&
                        QFile::setPermissions(chosen, {}));
            s.platform.fileNames << chosen;
        };
        s.action("fileOpen")->trigger();

        QCOMPARE(s.requestKinds(), QStringList({"open", "message"}));
        const QString text = s.platform.messages().value(0);
        if (missing)
            QCOMPARE(text, missingFileText(chosen));
        else
            QVERIFY2(text.startsWith(chosen + QStringLiteral("\r\nCould not be read: ")), qPrintable(text));
        QVERIFY(!w.document().isModified());
        QVERIFY(w.document().isUntitled());
        QCOMPARE(s.setting(QStringLiteral("recent1")), open);
        QCOMPARE(QFileInfo::exists(chosen), change != u"remove");
        QVERIFY(QFileInfo(chosen).isFile() == (change == u"chmod"));
    }

    // Names that are not a file to read: a folder, a named pipe, and names
    // holding wildcard characters, which are never expanded.
    void namesThatAreNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind"); // folder, fifo, file, none
        QTest::newRow("folder") << "maps.ide"
                                << "folder";
        QTest::newRow("named pipe") << "pipe.ide"
                                    << "fifo";
        QTest::newRow("wildcards, existing") << "t*wn ?[1].ide"
                                             << "file";
        QTest::newRow("wildcards, matching others") << "*.ide"
                                                    << "none";
        QTest::newRow("wildcards, matching a folder") << "[m]aps.ide"
                                                      << "none";
    }
    void namesThatAreNoFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);

        Session s;
        s.useSettings();
        const QString other = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("other.ide"));
        QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("maps.ide")));
        const QString path = s.path(name);
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == u"file")
            QVERIFY(!s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), name).isEmpty());
        const QStringList before = namesIn(s.dir.path());

        MainWindow& w = s.startShown(path);

        if (kind == u"file") {
            QVERIFY(s.platform.requests.isEmpty());
            QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
            QCOMPARE(tablesOf(w.document()), tablesOf(parseIde(fileBytes(path))));
        } else if (kind == u"none") { // a name that is no file yet names a new one
            QCOMPARE(s.requestKinds(), QStringList());
        } else {
            QCOMPARE(s.requestKinds(), QStringList{"message"});
            const QString text = s.platform.messages().first();
            if (kind == u"fifo")
                QVERIFY2(text.startsWith(path + QStringLiteral("\r\nCould not be read: ")), qPrintable(text));
            else
                QCOMPARE(text, missingFileText(path));
            QCOMPARE(w.document().table(LineKind::Object).rowCount(), 0);
            QCOMPARE(s.setting(QStringLiteral("recent1")), QStringLiteral("recent1"));
        }
        QCOMPARE(w.windowTitle(),
                 kind != u"folder" && kind != u"fifo" ? titleFor(path) : QStringLiteral("Tarnel [ empty ]"));
        QCOMPARE(namesIn(s.dir.path()), before);
        QCOMPARE(fileBytes(other), fileBytes(corpusPath(QStringLiteral("modmap-props.ide"))));
    }

    // The window starts on any settings file; keys are found whatever their
    // case, the first of two equal keys counts, a missing key is reported
    // once and then written with its default, and bytes that are no settings
    // stay in the file.
    void settingsFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("missingKeys"); // reported once each at start-up
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QString>("recent1");

        const QByteArray binary = randomBytes(4096, 11).replace('\n', 'x').replace('\r', 'x').replace('[', 'x');
        QTest::newRow("binary") << binary << 10 << true << "recent1";
        QTest::newRow("empty") << QByteArray("") << 10 << true << "recent1";
        QTest::newRow("duplicate keys")
            << QByteArray("[tarnel]\r\nrecent1=/first.ide\r\nrecent1=/second.ide\r\nsort=0\r\nsort=1\r\n"
                          "recent2=recent2\r\nrecent3=recent3\r\nrecent4=recent4\r\nrecent5=recent5\r\n"
                          "recent6=recent6\r\nrecent7=recent7\r\nlines=1\r\npaste=1\r\n[tarnel]\r\nsort=1\r\n")
            << 0 << false << "/first.ide";
        QTest::newRow("keys in other letter case")
            << QByteArray(
                   "[TARNEL]\r\nRECENT1=/upper.ide\r\nRecent2=recent2\r\nrecent3=recent3\r\nreCent4=recent4\r\n"
                   "recent5=recent5\r\nrecent6=recent6\r\nRECENT7=recent7\r\nLines=1\r\nPASTE=1\r\nSort=1\r\n")
            << 0 << true << "/upper.ide";
        QTest::newRow("lacking keys") << QByteArray("[tarnel]\r\nrecent1=recent1\r\nsort=1\r\n") << 8 << true
                                      << "recent1";
    }
    void settingsFiles()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, missingKeys);
        QFETCH(bool, sorted);
        QFETCH(QString, recent1);

        Session s;
        s.useSettings(contents);
        MainWindow& w = s.startShown();

        QCOMPARE(s.platform.messages(), QStringList(missingKeys, iniError));
        QCOMPARE(s.child<QCheckBox>("sortByIdBox")->isChecked(), sorted);
        QCOMPARE(s.action("recentFile1")->data().toString(), recent1);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
        QVERIFY(fileBytes(s.settings.path()).startsWith(contents));

        // The next start finds every key.
        SettingsFile again(s.settings.path());
        int told = 0;
        again.setMissingKeyHandler([&told](const QString&) { ++told; });
        for (const char* key : {"recent1", "recent7", "lines", "paste", "sort"})
            QVERIFY(again.readSetting(QLatin1String(key)) != iniError);
        QCOMPARE(told, 0);
    }

    // Settings in a folder the program may not write to: they are still read,
    // a file still opens and options still switch; writing them back fails
    // without a word, and the settings file stays as it was.
    void settingsInReadOnlyFolder()
    {
        if (runningAsRoot())
            QSKIP(rootSkip);
        Session s;
        s.useSettings();
        const QString path = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("town.ide"));
        QVERIFY(QFile::setPermissions(s.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        MainWindow& w = s.startShown(path);
        s.child<QCheckBox>("sortByIdBox")->click();
        QFile::setPermissions(s.dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.windowTitle(), titleFor(path));
        QCOMPARE(tablesOf(w.document()).value(0).size(), parseIde(fileBytes(path)).table(LineKind::Object).size());
        QVERIFY(!w.document().table(LineKind::Object).isSorted());
        QCOMPARE(fileBytes(s.settings.path()), defaultSettings);
        QCOMPARE(s.action("recentFile1")->data().toString(), QStringLiteral("recent1"));
    }

    // A recent entry far longer than a window is wide, or in other scripts,
    // is kept exactly and opens its file in the next session.
    void recentPaths_data()
    {
        QTest::addColumn<QStringList>("folders");
        QStringList deep;
        for (int i = 0; i < 5; ++i)
            deep << QString(200, QChar(u'a' + i));
        QTest::newRow("1,000 characters") << deep;
        QTest::newRow("non-ASCII letters")
            << QStringList{QStringLiteral("Kartenstraße"), QStringLiteral("Карты"), QStringLiteral("地図 été")};
    }
    void recentPaths()
    {
        QFETCH(QStringList, folders);
        Session s;
        s.useSettings();
        const QString relative = folders.join(u'/') + QStringLiteral("/tówn.ide");
        QVERIFY(QDir(s.dir.path()).mkpath(folders.join(u'/')));
        const QString path = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), relative);
        QVERIFY(!path.isEmpty());

        s.startShown();
        openThroughDialog(s, path);
        QCOMPARE(s.setting(QStringLiteral("recent1")), path);
        const Tables first = tablesOf(s.window->document());

        // The next session opens it from the menu.
        s.platform.clear();
        MainWindow& again = s.startShown();
        QCOMPARE(s.action("recentFile1")->data().toString(), path);
        s.action("recentFile1")->trigger();
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(again.windowTitle(), titleFor(path));
        QCOMPARE(tablesOf(again.document()), first);
        QCOMPARE(s.setting(QStringLiteral("recent1")), path);
    }

    // Quotes around the command line go, quotes of other kinds and spaces stay.
    void commandLinePaths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("apostrophe and spaces") << "Bob's  old   town.ide" << false;
        QTest::newRow("quoted, with & and %") << "R&D 100% done.ide" << true;
    }
    void commandLinePaths()
    {
        QFETCH(QString, name);
        QFETCH(bool, quoted);
        Session s;
        s.useSettings();
        const QString path = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), name);
        MainWindow& w = s.startShown(quoted ? u'"' + path + u'"' : path);
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.windowTitle(), titleFor(path));
        QCOMPARE(s.setting(QStringLiteral("recent1")), path);
        QCOMPARE(s.action("recentFile1")->text(), QString(path).replace(u'&', QStringLiteral("&&")));
    }
};

QTEST_MAIN(BadInputTest)
#include "test_robustness_input.moc"
