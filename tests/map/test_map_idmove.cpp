// Moving IDs across a map: the refusals, the lines every file and an open
// document change (byte for byte), the first free run, the real mod map.
#include "document/filesreplacement.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/idindex.h"
#include "map/gamemap.h"
#include "map/idmove.h"
#include "support/testfiles.h"
#include "texts/maptexts.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnel;
using namespace tarnel::texts;

namespace {

using Files = QMap<QString, QByteArray>; // below the game folder

const QByteArray i12 = ", 0, 0, 0, 1, 1, 1, 0, 0, 0, 1"; // 12 inst values: the ID limit 5,500
// clang-format off
const Files crafted{
    {"data/gta.dat", "IDE DATA\\A.IDE\r\nIDE data/b.ide\r\nIPL data/one.ipl\r\nIPL data/two.ipl\r\n"},
    {"data/a.ide", "objs\n10, door, tex, 1, 100, 0\n  # 11, gate, tex, 1, 100, 0\n007, box, tex, 1, 100, 0\nend\n"
                   "tobj\n20, lamp, tex, 1, 100, 0, 20, 6\nend\n2dfx\n 10 , 0, 0, 1, 255, 255, 255, 200, 1\nend\n"
                   "path\nped, 10, door\n\t0, -1, 0, 0, 0, 0, 1, 1\n# ped,  11 , gate\nped, -1, none\nend"},
    {"data/b.ide", "objs\r\n30, wall, tex, 1, 100, 0\r\n# 40, old, tex, 1, 100, 0\r\nend\r\ncars\r\n400, car\r\nend\r\n"},
    {"data/one.ipl", "inst\n10, door" + i12 + "\n30, wall" + i12 + "\nend\ncull\n10, 0, 0\nend\n"},
    {"data/two.ipl", "inst\r\n# 7, box" + i12 + "\r\n+7, box" + i12 + "\r\nend\r\n"},
};
// clang-format on

QString writeMap(const QTemporaryDir& dir, const Files& files)
{
    for (auto it = files.begin(); it != files.end(); ++it) {
        QDir().mkpath(QFileInfo(dir.filePath(it.key())).path());
        support::putFile(dir.filePath(it.key()), it.value());
    }
    return dir.filePath("data/gta.dat");
}

// Every file's new bytes from the move's changes, written together.
QString applyMove(const GameMap& map, const IdMapping& mapping)
{
    QList<std::pair<QString, QByteArray>> written;
    for (const FileIdChanges& file : idChangesInMap(map, mapping))
        written.append({map.sources().files[file.file].path, withLineChanges(file.bytes, file.changes)});
    return replaceFilesTogether(written);
}

QByteArray withoutSpaces(QByteArray text)
{
    return text.replace(' ', "");
}

} // namespace

