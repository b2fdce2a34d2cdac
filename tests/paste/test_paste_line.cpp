#include "pastetestkit.h"

#include "document/copiedlines.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "paste/pasteline.h"
#include "support/testeditkey.h"
#include "support/testfiles.h"

#include <numeric>

#include <QSignalSpy>
#include <QtTest>

using namespace tarnel;

using pkit::rowsInAllTables;

namespace {

// A line of `count` comma-separated pieces "v0", "v1", ...
QString piecesLine(int count)
{
    QStringList pieces;
    for (int i = 0; i < count; ++i)
        pieces << QStringLiteral("v%1").arg(i);
    return pieces.join(QLatin1Char(','));
}

// -1 stands for "no kind" in the data tables.
int kindCode(std::optional<LineKind> kind)
{
    return kind ? int(*kind) : -1;
}

} // namespace

class PasteLineTest : public QObject {
    Q_OBJECT

private slots:
    void countsCommas_data();
    void countsCommas();
    void namesKind_data();
    void namesKind();
    void recognisesAsLoadingDoes_data();
    void recognisesAsLoadingDoes();
    void copiesRowsAsSavedLines_data();
    void copiesRowsAsSavedLines();
    void corpusTablesSurviveCopyAndPaste_data();
    void corpusTablesSurviveCopyAndPaste();
    void particleIgnoresNinthPiece_data();
    void particleIgnoresNinthPiece();
    void addsOneRow_data();
    void addsOneRow();
    void refusesLine_data();
    void refusesLine();
    void appendsAfterExistingRows();
    void goesToSortedPlace();
};

void PasteLineTest::countsCommas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("commas");
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("one word") << "tree" << 0;
    QTest::newRow("one space") << " " << 0;
    QTest::newRow("lone comma") << "," << 1;
    QTest::newRow("six pieces") << "1,a,b,1,100,0" << 5;
    QTest::newRow("trailing comma") << "1,a,b,1,100," << 5;
    QTest::newRow("trailing comma after six") << "1,a,b,1,100,0," << 6;
    QTest::newRow("only commas") << ",,,,," << 5;
    QTest::newRow("spaces around") << "  1 , a ,b " << 2;
}

void PasteLineTest::countsCommas()
{
    QFETCH(QString, text);
    QFETCH(int, commas);
    QCOMPARE(countCommas(text), commas);
}

void PasteLineTest::namesKind_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("label");
    const int none = -1;
    QTest::newRow("empty") << QString() << none << "Unknown";
    QTest::newRow("no comma") << "1 tree tex 1 100 0" << none << "Unknown";
    QTest::newRow("5 pieces, later layout") << piecesLine(5) << int(LineKind::Object) << "Object line";
    QTest::newRow("6 pieces") << piecesLine(6) << int(LineKind::Object) << "Object line";
    QTest::newRow("5 pieces and a trailing comma")
        << piecesLine(5) + "," << int(LineKind::Object) << "Object line";
    QTest::newRow("6 empty pieces") << ",,,,," << int(LineKind::Object) << "Object line";
    QTest::newRow("commented object") << "#" + piecesLine(6) << int(LineKind::Object) << "Object line";
    QTest::newRow("7 pieces") << piecesLine(7) << int(LineKind::TimedObject) << "Timed object line";
    QTest::newRow("8 pieces") << piecesLine(8) << int(LineKind::TimedObject) << "Timed object line";
    QTest::newRow("9 pieces") << piecesLine(9) << int(LineKind::Sun) << "Sun line";
    QTest::newRow("10 pieces") << piecesLine(10) << int(LineKind::TimedObject) << "Timed object line";
    QTest::newRow("13 pieces") << piecesLine(13) << none << "Unknown";
    QTest::newRow("14 pieces") << piecesLine(14) << int(LineKind::Particle) << "Particle line";
    QTest::newRow("16 pieces") << piecesLine(16) << int(LineKind::PedArea) << "Ped line";
    QTest::newRow("20 pieces") << piecesLine(20) << int(LineKind::Light) << "Light line";
    QTest::newRow("21 pieces") << piecesLine(21) << none << "Unknown";
    QTest::newRow("tabs do not split") << "1\t2\t3\t4\t5\t6" << none << "Unknown";
}

void PasteLineTest::namesKind()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QString, label);
    QCOMPARE(kindCode(pastedLineKind(text)), kind);
    QCOMPARE(pastedLineLabel(text).section(QLatin1Char(':'), 0, 0), label);
}

