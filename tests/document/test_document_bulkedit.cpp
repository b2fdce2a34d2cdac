// Set column and the conversion between the object layouts, below the window.
#include "document/bufferedforms.h"
#include "document/columnedit.h"
#include "document/idedocument.h"
#include "document/layoutconversion.h"
#include "support/testfiles.h"
#include "texts/texts.h"

#include <QTest>

using namespace tarnel;

namespace {

const QByteArray counted =
    "objs\n100, a, txd1, 1, 300, 0\n101, b, txd1, 2, 300, 150, 4\n# 102, c, txd2, 1, 299.5, 3\nend\n"
    "tobj\n300, t, tx, 1, 100, 0, 20, 6\nend\n"
    "2dfx\n5, 0, 0, 0, 255, 0, 0, 200, 0, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0\nend\n";
const QByteArray later = "objs\n200, x, t, 100, 0\n#201, y, t, 150, 0\nend\n";

QByteArray field(const QString& caption)
{
    return texts::fieldSubject.arg(caption).toLatin1();
}

} // namespace

class BulkEditTest : public QObject {
    Q_OBJECT

private slots:
    // Changed rows as "row:values|joined", or the refusal.
    void setColumn_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<qsizetype>>("rows");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");        // Set: the value; Replace: the text found
        QTest::addColumn<QString>("replacement"); // Replace; Multiply: the factor
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QByteArrayList>("expected");
        const int set = int(ColumnEdit::Mode::Set), replace = int(ColumnEdit::Mode::Replace),
                  times = int(ColumnEdit::Mode::Multiply), objects = int(LineKind::Object);
        const QList<qsizetype> all{0, 1, 2};
        QTest::newRow("texture on every row, the commented one too")
            << counted << objects << all << 2 << set << "new"
            << "" << false
            << QByteArrayList{"0:100|a|new|1|300|0", "1:101|b|new|2|300|150|4", "2:# 102|c|new|1|299.5|3"};
        QTest::newRow("draw distances of a line of two meshes")
            << counted << objects << QList<qsizetype>{1} << 4 << set << "50 ,60"
            << "" << false << QByteArrayList{"1:101|b|txd1|2|50|60|4"};
        QTest::newRow("flags after several draw distances")
            << counted << objects << QList<qsizetype>{1} << 5 << set << "8"
            << "" << false << QByteArrayList{"1:101|b|txd1|2|300|150|8"};
        QTest::newRow("x 0.5: whole numbers stay whole, decimals lose trailing zeros")
            << counted << objects << all << 4 << times << ""
            << "0.5" << false
            << QByteArrayList{"0:100|a|txd1|1|150|0", "1:101|b|txd1|2|150|75|4", "2:# 102|c|txd2|1|149.75|3"};
        QTest::newRow("x 0.5 rounds a whole number half away from zero")
            << counted << objects << QList<qsizetype>{2} << 5 << times << ""
            << "0.5" << false << QByteArrayList{"2:# 102|c|txd2|1|299.5|2"};
        QTest::newRow("commented ID keeps its marks in front")
            << counted << objects << QList<qsizetype>{2} << 0 << times << ""
            << "2" << false << QByteArrayList{"2:# 204|c|txd2|1|299.5|3"};
        QTest::newRow("part of a value")
            << counted << objects << all << 2 << replace << "txd"
            << "tex" << false
            << QByteArrayList{"0:100|a|tex1|1|300|0", "1:101|b|tex1|2|300|150|4", "2:# 102|c|tex2|1|299.5|3"};
        QTest::newRow("whole values only, each draw distance alone")
            << counted << objects << all << 4 << replace << "300"
            << "400" << true << QByteArrayList{"0:100|a|txd1|1|400|0", "1:101|b|txd1|2|400|150|4"};
        QTest::newRow("later layout: the draw distance is the fourth value")
            << later << objects << QList<qsizetype>{0, 1} << 4 << set << "77"
            << "" << false << QByteArrayList{"0:200|x|t|77|0", "1:#201|y|t|77|0"};
        QTest::newRow("later layout: no mesh count to set")
            << later << objects << QList<qsizetype>{0, 1} << 3 << set << "1"
            << "" << false << QByteArrayList{};
        QTest::newRow("timed object's time on")
            << counted << int(LineKind::TimedObject) << QList<qsizetype>{0} << 6 << times << ""
            << "0.5" << false << QByteArrayList{"0:300|t|tx|1|100|0|10|6"};
        QTest::newRow("refused: a comma in the name")
            << counted << objects << all << 1 << set << "a,b"
            << "" << false
            << QByteArrayList{
                   texts::commaInValue.arg(QString::fromLatin1(field(QStringLiteral("Name")))).toLatin1()};
        QTest::newRow("refused: not Latin-1")
            << counted << objects << all << 2 << replace << "txd" << QStringLiteral("\u20ac") << false
            << QByteArrayList{texts::unstorableText.arg(QString::fromLatin1(field(QStringLiteral("Texture Pack"))))
                                  .toLatin1()};
        QTest::newRow("refused: a value emptied") << counted << objects << all << 1 << replace << "a"
                                                  << "" << true << QByteArrayList{texts::missingValue.toLatin1()};
        QTest::newRow("refused: a name multiplied")
            << counted << objects << all << 1 << times << ""
            << "2" << false
            << QByteArrayList{
                   texts::notANumber.arg(QString::fromLatin1(field(QStringLiteral("Name"))), QStringLiteral("a"))
                       .toLatin1()};
        QTest::newRow("refused: a light's control longer than its box")
            << counted << int(LineKind::Light) << QList<qsizetype>{0} << 16 << set << "12345"
            << "" << false
            << QByteArrayList{texts::valueTooLong.arg(QString::fromLatin1(field(QStringLiteral("Control"))))
                                  .arg(4)
                                  .toLatin1()};
    }
    void setColumn()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, kind);
        QFETCH(QList<qsizetype>, rows);
        QFETCH(int, column);
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(QString, replacement);
        QFETCH(bool, whole);
        QFETCH(QByteArrayList, expected);
        IdeDocument document;
        document.replaceContent(parseIde(file));
        ColumnEdit edit;
        edit.column = column;
        edit.mode = ColumnEdit::Mode(mode);
        edit.value = edit.find = text;
        edit.replacement = replacement;
        edit.factor = replacement.toDouble();
        edit.wholeValue = whole;
        edit.choiceLimit = kind == int(LineKind::Light) ? 4 : 0;
        const ColumnEditResult result = editColumn(document.table(LineKind(kind)), rows, edit);
        QByteArrayList changed;
        for (qsizetype i = 0; i < result.rows.size(); ++i)
            changed << QByteArray::number(result.rows[i]) + ':' + result.values[i].join('|');
        if (!result.refusal.isEmpty())
            changed << result.refusal.toLatin1();
        QCOMPARE(changed, expected);
    }

    // Whole files converted: the bytes out, and the lines left as they were.
    void convertFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("to");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QList<qint64>>("left");
        const int toLater = int(ObjectLayout::Later), toCounted = int(ObjectLayout::Counted);
        QTest::newRow("to later: one mesh, a comment, several draw distances left")
            << QByteArray("objs\r\n100, a, t, 1, 300, 0\r\n# 102, c, t, 1, 50, 0\r\n101, b, t, 2, 300, 150, 4\r\n"
                          "# ID, name\r\nend\r\n2dfx\r\n1, 2, 3, 4, 5, 6\r\nend")
            << toLater
            << QByteArray("objs\r\n100, a, t, 300, 0\r\n# 102, c, t, 50, 0\r\n101, b, t, 2, 300, 150, 4\r\n"
                          "# ID, name\r\nend\r\n2dfx\r\n1, 2, 3, 4, 5, 6\r\nend")
            << QList<qint64>{4};
        QTest::newRow("to later: a timed object, a mesh count other than 1 left")
            << QByteArray("TOBJ\n1,a,t,1,100,0,20,6\n2,a,t,3,100,0,20,6\nend\n") << toLater
            << QByteArray("TOBJ\n1,a,t,100,0,20,6\n2,a,t,3,100,0,20,6\nend\n") << QList<qint64>{3};
        QTest::newRow("to counted: the line's own separator, lone CR ends")
            << QByteArray("objs\r1,a,t,100,0\r2, b,  t,  90, 0\rend\rpath\r1, 2, 3, 4, 5\rend\r") << toCounted
            << QByteArray("objs\r1,a,t,1,100,0\r2, b,  t,  1,  90, 0\rend\rpath\r1, 2, 3, 4, 5\rend\r")
            << QList<qint64>{};
        QTest::newRow("to counted: lines already counted stay, a short line is left")
            << QByteArray("objs\n1, a, t, 2, 9, 9, 0\n1, a\nend") << toCounted
            << QByteArray("objs\n1, a, t, 2, 9, 9, 0\n1, a\nend") << QList<qint64>{3};
        const QByteArray corpus =
            support::fileBytes(support::corpusPath(QStringLiteral("laterlayout-oceandrv.ide")));
        const QByteArray golden = support::fileBytes(QFINDTESTDATA("converted/laterlayout-oceandrv-counted.ide"));
        QTest::newRow("corpus file to counted") << corpus << toCounted << golden << QList<qint64>{};
        QTest::newRow("and back to later") << golden << toLater << corpus << QList<qint64>{};
    }
    void convertFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, to);
        QFETCH(QByteArray, expected);
        QFETCH(QList<qint64>, left);
        QList<qint64> leftLines;
        QCOMPARE(convertLayoutOfFile(bytes, ObjectLayout(to), &leftLines), expected);
        QCOMPARE(leftLines, left);
    }
};

QTEST_GUILESS_MAIN(BulkEditTest)
#include "test_document_bulkedit.moc"
