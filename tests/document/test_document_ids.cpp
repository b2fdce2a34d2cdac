// Object IDs: reading them, the duplicates across objects and timed objects as
// the tables change, and the free runs between them.
#include "documenttestkit.h"

#include "document/freeids.h"
#include "document/idindex.h"
#include "document/rowfilter.h"

#include <QTest>

using namespace tarnel;

namespace {

const QByteArray idFile = "objs\n"
                          "1, a, t, 1, 100, 0\n"
                          "2, b, t, 1, 100, 0\n"
                          "#2, c, t, 1, 100, 0\n"
                          "3, d, t, 1, 100, 0\n"
                          "end\n"
                          "tobj\n"
                          "3, e, t, 1, 100, 0, 0, 24\n"
                          "4, f, t, 1, 100, 0, 0, 24\n"
                          "end\n";

// "o5,t8": rows by table and identity, sorted.
QString rowsDescribed(const QList<IdUse>& uses)
{
    QStringList rows;
    for (const IdUse& use : uses)
        rows << (use.kind == LineKind::Object ? QLatin1Char('o') : QLatin1Char('t')) + QString::number(use.row);
    rows.sort();
    return rows.join(QLatin1Char(','));
}

// "3:o5,t8 4:...": each duplicate ID and its rows.
QString describe(const IdIndex& index)
{
    QStringList ids;
    for (const qint64 id : index.duplicateIds())
        ids << QString::number(id) + QLatin1Char(':') + rowsDescribed(index.usesOf(id));
    return ids.join(QLatin1Char(' '));
}

// The blocks as "3-4 6-8".
QString describe(const QList<IdBlock>& blocks)
{
    QStringList out;
    for (const IdBlock& block : blocks)
        out << QStringLiteral("%1-%2").arg(block.first).arg(block.last);
    return out.join(QLatin1Char(' '));
}

} // namespace

