// An open editor's row followed through every kind of table change.
#include "document/idedocument.h"
#include "document/linecommands.h"
#include "document/rowtracker.h"
#include "support/testeditkey.h"

#include <QTest>

using namespace tarnel;

namespace {

QList<QByteArray> objectLine(const QByteArray& id)
{
    return {id, "name", "txd", "1", "100", "0"};
}

void fill(SectionTable& table, std::initializer_list<const char*> ids)
{
    for (const char* id : ids)
        table.appendRow(testKey, objectLine(id));
}

} // namespace

class RowTrackerTest : public QObject {
    Q_OBJECT

private slots:
    void followsInsertAndRemoveAround()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        fill(objs, {"a", "b", "c", "d"});
        RowTracker tracker(objs);
        tracker.track(2); // "c"
        objs.removeRow(testKey, 0);
        QCOMPARE(tracker.row(), std::optional<qsizetype>(1));
        objs.removeRow(testKey, 2);
        QCOMPARE(tracker.row(), std::optional<qsizetype>(1));
        objs.appendRow(testKey, objectLine("e"));
        QCOMPARE(tracker.row(), std::optional<qsizetype>(1));
        QCOMPARE(objs.rows().firstValue(*tracker.row()), QByteArrayView("c"));
    }

    void losesRemovedRow()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        fill(objs, {"a", "b"});
        RowTracker tracker(objs);
        tracker.track(1);
        QVERIFY(removeRows(testKey, document, LineKind::Object, {1}));
        QVERIFY(!tracker.row());
        // A later row taking the number does not bring it back.
        objs.appendRow(testKey, objectLine("z"));
        QVERIFY(!tracker.row());
    }

    void followsSortingAndSortedInserts()
    {
        IdeDocument document;
        SectionTable& objs = document.table(LineKind::Object);
        fill(objs, {"30", "1000", "200", "5"});
        RowTracker tracker(objs);
        tracker.track(3);                  // "5"
        document.setSorted(testKey, true); // 1000, 200, 30, 5
        QCOMPARE(tracker.row(), std::optional<qsizetype>(3));
        tracker.track(0);                         // "1000"
        objs.appendRow(testKey, objectLine("0")); // goes before it
        QCOMPARE(objs.rows().firstValue(*tracker.row()), QByteArrayView("1000"));
        // Commenting out another row moves that row past ours.
        QVERIFY(commentOut(testKey, document, LineKind::Object, {4}));
        QCOMPARE(objs.rows().firstValue(*tracker.row()), QByteArrayView("1000"));
        // Our own row moving with its new value is followed too.
        const qsizetype to = objs.setRowValues(testKey, *tracker.row(), objectLine("99"));
        QCOMPARE(tracker.row(), std::optional<qsizetype>(to));
        QCOMPARE(objs.rows().firstValue(to), QByteArrayView("99"));
    }

    void losesRowWhenDocumentIsReplaced()
    {
        IdeDocument document;
        SectionTable& lights = document.table(LineKind::Light);
        lights.appendRow(testKey, QList<QByteArray>(20, "1"));
        RowTracker tracker(lights);
        tracker.track(0);
        document.reset();
        QVERIFY(!tracker.row());

        lights.appendRow(testKey, QList<QByteArray>(20, "2"));
        tracker.track(0);
        document.replaceContent(DocumentContent{});
        QVERIFY(!tracker.row());
    }
};

QTEST_GUILESS_MAIN(RowTrackerTest)
#include "test_document_rowtracker.moc"