class TestMapIdMove : public QObject {
    Q_OBJECT

private slots:
    // Each row a request on the crafted map: the refusal, or the files it changes as their whole new bytes.
    void moves_data()
    {
        QTest::addColumn<QList<qint64>>("ids");
        QTest::addColumn<qint64>("to");
        QTest::addColumn<bool>("keepGaps");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<Files>("changed");
        const Files collapsed{
            {"data/a.ide",
             "objs\n101, door, tex, 1, 100, 0\n  # 102, gate, tex, 1, 100, 0\n100, box, tex, 1, 100, 0\n"
             "end\ntobj\n20, lamp, tex, 1, 100, 0, 20, 6\nend\n2dfx\n 101 , 0, 0, 1, 255, 255, 255, 200, 1\n"
             "end\npath\nped, 101, door\n\t0, -1, 0, 0, 0, 0, 1, 1\n# ped,  102 , gate\nped, -1, none\nend"},
            {"data/one.ipl", "inst\n101, door" + i12 + "\n30, wall" + i12 + "\nend\ncull\n10, 0, 0\nend\n"},
            {"data/two.ipl", "inst\r\n# 100, box" + i12 + "\r\n100, box" + i12 + "\r\nend\r\n"}};
        Files kept = collapsed;
        kept["data/a.ide"].replace("101", "103").replace("102", "104");
        kept["data/one.ipl"].replace("101", "103");
        QTest::newRow("gaps collapse, 007 and +7, commented lines, CR LF and LF")
            << QList<qint64>{7, 10, 11} << qint64(100) << false << QString() << collapsed;
        QTest::newRow("gaps kept") << QList<qint64>{11, 7, 10} << qint64(100) << true << QString() << kept;
        Files ontoOwn{{"data/a.ide", crafted["data/a.ide"]}, {"data/one.ipl", crafted["data/one.ipl"]}};
        ontoOwn["data/a.ide"].replace("# 11,", "# 12,").replace(" 11 ,", " 12 ,").replace("10, door", "11, door");
        ontoOwn["data/a.ide"].replace(" 10 ,", " 11 ,");
        ontoOwn["data/one.ipl"].replace("inst\n10,", "inst\n11,");
        QTest::newRow("onto IDs that move away")
            << QList<qint64>{10, 11} << qint64(11) << false << QString() << ontoOwn;
        QTest::newRow("reaches the limit")
            << QList<qint64>{10, 20} << qint64(5499) << false << moveReachesLimit.arg(5500).arg(5500) << Files{};
        QTest::newRow("target defined") << QList<qint64>{10} << qint64(30) << false
                                        << moveTargetDefined.arg(30).arg("data/b.ide:2") << Files{};
        QTest::newRow("target commented") << QList<qint64>{10, 20} << qint64(39) << false
                                          << moveTargetDefined.arg(40).arg("data/b.ide:3") << Files{};
        QTest::newRow("target a car") << QList<qint64>{10} << qint64(400) << false
                                      << moveTargetDefined.arg(400).arg("data/b.ide:6") << Files{};
        QTest::newRow("defined nowhere")
            << QList<qint64>{10, 12} << qint64(100) << false << moveIdDefinedNowhere.arg(12) << Files{};
    }
    void moves()
    {
        QFETCH(QList<qint64>, ids);
        QFETCH(qint64, to);
        QFETCH(bool, keepGaps);
        QFETCH(QString, refusal);
        QFETCH(Files, changed);
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path()); // places shown below it
        const GameMap map = GameMap::read(collectMapSources({writeMap(dir, crafted)}));
        QDir::setCurrent(before);
        const IdMapping mapping = IdMapping::make(ids, to, keepGaps);
        QCOMPARE(idMoveRefusal(map, mapping), refusal);
        if (!refusal.isEmpty())
            return;
        // An open document changes the rows and path lines the file does (a commented path line is no part of it).
        for (const MapFile& file : map.sources().files) {
            if (file.kind != MapFileKind::Ide)
                continue;
            IdeDocument document;
            QCOMPARE(loadDocument(document, file.path, {}).status, ReadOutcome::Read);
            const QList<LineChange> inFile = idChangesInFile(support::fileBytes(file.path), file.kind, mapping);
            const DocumentIdChanges inDocument = idChangesInDocument(document, mapping);
            QCOMPARE(inDocument.count() + inDocument.keptLines.size(), inFile.size());
            for (const LineChange& kept : inDocument.keptLines)
                QVERIFY(inFile.contains(kept));
            for (const LineChange& shown : inDocument.shown) {
                const auto same = std::find_if(inFile.begin(), inFile.end(),
                                               [&](const LineChange& c) { return c.line == shown.line; });
                QVERIFY2(same != inFile.end(), qPrintable(QString::number(shown.line)));
                QCOMPARE(withoutSpaces(shown.after), withoutSpaces(same->after));
            }
        }
        QCOMPARE(applyMove(map, mapping), QString());
        for (auto it = crafted.begin(); it != crafted.end(); ++it)
            QCOMPARE(support::fileBytes(dir.filePath(it.key())), changed.value(it.key(), it.value()));
    }

    // IDs as tarnel-cli takes them: ascending, each once, or the reason.
    void idRanges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<qint64>>("ids");
        QTest::addColumn<QString>("error");
        QTest::newRow("ranges and single IDs")
            << " 12-14, 3 ,13,007" << QList<qint64>{3, 7, 12, 13, 14} << QString();
        QTest::newRow("empty") << " " << QList<qint64>{} << idRangesEmpty;
        QTest::newRow("a word") << "3,x-4" << QList<qint64>{} << idRangesBadPiece.arg("x-4");
        QTest::newRow("a negative ID") << "-4" << QList<qint64>{} << idRangesBadPiece.arg("-4");
        QTest::newRow("backwards") << "9-8" << QList<qint64>{} << idRangesBackwards.arg("9-8");
        QTest::newRow("too many") << "0-99999999" << QList<qint64>{} << idRangesTooMany.arg("0-99999999");
    }
    void idRanges()
    {
        QFETCH(QString, text);
        QFETCH(QList<qint64>, ids);
        QFETCH(QString, error);
        QString reason;
        QCOMPARE(parseIdRanges(text, &reason).value_or(QList<qint64>{}), ids);
        QCOMPARE(reason, error);
    }

    void firstFreeRun_data()
    {
        QTest::addColumn<qint64>("span");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("expected"); // -1: none
        QTest::newRow("one from the start") << qint64(1) << qint64(1) << qint64(1);
        QTest::newRow("from 1 when no file is missing") << qint64(3) << qint64(-1) << qint64(1);
        QTest::newRow("past used and commented IDs") << qint64(3) << qint64(7) << qint64(12);
        QTest::newRow("past a car") << qint64(1) << qint64(400) << qint64(401);
        QTest::newRow("ends below the limit") << qint64(5) << qint64(5495) << qint64(5495);
        QTest::newRow("would reach the limit") << qint64(6) << qint64(5495) << qint64(-1);
    }
    void firstFreeRun()
    {
        QFETCH(qint64, span);
        QFETCH(qint64, from);
        QFETCH(qint64, expected);
        QTemporaryDir dir;
        const GameMap map = GameMap::read(collectMapSources({writeMap(dir, crafted)}));
        const auto start = from < 0 ? std::nullopt : std::optional<qint64>(from);
        QCOMPARE(tarnel::firstFreeRun(map, span, start).value_or(-1), expected);
    }

    // The real mod map: its 20 highest IDs cannot reach 5,500 unless the limit
    // is none; moved into its first free run they leave the same findings.
    void corpusMap()
    {
        QTemporaryDir dir;
        const QString corpus = QStringLiteral(TARNEL_CORPUS_DIR "/map");
        for (QDirIterator it(corpus, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            const QString copy = dir.filePath(QDir(corpus).relativeFilePath(path));
            QDir().mkpath(QFileInfo(copy).path());
            QVERIFY(QFile::copy(path, copy));
        }
        const QStringList list{dir.filePath("data/maplist.dat")};
        GameMap map = GameMap::read(collectMapSources(list));
        const QList<qint64> highest = map.usedIds().mid(map.usedIds().size() - 20);
        QCOMPARE(idMoveRefusal(map, IdMapping::make(highest, 5490, false)), moveReachesLimit.arg(5509).arg(5500));
        map.setIdLimit(std::optional<qint64>());
        QCOMPARE(idMoveRefusal(map, IdMapping::make(highest, 5490, false)), QString());
        map.setIdLimit(std::nullopt);
        // Its lists name base game files that are missing, whose IDs would
        // look free: none is offered below its lowest ID, 3465, and no run of 20 fits above.
        QCOMPARE(tarnel::firstFreeRun(map, 20), std::nullopt);
        const std::optional<qint64> free = tarnel::firstFreeRun(map, 20, 1);
        QVERIFY(free && *free + 20 <= 5500);
        const IdMapping mapping = IdMapping::make(highest, *free, false);
        QCOMPARE(idMoveRefusal(map, mapping), QString());
        const qsizetype findings = map.findings().size();
        QCOMPARE(applyMove(map, mapping), QString());
        const GameMap moved = GameMap::read(collectMapSources(list));
        QCOMPARE(moved.findings().size(), findings);
        QList<qint64> expected = map.usedIds().first(map.usedIds().size() - 20);
        for (const auto& [oldId, newId] : mapping.pairs())
            expected.append(newId);
        std::sort(expected.begin(), expected.end());
        QCOMPARE(moved.usedIds(), expected);
    }
};

QTEST_GUILESS_MAIN(TestMapIdMove)
#include "test_map_idmove.moc"
