// The IDE format in memory: how lines are split and classified, what a load
// reports, how a document is written and that writing and reading agree.
#include "documenttestkit.h"

#include "document/ideparser.h"
#include "document/idewriter.h"
#include "document/rowcells.h"
#include "document/storabletext.h"

#include <QDateTime>
#include <QDir>
#include <QTest>

#include <initializer_list>

using namespace tarnel;

namespace {

// n values "<tag>1" .. "<tag>n", as a line of the file (commas) or as a dump (bars).
QByteArray csv(int n, char tag = 'a')
{
    QByteArrayList values;
    for (int i = 1; i <= n; ++i)
        values.append(tag + QByteArray::number(i));
    return values.join(',');
}

QByteArray bars(int n, char tag = 'a')
{
    return csv(n, tag).replace(',', '|');
}

QByteArray lines(std::initializer_list<QByteArray> parts)
{
    return QByteArrayList(parts).join('\n');
}

QStringList errorTexts(const QList<LoadError>& errors)
{
    QStringList out;
    for (const LoadError& e : errors)
        out.append(QString::number(e.lineNumber) + QLatin1Char(':') + QString::fromLatin1(e.line));
    return out;
}

QStringList repeated(int times, const QString& text)
{
    QStringList out;
    for (int i = 0; i < times; ++i)
        out.append(text);
    return out;
}

} // namespace

