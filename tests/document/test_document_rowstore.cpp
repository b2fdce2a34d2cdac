// The row storage and the section tables: edits, sorting, and the signals the
// views rely on.
#include "documenttestkit.h"

#include "document/idetext.h"
#include "document/linecommands.h"
#include "document/rowsnapshot.h"
#include "document/rowstore.h"
#include "document/sectiontable.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace tarnel;

namespace {

QList<QByteArray> rowOf(const QByteArray& first, const QByteArray& second)
{
    return {first, second};
}

// Keys "k0 k1 ..." with a second value telling the rows apart.
RowStore storeWithKeys(const QByteArrayList& keys)
{
    RowStore rows;
    for (qsizetype i = 0; i < keys.size(); ++i)
        rows.append(rowOf(keys[i], QByteArray::number(i)));
    return rows;
}

QByteArray randomValue(QRandomGenerator& random)
{
    QByteArray value(random.bounded(0, 40), Qt::Uninitialized);
    for (char& c : value) {
        do {
            c = char(random.bounded(0, 256));
        } while (c == '\n' || c == '\r');
    }
    // Often one of the beginnings that decide whether a row is commented.
    static const char* const starts[] = {"", "#", " #", "  ", ",#", " ", "x#"};
    return starts[random.bounded(0, 7)] + value;
}

QList<QByteArray> randomRow(QRandomGenerator& random)
{
    QList<QByteArray> row;
    const int count = random.bounded(1, 21);
    for (int i = 0; i < count; ++i)
        row.append(randomValue(random));
    return row;
}

} // namespace

class DocumentRowStoreTest : public QObject {
    Q_OBJECT

    // Records each signal of a table with its arguments and the table's first
    // values at the moment it fires, e.g. "inserted 1 {a b c}".
    QStringList m_log;