class DocumentIdsTest : public QObject {
    Q_OBJECT

private slots:
    void objectIdOfFirstValue_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("id");
        QTest::newRow("number") << QByteArray("12, a, t, 1, 100, 0") << "12";
        QTest::newRow("leading zeros") << QByteArray("007, a, t, 1, 100, 0") << "7";
        QTest::newRow("spaces around") << QByteArray("  12 ,a,t , 1, 100, 0") << "12";
        QTest::newRow("commented, spaces around") << QByteArray(" #12 ,a, t, 1, 100, 0") << "none";
        QTest::newRow("negative") << QByteArray("-5, a, t, 1, 100, 0") << "-5";
        QTest::newRow("commented") << QByteArray("#12, a, t, 1, 100, 0") << "none";
        QTest::newRow("letters after") << QByteArray("12a, a, t, 1, 100, 0") << "none";
        QTest::newRow("name") << QByteArray("abc, a, t, 1, 100, 0") << "none";
        QTest::newRow("empty") << QByteArray(", a, t, 1, 100, 0") << "none";
        QTest::newRow("19 characters") << QByteArray("0000000000000000012, a, t, 1, 100, 0") << "12";
        QTest::newRow("highest") << QByteArray("9223372036854775807, a, t, 1, 100, 0") << "9223372036854775807";
        QTest::newRow("lowest") << QByteArray("-9223372036854775808, a, t, 1, 100, 0") << "-9223372036854775808";
        QTest::newRow("beyond 64 bits")
            << QByteArray("0099999999999999999999, a, t, 1, 100, 0") << "wide 99999999999999999999";
        QTest::newRow("just below 64 bits")
            << QByteArray("-9223372036854775809, a, t, 1, 100, 0") << "wide -9223372036854775809";
    }

    void objectIdOfFirstValue()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, id);
        const DocumentContent content = parseIde("objs\n" + line + "\nend\n");
        const RowStore& rows = content.tables[size_t(LineKind::Object)];
        QCOMPARE(rows.size(), 1);
        const std::optional<qint64> read = objectIdOf(rows, 0);
        const std::optional<QByteArray> wide = wideObjectIdOf(rows, 0);
        QVERIFY(!read || !wide);
        // The filter reads the ID as the index does (the field takes up to 18 digits).
        if (read && *read >= 0 && *read < 1000000000000000000)
            QVERIFY(RowFilter(QString::number(*read)).matchesId(rows, 0));
        QCOMPARE(read   ? QString::number(*read)
                 : wide ? "wide " + QString::fromLatin1(*wide)
                        : QStringLiteral("none"),
                 id);
    }

    // Changes go through the tables as the edit path makes them; the index
    // follows them and ends where one built afresh does.
    void duplicatesFollowChanges_data()
    {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QString>("duplicates");
        QTest::addColumn<QString>("twos"); // the rows holding ID 2, commented rows too
        QTest::newRow("loaded") << ""
                                << "3:o5,t8"
                                << "o3,o4";
        QTest::newRow("changed to a used ID") << "set o 0 4"
                                              << "3:o5,t8 4:o2,t9"
                                              << "o3,o4";
        QTest::newRow("changed away") << "set t 0 7"
                                      << ""
                                      << "o3,o4";
        QTest::newRow("commented out") << "set o 3 #3"
                                       << ""
                                       << "o3,o4";
        QTest::newRow("un-commented") << "set o 2 2"
                                      << "2:o3,o4 3:o5,t8"
                                      << "o3,o4";
        QTest::newRow("removed") << "remove t 0"
                                 << ""
                                 << "o3,o4";
        QTest::newRow("third use, one removed") << "set o 0 3;remove o 3"
                                                << "3:o2,t8"
                                                << "o3,o4";
        QTest::newRow("third use, the last one removed") << "set o 0 3;remove t 0"
                                                         << "3:o2,o5"
                                                         << "o3,o4";
        QTest::newRow("far from the others, then one of them") << "set o 0 900000000000;set o 0 3"
                                                               << "3:o2,o5,t8"
                                                               << "o3,o4";
        QTest::newRow("two uses removed at once") << "set o 0 3;remove o 0 3"
                                                  << ""
                                                  << "o3,o4";
        QTest::newRow("a used and a commented row removed at once") << "remove o 1 2"
                                                                    << "3:o5,t8"
                                                                    << "";
        QTest::newRow("third use, changed back") << "set o 0 3;set o 0 1"
                                                 << "3:o5,t8"
                                                 << "o3,o4";
        QTest::newRow("appended") << "append t 1"
                                  << "1:o2,t11 3:o5,t8"
                                  << "o3,o4";
        QTest::newRow("sorted, then moved by a change") << "sort o;set o 1 4"
                                                        << "3:o5,t8 4:o2,t9"
                                                        << "o3,o4";
        QTest::newRow("reloaded") << "set o 0 4;reload"
                                  << "3:o5,t8"
                                  << "o3,o4";
        QTest::newRow("cleared") << "clear t"
                                 << ""
                                 << "o3,o4";
        QTest::newRow("far from the others") << "set o 0 900000000000;set t 1 900000000000"
                                             << "3:o5,t8 900000000000:o2,t9"
                                             << "o3,o4";
        QTest::newRow("written at 19 characters") << "set o 0 0000000000000000004"
                                                  << "3:o5,t8 4:o2,t9"
                                                  << "o3,o4";
        QTest::newRow("at both ends of the number range")
            << "set o 0 9223372036854775807;set t 1 -9223372036854775807;set o 1 -9223372036854775807"
            << "-9223372036854775807:o3,t9 3:o5,t8"
            << "o4";
        QTest::newRow("far below, then back") << "set o 0 -900000000000;set t 1 -900000000000;set o 0 1"
                                              << "3:o5,t8"
                                              << "o3,o4";
        QTest::newRow("commented row changed") << "set o 2 #5"
                                               << "3:o5,t8"
                                               << "o3";
        QTest::newRow("commented row removed") << "remove o 2"
                                               << "3:o5,t8"
                                               << "o3";
        QTest::newRow("commented out, zeros after the marks") << "set o 1 #2;set t 0 ##002"
                                                              << ""
                                                              << "o3,o4,t8";
        QTest::newRow("commented rows reloaded") << "set o 2 #5;reload"
                                                 << "3:o5,t8"
                                                 << "o3,o4";
        QTest::newRow("commented rows of the other table cleared") << "set t 0 #2;clear t"
                                                                   << ""
                                                                   << "o3,o4";
    }

    void duplicatesFollowChanges()
    {
        QFETCH(QString, changes);
        QFETCH(QString, duplicates);
        QFETCH(QString, twos);
        IdeDocument document;
        document.replaceContent(parseIde(idFile));
        IdIndex index(document);
        for (const QString& change : changes.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList words = change.split(QLatin1Char(' '));
            if (words[0] == QLatin1String("reload")) {
                document.replaceContent(parseIde(idFile));
                continue;
            }
            SectionTable& table =
                document.table(words[1] == QLatin1String("o") ? LineKind::Object : LineKind::TimedObject);
            if (words[0] == QLatin1String("set")) {
                QList<QByteArray> values = table.rows().values(words[2].toInt());
                values[0] = words[3].toLatin1();
                table.setRowValues(testKey, words[2].toInt(), values);
            } else if (words[0] == QLatin1String("remove")) {
                QList<qsizetype> rows; // ascending
                for (const QString& row : words.mid(2))
                    rows.append(row.toInt());
                table.removeRows(testKey, rows);
            } else if (words[0] == QLatin1String("append")) {
                table.appendRow(testKey, {words[2].toLatin1(), "g", "t", "1", "100", "0", "0", "24"});
            } else if (words[0] == QLatin1String("sort")) {
                table.setSorted(testKey, true);
            } else {
                table.clear(testKey);
            }
        }
        QCOMPARE(describe(index), duplicates);
        QCOMPARE(index.duplicateCount(), index.duplicateIds().size());
        QCOMPARE(describe(IdIndex(document)), duplicates);
        QCOMPARE(rowsDescribed(index.rowsWithId(2)), twos);
        QCOMPARE(rowsDescribed(IdIndex(document).rowsWithId(2)), twos);
    }

    void freeBlocks_data()
    {
        QTest::addColumn<QList<qint64>>("used");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("range"); // "from to", or empty for the default
        QTest::addColumn<qsizetype>("maxBlocks");
        QTest::addColumn<QString>("blocks");
        const QList<qint64> gaps = {1, 2, 5, 9};
        QTest::newRow("gaps, default range") << gaps << qint64(2) << "" << qsizetype(10) << "3-4 6-8 10-11";
        QTest::newRow("only the wide gap") << gaps << qint64(3) << "" << qsizetype(10) << "6-8 10-12";
        QTest::newRow("one above the highest") << gaps << qint64(1) << "" << qsizetype(10) << "3-4 6-8 10-10";
        QTest::newRow("free at both edges")
            << QList<qint64>{5} << qint64(1) << "0 10" << qsizetype(10) << "0-4 6-10";
        QTest::newRow("edges used") << QList<qint64>{0, 1, 2, 8} << qint64(1) << "1 8" << qsizetype(10) << "3-7";
        QTest::newRow("repeated IDs") << QList<qint64>{3, 3, 4} << qint64(2) << "0 6" << qsizetype(10)
                                      << "0-2 5-6";
        QTest::newRow("first blocks only")
            << QList<qint64>{2, 4, 6} << qint64(1) << "0 8" << qsizetype(2) << "0-1 3-3";
        QTest::newRow("none used") << QList<qint64>{} << qint64(10) << "" << qsizetype(10) << "0-9";
        QTest::newRow("dense: a run above the highest")
            << QList<qint64>{1, 2, 3} << qint64(5) << "" << qsizetype(10) << "4-8";
        QTest::newRow("range past the IDs") << gaps << qint64(4) << "7 20" << qsizetype(10) << "10-20";
        QTest::newRow("empty range") << gaps << qint64(1) << "8 7" << qsizetype(10) << "";
        const qint64 lowest = std::numeric_limits<qint64>::min();
        const qint64 highest = std::numeric_limits<qint64>::max();
        QTest::newRow("every ID there is")
            << QList<qint64>{} << qint64(1) << QStringLiteral("%1 %2").arg(lowest).arg(highest) << qsizetype(10)
            << QStringLiteral("%1-%2").arg(lowest).arg(highest);
        QTest::newRow("the lowest and highest used")
            << QList<qint64>{lowest, 0, highest} << qint64(2) << QStringLiteral("%1 %2").arg(lowest).arg(highest)
            << qsizetype(10) << QStringLiteral("%1--1 1-%2").arg(lowest + 1).arg(highest - 1);
        QTest::newRow("default range at the highest")
            << QList<qint64>{highest - 3} << qint64(3) << "" << qsizetype(10)
            << QStringLiteral("%1-%2").arg(highest - 2).arg(highest);
    }

    void freeBlocks()
    {
        QFETCH(QList<qint64>, used);
        QFETCH(qint64, count);
        QFETCH(QString, range);
        QFETCH(qsizetype, maxBlocks);
        QFETCH(QString, blocks);
        IdBlock searched = defaultIdRange(used, count);
        if (!range.isEmpty())
            searched = {range.section(QLatin1Char(' '), 0, 0).toLongLong(),
                        range.section(QLatin1Char(' '), 1, 1).toLongLong()};
        QCOMPARE(describe(freeIdBlocks(used, count, searched, maxBlocks)), blocks);
    }
};

QTEST_GUILESS_MAIN(DocumentIdsTest)
#include "test_document_ids.moc"
