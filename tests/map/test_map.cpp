// The map: level lists and folders, the IDs of every file in one space, the
// checks across them, and the real mod map of the test corpus.
#include "document/idedocument.h"
#include "document/idefile.h"
#include "map/gamemap.h"
#include "map/mapindex.h"
#include "map/pathresolver.h"
#include "support/testfiles.h"
#include "texts/maptexts.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace tarnel;
using namespace tarnel::texts;

namespace {

QString err(const QString& place, const QString& message)
{
    return place + QStringLiteral(": error: ") + message;
}
QString warn(const QString& place, const QString& message)
{
    return place + QStringLiteral(": warning: ") + message;
}

// Writes {path, bytes, path, bytes, ...} below `root`; bytes "->x" make a link to x.
void writeFiles(const QString& root, const QByteArrayList& files)
{
    for (qsizetype i = 0; i + 1 < files.size(); i += 2) {
        const QString path = root + u'/' + QString::fromLatin1(files[i]);
        QDir().mkpath(QFileInfo(path).path());
        if (files[i + 1].startsWith("->"))
            QVERIFY(QFile::link(QString::fromLatin1(files[i + 1].sliced(2)), path));
        else
            QVERIFY(support::putFile(path, files[i + 1]));
    }
}

QStringList described(const QList<MapFinding>& findings)
{
    QStringList lines;
    for (const MapFinding& finding : findings)
        lines.append(compilerStyle(finding));
    return lines;
}

// The bytes handed out a line a block.
ByteBlocks lineBlocks(const QByteArray& bytes)
{
    return [bytes](const BlockSink& take) {
        for (qsizetype at = 0, lf = 0; at < bytes.size(); at = lf + 1) {
            lf = bytes.indexOf('\n', at) < 0 ? bytes.size() : bytes.indexOf('\n', at);
            take(QByteArrayView(bytes).sliced(at, std::min(lf + 1, bytes.size()) - at));
        }
    };
}

const QByteArray list = "data/gta.dat";
const QByteArray objs10 = "objs\n10, door, t, 1, 100, 0\n11, gate, t, 1, 100, 0\nend\n";
const QByteArray inst12 = ", 0, 0, 0, 1, 1, 1, 0, 0, 0, 1";

} // namespace

