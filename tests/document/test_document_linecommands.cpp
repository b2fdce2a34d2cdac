// Comment out, un-comment, remove and duplicate on the document's tables.
#include "document/idedocument.h"
#include "document/linecommands.h"
#include "support/testeditkey.h"

#include <QSignalSpy>
#include <QTest>

using namespace tarnel;

namespace {

using Values = QList<QByteArray>;

Values objectLine(const QByteArray& id, const QByteArray& name = "name")
{
    return {id, name, "txd", "1", "100", "0"};
}

QByteArrayList firstValues(const SectionTable& table)
{
    QByteArrayList out;
    for (qsizetype row = 0; row < table.rowCount(); ++row)
        out.append(table.rows().firstValue(row).toByteArray());
    return out;
}

} // namespace

class LineCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void commentOutPrefixesTheFirstValue_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("commented");
        QTest::newRow("plain number") << QByteArray("1234") << QByteArray("# 1234");
        QTest::newRow("leading spaces kept behind the hash") << QByteArray("  1234") << QByteArray("#   1234");
        QTest::newRow("hash later in the text") << QByteArray("12#34") << QByteArray("# 12#34");
        QTest::newRow("empty first value") << QByteArray() << QByteArray("# ");
    }
    void commentOutPrefixesTheFirstValue()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, commented);
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        objs.appendRow(testKey, objectLine(first));
        QVERIFY(commentOut(testKey, document, LineKind::Object, {0}));
        QCOMPARE(objs.rows().firstValue(0).toByteArray(), commented);
        QVERIFY(objs.rows().isCommented(0));
        QCOMPARE(objs.rows().valueCount(0), 6);
        QVERIFY(!document.isModified()); // marked by the edit history, not the command
    }

    void commentOutLeavesCommentsAlone_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::newRow("already commented") << QByteArray("# 1234");
        QTest::newRow("space then hash") << QByteArray(" #1234");
    }
    void commentOutLeavesCommentsAlone()
    {
        QFETCH(QByteArray, first);
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        objs.appendRow(testKey, objectLine(first));
        QSignalSpy changed(&document, &IdeDocument::modifiedChanged);
        QVERIFY(!commentOut(testKey, document, LineKind::Object, {0}));
        QCOMPARE(objs.rows().firstValue(0).toByteArray(), first);
        QVERIFY(!document.isModified());
        QCOMPARE(changed.count(), 0);
    }

    void unCommentDropsTheLeadingHashes_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("commented number") << QByteArray("# 1234") << QByteArray("1234");
        QTest::newRow("one space") << QByteArray("# 5") << QByteArray("5");
        QTest::newRow("inner hashes stay") << QByteArray("#12#34") << QByteArray("12#34");
        QTest::newRow("two hashes, two spaces") << QByteArray("##  7") << QByteArray("7");
        QTest::newRow("spaces around") << QByteArray(" #  77  ") << QByteArray("77  ");
        QTest::newRow("hash after the space") << QByteArray("# #9") << QByteArray("#9");
        QTest::newRow("hash alone") << QByteArray("#") << QByteArray();
    }
    void unCommentDropsTheLeadingHashes()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, plain);
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        objs.appendRow(testKey, objectLine(first));
        QVERIFY(unComment(testKey, document, LineKind::Object, {0}));
        QCOMPARE(objs.rows().firstValue(0).toByteArray(), plain);
        QCOMPARE(objs.rows().isCommented(0), plain.trimmed().startsWith('#'));
        QVERIFY(!document.isModified()); // marked by the edit history, not the command
    }

    void unCommentOnPlainRowDoesNothing()
    {
        IdeDocument document;
        document.table(LineKind::Object).appendRow(testKey, objectLine("12#34"));
        QVERIFY(!unComment(testKey, document, LineKind::Object, {0}));
        QCOMPARE(document.table(LineKind::Object).rows().firstValue(0), QByteArrayView("12#34"));
        QVERIFY(!document.isModified());
    }

    void commentRoundTripRestoresPlainRowAndKeepsFurtherValues()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        // A two-object line: two draw distances, then the flags.
        const Values twoObjects = {"1404", "lamppost2", "dynsigns", "2", "78", "250", "0"};
        objs.appendRow(testKey, twoObjects);
        QVERIFY(commentOut(testKey, document, LineKind::Object, {0}));
        QCOMPARE(objs.rows().joined(0), QByteArray("# 1404, lamppost2, dynsigns, 2, 78, 250, 0"));
        QVERIFY(!commentOut(testKey, document, LineKind::Object, {0}));
        QVERIFY(unComment(testKey, document, LineKind::Object, {0}));
        QCOMPARE(objs.rows().values(0), twoObjects);
    }

    void removeFirstLastAndOnly()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        for (const char* id : {"1", "2", "3"})
            objs.appendRow(testKey, objectLine(id));
        QVERIFY(removeRows(testKey, document, LineKind::Object, {2}));
        QCOMPARE(firstValues(objs), QByteArrayList({"1", "2"}));
        QVERIFY(removeRows(testKey, document, LineKind::Object, {0}));
        QCOMPARE(firstValues(objs), QByteArrayList({"2"}));
        QVERIFY(removeRows(testKey, document, LineKind::Object, {0}));
        QCOMPARE(objs.rowCount(), 0);
        QVERIFY(!document.isModified()); // marked by the edit history, not the command
    }

    void commandsWithoutSelectionDoNothing()
    {
        IdeDocument document;
        document.table(LineKind::Light).appendRow(testKey, Values(20, "1"));
        QVERIFY(!removeRows(testKey, document, LineKind::Light, {}));
        QVERIFY(!duplicateRows(testKey, document, LineKind::Light, {}));
        QVERIFY(!commentOut(testKey, document, LineKind::Light, {}));
        // A row number that no longer exists is not an error either.
        QVERIFY(!removeRows(testKey, document, LineKind::Light, {5}));
        QCOMPARE(document.table(LineKind::Light).rowCount(), 1);
        QVERIFY(!document.isModified());
    }

    void removeSeveralRowsAtOnce()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        for (const char* id : {"a", "b", "c", "d", "e"})
            objs.appendRow(testKey, objectLine(id));
        QVERIFY(removeRows(testKey, document, LineKind::Object, {3, 0, 1, 3}));
        QCOMPARE(firstValues(objs), QByteArrayList({"c", "e"}));
    }

    void duplicateAppendsCopiesCommentedAsTheirSources()
    {
        IdeDocument document;
        SectionTable& lights = document.table(LineKind::Light);
        Values light;
        for (int i = 0; i < 20; ++i)
            light.append(QByteArray::number(i));
        light.front() = "# 500";
        lights.appendRow(testKey, light);
        lights.appendRow(testKey, Values(20, "x"));
        QVERIFY(duplicateRows(testKey, document, LineKind::Light, {0}));
        QVERIFY(duplicateRows(testKey, document, LineKind::Light, {0}));
        QCOMPARE(lights.rowCount(), 4);
        QCOMPARE(lights.rows().values(2), light);
        QCOMPARE(lights.rows().values(3), light);
        QVERIFY(lights.rows().isCommented(2));
        QVERIFY(!lights.rows().isCommented(1));
        QVERIFY(!document.isModified()); // marked by the edit history, not the command
    }

    void duplicateSeveralKeepsTableOrderOfSources()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        for (const char* id : {"a", "b", "c"})
            objs.appendRow(testKey, objectLine(id));
        QVERIFY(duplicateRows(testKey, document, LineKind::Object, {2, 0}));
        QCOMPARE(firstValues(objs), QByteArrayList({"a", "b", "c", "a", "c"}));
    }

    void sortedTableFollowsMovingRows()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        for (const char* id : {"20", "1000", "3"})
            objs.appendRow(testKey, objectLine(id));
        document.setSorted(testKey, true);
        QCOMPARE(firstValues(objs), QByteArrayList({"1000", "20", "3"}));
        // Commented rows sort before the digits and move while the command runs.
        QVERIFY(commentOut(testKey, document, LineKind::Object, {1, 2}));
        QCOMPARE(firstValues(objs), QByteArrayList({"# 20", "# 3", "1000"}));
        QVERIFY(objs.rows().isCommented(0) && objs.rows().isCommented(1) && !objs.rows().isCommented(2));
        QVERIFY(unComment(testKey, document, LineKind::Object, {0, 1}));
        QCOMPARE(firstValues(objs), QByteArrayList({"1000", "20", "3"}));
        QVERIFY(duplicateRows(testKey, document, LineKind::Object, {0}));
        QCOMPARE(firstValues(objs), QByteArrayList({"1000", "1000", "20", "3"}));
    }
};

QTEST_GUILESS_MAIN(LineCommandsTest)
#include "test_document_linecommands.moc"