    void record(SectionTable& table)
    {
        const auto state = [&table] {
            return QStringLiteral(" {") + QString::fromLatin1(kit::firstValues(table.rows()).join(' ')) +
                   QLatin1Char('}');
        };
        const auto one = [this, state](const char* name) {
            return [this, state, name](qsizetype row) {
                m_log.append(QLatin1String(name) + QLatin1Char(' ') + QString::number(row) + state());
            };
        };
        const auto two = [this, state](const char* name) {
            return [this, state, name](qsizetype from, qsizetype to) {
                m_log.append(QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(from).arg(to) + state());
            };
        };
        const auto many = [this, state](const char* name) {
            return [this, state, name](const QList<qsizetype>& rows) {
                QStringList numbers;
                for (qsizetype row : rows)
                    numbers.append(QString::number(row));
                m_log.append(QLatin1String(name) + QLatin1Char(' ') + numbers.join(QLatin1Char(' ')) + state());
            };
        };
        const auto none = [this, state](const char* name) {
            return [this, state, name] { m_log.append(QLatin1String(name) + state()); };
        };
        connect(&table, &SectionTable::rowAboutToBeInserted, this, one("aboutToInsert"));
        connect(&table, &SectionTable::rowInserted, this, one("inserted"));
        connect(&table, &SectionTable::rowsAboutToBeRemoved, this, many("aboutToRemove"));
        connect(&table, &SectionTable::rowsRemoved, this, many("removed"));
        connect(&table, &SectionTable::rowChanged, this, one("changed"));
        connect(&table, &SectionTable::rowsAboutToBeAppended, this, one("aboutToAppend"));
        connect(&table, &SectionTable::rowsAppended, this, two("appended"));
        connect(&table, &SectionTable::rowAboutToMove, this, two("aboutToMove"));
        connect(&table, &SectionTable::rowMoved, this, two("moved"));
        connect(&table, &SectionTable::aboutToBeReset, this, none("aboutToReset"));
        connect(&table, &SectionTable::wasReset, this, none("wasReset"));
        connect(&table, &SectionTable::aboutToBeReordered, this, none("aboutToReorder"));
        connect(&table, &SectionTable::reordered, this, [this, state](const QList<qsizetype>& newPositions) {
            QStringList positions;
            for (qsizetype p : newPositions)
                positions.append(QString::number(p));
            m_log.append(QStringLiteral("reordered ") + positions.join(QLatin1Char(' ')) + state());
        });
    }

private slots:
    // A long run of random edits against a plain list: the stored rows, whether
    // each is commented and their joined lines must agree with it after every step, also
    // after the store has rewritten its buffer to drop replaced bytes.
    void editsAgainstPlainList_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2024u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void editsAgainstPlainList()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        RowStore store;
        QList<QList<QByteArray>> expected;
        for (int step = 0; step < 3000; ++step) {
            const int op = expected.isEmpty() ? 0 : random.bounded(0, 8);
            const qsizetype n = expected.size();
            switch (op) {
            case 0: {
                const qsizetype at = random.bounded(0, int(n) + 1);
                const QList<QByteArray> row = randomRow(random);
                store.insert(at, row);
                expected.insert(at, row);
                break;
            }
            case 1:
            case 2: {
                const qsizetype at = random.bounded(0, int(n));
                const QList<QByteArray> row = randomRow(random);
                store.replaceValues(at, row);
                expected[at] = row;
                break;
            }
            case 3: {
                // One to three rows apart from each other at once.
                QList<qsizetype> rows;
                for (int k = random.bounded(1, 4); k > 0; --k)
                    rows.append(random.bounded(0, int(n)));
                std::sort(rows.begin(), rows.end());
                rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
                store.removeRows(rows);
                for (auto at = rows.crbegin(); at != rows.crend(); ++at)
                    expected.removeAt(*at);
                break;
            }
            case 4: {
                const qsizetype from = random.bounded(0, int(n));
                const qsizetype to = random.bounded(0, int(n));
                store.move(from, to);
                expected.move(from, to);
                break;
            }
            case 5: {
                const QList<qsizetype> rows{random.bounded(0, int(n)), random.bounded(0, int(n))};
                store.appendCopies(rows);
                for (qsizetype row : rows)
                    expected.append(expected[row]);
                break;
            }
            case 6:
            case 7: {
                // Comment out and un-comment in place, as the values edited one by one would be.
                QList<qsizetype> rows;
                for (qsizetype row = random.bounded(0, int(n)); row < n; row += random.bounded(1, 40)) {
                    if (idetext::isCommented(expected[row].front()) == (op == 7))
                        rows.append(row);
                }
                op == 6 ? store.prefixRows(rows, "# ") : store.dropCommentMarks(rows);
                for (qsizetype row : rows) {
                    QByteArray& first = expected[row].front();
                    op == 6 ? first.prepend("# ") : first.remove(0, idetext::commentMarksLength(first));
                }
                break;
            }
            }
            QCOMPARE(store.size(), expected.size());
            if (step % 50 != 0 && step < 2990)
                continue;
            for (qsizetype row = 0; row < expected.size(); ++row) {
                QCOMPARE(store.values(row), expected[row]);
                QCOMPARE(store.valueCount(row), expected[row].size());
                QCOMPARE(store.firstValue(row), QByteArrayView(expected[row].front()));
                QCOMPARE(store.value(row, expected[row].size() - 1), QByteArrayView(expected[row].back()));
                QCOMPARE(store.joined(row), QByteArrayList(expected[row]).join(", "));
                QCOMPARE(store.isCommented(row), idetext::isCommented(expected[row].front()));
            }
        }
    }

    void valuePastTheEndIsEmpty()
    {
        RowStore rows;
        rows.appendLine("1, a ,b");
        QCOMPARE(rows.valueCount(0), 3);
        QCOMPARE(rows.value(0, 1), QByteArrayView("a"));
        QVERIFY(rows.value(0, 3).isEmpty());
        QVERIFY(rows.value(0, 5).isEmpty());
        QVERIFY(rows.value(0, -1).isEmpty());
    }

    // A value can never carry a line break into the file: the row stays one line.
    void lineBreakInValueStaysOneLine()
    {
        DocumentContent content;
        content.table(LineKind::Object).append({"1", "na\r\nme", "t\rx", "1", "2", "0\n"});
        const QByteArray written = kit::formatContent(content);
        const DocumentContent reread = parseIde(written);
        QCOMPARE(reread.table(LineKind::Object).size(), 1);
        QCOMPARE(reread.table(LineKind::Object).valueCount(0), 6);
        QCOMPARE(kit::crlfLines(written).size(), 14);
    }

    void move_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QByteArrayList>("expected");
        QTest::newRow("first to last") << 0 << 4 << QByteArrayList{"b", "c", "d", "e", "a"};
        QTest::newRow("last to first") << 4 << 0 << QByteArrayList{"e", "a", "b", "c", "d"};
        QTest::newRow("down inside") << 1 << 3 << QByteArrayList{"a", "c", "d", "b", "e"};
        QTest::newRow("up inside") << 3 << 1 << QByteArrayList{"a", "d", "b", "c", "e"};
        QTest::newRow("neighbours") << 2 << 3 << QByteArrayList{"a", "b", "d", "c", "e"};
        QTest::newRow("in place") << 2 << 2 << QByteArrayList{"a", "b", "c", "d", "e"};
    }

    void move()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QByteArrayList, expected);
        RowStore rows = storeWithKeys({"a", "b", "c", "d", "e"});
        rows.move(from, to);
        QCOMPARE(kit::firstValues(rows), expected);
        // Each row keeps its own second value through the move.
        for (qsizetype row = 0; row < rows.size(); ++row)
            QCOMPARE(rows.value(row, 1), QByteArrayView(QByteArray::number(expected[row].front() - 'a')));
    }

    void sortByFirstValue_data()
    {
        QTest::addColumn<QByteArrayList>("keys");
        QTest::addColumn<QList<int>>("order"); // old positions in sorted order
        QTest::newRow("digits as text") << QByteArrayList{"3", "20", "1000"} << QList<int>{2, 1, 0};
        QTest::newRow("digits as text, longer")
            << QByteArrayList{"10", "9", "1", "100", "09"} << QList<int>{4, 2, 0, 3, 1};
        QTest::newRow("letters ignore case") << QByteArrayList{"Zeta", "alpha", "Beta"} << QList<int>{1, 2, 0};
        QTest::newRow("case twins keep their order")
            << QByteArrayList{"b", "B", "a", "A"} << QList<int>{2, 3, 0, 1};
        QTest::newRow("case twins keep their order, upper first")
            << QByteArrayList{"B", "b", "A", "a"} << QList<int>{2, 3, 0, 1};
        QTest::newRow("mixed case equals") << QByteArrayList{"mixED", "MIXED", "mixed"} << QList<int>{0, 1, 2};
        QTest::newRow("equal keys stable") << QByteArrayList{"5", "1", "5", "1", "5"} << QList<int>{1, 3, 0, 2, 4};
        QTest::newRow("prefix first") << QByteArrayList{"abc", "ab", "", "a"} << QList<int>{2, 3, 1, 0};
        QTest::newRow("letters and digits") << QByteArrayList{"a2", "A10", "a1"} << QList<int>{2, 1, 0};
        QTest::newRow("already sorted") << QByteArrayList{"1", "2", "3"} << QList<int>{0, 1, 2};
        QTest::newRow("single") << QByteArrayList{"x"} << QList<int>{0};
        QTest::newRow("none") << QByteArrayList() << QList<int>();
    }

    void sortByFirstValue()
    {
        QFETCH(QByteArrayList, keys);
        QFETCH(QList<int>, order);
        RowStore rows = storeWithKeys(keys);
        const QList<qsizetype> newPositions = rows.sortByFirstValue();
        QByteArrayList expected;
        for (int old : order)
            expected.append(keys[old] + '|' + QByteArray::number(old));
        QCOMPARE(kit::rowTexts(rows), expected);
        QCOMPARE(newPositions.size(), keys.size());
        for (qsizetype pos = 0; pos < order.size(); ++pos)
            QCOMPARE(newPositions[order[pos]], pos);
    }

    void sortedPosition_data()
    {
        QTest::addColumn<QByteArrayList>("keys");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("after equals") << QByteArrayList{"1", "3", "3", "5"} << QByteArray("3") << 3;
        QTest::newRow("longer after prefix") << QByteArrayList{"1", "3", "3", "5"} << QByteArray("30") << 3;
        QTest::newRow("text order") << QByteArrayList{"1000", "20", "3"} << QByteArray("200") << 2;
        QTest::newRow("empty first") << QByteArrayList{"1", "2"} << QByteArray() << 0;
        QTest::newRow("past the end") << QByteArrayList{"1", "2"} << QByteArray("9") << 2;
        QTest::newRow("upper after lower twin") << QByteArrayList{"a", "b"} << QByteArray("A") << 1;
        QTest::newRow("lower after upper twin") << QByteArrayList{"A", "B"} << QByteArray("b") << 2;
        QTest::newRow("empty table") << QByteArrayList() << QByteArray("x") << 0;
    }

    void sortedPosition()
    {
        QFETCH(QByteArrayList, keys);
        QFETCH(QByteArray, key);
        QFETCH(int, expected);
        QCOMPARE(storeWithKeys(keys).sortedPosition(key), expected);
    }

    void tableSignals_data()
    {
        QTest::addColumn<QByteArrayList>("initial");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("result"); // position returned, or -1
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QByteArrayList>("after");
        const QByteArrayList abc{"a", "b", "c"};

        QTest::newRow("append") << QByteArrayList{"b", "a"} << false << "append c" << 2
                                << QStringList{"aboutToInsert 2 {b a}", "inserted 2 {b a c}"}
                                << QByteArrayList{"b", "a", "c"};
        QTest::newRow("append sorted after equals")
            << QByteArrayList{"a", "b", "b", "c"} << true << "append b" << 3
            << QStringList{"aboutToInsert 3 {a b b c}", "inserted 3 {a b b b c}"}
            << QByteArrayList{"a", "b", "b", "b", "c"};
        QTest::newRow("append sorted text order")
            << QByteArrayList{"1000", "20", "3"} << true << "append 200" << 2
            << QStringList{"aboutToInsert 2 {1000 20 3}", "inserted 2 {1000 20 200 3}"}
            << QByteArrayList{"1000", "20", "200", "3"};
        QTest::newRow("append sorted after case twin")
            << QByteArrayList{"a", "b"} << true << "append A" << 1
            << QStringList{"aboutToInsert 1 {a b}", "inserted 1 {a A b}"} << QByteArrayList{"a", "A", "b"};
        QTest::newRow("copies") << QByteArrayList{"b", "a"} << false << "copy 1 0" << -1
                                << QStringList{"aboutToAppend 2 {b a}", "appended 2 2 {b a a b}"}
                                << QByteArrayList{"b", "a", "a", "b"};
        QTest::newRow("copies sorted") << QByteArrayList{"a", "c"} << true << "copy 1 0" << -1
                                       << QStringList{"aboutToInsert 2 {a c}", "inserted 2 {a c c}",
                                                      "aboutToInsert 1 {a c c}", "inserted 1 {a a c c}"}
                                       << QByteArrayList{"a", "a", "c", "c"};
        QTest::newRow("remove") << abc << false << "remove 1" << -1
                                << QStringList{"aboutToRemove 1 {a b c}", "removed 1 {a c}"}
                                << QByteArrayList{"a", "c"};
        QTest::newRow("remove sorted") << abc << true << "remove 0" << -1
                                       << QStringList{"aboutToRemove 0 {a b c}", "removed 0 {b c}"}
                                       << QByteArrayList{"b", "c"};
        QTest::newRow("change unsorted stays")
            << QByteArrayList{"c", "a", "b"} << false << "set 0 z" << 0 << QStringList{"changed 0 {z a b}"}
            << QByteArrayList{"z", "a", "b"};
        QTest::newRow("change sorted moves down")
            << abc << true << "set 0 bb" << 1
            << QStringList{"changed 0 {bb b c}", "aboutToMove 0 1 {bb b c}", "moved 0 1 {b bb c}"}
            << QByteArrayList{"b", "bb", "c"};
        QTest::newRow("change sorted moves after equals")
            << QByteArrayList{"a", "b", "c", "d"} << true << "set 3 b" << 2
            << QStringList{"changed 3 {a b c b}", "aboutToMove 3 2 {a b c b}", "moved 3 2 {a b b c}"}
            << QByteArrayList{"a", "b", "b", "c"};
        QTest::newRow("change sorted moves to the front")
            << QByteArrayList{"b", "c", "d"} << true << "set 2 a" << 0
            << QStringList{"changed 2 {b c a}", "aboutToMove 2 0 {b c a}", "moved 2 0 {a b c}"} << abc;
        QTest::newRow("change sorted moves to the end")
            << abc << true << "set 0 z" << 2
            << QStringList{"changed 0 {z b c}", "aboutToMove 0 2 {z b c}", "moved 0 2 {b c z}"}
            << QByteArrayList{"b", "c", "z"};
        QTest::newRow("change sorted in place")
            << abc << true << "set 1 bz" << 1 << QStringList{"changed 1 {a bz c}"}
            << QByteArrayList{"a", "bz", "c"};
        QTest::newRow("change sorted to case twin of neighbour")
            << abc << true << "set 2 B" << 2 << QStringList{"changed 2 {a b B}"} << QByteArrayList{"a", "b", "B"};
        QTest::newRow("change sorted, same first value stays among equals")
            << QByteArrayList{"a", "b", "b", "b", "c"} << true << "set 1 b" << 1
            << QStringList{"changed 1 {a b b b c}"} << QByteArrayList{"a", "b", "b", "b", "c"};
        QTest::newRow("remove scattered")
            << QByteArrayList{"a", "b", "c", "d", "e"} << false << "remove 0 2 3" << -1
            << QStringList{"aboutToRemove 0 2 3 {a b c d e}", "removed 0 2 3 {b e}"} << QByteArrayList{"b", "e"};
        QTest::newRow("clear") << abc << false << "clear" << -1
                               << QStringList{"aboutToReset {a b c}", "wasReset {}"} << QByteArrayList();
        QTest::newRow("clear empty") << QByteArrayList() << false << "clear" << -1 << QStringList()
                                     << QByteArrayList();
        QTest::newRow("sort") << QByteArrayList{"c", "a", "b"} << false << "sort" << -1
                              << QStringList{"aboutToReorder {c a b}", "reordered 2 0 1 {a b c}"} << abc;
        QTest::newRow("sort stable") << QByteArrayList{"b", "a", "B", "A"} << false << "sort" << -1
                                     << QStringList{"aboutToReorder {b a B A}", "reordered 2 0 3 1 {a A b B}"}
                                     << QByteArrayList{"a", "A", "b", "B"};
        QTest::newRow("sort when sorted") << abc << true << "sort" << -1 << QStringList() << abc;
        QTest::newRow("unsort keeps order") << abc << true << "unsort" << -1 << QStringList() << abc;
        QTest::newRow("replace unsorted")
            << abc << false << "replace z x y" << -1 << QStringList{"aboutToReset {a b c}", "wasReset {z x y}"}
            << QByteArrayList{"z", "x", "y"};
        QTest::newRow("replace sorted")
            << QByteArrayList() << true << "replace z x y" << -1
            << QStringList{"aboutToReset {}", "wasReset {x y z}"} << QByteArrayList{"x", "y", "z"};
    }

    void tableSignals()
    {
        QFETCH(QByteArrayList, initial);
        QFETCH(bool, sorted);
        QFETCH(QString, operation);
        QFETCH(int, result);
        QFETCH(QStringList, log);
        QFETCH(QByteArrayList, after);

        SectionTable table(LineKind::Object);
        for (const QByteArray& key : initial)
            table.appendRow(testKey, rowOf(key, "old"));
        table.setSorted(testKey, sorted);
        QCOMPARE(kit::firstValues(table.rows()), initial);
        m_log.clear();
        record(table);

        const QStringList words = operation.split(QLatin1Char(' '));
        const QString& op = words[0];
        qsizetype returned = -1;
        if (op == QLatin1String("append")) {
            returned = table.appendRow(testKey, rowOf(words[1].toLatin1(), "new"));
            QCOMPARE(table.rows().value(returned, 1), QByteArrayView("new"));
        } else if (op == QLatin1String("copy")) {
            QList<qsizetype> rows;
            for (qsizetype i = 1; i < words.size(); ++i)
                rows.append(words[i].toInt());
            table.appendCopies(testKey, rows);
            QCOMPARE(table.rows().value(table.rowCount() - 1, 1), QByteArrayView("old"));
        } else if (op == QLatin1String("set")) {
            returned = table.setRowValues(testKey, words[1].toInt(), rowOf(words[2].toLatin1(), "new"));
            QCOMPARE(table.rows().value(returned, 1), QByteArrayView("new"));
        } else if (op == QLatin1String("remove") && words.size() == 2) {
            table.removeRow(testKey, words[1].toInt());
        } else if (op == QLatin1String("remove")) {
            QList<qsizetype> rows;
            for (qsizetype i = 1; i < words.size(); ++i)
                rows.append(words[i].toInt());
            table.removeRows(testKey, rows);
        } else if (op == QLatin1String("clear")) {
            table.clear(testKey);
        } else if (op == QLatin1String("sort")) {
            table.setSorted(testKey, true);
            QVERIFY(table.isSorted());
        } else if (op == QLatin1String("unsort")) {
            table.setSorted(testKey, false);
            QVERIFY(!table.isSorted());
        } else if (op == QLatin1String("replace")) {
            RowStore rows;
            for (qsizetype i = 1; i < words.size(); ++i)
                rows.append(rowOf(words[i].toLatin1(), "new"));
            table.replaceAll(testKey, std::move(rows));
        } else {
            QFAIL("unknown operation");
        }
        QCOMPARE(returned, qsizetype(result));
        QCOMPARE(m_log, log);
        QCOMPARE(kit::firstValues(table.rows()), after);
    }

    // Once sorting is on, every append and change lands in order, whatever the keys.
    void sortedTableStaysSorted()
    {
        SectionTable table(LineKind::Light);
        QRandomGenerator random(99);
        const auto key = [&random] {
            static const char letters[] = "aAbB019_";
            QByteArray k;
            for (int i = random.bounded(0, 4); i > 0; --i)
                k.append(letters[random.bounded(0, 8)]);
            return k;
        };
        for (int i = 0; i < 40; ++i)
            table.appendRow(testKey, {key(), "x"});
        QSignalSpy reordered(&table, &SectionTable::reordered);
        table.setSorted(testKey, true);
        QCOMPARE(reordered.size(), 1);
        QCOMPARE(reordered.front().front().value<QList<qsizetype>>().size(), 40);
        for (int i = 0; i < 300; ++i) {
            if (random.bounded(0, 2) == 0)
                table.appendRow(testKey, {key(), "x"});
            else
                table.setRowValues(testKey, random.bounded(0, int(table.rowCount())), {key(), "y"});
        }
        const QByteArrayList keys = kit::firstValues(table.rows());
        for (qsizetype i = 1; i < keys.size(); ++i)
            QVERIFY2(keys[i - 1].compare(keys[i], Qt::CaseInsensitive) <= 0, keys[i - 1] + " before " + keys[i]);
    }

    // A row keeps its identity through sorting, removals and copies: a file's
    // row its line number, a row made later a number past the last line.
    void rowIdentity_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArrayList>("rows"); // "identity:first value[<source]" by identity
        QTest::newRow("as read") << "" << QByteArrayList{"2:3", "4:1", "5:2"};
        QTest::newRow("sorted") << "sort" << QByteArrayList{"2:3", "4:1", "5:2"};
        QTest::newRow("removed") << "sort remove0" << QByteArrayList{"2:3", "5:2"};
        QTest::newRow("duplicated, sorted")
            << "sort duplicate2 duplicate3" << QByteArrayList{"2:3", "4:1", "5:2", "7:3<2", "8:3<7"};
        QTest::newRow("duplicated twice")
            << "duplicate0 duplicate2" << QByteArrayList{"2:3", "4:1", "5:2", "7:3<2", "8:2<5"};
        QTest::newRow("new after removal") << "remove1 append" << QByteArrayList{"2:3", "5:2", "7:9"};
        QTest::newRow("commented out") << "sort comment0" << QByteArrayList{"2:3", "4:# 1", "5:2"};
    }
    void rowIdentity()
    {
        QFETCH(QString, command);
        QFETCH(QByteArrayList, rows);
        IdeDocument document;
        document.replaceContent(parseIde("objs\r\n3, c, t, 1, 9\n\r\n1,a,t,1,9\r2, b, t, 1, 9\r\nend"));
        SectionTable& table = document.table(LineKind::Object);
        for (const QString& step : command.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const qsizetype row = step.back().isDigit() ? step.back().digitValue() : -1;
            if (step == QLatin1String("sort"))
                document.setSorted(testKey, true);
            else if (step.startsWith(QLatin1String("remove")))
                removeRows(testKey, document, LineKind::Object, {row});
            else if (step.startsWith(QLatin1String("duplicate")))
                duplicateRows(testKey, document, LineKind::Object, {row});
            else if (step.startsWith(QLatin1String("comment")))
                commentOut(testKey, document, LineKind::Object, {row});
            else
                table.appendRow(testKey, {"9", "n", "t", "1", "9"});
        }
        QByteArrayList found;
        for (RowId id = 1; id < 12; ++id) {
            const qsizetype row = table.rowWithId(id);
            if (row < 0)
                continue;
            QCOMPARE(table.rows().id(row), id);
            QByteArray text = QByteArray::number(id) + ':' + table.rows().firstValue(row).toByteArray();
            if (const RowId source = document.rowIds().copiedFrom(id))
                text += '<' + QByteArray::number(source);
            found.append(text);
        }
        QCOMPARE(found, rows);
        QCOMPARE(found.size(), table.rowCount());
    }

    // Rows of two files commented, copied and brought back from a snapshot
    // all point into shared bytes (none copied) and write the same lines.
    void rowsInSeveralSharedBuffers_data()
    {
        // c comment out, u un-comment, d duplicate, x remove the first row (all
        // on every row), s snapshot every row, b rows back from the first snapshot.
        // The first file's lines are written `a,1` and ` b , 2` when spaced.
        QTest::addColumn<QByteArray>("steps");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<bool>("spaced");
        const QByteArrayList read{"a, 1", "b, 2", "c, 3"};
        const QByteArrayList commented{"# a, 1", "# b, 2", "# c, 3"};
        QTest::newRow("as read") << QByteArray() << read << false;
        QTest::newRow("commented out") << QByteArray("c") << commented << false;
        QTest::newRow("commented out, back") << QByteArray("scb") << read << false;
        QTest::newRow("un-commented, back") << QByteArray("csub") << commented << false;
        QTest::newRow("back, copied") << QByteArray("scbxd") << QByteArrayList{"b, 2", "c, 3", "b, 2", "c, 3"}
                                      << false;
        QTest::newRow("copies un-commented, back") << QByteArray("cdsub") << commented + commented << false;
        QTest::newRow("spaced") << QByteArray() << read << true;
        QTest::newRow("spaced, commented out, back") << QByteArray("scb") << read << true;
        QTest::newRow("spaced, copies un-commented, back") << QByteArray("cdsub") << commented + commented << true;
    }
    void rowsInSeveralSharedBuffers()
    {
        QFETCH(QByteArray, steps);
        QFETCH(QByteArrayList, lines);
        QFETCH(bool, spaced);
        const QByteArray first(spaced ? "a,1\r\n b , 2\r\n" : "a, 1\r\nb, 2\r\n");
        const QByteArray second("c, 3\r\n");
        RowStore store;
        store.appendLineAsRead(first, 0, spaced ? 3 : 4, 2, 1);
        store.appendLineAsRead(first, spaced ? 5 : 6, spaced ? 6 : 4, 2, 2);
        store.appendSharedLine(second, 0, 4, 2, 3);
        std::vector<RowSnapshot> snapshots;
        for (char step : steps) {
            QList<qsizetype> all;
            std::vector<std::pair<qsizetype, qsizetype>> back;
            for (qsizetype row = 0; row < store.size(); ++row) {
                all << row;
                back.emplace_back(row, row);
            }
            if (step == 'c')
                store.prefixRows(all, "# ");
            else if (step == 'u')
                store.dropCommentMarks(all);
            else if (step == 'd')
                store.appendCopies(all);
            else if (step == 'x')
                store.removeRows({0});
            else if (step == 's')
                snapshots.push_back(snapshotRows(store, all));
            else
                store.replaceRowsWith(back, snapshots.front().rows);
        }
        QByteArray written;
        store.writeLines([&written](QByteArrayView piece) { written += piece; });
        QCOMPARE(written, lines.join("\r\n") + "\r\n");
        for (qsizetype row = 0; row < store.size(); ++row) {
            QVERIFY(!store.fileBytes(row).isNull());
            QVERIFY(store.sameValues(row, store, row));
            QByteArrayList pieces = lines[row].split(',');
            for (QByteArray& piece : pieces)
                piece = piece.trimmed();
            QCOMPARE(store.values(row), pieces);
        }
    }

    // Positions kept by a snapshot come back as they went in, whatever the steps between them.
    void packedPositions_data()
    {
        QTest::addColumn<QList<qsizetype>>("positions");
        QTest::newRow("none") << QList<qsizetype>{};
        QTest::newRow("first row only") << QList<qsizetype>{0};
        QTest::newRow("one run") << QList<qsizetype>{5, 6, 7, 8};
        QTest::newRow("every other row") << QList<qsizetype>{1, 3, 5, 7, 8};
        QTest::newRow("steps of many bytes") << QList<qsizetype>{127, 128, 255, 16511, 16512, 70000, 8589934592};
    }
    void packedPositions()
    {
        QFETCH(QList<qsizetype>, positions);
        RowPositions packed;
        for (qsizetype position : positions)
            packed.append(position);
        QCOMPARE(packed.size(), positions.size());
        const std::vector<qsizetype> unpacked = packed.unpacked();
        QCOMPARE(QList<qsizetype>(unpacked.cbegin(), unpacked.cend()), positions);
    }
};

QTEST_GUILESS_MAIN(DocumentRowStoreTest)
#include "test_document_rowstore.moc"