// A line as the loader reads it in each section; "k1 | k2" the kinds that fit,
// the likeliest first, or the reason for none.
void PasteLineTest::recognisesAsLoadingDoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("objects"); // PasteLayout of each object table
    QTest::addColumn<int>("timed");
    QTest::addColumn<QString>("read");
    const int open = int(PasteLayout::Undecided), usual = int(PasteLayout::Usual), later = int(PasteLayout::Later);
    const QString billboard = "1266, mak_billboardsrvc, billboard, 2, 100, 400, 0";
    QTest::newRow("two draw distances") << billboard << usual << usual << "Object line";
    QTest::newRow("commented") << "#" + billboard << usual << usual << "Object line";
    QTest::newRow("sun, trailing comma")
        << "1, 0.5, 1, 2, 255, 255, 128, 0, 1," << usual << usual << "Sun line | Timed object line";
    QTest::newRow("later object") << "1500, lod_x, tex, 300, 0" << later << later << "Object line";
    QTest::newRow("later timed") << piecesLine(7) << later << later << "Timed object line";
    QTest::newRow("7 values") << piecesLine(7) << usual << open << "Object line | Timed object line";
    QTest::newRow("5 values in a usual table")
        << "1500, lod_x, tex, 300, 0" << usual << open
        << "Unknown: 5 values; object lines take 6 to 8, timed object lines 8 to 10 (7 in the later layout), "
           "sun lines 9, particle lines 14, ped lines 16, light lines 20";
    QTest::newRow("a comma too many")
        << piecesLine(11) << later << usual
        << "Unknown: 11 values; object lines take 5, timed object lines 8 to 10, sun lines 9, particle lines "
           "14, ped lines 16, light lines 20";
}

void PasteLineTest::recognisesAsLoadingDoes()
{
    QFETCH(QString, text);
    QFETCH(int, objects);
    QFETCH(int, timed);
    QFETCH(QString, read);
    const PasteLayouts layouts{PasteLayout(objects), PasteLayout(timed)};
    QStringList labels;
    for (const LineKind kind : pastedLineKinds(text, layouts))
        labels << pastedKindLabel(kind);
    QCOMPARE(labels.isEmpty() ? unknownLineReason(text, layouts) : labels.join(" | "), read);
}

void PasteLineTest::copiesRowsAsSavedLines_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: a new document
    QTest::addColumn<QList<qsizetype>>("rows");
    QTest::addColumn<QByteArray>("lines");
    const QByteArray objs = "objs\n1 ,a,t,1,1,0\n#2, b, t, 1, 1, 0\n3,c,t,1,1,2,0\nend\n";
    QTest::newRow("new document") << QByteArray() << QList<qsizetype>{0} << QByteArray("7, n, t, 1, 10, 0\r\n");
    QTest::newRow("LF file, table order")
        << objs << QList<qsizetype>{2, 0, 1}
        << QByteArray("1, a, t, 1, 1, 0\n#2, b, t, 1, 1, 0\n3, c, t, 1, 1, 2, 0\n");
    QTest::newRow("CR LF file") << QByteArray(objs).replace("\n", "\r\n") << QList<qsizetype>{1}
                                << QByteArray("#2, b, t, 1, 1, 0\r\n");
}

void PasteLineTest::copiesRowsAsSavedLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<qsizetype>, rows);
    QFETCH(QByteArray, lines);
    IdeDocument document;
    if (file.isEmpty())
        document.table(LineKind::Object).appendRow(testKey, {"7", "n", "t", "1", "10", "0"});
    else
        loadDocumentFromBytes(document, file, {});
    QCOMPARE(rowsAsLines(document, LineKind::Object, rows), lines);
}

// Every table of a file copied, then pasted into a new document: the same rows.
void PasteLineTest::corpusTablesSurviveCopyAndPaste_data()
{
    QTest::addColumn<QString>("path");
    for (const QString& path : support::allCorpusPaths())
        QTest::newRow(qPrintable(path.section('/', -2))) << path;
}

void PasteLineTest::corpusTablesSurviveCopyAndPaste()
{
    QFETCH(QString, path);
    IdeDocument read;
    loadDocument(read, path, {});
    IdeDocument pasted;
    for (const LineKind kind : allLineKinds) {
        const RowStore& rows = read.table(kind).rows();
        QList<qsizetype> all(rows.size());
        std::iota(all.begin(), all.end(), 0);
        const QString copied = QString::fromLatin1(rowsAsLines(read, kind, all));
        const std::optional<PastedLines> added = addPastedLines(pasted, pastedLines(copied));
        QVERIFY(added && added->unknown.isEmpty());
        QCOMPARE(pasted.table(kind).rowCount(), rows.size());
        for (qsizetype row = 0; row < rows.size(); ++row)
            QCOMPARE(pasted.table(kind).rows().values(row), rows.values(row));
    }
}

void PasteLineTest::particleIgnoresNinthPiece_data()
{
    QTest::addColumn<QString>("ninth");
    QTest::newRow("zero") << "0";
    QTest::newRow("particle-looking") << "1";
    QTest::newRow("word") << "sun";
    QTest::newRow("empty") << "";
}

void PasteLineTest::particleIgnoresNinthPiece()
{
    QFETCH(QString, ninth);
    QStringList pieces = piecesLine(14).split(',');
    pieces[8] = ninth;
    const QString line = pieces.join(',');
    QCOMPARE(kindCode(pastedLineKind(line)), int(LineKind::Particle));

    IdeDocument document;
    const auto row = addPastedLine(document, line);
    QVERIFY(row.has_value());
    QCOMPARE(document.table(LineKind::Particle).rows().value(*row, 8), QByteArrayView(ninth.toLatin1()));
}

