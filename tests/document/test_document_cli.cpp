// tarnel-cli run as a separate process, checked against the library's own
// loading and saving.
#include "documenttestkit.h"

#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/rowcells.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace tarnel;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Standard input and output go to the files named, when named.
Run runCli(const QStringList& args, const QString& input = {}, const QString& output = {},
           const QString& folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder); // empty: this one
    process.setStandardInputFile(input); // empty: none
    process.setStandardOutputFile(output);
    process.start(QStringLiteral(TARNEL_CLI), args);
    Run run;
    if (!process.waitForStarted(-1) || !process.waitForFinished(-1))
        return run;
    if (process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArrayList outputLines(const QByteArray& bytes)
{
    QByteArrayList lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Short lines in both sections, a comment, tabs, and high bytes in full rows.
const QByteArray faultyFile = "objs\n"
                              "1, a, tex, 1, 100, 0\n"
                              "2, b\n"
                              "\t,\n"
                              "#3, c, tex, 1, 100, 0\r\n"
                              "4, n\xe4me, t\xff, 1, 100, 0\r"
                              "end\n"
                              "tobj\n"
                              "5, t,\ttex, 1, 100, 0\n"
                              "end\n";

// ID 7 in both tables and commented out once, 9 once.
const QByteArray dupesFile = "objs\n"
                             "7, a, t, 1, 100, 0\n"
                             "#7, b, t, 1, 100, 0\n"
                             "9, c, t, 1, 100, 0\n"
                             "end\n"
                             "tobj\n"
                             "7, d, t, 1, 100, 0, 0, 24\n"
                             "end\n";

// IDs written at lengths past 18 characters; 1 and 99999999999999999999 twice.
const QByteArray longIdsFile = "objs\n"
                               "0000000000000000001, a, t, 1, 100, 0\n"
                               "1, b, t, 1, 100, 0\n"
                               "099999999999999999999, c, t, 1, 100, 0\n"
                               "99999999999999999999, d, t, 1, 100, 0\n"
                               "-18446744073709551616, e, t, 1, 100, 0\n"
                               "-00018446744073709551616, f, t, 1, 100, 0\n"
                               "9223372036854775807, g, t, 1, 100, 0\n"
                               "end\n";

const std::map<QString, QByteArray> craftedFiles = {
    {QStringLiteral("faulty"), faultyFile},
    {QStringLiteral("dupes"), dupesFile},
    {QStringLiteral("longids"), longIdsFile},
    {QStringLiteral("short"), "objs\n1, a\n2, b, t\nend\n"}, // two lines with load errors
    {QStringLiteral("heading"), "objs\n1, a, t, 1, 100, 0\n#Factory\nend\n"},
};

// A small map: a list in data/ naming an IDE and an IPL file in other letter
// cases and a file not there, a list elsewhere, and a folder with a stray copy.
const std::map<QString, QByteArray> craftedMap = {
    {QStringLiteral("map/data/level.dat"),
     "# the list\r\nIMG DATA\\MAPS\\x.img\r\nide DATA\\MAPS\\Town.IDE\r\nIPL data\\Maps\\TOWN.ipl\r\n"
     "IDE DATA\\MAPS\\gone.ide\r\n"},
    {QStringLiteral("map/data/maps/town.ide"), "objs\n100, house, tex, 1, 100, 0\n101, shop, tex, 1, 100, 0\nend\n"
                                               "tobj\n102, lamp, tex, 1, 100, 0, 20, 6\nend\n"
                                               "weap\n321, gun, gunmodel, null, 1, 30, 0\nend\n"},
    {QStringLiteral("map/data/maps/town.ipl"), "inst\n100, house, 0, 1, 2, 3, 0, 0, 0, 1, -1\n"
                                               "102, shop, 0, 1, 2, 3, 0, 0, 0, 1, 0\nend\n"},
    {QStringLiteral("map/stray/town.ide"), "objs\n101, shop, tex, 1, 100, 0\nend\n"},
    {QStringLiteral("map/stray/stream.ipl"), QByteArray("bnry\0\0\0\x01", 8)},
    {QStringLiteral("map/lists/town.dat"), "IDE data\\maps\\town.ide\n"},
};

// A map to move IDs in: definitions (one commented out), a 2dfx line and a path
// block naming them, placements in two IPL files, CR LF files, a last line without an end.
const std::map<QString, QByteArray> moveMap = {
    {QStringLiteral("data/move.dat"),
     "IDE DATA\\MAPS\\A.IDE\nIDE DATA\\MAPS\\b.ide\nIPL DATA\\MAPS\\a.ipl\nIPL DATA\\MAPS\\b.ipl\n"},
    {QStringLiteral("data/maps/a.ide"),
     "objs\n100, box, tex, 1, 50, 0\n101, crate, tex, 1, 50, 0\n# 102, barrel, tex, 1, 50, 0\n"
     "end\n2dfx\n101, 0, 0, 1, 255, 255, 255, 200, 0, \"coronastar\", \"shad_exp\", "
     "100, 0, 1.5, 0, 40, 1, 0, 0, 1\nend\npath\nped, 100, box\n\t0, -1, 0, 0, 0, 0, "
     "0, 1, 1\nend\n"},
    {QStringLiteral("data/maps/b.ide"),
     "objs\r\n200, pole, tex, 1, 50, 0\r\nend\r\ntobj\r\n103, lamp, tex, 1, 50, 0, "
     "20, 6\r\nend"},
    {QStringLiteral("data/maps/a.ipl"),
     "inst\n200, pole, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1\n100, box, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1"},
    {QStringLiteral("data/maps/b.ipl"),
     "inst\r\n103, lamp, 1, 2, 3, 1, 1, 1, 0, 0, 0, 1\r\n#101, crate, 1, 2, 3, 1, 1, 1, 0, 0, 0, 1\r\nend\r\n"},
};

// Every file below `folder` by its path relative to it.
std::map<QString, QByteArray> filesBelow(const QString& folder)
{
    std::map<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = kit::fileBytes(path);
    }
    return files;
}

// `files` with a renumber diff applied as patch -p1 would (the CR of a CR LF
// line is in its hunk lines); empty when a hunk's old line is not the file's.
std::map<QString, QByteArray> patched(std::map<QString, QByteArray> files, const QByteArray& diff)
{
    QString path;
    qsizetype line = 0;
    for (const QByteArray& text : diff.split('\n')) {
        QByteArrayList lines = path.isEmpty() ? QByteArrayList() : files[path].split('\n');
        if (text.startsWith("+++ b/") || text.startsWith("--- a/"))
            path = QString::fromUtf8(text.mid(6));
        else if (text.startsWith("@@ -"))
            line = text.mid(4, text.indexOf(',') - 4).toLongLong();
        else if (text.startsWith('-') && lines.value(line - 1) != text.mid(1))
            return {};
        else if (text.startsWith('+'))
            files[path] = (lines[line - 1] = text.mid(1), lines.join('\n'));
    }
    return files;
}

} // namespace

class DocumentCliTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString temp(const QString& name) const { return m_dir.filePath(name); }

    // A crafted file, a link to one ("link-dupes"), a part of the crafted map or a corpus file.
    QString inputPath(const QString& name)
    {
        if (name.startsWith(QLatin1String("map")))
            return temp(name);
        const QString path = temp(name + QStringLiteral(".ide"));
        if (name.startsWith(QLatin1String("link-")) && !QFile::exists(path))
            QFile::link(inputPath(name.mid(5)), path);
        else if (craftedFiles.count(name) == 0)
            return kit::corpusPath(name);
        else if (!QFile::exists(path))
            kit::putFile(path, craftedFiles.at(name));
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo(QStringLiteral(TARNEL_CLI)).isExecutable(), TARNEL_CLI);
        for (const auto& [path, bytes] : craftedMap)
            QVERIFY(QDir().mkpath(QFileInfo(temp(path)).path()) && kit::putFile(temp(path), bytes));
    }

    void formatWritesWhatSaveWrites_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("faulty") << "faulty";
        for (const QString& name : kit::corpusFiles())
            QTest::newRow(qPrintable(name)) << name;
    }

    void formatWritesWhatSaveWrites()
    {
        QFETCH(QString, name);
        const QString in = inputPath(name);
        IdeDocument document;
        QByteArrayList expectedErr;
        QCOMPARE(loadDocument(document, in,
                              [&expectedErr](const LoadError& e) {
                                  expectedErr.append("line " + QByteArray::number(e.lineNumber) + ": " + e.line);
                              })
                     .status,
                 ReadOutcome::Read);
        const QString saved = temp(QStringLiteral("saved-") + name);
        QCOMPARE(saveDocument(document, saved, QDateTime::currentDateTime()), QString());

        const QString out = temp(QStringLiteral("cli-") + name);
        const Run run = runCli({QStringLiteral("format"), in, out});
        QCOMPARE(run.exitCode, 0);
        if (const qsizetype dropped = document.loadReport().droppedLineCount(); dropped > 0)
            expectedErr.append("tarnel-cli: " + QByteArray::number(dropped) +
                               " lines not kept by the fixed layout: tarnel-cli report " + in.toLocal8Bit() +
                               " lists them; --keep-layout keeps them");
        const QByteArray written = kit::fileBytes(out);
        QVERIFY(kit::firstLine(written).startsWith(kit::headerPrefix));
        QCOMPARE(kit::withoutFirstLine(written), kit::withoutFirstLine(kit::fileBytes(saved)));
        QCOMPARE(outputLines(run.err), expectedErr);
        QVERIFY(run.out.isEmpty());
    }

    // Kept in its own layout, an unedited file is written back byte for byte;
    // report prints the load report, one entry a line.
    void keepLayoutAndReport_data() { formatWritesWhatSaveWrites_data(); }
    void keepLayoutAndReport()
    {
        QFETCH(QString, name);
        const QString in = inputPath(name);
        const QString out = temp(QStringLiteral("kept-") + name);
        const Run format = runCli({QStringLiteral("format"), QStringLiteral("--keep-layout"), in, out});
        QCOMPARE(format.exitCode, 0);
        QVERIFY(kit::fileBytes(out) == kit::fileBytes(in));

        IdeDocument document;
        QCOMPARE(loadDocument(document, in, {}).status, ReadOutcome::Read);
        QByteArrayList expected;
        for (const LoadReportEntry& entry : document.loadReport().entries)
            expected << QByteArray::number(entry.lineNumber) + '\t' + reasonText(entry).toLatin1() + '\t' +
                            entry.line;
        const Run report = runCli({QStringLiteral("report"), in});
        QCOMPARE(report.exitCode, 0);
        QCOMPARE(outputLines(report.out), expected);
        if (name == QLatin1String("basegame-default.ide")) // its hier, cars and peds sections, keywords and ends
            QCOMPARE(expected.size(), 155);
    }

    // A file big enough to be worked out in parts by two threads: every
    // finding and every row, in file order.
    void bigFileInParts()
    {
        constexpr int ids = 60'000;
        QByteArray file = "objs\n";
        QByteArray table = fieldNamesOf(LineKind::Object).join(u'\t').toLatin1() + '\n';
        for (int copy = 0; copy < 2; ++copy) {
            for (int id = 0; id < ids; ++id) {
                const QByteArray n = QByteArray::number(id);
                file += n + ", m" + n + ", t, 1, 100, 0\n";
                table += n + "\tm" + n + "\tt\t1\t100\t0\n";
            }
        }
        const QString path = temp(QStringLiteral("parts.ide"));
        QVERIFY(kit::putFile(path, file + "end\n"));
        QByteArray check;
        for (int id = 0; id < ids; ++id)
            check += path.toUtf8() + ':' + QByteArray::number(ids + id + 2) + ": error: ID " +
                     QByteArray::number(id) + " defined again; first defined at " + path.toUtf8() + ':' +
                     QByteArray::number(id + 2) + '\n';
        QCOMPARE(runCli({QStringLiteral("check"), path}).out, check);
        QCOMPARE(runCli({QStringLiteral("table"), path, QStringLiteral("objs")}).out, table);
    }

    void formatReportsLoadErrors()
    {
        const Run run = runCli({QStringLiteral("format"), inputPath(QStringLiteral("faulty")),
                                temp(QStringLiteral("faulty-out.ide"))});
        QCOMPARE(run.exitCode, 0);
        QByteArrayList expected;
        for (int i = 0; i < 4; ++i)
            expected.append("line 3: 2, b");
        for (int i = 0; i < 4; ++i)
            expected.append("line 4: \t,");
        for (int i = 0; i < 2; ++i)
            expected.append("line 9: 5, t,\ttex, 1, 100, 0");
        QCOMPARE(outputLines(run.err), expected);
    }

    void formatOverwritesExisting()
    {
        const QString out = temp(QStringLiteral("existing.ide"));
        QVERIFY(kit::putFile(out, "old contents that are longer than nothing"));
        const Run run =
            runCli({QStringLiteral("format"), inputPath(QStringLiteral("modmap-cull-empty.ide")), out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(kit::withoutFirstLine(kit::fileBytes(out)),
                 kit::withoutFirstLine(kit::formatContent(DocumentContent())));
    }

    void stats_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("faulty") << "faulty";
        for (const QString& name : kit::corpusFiles())
            QTest::newRow(qPrintable(name)) << name;
    }

    void stats()
    {
        QFETCH(QString, name);
        const QString in = inputPath(name);
        IdeDocument document;
        QCOMPARE(loadDocument(document, in, {}).status, ReadOutcome::Read);
        const auto count = [&document](LineKind kind) {
            return QByteArray::number(document.table(kind).rowCount());
        };
        const QByteArrayList expected = {
            "Objects\t" + count(LineKind::Object),
            "Timed objs\t" + count(LineKind::TimedObject),
            QByteArray("Paths\t") + (document.pathText().isEmpty() ? "NO" : "YES"),
            "Lights\t" + count(LineKind::Light),
            "Particles\t" + count(LineKind::Particle),
            "Sun\t" + count(LineKind::Sun),
            "Ped areas\t" + count(LineKind::PedArea),
        };
        const Run run = runCli({QStringLiteral("stats"), in});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(outputLines(run.out), expected);
    }

    void statsOfKnownFile()
    {
        const Run run = runCli({QStringLiteral("stats"), kit::corpusPath(QStringLiteral("modmap-ghosttown.ide"))});
        QCOMPARE(run.exitCode, 0);
        const QByteArrayList lines = outputLines(run.out);
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], QByteArray("Objects\t530"));
        QCOMPARE(lines[2], QByteArray("Paths\tYES"));
        QCOMPARE(lines[3], QByteArray("Lights\t386"));
        QCOMPARE(lines[4], QByteArray("Particles\t152"));
    }

    // Arguments name files by "@name"; the output names them by "%1", "%2", ...
    void checkAndFreeIds_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::newRow("check, none") << QStringList{"check", "@modmap-ghosttown.ide"} << 0 << "";
        const QString undefined = "%1:%2: error: ID 3010 is defined by no IDE file\n";
        QTest::newRow("check, within a file")
            << QStringList{"check", "@console-washints.ide"} << 1
            << "%1:229: error: ID 3030 defined again; first defined at %1:212\n" + undefined.arg("%1", "358") +
                   undefined.arg("%1", "359") + undefined.arg("%1", "360");
        const QString renamed = "%2:%3: error: ID 4000 is named gtw_jun_T4x2 here, but psave at its definition "
                                "%1:256; gtw_jun_T4x2 is ID 4000 (%2:32)\n";
        QTest::newRow("check, across files")
            << QStringList{"check", "@basegame-generic.ide", "@modmap-generic.ide"} << 1
            << "%2:32: error: ID 4000 defined again; first defined at %1:256\n" + renamed.arg("%1", "%2", "599") +
                   renamed.arg("%1", "%2", "612");
        const QString dupes = "%1:7: warning: ID 7: timed object switches at hour 24, outside 0-23\n"
                              "%1:7: error: ID 7 defined again; first defined at %1:2\n";
        QTest::newRow("check, both tables") << QStringList{"check", "@dupes"} << 1 << dupes;
        QTest::newRow("free-ids, one above the highest")
            << QStringList{"free-ids", "--count", "1", "@dupes"} << 0 << "8-8\n10-10\n";
        const QString wide = "%1:%2: warning: ID %3 lies beyond 64 bits; not compared\n";
        QTest::newRow("check, by value, beyond 64 bits not compared")
            << QStringList{"check", "@longids"} << 1
            << "%1:3: error: ID 1 defined again; first defined at %1:2\n" +
                   wide.arg("%1", "4", "099999999999999999999") + wide.arg("%1", "5", "99999999999999999999") +
                   wide.arg("%1", "6", "-18446744073709551616") + wide.arg("%1", "7", "-00018446744073709551616");
        QTest::newRow("check, a file twice") << QStringList{"check", "@dupes", "@dupes"} << 1 << dupes;
        QTest::newRow("check, a file and a link to it")
            << QStringList{"check", "@dupes", "@link-dupes"} << 1 << dupes;
        // The crafted map: a list, a folder and a file together; found through a list: "@/", absolute.
        const QString misnamed =
            "@/map/data/maps/town.ipl:3: error: ID 102 is named shop here, but lamp at its "
            "definition @/map/data/maps/town.ide:6; shop is ID 101 (@/map/data/maps/town.ide:3)\n";
        QTest::newRow("check, list, folder and file")
            << QStringList{"check", "@map/data/level.dat", "@map/stray", "@dupes"} << 1
            << "%1:5: warning: DATA\\MAPS\\gone.ide: file not found\n%2: warning: every IDE and IPL file below "
               "this folder is read, stray copies beside the real files too\n" +
                   misnamed + "%2/stream.ipl: warning: binary placement file; not read\n" +
                   "%2/town.ide:2: error: ID 101 defined again; first defined at @/map/data/maps/town.ide:3\n" +
                   dupes.arg("%3");
        const QString limit = "@/map/data/maps/town.ide:%1: warning: ID %2 is not below the ID limit 101\n";
        QTest::newRow("check, the game folder and the ID limit given")
            << QStringList{"check", "--id-limit", "101", "--game", "@map", "@map/lists/town.dat"} << 0
            << limit.arg("3", "101") + limit.arg("6", "102") + limit.arg("9", "321");
        QTest::newRow("check, a list beside its game folder")
            << QStringList{"check", "@map/lists/town.dat"} << 0
            << "%1:1: warning: data\\maps\\town.ide: file not found\n";
        QTest::newRow("free-ids, every section, below the limit the inst lines imply")
            << QStringList{"free-ids", "--count", "5", "@map/data/level.dat"} << 0 << "103-320\n322-19999\n";
        QTest::newRow("free-ids, no limit")
            << QStringList{"free-ids", "--id-limit", "0", "--count", "5", "@map/data/level.dat"} << 0
            << "103-320\n322-326\n";
        QTest::newRow("free-ids, never at the limit")
            << QStringList{"free-ids", "--id-limit", "200", "--to", "500", "@map/data/level.dat"} << 0
            << "103-199\n";
        QTest::newRow("map, a list and a folder")
            << QStringList{"map", "@map/data/level.dat", "@map/stray"} << 0
            << "IDE\t@/map/data/maps/town.ide\t10 lines\t4 definitions\nIPL\t@/map/data/maps/town.ipl\t4 lines\t2 "
               "placements\nIDE\tDATA\\MAPS\\gone.ide\tmissing\nIPL\t%2/stream.ipl\tbinary, not "
               "read\nIDE\t%2/town.ide\t3 "
               "lines\t1 definition\n";
        QTest::newRow("free-ids, from below")
            << QStringList{"free-ids", "--from", "0", "--count", "2", "@dupes"} << 0 << "0-6\n10-11\n";
        QTest::newRow("free-ids, a run above dense IDs")
            << QStringList{"free-ids", "--count", "5", "@dupes"} << 0 << "10-14\n";
        QTest::newRow("free-ids, from the lowest ID there is")
            << QStringList{"free-ids", "--from", "-9223372036854775808", "@dupes"} << 0
            << "-9223372036854775808-6\n10-19\n";
        QTest::newRow("free-ids, to the highest ID there is")
            << QStringList{"free-ids", "--from",  "9223372036854775800", "--to", "9223372036854775807", "--count",
                           "2",        "@longids"}
            << 0 << "9223372036854775800-9223372036854775806\n";
        QTest::newRow("free-ids, default count, to above")
            << QStringList{"free-ids", "--to", "30", "@dupes"} << 0 << "10-30\n";
        QTest::newRow("free-ids, across files")
            << QStringList{"free-ids", "--count", "1", "@dupes", "@faulty"} << 0 << "6-6\n8-8\n10-10\n";
        QTest::newRow("free-ids, commented-out IDs freed")
            << QStringList{"free-ids", "--free-commented", "--count", "1", "@dupes", "@faulty"} << 0
            << "3-3\n6-6\n8-8\n10-10\n";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "tarnel-cli Beta 0.1\n";
    }

    void checkAndFreeIds()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        for (QString& arg : args) {
            if (arg.startsWith(QLatin1Char('@'))) {
                arg = inputPath(arg.mid(1));
                out.replace(QStringLiteral("%%1").arg(args.indexOf(arg)), arg);
            }
        }
        out.replace(QStringLiteral("@/"), m_dir.path() + QLatin1Char('/')); // found through a list: absolute
        const Run run = runCli(args);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QString::fromLocal8Bit(run.out), out);
    }

    // A map's findings and files, run from the folder named ("map": the crafted
    // one, "corpus": the corpus map, empty: elsewhere, when paths are
    // absolute). `lines` must be among the output's lines; `err`, the count, is exact.
    void mapOutput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("err");
        const QString corpusCount = "0 errors, 4296 warnings\n"; // undefined IDs only warn: base files are missing
        const QString undefined =
            "%1data/maps/UL/ul_lcc/countryside.ipl:26: warning: ID 2353 is defined by no IDE file read (16 listed "
            "IDE files not found)";
        QTest::newRow("corpus map, from its game folder")
            << QStringList{"check", "data/maplist.dat"} << "corpus" << 0
            << QStringList{"data/maplist.dat:14: warning: DATA\\MAPS\\generic.IDE: file not found",
                           "data/maplist.dat:80: warning: DATA\\MAP0.ZON: file not found", undefined.arg("")}
            << corpusCount;
        QTest::newRow("corpus map, from elsewhere")
            << QStringList{"check", "@corpus/data/maplist.dat"} << "" << 0
            << QStringList{"@corpus/data/maplist.dat:14: warning: DATA\\MAPS\\generic.IDE: file not found",
                           undefined.arg("@corpus/")}
            << corpusCount;
        QTest::newRow("corpus map listed")
            << QStringList{"map", "data/maplist.dat"} << "corpus" << 0
            << QStringList{"IDE\tDATA\\MAPS\\generic.IDE\tmissing",
                           "IDE\tdata/maps/UL/ul_lcc/smalltown1.ide\t248 lines\t46 definitions",
                           "IPL\tdata/maps/UL/ul_lcc/smalltown1.ipl\t243 lines\t238 placements"}
            << "";
        QTest::newRow("crafted map, from its game folder")
            << QStringList{"check", "data/level.dat"} << "map" << 1
            << QStringList{"data/level.dat:5: warning: DATA\\MAPS\\gone.ide: file not found",
                           "data/maps/town.ipl:3: error: ID 102 is named shop here, but lamp at its definition "
                           "data/maps/town.ide:6; shop is ID 101 (data/maps/town.ide:3)"}
            << "1 error, 1 warning\n";
    }

    void mapOutput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, folder);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        QFETCH(QString, err);
        const QString corpus = QDir::cleanPath(QStringLiteral(TARNEL_CORPUS_DIR "/map"));
        const QString in = folder == QLatin1String("map") ? temp(folder) : folder.isEmpty() ? QString() : corpus;
        for (QString& text : lines)
            text.replace(QStringLiteral("@corpus"), corpus).replace(QStringLiteral("@"), m_dir.path());
        for (QString& arg : args)
            arg.replace(QStringLiteral("@corpus"), corpus).replace(QStringLiteral("@"), m_dir.path());
        const Run run = runCli(args, {}, {}, in);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList out = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
        for (const QString& line : lines)
            QVERIFY2(out.contains(line), qPrintable(line + QStringLiteral(" not in:\n") + run.out));
        QCOMPARE(QString::fromUtf8(run.err), err);
    }

    // --help prints on standard output what a wrong command line prints on standard error:
    // every command and option, after what was wrong.
    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("wrong");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "";
        QTest::newRow("short help") << QStringList{"-h"} << 0 << "";
        QTest::newRow("no arguments") << QStringList() << 2 << "no command given";
        QTest::newRow("unknown option")
            << QStringList{"--verbose", "stats", "x.ide"} << 2 << "unknown option --verbose";
        QTest::newRow("help with a command")
            << QStringList{"--help", "stats"} << 2 << "--help: unexpected argument stats";
        QTest::newRow("unknown command") << QStringList{"transform", "x.ide"} << 2 << "unknown command transform";
        QTest::newRow("unknown section") << QStringList{"table", "f.ide", "OBJS"} << 2 << "unknown section OBJS";
        QTest::newRow("missing output") << QStringList{"format", "f.ide"} << 2 << "format: missing OUT";
        QTest::newRow("extra argument")
            << QStringList{"stats", "a.ide", "b.ide"} << 2 << "stats: unexpected argument b.ide";
        QTest::newRow("unknown format option")
            << QStringList{"format", "--keep", "a.ide", "b.ide"} << 2 << "unknown option --keep";
        QTest::newRow("option after the files")
            << QStringList{"free-ids", "f.ide", "--count", "3"} << 2
            << "free-ids: option --count after the files: options go before them";
        QTest::newRow("count of none") << QStringList{"free-ids", "--count", "0", "f.ide"} << 2
                                       << "--count needs a whole number above 0, not 0";
        QTest::newRow("bound without value") << QStringList{"free-ids", "--to"} << 2 << "--to needs a value";
        QTest::newRow("negative ID limit") << QStringList{"check", "--id-limit", "-1", "f.ide"} << 2
                                           << "--id-limit needs a whole number, 0 for none, not -1";
        QTest::newRow("ID limit without value")
            << QStringList{"free-ids", "--id-limit"} << 2 << "--id-limit needs a value";
        QTest::newRow("game folder not there")
            << QStringList{"map", "--game", "/no/such", "l.dat"} << 2 << "--game: no such folder /no/such";
        QTest::newRow("map without lists") << QStringList{"map", "--game", "/"} << 2 << "map: missing LIST...";
        QTest::newRow("ID limit for map")
            << QStringList{"map", "--id-limit", "5", "l.dat"} << 2 << "unknown option --id-limit";
        QTest::newRow("renumber without --to")
            << QStringList{"renumber", "--ids", "5-9", "l.dat"} << 2 << "renumber: missing --to";
        QTest::newRow("renumber, a range backwards")
            << QStringList{"renumber", "--ids", "9-5", "--to", "1", "l.dat"} << 2
            << "--ids: 9-5: the range ends below its start";
        QTest::newRow("renumber standard input") << QStringList{"renumber", "--ids", "5", "--to", "1", "-"} << 2
                                                 << "renumber: standard input (-) cannot be written back";
        QTest::newRow("convert, unknown layout") << QStringList{"convert", "--layout", "old", "a.ide", "-"} << 2
                                                 << "--layout needs later or counted, not old";
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, wrong);
        const Run run = runCli(args);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode != 0)
            QCOMPARE(kit::firstLine(run.err), "tarnel-cli: " + wrong.toLatin1());
        QVERIFY((exitCode == 0 ? run.err : run.out).isEmpty());
        const QByteArray text = exitCode == 0 ? run.out : run.err;
        for (const char* word :
             {"format [--keep-layout] IN OUT", "report FILE", "stats FILE", "table FILE SECTION",
              "check [--game DIR] [--id-limit N] FILE...",
              "free-ids [--count N] [--from A] [--to B] [--free-commented]", "[--game DIR] [--id-limit L] FILE...",
              "map [--game DIR] LIST...", "renumber --ids A-B[,C-D...] --to N [--keep-gaps] [--dry-run]",
              "convert --layout later|counted IN OUT", "--help", "--version"})
            QVERIFY2(text.contains(word), word);
    }

    // "-" names standard input (fed from the file named in `input`) or output;
    // check counts its findings on standard error. %1, %2: the files named.
    void standardStreamsAndLoadErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("format - -, layout kept") << QStringList{"format", "--keep-layout", "-", "-"} << "dupes"
                                                 << 0 << QString::fromLatin1(dupesFile) << "";
        QTest::newRow("table -") << QStringList{"table", "-", "sun"} << "dupes" << 0
                                 << fieldNamesOf(LineKind::Sun).join('\t') + '\n'
                                 << "";
        QTest::newRow("report -") << QStringList{"report", "-"} << "heading" << 0 << "3\tcomment\t#Factory\n"
                                  << "";
        const QString dupes = "%1:7: warning: ID 7: timed object switches at hour 24, outside 0-23\n"
                              "%1:7: error: ID 7 defined again; first defined at %1:2\n";
        QTest::newRow("check -") << QStringList{"check", "-"} << "dupes" << 1 << dupes.arg("-")
                                 << "1 error, 1 warning\n";
        QTest::newRow("check, - the file named")
            << QStringList{"check", "@dupes", "-"} << "dupes" << 1 << dupes << "1 error, 1 warning\n";
        QTest::newRow("format, a line dropped")
            << QStringList{"format", "@heading", "@/heading-out.ide"} << "" << 0 << ""
            << "tarnel-cli: 1 lines not kept by the fixed layout: tarnel-cli report %1 lists them; "
               "--keep-layout keeps them\n";
        QTest::newRow("check, short lines") << QStringList{"check", "@short", "@short"} << "" << 0 << ""
                                            << "0 errors, 0 warnings\n";
        QTest::newRow("free-ids, short lines")
            << QStringList{"free-ids", "@short", "@dupes"} << "" << 0 << "10-19\n"
            << "";
    }

    void standardStreamsAndLoadErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, input);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        for (qsizetype at = 0; at < args.size(); ++at) {
            args[at] = args[at].startsWith(QLatin1String("@/")) ? temp(args[at].mid(2))
                       : args[at].startsWith(QLatin1Char('@'))  ? inputPath(args[at].mid(1))
                                                                : args[at];
            out.replace(QStringLiteral("%%1").arg(at), args[at]);
            err.replace(QStringLiteral("%%1").arg(at), args[at]);
        }
        const Run run = runCli(args, input.isEmpty() ? QString() : inputPath(input));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QString::fromLatin1(run.out), out);
        QCOMPARE(QString::fromLatin1(run.err), err);
    }

    // Output that cannot be written fails the command, whatever it found.
    void writeErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        const QString file = kit::corpusPath(QStringLiteral("modmap-ghosttown.ide"));
        QTest::newRow("format") << QStringList{"format", file, "-"};
        QTest::newRow("report") << QStringList{"report", kit::corpusPath(QStringLiteral("basegame-default.ide"))};
        QTest::newRow("stats") << QStringList{"stats", file};
        QTest::newRow("table") << QStringList{"table", file, "objs"};
        QTest::newRow("check") << QStringList{"check", kit::corpusPath(QStringLiteral("console-washints.ide"))};
        QTest::newRow("free-ids") << QStringList{"free-ids", file};
        QTest::newRow("map") << QStringList{"map", file};
        QTest::newRow("convert") << QStringList{"convert", "--layout", "later", file, "-"};
        const QString list = QStringLiteral(TARNEL_CORPUS_DIR "/map/data/maplist.dat");
        QTest::newRow("renumber") << QStringList{"renumber", "--ids", "5499", "--to", "3000", "--dry-run", list};
    }

    void writeErrors()
    {
        QFETCH(QStringList, args);
        const Run run = runCli(args, {}, QStringLiteral("/dev/full"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.endsWith("tarnel-cli: standard output: No space left on device\n"), run.err);
    }

    // A copy of the map ("move": moveMap, "corpus": the real mod map) gets the
    // move with --dry-run (`out` its diff unless "*", nothing written), then
    // without: every file as the diff says, the other files as they were, and
    // check (with the same map options) finding what it found before.
    void renumber_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err"); // the summary, or the refusal
        QTest::newRow("every kind of line")
            << "move" << QStringList{"--ids", "100-103", "--to", "300", "data/move.dat"} << 0
            << "--- a/data/maps/a.ide\n+++ b/data/maps/a.ide\n@@ -2,1 +2,1 @@\n-100, box, tex, 1, 50, 0\n+300, "
               "box, tex, "
               "1, 50, 0\n@@ -3,1 +3,1 @@\n-101, crate, tex, 1, 50, 0\n+301, crate, tex, 1, 50, 0\n@@ -4,1 +4,1 "
               "@@\n-# "
               "102, barrel, tex, 1, 50, 0\n+# 302, barrel, tex, 1, 50, 0\n@@ -7,1 +7,1 @@\n-101, 0, 0, 1, 255, "
               "255, "
               "255, 200, 0, \"coronastar\", \"shad_exp\", 100, 0, 1.5, 0, 40, 1, 0, 0, 1\n+301, 0, 0, 1, 255, "
               "255, 255, "
               "200, 0, \"coronastar\", \"shad_exp\", 100, 0, 1.5, 0, 40, 1, 0, 0, 1\n@@ -10,1 +10,1 @@\n-ped, "
               "100, "
               "box\n+ped, 300, box\n--- a/data/maps/b.ide\n+++ b/data/maps/b.ide\n@@ -5,1 +5,1 @@\n-103, lamp, "
               "tex, 1, "
               "50, 0, 20, 6\r\n+303, lamp, tex, 1, 50, 0, 20, 6\r\n--- a/data/maps/a.ipl\n+++ "
               "b/data/maps/a.ipl\n@@ "
               "-3,1 +3,1 @@\n-100, box, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1\n\\ No newline at end of file\n+300, box, "
               "0, 0, 0, "
               "1, 1, 1, 0, 0, 0, 1\n\\ No newline at end of file\n--- "
               "a/data/maps/b.ipl\n+++ b/data/maps/b.ipl\n@@ -2,1 +2,1 @@\n-103, lamp, 1, 2, 3, 1, 1, 1, 0, 0, 0, "
               "1\r\n+303, lamp, 1, 2, 3, 1, 1, 1, 0, 0, 0, 1\r\n@@ -3,1 +3,1 @@\n-#101, crate, 1, 2, 3, 1, 1, 1, "
               "0, 0, "
               "0, 1\r\n+#301, crate, 1, 2, 3, 1, 1, 1, 0, 0, 0, 1\r\n"
            << "4 IDs: 9 lines in 4 files";
        QTest::newRow("gaps kept") << "move" << QStringList{"--keep-gaps", "--ids", "101,103",
                                                            "--to",        "201",   "data/move.dat"}
                                   << 0 << "*"
                                   << "2 IDs: 5 lines in 3 files";
        QTest::newRow("a new ID defined")
            << "move" << QStringList{"--ids", "100-101", "--to", "199", "data/move.dat"} << 1 << ""
            << "tarnel-cli: ID 200 is already defined at data/maps/b.ide:2\n"
               "tarnel-cli: the first 2 IDs free across the map start at 1 (--to 1)";
        QTest::newRow("an ID defined nowhere")
            << "move" << QStringList{"--ids", "100-104", "--to", "300", "data/move.dat"} << 1 << ""
            << "tarnel-cli: ID 104 is defined nowhere in the map";
        QTest::newRow("corpus, to the limit")
            << "corpus" << QStringList{"--ids", "5480-5499", "--to", "5490", "data/maplist.dat"} << 1 << ""
            << "tarnel-cli: The new IDs would reach the ID limit 5500 (the last would be 5509); set the limit to "
               "0 "
               "for none";
        QTest::newRow("corpus, no limit")
            << "corpus" << QStringList{"--id-limit", "0", "--ids", "5480-5499", "--to", "5490", "data/maplist.dat"}
            << 0 << "*"
            << "20 IDs: 40 lines in 4 files";
        QTest::newRow("corpus, into a free run")
            << "corpus" << QStringList{"--ids", "5480-5499", "--to", "3000", "data/maplist.dat"} << 0 << "*"
            << "20 IDs: 40 lines in 4 files";
    }

    void renumber()
    {
        QFETCH(QString, map);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QString folder = temp(QStringLiteral("renumber-") + QTest::currentDataTag());
        const QString from = map == QLatin1String("corpus") ? QStringLiteral(TARNEL_CORPUS_DIR "/map") : QString();
        for (const auto& [path, bytes] : from.isEmpty() ? moveMap : filesBelow(from))
            QVERIFY(QDir().mkpath(QFileInfo(folder + '/' + path).path()) &&
                    kit::putFile(folder + '/' + path, bytes));
        const std::map<QString, QByteArray> before = filesBelow(folder);
        QStringList check = args;
        for (const char* option : {"--ids", "--to"})
            check.remove(check.indexOf(option), 2);
        check.removeAll(QStringLiteral("--keep-gaps"));
        const Run checked = runCli(QStringList{"check"} + check, {}, {}, folder);

        const Run dry = runCli(QStringList{"renumber", "--dry-run"} + args, {}, {}, folder);
        QCOMPARE(dry.exitCode, exitCode);
        if (out != QLatin1String("*"))
            QCOMPARE(QString::fromLatin1(dry.out), out);
        const QString said = exitCode == 0 ? "Would move " + err + "; nothing written (--dry-run)\n" : err + '\n';
        QCOMPARE(QString::fromLatin1(dry.err), said);
        QVERIFY(filesBelow(folder) == before);

        const Run run = runCli(QStringList{"renumber"} + args, {}, {}, folder);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QString::fromLatin1(run.err), exitCode == 0 ? "Moved " + err + '\n' : err + '\n');
        QVERIFY(filesBelow(folder) == patched(before, dry.out));
        const Run again = runCli(QStringList{"check"} + check, {}, {}, folder);
        QCOMPARE(again.out, checked.out);
        QCOMPARE(again.err, checked.err);
    }

    // A file of the map whose name leaves no room for a new file beside it
    // (even for root): the move fails there, and no file changes.
    void renumberWritesAllOrNothing()
    {
        const QString folder = temp(QStringLiteral("renumber-all-or-nothing"));
        const QString last = folder + QStringLiteral("/data/") + QString(250, 'x') + QStringLiteral(".ipl");
        for (const auto& [path, bytes] : moveMap)
            QVERIFY(QDir().mkpath(QFileInfo(folder + '/' + path).path()) &&
                    kit::putFile(folder + '/' + path, bytes));
        QVERIFY(kit::putFile(last, "inst\n100, box, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1\n"));
        const std::map<QString, QByteArray> before = filesBelow(folder);
        const Run run =
            runCli({"renumber", "--ids", "100-103", "--to", "300", "data/move.dat", last}, {}, {}, folder);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "tarnel-cli: nothing moved, every file left as it was: " + QFile::encodeName(last) +
                              ": the folder " + QFile::encodeName(folder) +
                              "/data does not let a file be made in it: File name too long\n");
        QVERIFY(filesBelow(folder) == before);
    }

    // Output in the other layout (its SHA-1, checked by hand against an awk
    // rewrite), the lines left listed, and back again: the file as it was.
    void convert_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("sha1");
        QTest::addColumn<QString>("err");
        QTest::newRow("to counted") << "laterlayout-oceandrv.ide"
                                    << "counted" << 0 << "d89309cd3dee13535d6357f6c6fea0368c7e6e18"
                                    << "";
        const QString left = "%1:%2: several draw distances, left as it is\n";
        QTest::newRow("to later, lines left")
            << "modmap-props.ide"
            << "later" << 1 << "f9555a9c55dec479e3d1653766bd7d1826401fd3"
            << left.arg("%1", "29") + left.arg("%1", "30") + left.arg("%1", "33") + left.arg("%1", "35") +
                   left.arg("%1", "36");
    }

    void convert()
    {
        QFETCH(QString, name);
        QFETCH(QString, layout);
        QFETCH(int, exitCode);
        QFETCH(QString, sha1);
        QFETCH(QString, err);
        const QString in = kit::corpusPath(name);
        const QString out = temp(QStringLiteral("converted-") + name);
        const Run run = runCli({"convert", "--layout", layout, in, out});
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QString::fromLatin1(run.err), err.replace(QStringLiteral("%1"), in));
        QCOMPARE(QCryptographicHash::hash(kit::fileBytes(out), QCryptographicHash::Sha1).toHex(), sha1.toLatin1());
        const QString back = layout == QLatin1String("later") ? "counted" : "later";
        const Run again = runCli({"convert", "--layout", back, "-", "-"}, out);
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out, kit::fileBytes(in));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("notCreated"); // relative to the temporary folder
        const QString corpusFile = kit::corpusPath(QStringLiteral("modmap-props.ide"));
        QTest::newRow("no arguments") << QStringList() << QString();
        QTest::newRow("format without output") << QStringList{"format", corpusFile} << QString();
        QTest::newRow("format without input") << QStringList{"format"} << QString();
        QTest::newRow("format extra argument")
            << QStringList{"format", corpusFile, "@/extra-out.ide", "more"} << "extra-out.ide";
        QTest::newRow("format keeping without output")
            << QStringList{"format", "--keep-layout", corpusFile} << "--keep-layout";
        QTest::newRow("report without file") << QStringList{"report"} << QString();
        QTest::newRow("report missing file") << QStringList{"report", "@/no-such.ide"} << QString();
        QTest::newRow("stats without file") << QStringList{"stats"} << QString();
        QTest::newRow("stats two files") << QStringList{"stats", corpusFile, corpusFile} << QString();
        QTest::newRow("unknown command")
            << QStringList{"transform", corpusFile, "@/unknown-out.ide"} << "unknown-out.ide";
        QTest::newRow("format missing input")
            << QStringList{"format", "@/no-such.ide", "@/missing-in-out.ide"} << "missing-in-out.ide";
        QTest::newRow("format folder input")
            << QStringList{"format", "@", "@/folder-in-out.ide"} << "folder-in-out.ide";
        QTest::newRow("format into missing folder")
            << QStringList{"format", corpusFile, "@/absent/out.ide"} << "absent";
        QTest::newRow("format onto a folder") << QStringList{"format", corpusFile, "@"} << QString();
        QTest::newRow("stats missing file") << QStringList{"stats", "@/no-such.ide"} << QString();
        QTest::newRow("stats folder") << QStringList{"stats", "@"} << QString();
        QTest::newRow("check without file") << QStringList{"check"} << QString();
        QTest::newRow("check missing file") << QStringList{"check", corpusFile, "@/no-such.ide"} << QString();
        QTest::newRow("free-ids without file") << QStringList{"free-ids", "--count", "5"} << QString();
        QTest::newRow("map missing list") << QStringList{"map", "@/no-such.dat"} << QString();
        QTest::newRow("free-ids count not a number")
            << QStringList{"free-ids", "--count", "x", corpusFile} << QString();
        QTest::newRow("free-ids unknown option")
            << QStringList{"free-ids", "--depth", "3", corpusFile} << QString();
    }

    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, notCreated);
        for (QString& arg : args)
            arg.replace(QLatin1String("@"), m_dir.path());
        const Run run = runCli(args);
        QVERIFY(run.exitCode > 0);
        QVERIFY(!run.err.trimmed().isEmpty());
        QVERIFY(run.out.isEmpty());
        if (!notCreated.isEmpty())
            QVERIFY(!QFileInfo::exists(temp(notCreated)));
        QVERIFY(QFileInfo(m_dir.path()).isDir());
    }
};

QTEST_GUILESS_MAIN(DocumentCliTest)
#include "test_document_cli.moc"