class TestMap : public QObject {
    Q_OBJECT

private slots:
    // Each case a small map; the findings as `tarnel-cli check` prints them.
    // Every case also takes each file's facts out and puts them back, and
    // reads each IDE file as an open document does: the findings follow.
    void findings_data()
    {
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QStringList>("operands");
        QTest::addColumn<QStringList>("expected");
        const QStringList dat{QString::fromLatin1(list)};
        QTest::newRow("defined again, by value, paths any case")
            << QByteArrayList{list,         "# ids\nIDE DATA\\A.IDE\nide data/B.ide\nIMG x.img\n",
                              "data/a.ide", "objs\n7, m7, t, 1, 100, 0\nend\n",
                              "data/b.ide", "objs\n+7, m7, t, 1, 100, 0\n007, m7, t, 1, 100, 0\nend\n"}
            << dat
            << QStringList{err("data/b.ide:2", mapIdDefinedAgain.arg(7).arg("data/a.ide:2")),
                           err("data/b.ide:3", mapIdDefinedAgain.arg(7).arg("data/a.ide:2"))};
        QTest::newRow("a file name holding a placeholder")
            << QByteArrayList{"a%1.ide", objs10, "b.ide", objs10} << QStringList{"a%1.ide", "b.ide"}
            << QStringList{err("b.ide:2", mapIdDefinedAgain.arg(10).arg(mapPlace.arg("a%1.ide").arg(2))),
                           err("b.ide:3", mapIdDefinedAgain.arg(11).arg(mapPlace.arg("a%1.ide").arg(3)))};
        QTest::newRow("hier over a ped, every defining section")
            << QByteArrayList{list, "IDE data/a.ide\n", "data/a.ide",
                              "peds\n9, p, t\nend\nhier\n9, cut\nend\nweap\n9, w\nend\ncars\n400, c\n400, "
                              "d\nend\n"}
            << dat
            << QStringList{warn("data/a.ide:5", mapIdDefinedAgain.arg(9).arg("data/a.ide:2")),
                           err("data/a.ide:8", mapIdDefinedAgain.arg(9).arg("data/a.ide:2")),
                           err("data/a.ide:12", mapIdDefinedAgain.arg(400).arg("data/a.ide:11"))};
        QTest::newRow("undefined, commented lines define nothing")
            << QByteArrayList{list,
                              "IDE data/a.ide\nIPL data/a.ipl\n",
                              "data/a.ide",
                              "objs\n# 5, m5, t, 1, 100, 0\nend\n2dfx\n6, 0, 0, 0, 255, 255, 255, 200, 1\nend\n",
                              "data/a.ipl",
                              "inst\n5, m5" + inst12 + "\n#6, m6" + inst12 + "\nend\n"}
            << dat
            << QStringList{err("data/a.ide:5", mapIdUndefined.arg(6)), err("data/a.ipl:2", mapIdUndefined.arg(5))};
        QTest::newRow("undefined while an IDE file is missing")
            << QByteArrayList{list, "IDE data/gone.ide\nIPL data/a.ipl\n", "data/a.ipl", "inst\n5, m5" + inst12}
            << dat
            << QStringList{warn("data/gta.dat:1", mapListedFileMissing.arg("data/gone.ide")),
                           warn("data/a.ipl:2", mapIdUndefinedSomeMissing.arg(5).arg(1))};
        QTest::newRow("names differ, in paths and placements")
            << QByteArrayList{list,         "IDE data/a.ide\nIPL data/a.ipl\n",
                              "data/a.ide", objs10 + "path\nped, 10, DOOR\nped, 11, wall\nped, -1, none\nend\n",
                              "data/a.ipl", "inst\n10, gate" + inst12 + "\n11, GATE" + inst12 + "\nend\n"}
            << dat
            << QStringList{err("data/a.ide:7", mapNameDiffers.arg(11).arg("wall", "gate").arg("data/a.ide:3")),
                           err("data/a.ipl:2", mapNameDiffers.arg(10).arg("gate", "door").arg("data/a.ide:2") +
                                                   mapNameIsOtherId.arg("gate").arg(11).arg("data/a.ide:3"))};
        const QByteArray sa = "10, door, 0, 0, 0, 0, 0, 0, 0, 1, ";
        QTest::newRow("LOD index, ID limit of 11 values")
            << QByteArrayList{list,         "IDE data/a.ide\nIPL data/a.ipl\n",
                              "data/a.ide", objs10 + "objs\n20000, far, t, 1, 100, 0\nend\n",
                              "data/a.ipl", "inst\n" + sa + "-1\n" + sa + "2\n" + sa + "4\n" + sa + "-2\nend\n"}
            << dat
            << QStringList{warn("data/a.ide:6", mapIdAtLimit.arg(20000).arg(20000)),
                           err("data/a.ipl:4", mapLodOutOfRange.arg(10).arg("4").arg(4)),
                           err("data/a.ipl:5", mapLodOutOfRange.arg(10).arg("-2").arg(4))};
        QTest::newRow("missing comma, ID limit of 12 values")
            << QByteArrayList{list,
                              "IDE data/a.ide\nIPL data/a.ipl\n",
                              "data/a.ide",
                              objs10,
                              "data/a.ipl",
                              "inst\n10, door" + inst12 + "\n11, gate" + inst12 + "\n10, door, 0, 0, 0, 1, 1, 1, 0, 0, 0 1\n"}
            << dat << QStringList{warn("data/a.ipl:4", mapInstValueCount.arg(10).arg(11).arg(12))};
        QTest::newRow("hours, draw distances, mesh counts, a section without end")
            << QByteArrayList{list, "IDE data/a.ide\n", "data/a.ide",
                              "tobj\n20, clock, t, 1, 100, 0, 6, 24\n21, c2, t, 1, 100, 0, 25, -1\n"
                              "objs\n30, a, t, 1, 0, 0\n31, b, t, 2, 100, 0\n32, c, t, 3, 100, 150, abc, 0\n"
                              "33, d, t, 2, 000, 0050, 0\n34, a_long_model_name, a_long_txd_name, 1, 0.0, "
                              "0\nend\n"}
            << dat
            << QStringList{warn("data/a.ide:2", mapHourOutOfRange.arg(20).arg("24")),
                           warn("data/a.ide:3", mapHourOutOfRange.arg(21).arg("25")),
                           warn("data/a.ide:3", mapHourOutOfRange.arg(21).arg("-1")),
                           warn("data/a.ide:5", mapDrawDistance.arg(30).arg("0")),
                           warn("data/a.ide:6", mapMeshCount.arg(31).arg("2").arg(1)),
                           warn("data/a.ide:7", mapDrawDistance.arg(32).arg("abc")),
                           warn("data/a.ide:8", mapDrawDistance.arg(33).arg("000")),
                           warn("data/a.ide:9", mapDrawDistance.arg(34).arg("0.0"))};
        QTest::newRow("ID limit of 13 values, binary placements, the same file twice")
            << QByteArrayList{list,         "IDE data/a.ide\nIDE data/./A.ide\nIPL data/a.ipl\nIPL data/b.ipl\n",
                              "data/a.ide", "objs\n6499, a, t, 1, 100, 0\n6500, b, t, 1, 100, 0\nend\n",
                              "data/a.ipl", "inst\n6499, a, 0" + inst12 + "\nend\n",
                              "data/b.ipl", "bnry\1\0\0"}
            << dat
            << QStringList{warn("data/a.ide:3", mapIdAtLimit.arg(6500).arg(6500)),
                           warn("data/b.ipl", mapBinaryPlacements)};
        QTest::newRow("a folder: stray copies count, a link loop is not followed")
            << QByteArrayList{"maps/a.ide",  objs10, "maps/old/a.ide", objs10,
                              "maps/old/up", "->..", "maps/notes.txt", "10"}
            << QStringList{"maps"}
            << QStringList{warn("maps", mapFolderNote), warn("maps/old/up", mapFolderLoop),
                           err("maps/old/a.ide:2", mapIdDefinedAgain.arg(10).arg("maps/a.ide:2")),
                           err("maps/old/a.ide:3", mapIdDefinedAgain.arg(11).arg("maps/a.ide:3"))};
        // Robustness: bad lists and files end in findings.
        QTest::newRow("a list naming itself, leaving the game folder")
            << QByteArrayList{list, "IPL DATA\\GTA.DAT\nIDE ..\\..\\etc\\passwd\nIDE data/x/../../..\n"} << dat
            << QStringList{warn("data/gta.dat:1", mapListNamesItself.arg("DATA\\GTA.DAT")),
                           warn("data/gta.dat:2", mapLeavesGameFolder.arg("..\\..\\etc\\passwd")),
                           warn("data/gta.dat:3", mapLeavesGameFolder.arg("data/x/../../.."))};
        QTest::newRow("empty and binary files")
            << QByteArrayList{list,         "IDE data/a.ide\nIPL data/a.ipl\nIDE data/b.ide\n",
                              "data/a.ide", "",
                              "data/a.ipl", "",
                              "data/b.ide", QByteArray("objs\n\0\xff\n", 9),
                              "data/c.dat", QByteArray("\0\xff\x01IDE", 6)}
            << QStringList{"data/gta.dat", "data/c.dat", "data/none.dat"}
            << QStringList{warn("data/c.dat", mapListNamesNothing), warn("data/none.dat", mapNoSuchOperand),
                           warn("data/a.ide", mapEmptyFile), warn("data/a.ipl", mapEmptyFile),
                           warn("data/b.ide", mapBinaryFile)};
        QByteArray longList;
        QStringList missing;
        for (int i = 0; i < 10000; ++i) {
            longList += "IPL m" + QByteArray::number(i) + ".ipl\n";
            missing += warn("data/gta.dat:" + QString::number(i + 1),
                            mapListedFileMissing.arg(u'm' + QString::number(i) + ".ipl"));
        }
        QTest::newRow("a list of 10,000 lines") << QByteArrayList{list, longList} << dat << missing;
    }
    void findings()
    {
        QFETCH(QByteArrayList, files);
        QFETCH(QStringList, operands);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        writeFiles(dir.path(), files);
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        GameMap map = GameMap::read(collectMapSources(operands));
        QDir::setCurrent(before);
        const QStringList found = described(map.findings());
        QCOMPARE(found.join(u'\n'), expected.join(u'\n'));
        // Facts read a line a block are those of the file read whole; so are
        // an IDE file's read in two parts, the second from a line opening a section.
        QList<QByteArray> bytes;
        QList<FileFacts> lineByLine;
        for (const MapFile& source : map.sources().files) {
            bytes.append(source.missing() ? QByteArray() : readIdeFile(source.path).bytes);
            lineByLine.append(source.missing()                  ? FileFacts{}
                              : source.kind == MapFileKind::Ide ? readIdeFacts(lineBlocks(bytes.last()))
                                                                : readIplFacts(lineBlocks(bytes.last())));
        }
        QCOMPARE(described(GameMap::fromFacts(map.sources(), lineByLine).findings()), found);
        for (qsizetype file = 0; file < bytes.size(); ++file) {
            for (qsizetype at = 0;
                 map.sources().files[file].kind == MapFileKind::Ide && at < bytes[file].size();) {
                const qsizetype lf = bytes[file].indexOf('\n', at);
                const qsizetype next = lf < 0 ? bytes[file].size() : lf + 1;
                const QByteArrayView line = QByteArrayView(bytes[file]).sliced(at, next - at);
                if (IdeSectionWalk::opensSection(line.chopped(line.endsWith("\r\n") ? 2 : line.endsWith('\n')))) {
                    QList<FileFacts> parts = lineByLine;
                    parts[file] =
                        readIdeFacts(lineBlocks(bytes[file].first(at)), lineBlocks(bytes[file].sliced(at)));
                    QCOMPARE(described(GameMap::fromFacts(map.sources(), parts).findings()), found);
                }
                at = next;
            }
        }
        // A file's findings taken in two parts cut at any line are its findings.
        for (qsizetype file = -1; file < map.sources().files.size(); ++file) {
            for (qint64 cut = 0; cut <= (file < 0 ? 1 : map.facts(file).lineCount + 1); ++cut) {
                QList<MapFinding> parts;
                const auto take = [&parts](const MapFinding& finding) { parts.append(finding); };
                map.forEachFindingIn(file, 0, cut, take);
                map.forEachFindingIn(file, cut, std::numeric_limits<qint64>::max(), take);
                QCOMPARE(described(parts), described(map.findingsIn(file)));
            }
        }
        for (qsizetype file = 0; file < map.sources().files.size(); ++file) {
            const MapFile& source = map.sources().files[file];
            if (source.missing())
                continue;
            FileFacts facts = map.facts(file);
            QList<QStringList> before;
            for (qsizetype other = 0; other < map.sources().files.size(); ++other)
                before.append(described(map.findingsIn(other)));
            const QList<qsizetype> touched = map.replaceFacts(file, {});
            QList<FileFacts> without;
            for (qsizetype other = 0; other < map.sources().files.size(); ++other) {
                without.append(map.facts(other));
                if (!touched.contains(other))
                    QCOMPARE(described(map.findingsIn(other)), before[other]);
            }
            QCOMPARE(described(map.findings()), described(GameMap::fromFacts(map.sources(), without).findings()));
            if (source.kind == MapFileKind::Ide) {
                IdeDocument document;
                loadDocument(document, source.path, {});
                facts = ideFactsOfDocument(document, facts);
            }
            map.replaceFacts(file, facts);
            QCOMPARE(described(map.findings()), found);
        }
    }