class DocumentFormatTest : public QObject {
    Q_OBJECT

private slots:
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArrayList>("expected");
        const QByteArrayList xy = {"Objs x", "Objs y"};
        QTest::newRow("CR LF") << QByteArray("objs\r\nx\r\ny\r\nend\r\n") << xy;
        QTest::newRow("LF") << QByteArray("objs\nx\ny\nend\n") << xy;
        QTest::newRow("CR") << QByteArray("objs\rx\ry\rend\r") << xy;
        QTest::newRow("mixed") << QByteArray("objs\rx\r\ny\nend") << xy;
        QTest::newRow("last line without end") << QByteArray("objs\nx\ny") << xy;
        QTest::newRow("last line CR only") << QByteArray("objs\nx\ny\r") << xy;
        QTest::newRow("CR CR LF is two ends") << QByteArray("objs\r\r\nx\r\r\ny\r\r\n") << xy;
        QTest::newRow("LF CR is two ends") << QByteArray("objs\n\rx\n\ry\n\r") << xy;
        QTest::newRow("no CR in values") << QByteArray("objs\r\nx, y\r\n") << QByteArrayList{"Objs x|y"};
        QTest::newRow("empty input") << QByteArray() << QByteArrayList();
        QTest::newRow("only line ends") << QByteArray("\r\n\n\r\r\r\n") << QByteArrayList();
    }

    void lineEnds()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArrayList, expected);
        QCOMPARE(kit::dump(parseIde(input)), expected);
    }

    void classification_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArrayList>("expected");

        // Values and keywords.
        QTest::newRow("only spaces trimmed") << lines({"objs", " 1 ,\tname\t,  tex , 1,2 ,0  ", "end"})
                                             << QByteArrayList{"Objs 1|\tname\t|tex|1|2|0"};
        QTest::newRow("empty values in the middle")
            << lines({"objs", "1,,b, ,2,0"}) << QByteArrayList{"Objs 1||b||2|0"};
        QTest::newRow("keywords ignore case and spaces")
            << lines({"  ObJs ", "1,a,b,1,2,0", " END", " TOBJ", csv(8, 't'), "EnD ", "  pAtH", "p", "eNd",
                      "2DFX  ", csv(9, 's')})
            << QByteArrayList{"Objs 1|a|b|1|2|0", "Tobjs " + bars(8, 't'), "sun " + bars(9, 's'), "path p"};
        QTest::newRow("tab before keyword")
            << lines({"\tobjs", "1,a,b,1,2,0"}) << QByteArrayList{"Objs 1|a|b|1|2|0"};
        QTest::newRow("tab after keyword")
            << lines({"objs\t", "1,a,b,1,2,0"}) << QByteArrayList{"Objs 1|a|b|1|2|0"};
        QTest::newRow("tab before end, tabs only")
            << lines({"objs", "\t", " \t ", "\tend \t", "1,a,b,1,2,0"}) << QByteArrayList();
        QTest::newRow("end with a comma is a value") << lines({"objs", "end,"}) << QByteArrayList{"Objs end|"};
        QTest::newRow("blank lines ignored")
            << lines({"", "objs", "   ", "1,a,b,1,2,0", "", "end"}) << QByteArrayList{"Objs 1|a|b|1|2|0"};
        QTest::newRow("no section") << lines({"1,a,b,1,2,0", csv(8), csv(20)}) << QByteArrayList();

        // Several flags at once: the first in objs, tobj, path, 2dfx order decides.
        QTest::newRow("objs before 2dfx")
            << lines({"2dfx", "objs", csv(20)}) << QByteArrayList{"Objs " + bars(20)};
        QTest::newRow("tobj before path") << lines({"path", "tobj", csv(8)}) << QByteArrayList{"Tobjs " + bars(8)};
        QTest::newRow("path before 2dfx") << lines({"2dfx", "path", csv(20)}) << QByteArrayList{"path " + csv(20)};
        QTest::newRow("later keywords keep objs")
            << lines({"objs", "tobj", "path", "2dfx", csv(8)}) << QByteArrayList{"Objs " + bars(8)};
        QTest::newRow("path keeps tobj") << lines({"tobj", "path", csv(8)}) << QByteArrayList{"Tobjs " + bars(8)};
        QTest::newRow("2dfx keeps path") << lines({"path", "2dfx", csv(20)}) << QByteArrayList{"path " + csv(20)};
        QTest::newRow("end clears every flag")
            << lines({"objs", "tobj", "path", "2dfx", "end", "1,a,b,1,2,0", csv(8), csv(20)}) << QByteArrayList();
        QTest::newRow("end in any case") << lines({"objs", "  eNd  ", "1,a,b,1,2,0"}) << QByteArrayList();
        QTest::newRow("sections again after end") << lines({"objs", "1,a,b,1,2,0", "end", "objs", "2,c,d,1,2,0"})
                                                  << QByteArrayList{"Objs 1|a|b|1|2|0", "Objs 2|c|d|1|2|0"};

        QTest::newRow("comments outside sections")
            << lines({"#o,a,b,1,2,0", "#" + csv(8, 't'), "#" + csv(20, 'l'), "#" + csv(9, 's'), "#" + csv(14, 'p'),
                      "#" + csv(16, 'q')})
            << QByteArrayList();
        QTest::newRow("comment of objs count in 2dfx, tobj, path")
            << lines({"2dfx", "# 1,a,b,1,2,0", "tobj", "# 1,a,b,1,2,0", "end", "path", "#" + csv(9), "p"})
            << QByteArrayList{"path p"};
        QTest::newRow("comment first value trimmed")
            << lines({"objs", "   #  1 , a,b,1,2,0  "}) << QByteArrayList{"Objs #  1|a|b|1|2|0"};
        QTest::newRow("comments of other counts ignored")
            << lines({"objs", "#Factory", "#a,b", "#" + csv(5), "#" + csv(7), "1,a,b,1,2,0", "end", "#" + csv(7)})
            << QByteArrayList{"Objs #" + bars(7), "Objs 1|a|b|1|2|0"};
        QTest::newRow("comments past three draw distances are rows, as their lines are")
            << lines({"objs", "#" + csv(9), "#" + csv(8), "1,a,b,1,2,0"})
            << QByteArrayList{"Objs #" + bars(9), "Objs #" + bars(8), "Objs 1|a|b|1|2|0"};
        QTest::newRow("comments of a later-layout table")
            << lines({"objs", "1,a,b,2,0", "#2,a,b,2,0", "#3,a,b,1,2,0"})
            << QByteArrayList{"Objs 1|a|b|2|0", "Objs #2|a|b|2|0"};
        QTest::newRow("trailing comma rule for comments")
            << lines({"2dfx", "#" + csv(20) + ",", "#" + csv(9) + ", ", "# 1,a,b,1,2,0,"})
            << QByteArrayList{"Lights #" + bars(20) + "|", "sun #" + bars(9) + "|"};
        QTest::newRow("commented keywords are comments")
            << lines({"objs", "# end", "#2dfx", "1,a,b,1,2,0", "# objs", "end", "2,a,b,1,2,0"})
            << QByteArrayList{"Objs 1|a|b|1|2|0"};
        QTest::newRow("tab before hash is no comment")
            << lines({"objs", "\t#1,a,b,1,2,0"}) << QByteArrayList{"Objs \t#1|a|b|1|2|0"};

        // Object and timed object lines keep every value they have.
        QTest::newRow("objs with seven and eight fields")
            << lines({"objs", "1,a,b,1,2,0,7", "1,a,b,1,2,0,7,8", "1,a,b,1,2,0,,"})
            << QByteArrayList{"Objs 1|a|b|1|2|0|7", "Objs 1|a|b|1|2|0|7|8", "Objs 1|a|b|1|2|0||"};
        QTest::newRow("short objs keep their values")
            << lines({"objs", "1,a", "\t,", "x"}) << QByteArrayList{"Objs 1|a", "Objs \t|", "Objs x"};
        QTest::newRow("tobj keeps all values")
            << lines({"tobj", csv(9), csv(3), csv(6)})
            << QByteArrayList{"Tobjs " + bars(9), "Tobjs " + bars(3), "Tobjs " + bars(6)};

        // Path lines are kept as they are.
        QTest::newRow("path lines verbatim")
            << lines({"path", "  ped, 1 ,x  ", "\t2, -1,\t0", "", "   ", "end", "PATH", "last", "end"})
            << QByteArrayList{"path   ped, 1 ,x  \r\n\t2, -1,\t0\r\nlast"};

        // 2dfx lines by field count.
        QTest::newRow("2dfx kinds") << lines({"2dfx", csv(20, 'l'), csv(9, 's'), csv(14, 'p'), csv(16, 'q')})
                                    << QByteArrayList{"Lights " + bars(20, 'l'), "sun " + bars(9, 's'),
                                                      "part " + bars(14, 'p'), "ani " + bars(16, 'q')};
        QTest::newRow("2dfx other counts ignored")
            << lines({"2dfx", "x", csv(6), csv(8), csv(10), csv(19), csv(21), csv(30)}) << QByteArrayList();
        QTest::newRow("2dfx trailing comma kept")
            << lines({"2dfx", csv(20) + ",", csv(9, 's') + ", ,  ", csv(14, 'p') + " ,"})
            << QByteArrayList{"Lights " + bars(20) + "|", "sun " + bars(9, 's') + "||",
                              "part " + bars(14, 'p') + "|"};
        QTest::newRow("2dfx empty values inside count")
            << lines({"2dfx", "1,,,,5,6,7,8,9"}) << QByteArrayList{"sun 1||||5|6|7|8|9"};
        QTest::newRow("2dfx tab is not empty")
            << lines({"2dfx", csv(19) + ",\t", csv(20) + ",\t"}) << QByteArrayList{"Lights " + bars(19) + "|\t"};
        QTest::newRow("2dfx only commas")
            << lines({"2dfx", ",,,,,,,,", " , , "}) << QByteArrayList{"sun ||||||||"};
        // When the count without the empty pieces at the end fits no kind, they count.
        QTest::newRow("2dfx empty last values")
            << lines({"2dfx", csv(19) + ",", csv(18) + ", ,", csv(19) + ",,", csv(13, 'p') + ",",
                      csv(8, 's') + ",", csv(5) + ","})
            << QByteArrayList{"Lights " + bars(19) + "|", "Lights " + bars(18) + "||", "sun " + bars(8, 's') + "|",
                              "part " + bars(13, 'p') + "|"};
        // A UTF-8 byte order mark belongs to no line, but only at the very start.
        QTest::newRow("byte order mark before the first keyword")
            << "\xEF\xBB\xBF" + lines({"objs", "1,a,b,1,2,0", "end"}) << QByteArrayList{"Objs 1|a|b|1|2|0"};
        QTest::newRow("byte order mark before a keyword with a tab")
            << "\xEF\xBB\xBF\tobjs\n#" + csv(6) << QByteArrayList{"Objs #" + bars(6)};
        QTest::newRow("byte order mark later is a value") << lines({"objs",
                                                                    "\xEF\xBB\xBF"
                                                                    "1,a,b,1,2,0",
                                                                    "\xEF\xBB\xBF"
                                                                    "end",
                                                                    "2"})
                                                          << QByteArrayList{"Objs \xEF\xBB\xBF"
                                                                            "1|a|b|1|2|0",
                                                                            "Objs \xEF\xBB\xBF"
                                                                            "end",
                                                                            "Objs 2"};
    }

    void classification()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArrayList, expected);
        QCOMPARE(kit::dump(parseIde(input)), expected);
        // The same file with CR LF line ends reads the same.
        QCOMPARE(kit::dump(parseIde(QByteArray(input).replace('\n', "\r\n"))), expected);
    }

    void loadErrors_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("objs four fields") << QByteArray("objs\n1,a,b,1\n") << repeated(2, "2:1,a,b,1");
        QTest::newRow("objs one field") << QByteArray("objs\nx") << repeated(5, "2:x");
        QTest::newRow("objs tab only is blank") << QByteArray("objs\n\t\n") << QStringList();
        QTest::newRow("objs trailing comma counts")
            << QByteArray("objs\n1,a,b,1,\n2,a,b,1,2,0\n") << repeated(1, "2:1,a,b,1,");
        QTest::newRow("line exactly as read") << QByteArray("objs\r\n  1 , a  \r\n") << repeated(4, "2:  1 , a  ");
        QTest::newRow("tobj six fields") << QByteArray("tobj\n1,a,b,1,2,0\n") << repeated(2, "2:1,a,b,1,2,0");
        QTest::newRow("tobj one field") << QByteArray("tobj\nq\n") << repeated(7, "2:q");
        QTest::newRow("numbers count blank and comment lines")
            << QByteArray("# c\n\nobjs\n  # x\n   \n1,a,b,1,2\n2,a,b,1,2,0\n") << repeated(1, "6:1,a,b,1,2");
        QTest::newRow("numbers with CR LF")
            << QByteArray("objs\r\n\r\n1,a,b,1,2\r\n2,a,b,1,2,0\r\n") << repeated(1, "3:1,a,b,1,2");
        QTest::newRow("numbers with lone CR")
            << QByteArray("objs\r\r1,a,b,1,2\r2,a,b,1,2,0\rend") << repeated(1, "3:1,a,b,1,2");
        QTest::newRow("numbers with LF CR")
            << QByteArray("objs\n\r1,a,b,1,2\n2,a,b,1,2,0") << repeated(1, "3:1,a,b,1,2");
        QTest::newRow("numbers with CR CR LF")
            << QByteArray("objs\r\r\n1,a,b,1,2\n2,a,b,1,2,0") << repeated(1, "3:1,a,b,1,2");
        QTest::newRow("several lines") << QByteArray("objs\n1,a,b,1\nend\ntobj\n1,a,b,1,2,0,9\n2,a,b,1,2,0,9,9\n")
                                       << (repeated(2, "2:1,a,b,1") + repeated(1, "5:1,a,b,1,2,0,9"));
        QTest::newRow("full and long lines")
            << QByteArray("objs\n1,a,b,1,2,0\n1,a,b,1,2,0,7,8,9\ntobj\n" + csv(8) + "\n" + csv(12) + "\n")
            << QStringList();
        // Lines of the later layout are complete in a table where no line has the usual count.
        QTest::newRow("later layout") << QByteArray("objs\n# ID, Model, TXD, Mesh, Draw, Flags\n1,a,b,200,128\n")
                                      << QStringList();
        QTest::newRow("later layout, timed") << QByteArray("tobj\n1,a,b,200,0,5,20\n") << QStringList();
        QTest::newRow("later layout, a shorter line")
            << QByteArray("objs\n1,a,b,200,128\n1,a,b\n") << repeated(3, "3:1,a,b");
        QTest::newRow("5 values before a long line")
            << QByteArray("objs\n1,a,b,200,128\n3,a,b,2,1,2,0\n") << repeated(1, "2:1,a,b,200,128");
        QTest::newRow("objs decides over tobj") << QByteArray("tobj\nobjs\n1,a,b,1,2,0\n") << QStringList();
        QTest::newRow("no errors outside objs and tobj")
            << QByteArray("1\n2dfx\n1,2\nend\npath\n1\nend\n#1,2\n") << QStringList();
    }

    void loadErrors()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, expected);
        QCOMPARE(errorTexts(kit::parseCollecting(input).errors), expected);
    }

    // What each column shows of object lines of either layout and of any
    // number of meshes, and that the cells give the row's values back.
    void cellsByPosition_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("lines"); // the first is the row looked at
        QTest::addColumn<QByteArray>("cells");
        QTest::newRow("one mesh") << QByteArray("objs") << QByteArray("1, a, b, 1, 100, 0")
                                  << QByteArray("1|a|b|1|100|0");
        QTest::newRow("two meshes") << QByteArray("objs") << QByteArray("1405, wheel_rim, generic, 2, 20, 40, 0")
                                    << QByteArray("1405|wheel_rim|generic|2|20, 40|0");
        QTest::newRow("three meshes") << QByteArray("objs")
                                      << QByteArray("7, a, b, 3, 20, 40, 80, 4\n1, a, b, 200, 8")
                                      << QByteArray("7|a|b|3|20, 40, 80|4");
        QTest::newRow("later layout") << QByteArray("objs") << QByteArray("1, a, b, 200, 128\n2, c, d, 250, 0")
                                      << QByteArray("1|a|b||200|128");
        QTest::newRow("5 values among 6")
            << QByteArray("objs") << QByteArray("1, a, b, 200, 128\n2, c, d, 1, 9, 0")
            << QByteArray("1|a|b|200|128|");
        QTest::newRow("short in later layout")
            << QByteArray("objs") << QByteArray("1, a, b\n2, c, d, 250, 0") << QByteArray("1|a|b|||");
        QTest::newRow("timed") << QByteArray("tobj") << QByteArray("1, a, b, 1, 100, 0, 5, 20")
                               << QByteArray("1|a|b|1|100|0|5|20");
        QTest::newRow("timed, two meshes") << QByteArray("tobj") << QByteArray("1, a, b, 2, 10, 20, 4, 5, 20")
                                           << QByteArray("1|a|b|2|10, 20|4|5|20");
        QTest::newRow("timed later layout")
            << QByteArray("tobj") << QByteArray("1, a, b, 200, 0, 5, 20") << QByteArray("1|a|b||200|0|5|20");
        QTest::newRow("light") << QByteArray("2dfx") << csv(20) << bars(20);
        // A megabyte of draw distances: each cell is read in one walk of the
        // row, not a walk a value (which took minutes).
        const QByteArray distances = QByteArray("10, ").repeated(262'144).chopped(2);
        QTest::newRow("a megabyte line") << QByteArray("objs") << "1, a, b, 262144, " + distances + ", 0"
                                         << "1|a|b|262144|" + distances + "|0";
    }

    void cellsByPosition()
    {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, lines);
        QFETCH(QByteArray, cells);
        const DocumentContent content = parseIde(section + "\n" + lines + "\nend\n");
        const LineKind kind = section == "objs"   ? LineKind::Object
                              : section == "tobj" ? LineKind::TimedObject
                                                  : LineKind::Light;
        const RowStore& rows = content.table(kind);
        QVERIFY(!rows.isEmpty());
        const bool later = laterLayoutOf(kind, rows);
        QByteArrayList shown;
        for (int column = 0; column < fieldCountOf(kind); ++column)
            shown.append(cellText(rows, 0, kind, later, column));
        QCOMPARE(shown.join('|'), cells);
        QByteArray walked;
        appendRowCells(rows, 0, kind, later, '|', walked);
        QCOMPARE(walked, cells);
        const bool laterRow = isLaterLayoutRow(kind, rows.valueCount(0), later);
        if (laterRow || rows.valueCount(0) >= fieldCountOf(kind))
            QCOMPARE(valuesFromCells(kind, shown, laterRow), rows.values(0));
    }

    // Each golden/NAME.ide is written in the fixed layout under the header "H"
    // exactly as golden/NAME.expected.ide, which reads back as the same rows.
    void goldenFiles_data()
    {
        QTest::addColumn<QString>("name");
        const QDir folder(QFINDTESTDATA("golden"));
        const QStringList files = folder.entryList({QStringLiteral("*.ide")}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (QString file : files) {
            file.chop(4);
            if (!file.endsWith(QLatin1String(".expected")))
                QTest::newRow(qPrintable(file)) << folder.filePath(file);
        }
    }

    void goldenFiles()
    {
        QFETCH(QString, name);
        const DocumentContent content = parseIde(kit::fileBytes(name + QStringLiteral(".ide")));
        const QByteArray written = kit::formatContent(content, "H");
        QCOMPARE(written, kit::fileBytes(name + QStringLiteral(".expected.ide")));
        QCOMPARE(kit::dump(parseIde(written)), kit::dump(content));
    }

    void headerReadsBackAsNothing_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::newRow("early") << QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));
        QTest::newRow("year end") << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59));
        QTest::newRow("midnight") << QDateTime(QDate(2024, 7, 14), QTime(0, 0));
    }

    void headerReadsBackAsNothing()
    {
        QFETCH(QDateTime, when);
        const QByteArray header = headerLine(when);
        QVERIFY2(header.startsWith(kit::headerPrefix), header.constData());
        QVERIFY(header.size() > kit::headerPrefix.size());
        QVERIFY2(!header.contains(','), header.constData());
        QVERIFY(!header.contains('\n') && !header.contains('\r'));

        const QByteArray body = lines({"objs", "1,a,b,1,2,0", "end", "2dfx", csv(20), "end"});
        const DocumentContent content = parseIde(body);
        const QByteArray written = kit::formatContent(content, header);
        QCOMPARE(kit::firstLine(written), header + '\r');
        QCOMPARE(kit::dump(parseIde(written)), kit::dump(content));
        // Outside any section, or inside one: the header is no row either way.
        QCOMPARE(kit::dump(parseIde("objs\n" + header + "\n")), QByteArrayList());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("input");
        QByteArray highBytes;
        for (int b = 0x80; b <= 0xFF; ++b)
            highBytes.append(char(b));
        QTest::newRow("all tables") << lines({"objs", "1,a,b,1,2,0", "end", "tobj", csv(8), "end", "path", "p",
                                              "end", "2dfx", csv(20, 'l'), csv(9, 's'), csv(14, 'p'), csv(16, 'q'),
                                              "end"});
        QTest::newRow("short and long object rows") << lines(
            {"objs", "1,a", "\t", "1,a,b,1,2,0,7", "1,a,b,1,2,0,7,8", ",", "end", "tobj", "1,a,b", csv(10)});
        QTest::newRow("commented rows of every table")
            << lines({"#o,a,b,1,2,0", "objs", "# " + csv(8), "end", "2dfx", "#" + csv(20), "  #" + csv(9),
                      "#" + csv(14), "#" + csv(16), "end"});
        QTest::newRow("trailing commas") << lines({"2dfx", csv(20) + ",", csv(9) + ", , ", csv(16) + ",  "});
        QTest::newRow("empty values") << lines({"objs", "1,,,,,", " , a, , ,2,", "2dfx", ",,,,,,,,x"});
        QTest::newRow("tabs kept") << lines({"objs", "\t1\t,\ta, b\t,1,2,0", "path", "\t\tx\t", "end"});
        QTest::newRow("path several sections")
            << lines({"path", "a, 1", " b ", "end", "objs", "1,a,b,1,2,0", "end", "path", "c", "end"});
        QTest::newRow("keyword lookalikes")
            << lines({"objs", "objs,1", "end,", "\tend", "2dfx\t", "#end,a,b,c,d,e", "end"});
        QTest::newRow("high bytes") << lines({"objs", "1," + highBytes + ",tex\xe9,1,2,0", "path",
                                              "\xff\xfe path \x80", "end", "2dfx", "\xa0," + csv(19)});
        QTest::newRow("NUL bytes") << lines(
            {"objs", QByteArray("1,na\0me,\0,1,2,0", 15), "path", QByteArray("p\0q", 3), "end"});
        QTest::newRow("CR line ends") << QByteArray("objs\r1,a,b,1,2,0\r\r\nend\rpath\rx\r");
        QTest::newRow("byte order mark") << "\xEF\xBB\xBF" + lines({"objs", "1,a,b,1,2,0", "end"});
        QTest::newRow("2dfx empty last values") << lines({"2dfx", csv(19) + ",", csv(18) + ", ,", csv(8) + ","});
    }

    void roundTrip()
    {
        QFETCH(QByteArray, input);
        const DocumentContent first = parseIde(input);
        QVERIFY(!kit::dump(first).isEmpty());
        const QByteArray written = kit::formatContent(first, "# one");
        const kit::Parsed reread = kit::parseCollecting(written);
        const QString difference = kit::differenceBetween(first, reread.content);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        // Short rows are still short, so they are reported again, once per missing value.
        QCOMPARE(reread.errors.size(), kit::parseCollecting(input).errors.size());

        const QByteArray again = kit::formatContent(reread.content, "# two");
        QCOMPARE(kit::firstLine(again), QByteArray("# two\r"));
        QCOMPARE(kit::withoutFirstLine(again), kit::withoutFirstLine(written));

        // Every line written ends in CR LF and no other line end appears.
        QVERIFY(written.endsWith("\r\n"));
        QCOMPARE(written.count('\r'), written.count("\r\n"));
        QCOMPARE(written.count('\n'), written.count("\r\n"));
    }

    void everyByteSurvives()
    {
        // Every byte that is no line end, comma or space, in one value; NULs inside another.
        QByteArray all;
        for (int b = 0; b <= 0xFF; ++b) {
            if (b != '\n' && b != '\r' && b != ',' && b != ' ')
                all.append(char(b));
        }
        const QByteArray withNul("a\0b\0", 4);
        const QByteArray input = "objs\r\n1, " + all + ", " + withNul + ", 1, 2, 0\r\nend\r\n";
        const DocumentContent content = parseIde(input);
        QCOMPARE(content.table(LineKind::Object).size(), 1);
        QCOMPARE(content.table(LineKind::Object).values(0), (QList<QByteArray>{"1", all, withNul, "1", "2", "0"}));

        const QByteArray written = kit::formatContent(content);
        QVERIFY(written.contains("1, " + all + ", " + withNul + ", 1, 2, 0\r\n"));
        QCOMPARE(parseIde(written).table(LineKind::Object).values(0), content.table(LineKind::Object).values(0));
    }

    // The report's wording for one and for several lines or values.
    void reportTexts_data()
    {
        using Reason = LoadReportEntry::Reason;
        QTest::addColumn<QList<LoadReportEntry>>("entries");
        QTest::addColumn<QStringList>("reasons");
        QTest::addColumn<QStringList>("summary");
        const auto entry = [](Reason reason, qsizetype count = 0, const QByteArray& section = {}) {
            LoadReportEntry e;
            e.reason = reason;
            e.count = count;
            e.section = section;
            return e;
        };
        QTest::newRow("one of each") << QList<LoadReportEntry>{entry(Reason::MissingValues, 1),
                                                               entry(Reason::OtherSection, 0, "cars"),
                                                               entry(Reason::Comment),
                                                               entry(Reason::OutsideSections),
                                                               entry(Reason::EffectFields, 12)}
                                     << QStringList{"1 value missing", "section cars", "comment",
                                                    "outside sections", "2dfx line of 12 fields"}
                                     << QStringList{"section cars: 1 line", "comments: 1 line",
                                                    "lines outside sections: 1 line",
                                                    "2dfx lines of other field counts: 1 line"};
        QTest::newRow("several") << QList<LoadReportEntry>{entry(Reason::MissingValues, 3),
                                                           entry(Reason::OtherSection, 0, "cars"),
                                                           entry(Reason::OtherSection, 0, "peds"),
                                                           entry(Reason::OtherSection, 0, "cars"),
                                                           entry(Reason::Comment),
                                                           entry(Reason::Comment)}
                                 << QStringList{"3 values missing", "section cars", "section peds",
                                                "section cars",     "comment",      "comment"}
                                 << QStringList{"sections cars, peds: 3 lines", "comments: 2 lines"};
    }
    void reportTexts()
    {
        QFETCH(QList<LoadReportEntry>, entries);
        QFETCH(QStringList, reasons);
        QFETCH(QStringList, summary);
        QStringList read;
        for (const LoadReportEntry& entry : entries)
            read << reasonText(entry);
        QCOMPARE(read, reasons);
        QCOMPARE(LoadReport{entries}.droppedSummary(), summary);
    }

    // What a field, a pasted line or the paths text may hold: Latin-1 only,
    // and for one value or line no line break either.
    void storableText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<bool>("storable");
        QTest::newRow("empty") << QString() << true << true;
        QTest::newRow("last latin-1") << QString(QChar(0xff)) << true << true;
        QTest::newRow("first past latin-1") << QString(QChar(0x100)) << false << false;
        QTest::newRow("accented") << QString::fromUtf8("1,caf\u00e9,tex") << true << true;
        QTest::newRow("cyrillic") << QString::fromUtf8("1,\u0416\u0443\u043a") << false << false;
        QTest::newRow("euro sign") << QString::fromUtf8("1, \u20ac") << false << false;
        QTest::newRow("outside the basic plane") << QString::fromUtf8("\U0001F333") << false << false;
        QTest::newRow("line feed") << QStringLiteral("a\nb") << true << false;
        QTest::newRow("carriage return") << QStringLiteral("a\r") << true << false;
        QTest::newRow("tab and NUL") << QString::fromLatin1("a\tb\0c", 5) << true << true;
    }
    void storableText()
    {
        QFETCH(QString, text);
        QFETCH(bool, latin1);
        QFETCH(bool, storable);
        QCOMPARE(isLatin1(text), latin1);
        QCOMPARE(isStorableValue(text), storable);
    }
};

QTEST_GUILESS_MAIN(DocumentFormatTest)
#include "test_document_format.moc"
