// Each line command as a step of the edit history: undo gives back every row
// with its identity at its place, redo the rows the command made.
#include "document/bufferedforms.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/keptlayoutwriter.h"
#include "document/rowlist.h"
#include "history/edithistory.h"
#include "support/testeditkey.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

#include <functional>

using namespace tarnel;

namespace {

using Command = qsizetype (EditHistory::*)(LineKind, const QList<qsizetype>&);

// Each row's identity and line, in table order.
QByteArrayList rowsOf(const SectionTable& table)
{
    QByteArrayList rows;
    for (qsizetype row = 0; row < table.rowCount(); ++row)
        rows << QByteArray::number(table.rows().id(row)) + " " + table.rows().joined(row);
    return rows;
}

const char* const wholeTableNames[] = {"remove", "comment out", "un-comment", "duplicate"};
const Command wholeTableCommands[] = {&EditHistory::remove, &EditHistory::commentOut, &EditHistory::unComment,
                                      &EditHistory::duplicate};

} // namespace

class EditHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void undoRestoresRowsAndIdentities_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<int>("selected");
        const char* names[] = {"comment out", "un-comment", "remove", "duplicate", "set rows", "change together"};
        for (int command = 0; command < 6; ++command) {
            for (bool sorted : {false, true}) {
                // A few rows one at a time, enough for one batch on a sorted
                // table, and more rows changed than undo takes at once.
                for (int selected : {3, 150, 9000}) {
                    QTest::addRow("%s, %s, %d rows", names[command], sorted ? "sorted" : "unsorted", selected)
                        << command << sorted << selected;
                }
            }
        }
    }
    void undoRestoresRowsAndIdentities()
    {
        QFETCH(int, command);
        QFETCH(bool, sorted);
        QFETCH(int, selected);
        IdeDocument document;
        SectionTable& table = document.table(LineKind::Object);
        QRandomGenerator random(uint(command * 100 + selected));
        int followed = 0;
        // New first values, so that the rows move in a sorted table.
        auto newValues = [&table](const QList<qsizetype>& rows) {
            EditHistory::RowValues values{rows, {}};
            for (qsizetype row : rows) {
                QList<QByteArray> rowValues = table.rows().values(row);
                rowValues[0] = QByteArray::number(row * 7 % 61);
                values.values.append(rowValues);
            }
            return values;
        };
        const std::function<qsizetype(EditHistory&, const QList<qsizetype>&)> commands[] = {
            [](EditHistory& h, const QList<qsizetype>& rows) { return h.commentOut(LineKind::Object, rows); },
            [](EditHistory& h, const QList<qsizetype>& rows) { return h.unComment(LineKind::Object, rows); },
            [](EditHistory& h, const QList<qsizetype>& rows) { return h.remove(LineKind::Object, rows); },
            [](EditHistory& h, const QList<qsizetype>& rows) { return h.duplicate(LineKind::Object, rows); },
            [&](EditHistory& h, const QList<qsizetype>& rows) {
                return h.setRows(LineKind::Object, newValues(rows), QStringLiteral("Set"));
            },
            [&](EditHistory& h, const QList<qsizetype>& rows) {
                EditHistory::RowValuesByKind byKind;
                byKind[size_t(LineKind::Object)] = newValues(rows);
                return h.changeTogether(QStringLiteral("Move"), byKind, QByteArray("ped, 1, x\r\n"),
                                        [&followed](bool redone) { followed += redone ? 1 : 10; });
            }};
        const int tableRows = qMax(300, selected + selected / 4);
        for (int row = 0; row < tableRows; ++row) {
            // Equal first values and commented rows, so rows move among their equals.
            const QByteArray id = (row % 2 == 0 ? "#" : "") + QByteArray::number(random.bounded(60));
            table.appendRow(testKey, {id, "m" + QByteArray::number(row), "t", "1", "10", "0"});
        }
        EditHistory& history = EditHistory::of(document);
        history.setSorted(sorted);
        QList<qsizetype> rows{0, tableRows - 1}; // one commented, one not, sorted or not
        for (int k = 2; k < selected; ++k)
            rows << random.bounded(tableRows);
        const QByteArrayList before = rowsOf(table);
        QVERIFY(commands[command](history, rows) > 0);
        const QByteArrayList after = rowsOf(table);
        QVERIFY(after != before);
        QVERIFY(document.isModified());
        for (int round = 0; round < 2; ++round) {
            history.stack().undo();
            QCOMPARE(rowsOf(table), before);
            QCOMPARE(document.pathText(), QByteArray());
            history.stack().redo();
            QCOMPARE(rowsOf(table), after);
            QCOMPARE(document.pathText(), command == 5 ? QByteArray("ped, 1, x\r\n") : QByteArray());
        }
        // A joint step tells each undo and redo but not its making; its paths text goes with it.
        QCOMPARE(followed, command == 5 ? 22 : 0);
        // Sorting undone as well: the rows as they were added.
        history.stack().undo();
        if (sorted)
            history.stack().undo();
        QVERIFY(!history.stack().canUndo());
        QCOMPARE(table.isSorted(), false);
        for (qsizetype row = 0; row < table.rowCount(); ++row)
            QCOMPARE(table.rows().value(row, 1), "m" + QByteArray::number(row));

        // One row at a time, the way a few rows go, ends where the command on
        // all of them did (copies, made anew, compared without identities).
        if (command == 5)
            return;
        history.setSorted(sorted);
        const QList<qsizetype> distinct = sortedDistinctIn(rows, table.rowCount());
        const EditHistory::RowValues wanted = newValues(distinct);
        QList<RowId> ids;
        for (qsizetype row : distinct)
            ids << table.rows().id(row);
        for (qsizetype k = 0; k < ids.size(); ++k) {
            const QList<qsizetype> one{table.rowWithId(ids[k])};
            if (command == 4)
                history.setRows(LineKind::Object, {one, {wanted.values[k]}}, QStringLiteral("Set"));
            else
                commands[command](history, one);
        }
        const auto lines = [&](QByteArrayList rows) {
            for (QByteArray& row : rows)
                row = command == 3 ? row.mid(row.indexOf(' ')) : row;
            return rows;
        };
        QCOMPARE(lines(rowsOf(table)), lines(after));
    }

    // Every row of a file removed (commented out, un-commented, duplicated) and
    // brought back by undo (the rows then point into the history's bytes), edited
    // and undone again: both saves read as before, and after redo as after the command.
    void undoneRemovalSavesTheFile_data()
    {
        QTest::addColumn<QString>("corpus");
        QTest::addColumn<int>("command");
        for (int command = 0; command < 4; ++command) {
            QTest::addRow("objects, %s", wholeTableNames[command])
                << QStringLiteral("modmap-props.ide") << command;
            QTest::addRow("effects, %s", wholeTableNames[command])
                << QStringLiteral("modmap-ghosttown.ide") << command;
        }
    }
    void undoneRemovalSavesTheFile()
    {
        QFETCH(QString, corpus);
        QFETCH(int, command);
        IdeDocument document;
        QVERIFY(loadDocument(document, QDir(QStringLiteral(TARNEL_CORPUS_DIR)).filePath(corpus), {}).status ==
                ReadOutcome::Read);
        const auto saves = [&] {
            return QByteArrayList{formatKeepingLayout(document), formatDocument(document, "h")};
        };
        const QByteArrayList original = saves();
        EditHistory& history = EditHistory::of(document);
        const auto step = [&](LineKind kind, QList<qsizetype> rows, Command command) {
            (history.*command)(kind, rows);
        };
        for (LineKind kind : allLineKinds) {
            QList<qsizetype> all;
            for (qsizetype row = 0; row < document.table(kind).rowCount(); ++row)
                all << row;
            if (command == 2)
                step(kind, all, &EditHistory::commentOut);
            step(kind, all, wholeTableCommands[command]);
        }
        const QByteArrayList changed = saves();
        while (history.stack().canUndo())
            history.stack().undo();
        QCOMPARE(saves(), original);
        while (history.stack().canRedo())
            history.stack().redo();
        QCOMPARE(saves(), changed);
        while (history.stack().canUndo())
            history.stack().undo();
        for (LineKind kind : allLineKinds) {
            if (document.table(kind).rowCount() > 1)
                step(kind, {0, document.table(kind).rowCount() - 1}, &EditHistory::commentOut);
        }
        QVERIFY(saves() != original);
        while (history.stack().canUndo())
            history.stack().undo();
        QCOMPARE(saves(), original);
    }

    // Sorting lists the rows in another order and changes no line, so it never
    // decides whether the document differs from its file, before a save or after.
    void sortingLeavesTheChangedFlag_data()
    {
        QTest::addColumn<QByteArray>(
            "steps"); // e: duplicate a row, s: sorting on or off, S: save, l: load, u: undo, r: redo
        QTest::addColumn<bool>("modified");
        QTest::newRow("sorted from the file, undone") << QByteArray("su") << false;
        QTest::newRow("sorted after a save, undone") << QByteArray("esSu") << false;
        QTest::newRow("edit after sorting undone") << QByteArray("seu") << false;
        QTest::newRow("edit and sorting undone") << QByteArray("seuu") << false;
        QTest::newRow("sorting undone and redone after a save") << QByteArray("seSuur") << true;
        QTest::newRow("saved edit undone past sorting") << QByteArray("esSuu") << true;
        QTest::newRow("edit after sorting, saved, undone") << QByteArray("sesSuu") << true;
        QTest::newRow("sorted twice after a save") << QByteArray("eSss") << false;
        QTest::newRow("a load forgets the steps before it") << QByteArray("eleu") << false;
    }
    void sortingLeavesTheChangedFlag()
    {
        QFETCH(QByteArray, steps);
        QFETCH(bool, modified);
        IdeDocument document;
        SectionTable& table = document.table(LineKind::Object);
        for (const char* id : {"20", "1000", "3"})
            table.appendRow(testKey, {id, "m", "t", "1", "10", "0"});
        EditHistory& history = EditHistory::of(document);
        for (char step : steps) {
            if (step == 'e')
                history.duplicate(LineKind::Object, {0});
            else if (step == 's')
                history.setSorted(!table.isSorted());
            else if (step == 'S')
                history.markSaved();
            else if (step == 'l')
                loadDocumentFromBytes(document, "objs\n1, a, t, 1, 10, 0\nend\n", {});
            else if (step == 'u')
                history.stack().undo();
            else
                history.stack().redo();
        }
        QCOMPARE(document.isModified(), modified);
    }
};

QTEST_GUILESS_MAIN(EditHistoryTest)
#include "test_history.moc"
