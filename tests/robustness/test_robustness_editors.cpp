// An editor open while the table under it changes: whatever happens to the
// other rows, it keeps to the row it was opened on, confirming writes into that
// row and no other, and once that row is gone it writes nothing.

#include "../editors/editortestkit.h"

#include "document/documentcontent.h"
#include "document/linecommands.h"
#include "paste/pasteline.h"

#include <QRandomGenerator>

using namespace tarnel;

using namespace ekit;

namespace {

const QString rowGone =
    QStringLiteral("The line this editor was opened on no longer exists.\r\nIts changes were not written.");

// Object rows told apart by their name; ids repeat so that sorting meets ties.
QByteArray objectLine(int serial, quint32 id)
{
    return QByteArray::number(id) + ", n" + QByteArray::number(serial) + ", t, 1, 10, 0";
}

// The opened row gets this texture, so it can be found whatever moved. Its
// copies carry it too, but always come after it (appended, or sorted after
// their equals) unless commented out, and the opened row itself never is.
const QByteArray openedMark = "opened";

void markOpened(SectionTable& table, qsizetype row)
{
    QList<QByteArray> values = table.rows().values(row);
    values[2] = openedMark;
    table.setRowValues(testKey, row, values);
}

struct Row {
    QList<QByteArray> values;
    bool operator==(const Row&) const = default;
};

QList<Row> rowsOf(const SectionTable& table)
{
    QList<Row> rows;
    for (qsizetype row = 0; row < table.rowCount(); ++row)
        rows.append({table.rows().values(row)});
    return rows;
}

// Where the opened row is now, or -1.
qsizetype markedRow(const SectionTable& table)
{
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        if (table.rows().value(row, 2) == openedMark && !table.rows().isCommented(row))
            return row;
    }
    return -1;
}

// The row the editor shows it holds, 0-based.
qsizetype editorRow(const Session& s)
{
    return s.editor(LineKind::Object).followedRow().value_or(-1);
}

// Up to `count` distinct rows, never `spared`.
QList<qsizetype> someRows(QRandomGenerator& random, qsizetype rowCount, int count, qsizetype spared = -1)
{
    QList<qsizetype> rows;
    for (int i = 0; i < count && rowCount > 0; ++i) {
        const qsizetype row = random.bounded(int(rowCount));
        if (row != spared && !rows.contains(row))
            rows.append(row);
    }
    return rows;
}

// After confirming a new name in the editor: the opened row has it and keeps
// its place, even among equal ids, and every other row is as it was.
void checkOnlyOpenedRowEdited(const SectionTable& table, QList<Row> before, qsizetype openedBefore)
{
    QList<Row> after = rowsOf(table);
    const qsizetype openedAfter = markedRow(table);
    QCOMPARE(openedAfter, openedBefore);
    Row edited = before.takeAt(openedBefore);
    edited.values[1] = "edited";
    QCOMPARE(after.takeAt(openedAfter), edited);
    QVERIFY(after == before);
}

} // namespace