    // The real mod map of the test corpus, by kind of finding. Counted by hand
    // (awk over the list and the files): the list names 29 IDE and 25 IPL
    // files; 16 IDE and 15 IPL ones are the base game's, not there (31 lines,
    // `CULL.IPL` and `cull.IPL` among them). The 13 IDE files found define
    // 2,033 IDs (2,019 objs, 14 tobj), none twice, all below 5,500, the limit
    // of the 12-value inst lines; their 1,712 2dfx lines and 527 path headers
    // name defined IDs by their own names. Of the 11,745 inst lines of the 10
    // IPL files, all of 12 values, 4,265 place IDs no file here defines (the
    // base game's objects), and every other one uses its definition's name.
    void corpusMap_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("severity");
        QTest::addColumn<int>("count");
        QTest::newRow("every finding") << QStringLiteral("%1") << "(error|warning)" << 4296;
        QTest::newRow("listed files not found") << mapListedFileMissing << "warning" << 31;
        QTest::newRow("undefined, files missing") << mapIdUndefinedSomeMissing << "warning" << 4265;
        QTest::newRow("defined again") << mapIdDefinedAgain << "(error|warning)" << 0;
        QTest::newRow("names differ") << mapNameDiffers << "error" << 0;
        QTest::newRow("inst value counts") << mapInstValueCount << "warning" << 0;
        QTest::newRow("ID limit") << mapIdAtLimit << "warning" << 0;
        QTest::newRow("hours") << mapHourOutOfRange << "warning" << 0;
        QTest::newRow("draw distances") << mapDrawDistance << "warning" << 0;
        QTest::newRow("mesh counts") << mapMeshCount << "warning" << 0;
    }
    void corpusMap()
    {
        QFETCH(QString, message);
        QFETCH(QString, severity);
        QFETCH(int, count);
        const QString listFile = QStringLiteral(TARNEL_CORPUS_DIR "/map/data/maplist.dat");
        const GameMap map = GameMap::read(collectMapSources({listFile}));
        const QString anyArgument =
            QRegularExpression::escape(message).replace(QRegularExpression("\\\\%\\d"), ".*");
        const QRegularExpression pattern(": " + severity + ": " + anyArgument + '$');
        QCOMPARE(described(map.findings()).filter(pattern).size(), count);
        QCOMPARE(map.idLimit(), std::optional<qint64>(5500));
    }

    // The case-free matching of a list's paths below the game folder.
    void pathResolution_data()
    {
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("expected"); // below the game folder; "" missing, ".." leaving it
        QTest::newRow("exact") << "data/a.ide"
                               << "data/a.ide";
        QTest::newRow("other case, backslashes") << "DATA\\MAPS\\A.IDE"
                                                 << "data/maps/a.IDE";
        QTest::newRow("the exact name first") << "data/AB.ide"
                                              << "data/AB.ide";
        QTest::newRow("dots") << ".\\data\\.\\maps\\..\\a.ide"
                              << "data/a.ide";
        QTest::newRow("up from the game folder") << "..\\a.ide"
                                                 << "..";
        QTest::newRow("up and back") << "data/../../x/a.ide"
                                     << "..";
        QTest::newRow("not there") << "data/b.ide"
                                   << "";
        QTest::newRow("a folder") << "data\\maps"
                                  << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void pathResolution()
    {
        QFETCH(QString, listed);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        writeFiles(dir.path(), {"data/a.ide", "", "data/maps/a.IDE", "", "data/ab.ide", "", "data/AB.ide", ""});
        PathResolver resolver(dir.path());
        const PathResolver::Resolved resolved = resolver.resolve(listed);
        const QString found = resolved.outcome == PathResolver::Outcome::LeavesGameFolder ? QStringLiteral("..")
                              : resolved.path.isEmpty()                                   ? QString()
                                                        : QDir(dir.path()).relativeFilePath(resolved.path);
        QCOMPARE(found, expected);
    }

    // The ID limit: from the value count most inst lines of the map have, or set.
    void idLimit_data()
    {
        QTest::addColumn<QList<QList<int>>>("files"); // each IPL file's inst lines by value count
        QTest::addColumn<qint64>("set");              // -1 derive, 0 none
        QTest::addColumn<qint64>("expected");         // -1 none
        QTest::newRow("11 values") << QList<QList<int>>{{11, 11}} << qint64(-1) << qint64(20000);
        QTest::newRow("13 values") << QList<QList<int>>{{13}} << qint64(-1) << qint64(6500);
        QTest::newRow("12 values, one line short")
            << QList<QList<int>>{{12, 11, 12}} << qint64(-1) << qint64(5500);
        QTest::newRow("most lines over files")
            << QList<QList<int>>{{12, 12}, {11, 11, 11}} << qint64(-1) << qint64(20000);
        QTest::newRow("no inst line") << QList<QList<int>>{{}} << qint64(-1) << qint64(-1);
        QTest::newRow("an unknown count") << QList<QList<int>>{{10}} << qint64(-1) << qint64(-1);
        QTest::newRow("set") << QList<QList<int>>{{11}} << qint64(300) << qint64(300);
        QTest::newRow("set to none") << QList<QList<int>>{{11}} << qint64(0) << qint64(-1);
    }
    void idLimit()
    {
        QFETCH(QList<QList<int>>, files);
        QFETCH(qint64, set);
        QFETCH(qint64, expected);
        MapSources sources;
        QList<FileFacts> facts;
        for (const QList<int>& counts : files) {
            QByteArray bytes = "inst\n";
            for (const int count : counts)
                bytes += "1" + QByteArray(", 0").repeated(count - 1) + '\n';
            sources.files.append(
                MapFile{MapFileKind::Ipl, QStringLiteral("/a.ipl"), QStringLiteral("a.ipl"), {}, {}, 0});
            facts.append(readIplFacts(bytes + "end\n"));
        }
        GameMap map = GameMap::fromFacts(sources, facts);
        if (set >= 0)
            map.setIdLimit(set == 0 ? std::optional<qint64>() : std::optional<qint64>(set));
        QCOMPARE(map.idLimit().value_or(-1), expected);
    }

    // The first definition of a model name, any case, in load order: in two
    // files of `filler` other names each, a big map's indexed in two halves.
    void definitionNamed_data()
    {
        QTest::addColumn<int>("filler");
        QTest::newRow("small map") << 10;
        QTest::newRow("big map") << 150'000;
    }
    void definitionNamed()
    {
        QFETCH(int, filler);
        QList<FileFacts> facts(2);
        for (FileFacts& file : facts) {
            for (int i = 0; i < filler; ++i)
                file.definitions.append(IdDefinition{i, "m" + QByteArray::number(i), i + 1, IdSection::Objs});
        }
        auto name = [&](int file, int index, const char* name) { facts[file].definitions[index].name = name; };
        name(0, filler - 1, "Gate"); // the end of the first half, before the second's
        name(1, 0, "gate");
        name(1, 5, "door"); // twice in the second half
        name(1, filler - 1, "DOOR");
        name(0, 3, "wall"); // twice in the first half
        name(0, filler - 2, "wall");
        const MapIndex index(facts);
        for (const auto& [asked, place] : {std::pair{"GATE", MapPlace{0, filler - 1}},
                                           std::pair{"door", MapPlace{1, 5}}, std::pair{"Wall", MapPlace{0, 3}}})
            QCOMPARE(index.definitionNamed(asked).value_or(MapPlace{-1, -1}), place);
        QVERIFY(!index.definitionNamed("none"));
    }
};

QTEST_GUILESS_MAIN(TestMap)
#include "test_map.moc"