void PasteLineTest::addsOneRow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<QByteArray>>("values");
    QTest::newRow("spaces trimmed") << "  5 , tree ,tex,1, 100 ,0" << int(LineKind::Object)
                                    << QList<QByteArray>{"5", "tree", "tex", "1", "100", "0"};
    QTest::newRow("inner spaces stay") << "5, big tree ,tex,1,100,0" << int(LineKind::Object)
                                       << QList<QByteArray>{"5", "big tree", "tex", "1", "100", "0"};
    QTest::newRow("tab stays") << "5,tree\t,\ttex,1,100,0" << int(LineKind::Object)
                               << QList<QByteArray>{"5", "tree\t", "\ttex", "1", "100", "0"};
    QTest::newRow("trailing comma gives an empty last value")
        << "5,tree,tex,1,100," << int(LineKind::Object) << QList<QByteArray>{"5", "tree", "tex", "1", "100", ""};
    QTest::newRow("commented keeps its mark") << "#5,tree,tex,1,100,0" << int(LineKind::Object)
                                              << QList<QByteArray>{"#5", "tree", "tex", "1", "100", "0"};
    QTest::newRow("latin-1 letter") << QString::fromUtf8("5,caf\u00e9,tex,1,100,0") << int(LineKind::Object)
                                    << QList<QByteArray>{"5", "caf\xe9", "tex", "1", "100", "0"};
    QTest::newRow("timed") << "7,lamp,tex,1,90,0,20,6" << int(LineKind::TimedObject)
                           << QList<QByteArray>{"7", "lamp", "tex", "1", "90", "0", "20", "6"};
    QTest::newRow("sun") << "1, 0.5, 1, 2, 255, 255, 128, 0, 1" << int(LineKind::Sun)
                         << QList<QByteArray>{"1", "0.5", "1", "2", "255", "255", "128", "0", "1"};
    QList<QByteArray> light;
    for (int i = 0; i < 20; ++i)
        light << QByteArray::number(i);
    QTest::newRow("light") << QString::fromLatin1(light.join(" , ")) << int(LineKind::Light) << light;
}

void PasteLineTest::addsOneRow()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QList<QByteArray>, values);

    IdeDocument document;
    QSignalSpy changed(&document, &IdeDocument::modifiedChanged);
    const std::optional<qsizetype> row = addPastedLine(document, text);
    QCOMPARE(row, std::optional<qsizetype>(0));
    QVERIFY(document.isModified());
    QCOMPARE(changed.size(), 1);

    const SectionTable& table = document.table(LineKind(kind));
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(rowsInAllTables(document), 1);
    QCOMPARE(table.rows().values(0), values);
    QCOMPARE(table.rows().isCommented(0), values.front().startsWith('#'));
}

void PasteLineTest::refusesLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("no comma") << "tree";
    QTest::newRow("11 pieces") << piecesLine(11);
    QTest::newRow("outside latin-1") << QString::fromUtf8("5,\u0416,tex,1,100,0");
    QTest::newRow("line break inside") << "5,tree\n,tex,1,100,0";
    QTest::newRow("carriage return inside") << "5,tree,tex\r,1,100,0";
}

void PasteLineTest::refusesLine()
{
    QFETCH(QString, text);
    IdeDocument document;
    QCOMPARE(addPastedLine(document, text), std::nullopt);
    QCOMPARE(rowsInAllTables(document), 0);
    QVERIFY(!document.isModified());
}

void PasteLineTest::appendsAfterExistingRows()
{
    IdeDocument document;
    document.table(LineKind::Object).appendRow(testKey, {"1", "a", "t", "1", "100", "0"});
    document.table(LineKind::Object).appendRow(testKey, {"2", "b", "t", "1", "100", "0"});
    document.table(LineKind::Sun).appendRow(testKey, {"1", "0", "0", "0", "1", "1", "1", "0", "1"});
    document.setModified(testKey, false);

    QCOMPARE(addPastedLine(document, "0,first,t,1,100,0"), std::optional<qsizetype>(2));
    QCOMPARE(document.table(LineKind::Object).rowCount(), 3);
    QCOMPARE(document.table(LineKind::Sun).rowCount(), 1);
    QCOMPARE(document.table(LineKind::Object).rows().firstValue(2), QByteArrayView("0"));
    QVERIFY(document.isModified());
}

void PasteLineTest::goesToSortedPlace()
{
    IdeDocument document;
    SectionTable& objects = document.table(LineKind::Object);
    objects.appendRow(testKey, {"200", "a", "t", "1", "100", "0"});
    objects.appendRow(testKey, {"300", "b", "t", "1", "100", "0"});
    objects.setSorted(testKey, true);

    const std::optional<qsizetype> row = addPastedLine(document, "250,c,t,1,100,0");
    QCOMPARE(row, std::optional<qsizetype>(1));
    QCOMPARE(objects.rows().firstValue(*row), QByteArrayView("250"));
    QCOMPARE(objects.rowCount(), 3);
}

QTEST_GUILESS_MAIN(PasteLineTest)
#include "test_paste_line.moc"