class MovingTableTest : public QObject {
    Q_OBJECT

private slots:
    // Rows duplicated or pasted, one at a time or many at once, sorted or not,
    // the opened row among the duplicated ones or not.
    void duplicateAndPaste_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<int>("copies"); // 0: a pasted line instead
        QTest::addColumn<bool>("withOpened");
        for (bool sorted : {false, true}) {
            const char* order = sorted ? "sorted" : "unsorted";
            QTest::addRow("%s, one line pasted", order) << sorted << 0 << false;
            QTest::addRow("%s, opened row duplicated", order) << sorted << 1 << true;
            QTest::addRow("%s, 100 rows duplicated with the opened one", order) << sorted << 100 << true;
            QTest::addRow("%s, 100 other rows duplicated", order) << sorted << 100 << false;
        }
    }
    void duplicateAndPaste()
    {
        QFETCH(bool, sorted);
        QFETCH(int, copies);
        QFETCH(bool, withOpened);
        Session s;
        SectionTable& table = s.document.table(LineKind::Object);
        // Ids count down, so sorting turns the table round.
        for (int serial = 0; serial < 120; ++serial)
            s.addRow(LineKind::Object, objectLine(serial, quint32(1000 - serial)));
        s.document.setSorted(testKey, sorted);
        const qsizetype opened = 60;
        markOpened(table, opened);
        s.open(LineKind::Object, {opened});

        if (copies == 0) {
            QVERIFY(addPastedLine(s.document, QString::fromLatin1(objectLine(500, 500))));
        } else {
            QList<qsizetype> rows;
            if (withOpened)
                rows.append(opened);
            for (qsizetype row = 0; rows.size() < copies; ++row) {
                if (row != opened)
                    rows.append(row);
            }
            QVERIFY(duplicateRows(testKey, s.document, LineKind::Object, rows));
        }
        QCOMPARE(editorRow(s), markedRow(table));

        const QList<Row> before = rowsOf(table);
        const qsizetype at = editorRow(s);
        s.type(LineKind::Object, "objectNameField", "edited");
        s.click(LineKind::Object, "confirmButton");
        checkOnlyOpenedRowEdited(table, before, at);
    }

    // A value longer than a text field takes (a line of megabytes) is written
    // back whole when another field is changed.
    void longValueSurvivesConfirm()
    {
        Session s;
        const QByteArray longName(100000, 'n');
        s.addRow(LineKind::Object, "100, " + longName + ", t, 1, 10, 0");
        s.open(LineKind::Object, {0});
        s.type(LineKind::Object, "objectIdField", "101");
        s.click(LineKind::Object, "confirmButton");
        QVERIFY(s.platform.messages().isEmpty());
        QCOMPARE(s.row(LineKind::Object, 0), values("101, " + longName + ", t, 1, 10, 0"));
    }

    // Random sequences of table changes under an open editor; each seed ends
    // with a confirm, with the opened row removed, or with the document replaced.
    void randomChanges_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 12; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void randomChanges()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        Session s;
        SectionTable& table = s.document.table(LineKind::Object);
        int serial = 0;
        for (; serial < 150; ++serial)
            s.addRow(LineKind::Object, objectLine(serial, random.bounded(40u)));
        const qsizetype opened = random.bounded(150);
        markOpened(table, opened);
        s.open(LineKind::Object, {opened});

        QStringList done;
        for (int step = 0; step < 30; ++step) {
            const qsizetype mark = markedRow(table);
            const qsizetype rows = table.rowCount();
            switch (random.bounded(8)) {
            case 0:
                s.document.setSorted(testKey, !table.isSorted());
                done << (table.isSorted() ? "sort" : "unsort");
                break;
            case 1:
                duplicateRows(testKey, s.document, LineKind::Object,
                              someRows(random, rows, 1 + random.bounded(3)));
                done << "duplicate few";
                break;
            case 2:
                duplicateRows(testKey, s.document, LineKind::Object,
                              someRows(random, rows, 70 + random.bounded(40)));
                done << "duplicate many";
                break;
            case 3:
                addPastedLine(s.document, QString::fromLatin1(objectLine(serial++, random.bounded(40u))));
                done << "paste";
                break;
            case 4:
                removeRows(testKey, s.document, LineKind::Object,
                           someRows(random, rows, 1 + random.bounded(80), mark));
                done << "remove";
                break;
            case 5: {
                const QList<qsizetype> row = someRows(random, rows, 1, mark);
                if (!row.isEmpty())
                    table.setRowValues(testKey, row[0], values(objectLine(serial++, random.bounded(40u))));
                done << "change";
                break;
            }
            case 6:
                commentOut(testKey, s.document, LineKind::Object,
                           someRows(random, rows, 1 + random.bounded(70), mark));
                done << "comment out";
                break;
            default:
                unComment(testKey, s.document, LineKind::Object,
                          someRows(random, rows, 1 + random.bounded(70), mark));
                done << "un-comment";
                break;
            }
            QVERIFY2(markedRow(table) >= 0, qPrintable(done.join(", ")));
            QVERIFY2(editorRow(s) == markedRow(table), qPrintable(done.join(", ")));
        }

        const QList<Row> before = rowsOf(table);
        const qsizetype at = editorRow(s);
        const int end = int(seed % 3);
        if (end == 1)
            table.removeRow(testKey, at);
        else if (end == 2)
            s.document.replaceContent(DocumentContent());
        const QList<Row> after = rowsOf(table);
        s.type(LineKind::Object, "objectNameField", "edited");
        s.click(LineKind::Object, "confirmButton");

        if (end == 0) {
            QVERIFY(s.platform.messages().isEmpty());
            checkOnlyOpenedRowEdited(table, before, at);
        } else {
            QCOMPARE(s.platform.messages(), QStringList{rowGone});
            QCOMPARE(rowsOf(table), after);
        }
    }
};

QTEST_MAIN(MovingTableTest)
#include "test_robustness_editors.moc"
