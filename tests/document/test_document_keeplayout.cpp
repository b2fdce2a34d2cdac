// Saving in the layout of the file a document was read from, and the load
// report of the lines the fixed layout leaves out.
#include "documenttestkit.h"

#include "document/bufferedforms.h"
#include "document/idefile.h"
#include "document/keptlayoutwriter.h"
#include "document/linediff.h"
#include "document/linecommands.h"

#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

using namespace tarnel;

namespace {

// The lines of a file, each with its own line end.
QByteArrayList linesOf(const QByteArray& bytes)
{
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines.append(bytes.mid(start, i + 1 - start));
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    return lines;
}

// The lines of `a` that `b` lacks, as often as it lacks them, sorted.
QByteArrayList linesMissingIn(const QByteArrayList& a, const QByteArrayList& b)
{
    QHash<QByteArray, int> left;
    for (const QByteArray& line : b)
        ++left[line];
    QByteArrayList missing;
    for (const QByteArray& line : a) {
        if (left.value(line) > 0)
            --left[line];
        else
            missing.append(line);
    }
    std::sort(missing.begin(), missing.end());
    return missing;
}

bool isWord(const QByteArray& line, QByteArrayView word)
{
    return line.trimmed().compare(word, Qt::CaseInsensitive) == 0;
}

// The lines a fixed-layout save does not hold: all but rows, path lines, blank
// lines and the keyword and `end` lines of the four sections read.
QList<qsizetype> linesNotHeld(const QByteArray& bytes, const FileLayout& layout)
{
    QList<qsizetype> lines;
    bool inOwn = false;
    const QByteArrayList all = linesOf(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    for (qsizetype number = 1; number <= all.size(); ++number) {
        const QByteArray word = all[number - 1].trimmed().toLower(); // spaces, tabs and the line end
        const bool own = QByteArrayList{"objs", "tobj", "path", "2dfx"}.contains(word), end = word == "end";
        if (layout.role(number) == FileLayout::Role::Kept && !word.isEmpty() && !own && !(inOwn && end))
            lines << number;
        inOwn = own || (inOwn && !end);
    }
    return lines;
}

QByteArray lineEndOf(const QByteArray& line)
{
    return line.endsWith("\r\n") ? "\r\n" : line.endsWith('\n') ? "\n" : line.endsWith('\r') ? "\r" : "";
}

// A file long enough to be read by two threads, its sections cut anywhere.
QByteArray bigFile()
{
    QByteArray bytes = "# two threads\n";
    const QByteArray part =
        "objs\r\n1, a, t, 1, 9\r\n2,b,t,1,9\r\nend\ncars\n7, x\nend\rpath\n1, 2\npath line\nend\n"
        "2dfx\n1, 0, 0, 0, 200, 200, 200, 200, 0, c, s, 10, 5, 2, 0, 3, 0, 0, 1, 0\n# note\nend\n";
    while (bytes.size() < (qsizetype(9) << 20))
        bytes += part;
    return bytes + "tobj\r\n3, c, t, 1, 9, 0, 24";
}

} // namespace

class DocumentKeepLayoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Loads `bytes` from a file, as the window does.
    bool loadBytes(IdeDocument& document, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("in.ide"));
        return kit::putFile(path, bytes) && loadDocument(document, path, {}).status == ReadOutcome::Read;
    }

    QByteArray savedKeeping(const IdeDocument& document)
    {
        const QString path = m_dir.filePath(QStringLiteral("out.ide"));
        if (!saveDocument(document, path, QDateTime::currentDateTime(), SaveLayout::KeepFile).isEmpty())
            return "(not saved)";
        const QByteArray bytes = kit::fileBytes(path);
        return bytes == formatKeepingLayout(document) ? bytes : "(streamed and buffered saves differ)";
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void unEditedSaveIsTheFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        for (const QString& name : kit::corpusFiles())
            QTest::newRow(qPrintable(name)) << kit::fileBytes(kit::corpusPath(name));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("mark, lone ends, no last end")
            << QByteArray("\xEF\xBB\xBFobjs\n1 ,a,t, 1,9\r\r\n  \rend\rweap\n5, w\nend\n2dfx\n1, 2, 3\n# x\n1, 2");
        QTest::newRow("two threads") << bigFile();
    }
    void unEditedSaveIsTheFile()
    {
        QFETCH(QByteArray, bytes);
        IdeDocument document;
        QVERIFY(loadBytes(document, bytes));
        QVERIFY(document.hasFileLayout());
        document.setSorted(testKey, true); // the tables' order is not the file's
        QVERIFY(savedKeeping(document) == bytes);
    }

    // One row of each table changed, removed, commented out and duplicated, one
    // of each kind added and the paths text edited: only those lines differ.
    void editedSaveDiffersInTheEditedLines_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : kit::corpusFiles())
            QTest::newRow(qPrintable(name)) << name;
    }
    void editedSaveDiffersInTheEditedLines()
    {
        QFETCH(QString, name);
        const QByteArray original = kit::fileBytes(kit::corpusPath(name));
        const QByteArrayList before = linesOf(original);
        const QByteArray newEnd = lineEndOf(before.value(0)).isEmpty() ? "\r\n" : lineEndOf(before.value(0));
        IdeDocument document;
        QVERIFY(loadBytes(document, original));
        document.setSorted(testKey, true);
        QByteArrayList gone, added, duplicates, news;
        for (LineKind kind : allLineKinds) {
            SectionTable& table = document.table(kind);
            const auto lineOf = [&](qsizetype row) { return before[table.rows().id(row) - 1]; };
            if (table.rowCount() >= 4) {
                QList<QByteArray> values = table.rows().values(0);
                values.last() = "changed";
                gone << lineOf(0);
                added << QByteArrayList(values).join(", ") + lineEndOf(lineOf(0));
                table.setRowValues(testKey, 0, values); // may move: rows are found again by identity
                const RowId commented = table.rows().id(2);
                const QByteArray commentedLine = lineOf(2);
                const RowId removed = table.rows().id(1);
                const RowId copied = table.rows().id(3);
                duplicates << lineOf(3) + table.rows().joined(3) + newEnd;
                added << table.rows().joined(3) + newEnd;
                gone << lineOf(1);
                removeRows(testKey, document, kind, {1});
                duplicateRows(testKey, document, kind, {table.rowWithId(copied)});
                const qsizetype at = table.rowWithId(commented);
                (table.rows().isCommented(at) ? unComment : commentOut)(testKey, document, kind, {at});
                gone << commentedLine;
                added << table.rows().joined(table.rowWithId(commented)) + lineEndOf(commentedLine);
                QCOMPARE(table.rowWithId(removed), -1);
            }
            QList<QByteArray> fresh(fieldCountOf(kind), "9");
            fresh.front() = "new " + tableNameOf(kind).toLatin1();
            table.appendRow(testKey, fresh);
            news << QByteArrayList(fresh).join(", ") + newEnd;
        }
        added << news;
        const auto hasSection = [&before](QByteArrayView word) {
            return std::any_of(before.cbegin(), before.cend(),
                               [word](const QByteArray& l) { return isWord(l, word); });
        };
        bool sectionAdded = false;
        for (QByteArrayView word : {"objs", "tobj", "path", "2dfx"}) {
            if (!hasSection(word))
                added << word.toByteArray() + newEnd << "end" + newEnd;
            sectionAdded = sectionAdded || !hasSection(word);
        }
        // A new section after a last line without an end starts on a line of its own.
        if (sectionAdded && lineEndOf(before.last()).isEmpty()) {
            gone << before.last();
            added << before.last() + newEnd;
        }
        document.setPathText(testKey,
                             document.pathText() + (document.pathText().isEmpty() ? "" : "\r\n") + "9, new path");
        added << "9, new path" + newEnd;
        const QByteArrayList after = linesOf(savedKeeping(document));
        std::sort(gone.begin(), gone.end());
        std::sort(added.begin(), added.end());
        QCOMPARE(linesMissingIn(before, after), gone);
        QCOMPARE(linesMissingIn(after, before), added);
        // Copies right after their source; new rows just before their section's end.
        for (const QByteArray& pair : duplicates)
            QVERIFY2(QByteArrayList(after).join().contains(pair), pair.constData());
        for (const QByteArray& line : news) {
            qsizetype at = after.indexOf(line);
            while (at + 1 < after.size() && news.contains(after[at + 1]))
                ++at;
            QVERIFY2(at + 1 < after.size() && isWord(after[at + 1], "end"), line.constData());
        }
    }

    // Crafted files: line ends, a last line without one, the byte order mark,
    // no section for an added kind, paths moved into the first path section.
    void editedEdgeCases_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray lone = "objs\r1,a,t,1,9\r# c\n2, b, t, 1, 9\rend";
        QTest::newRow("changed, lone ends")
            << lone << "change" << QByteArray("objs\r1, a, t, 1, 5\r# c\n2, b, t, 1, 9\rend");
        QTest::newRow("changed back") << lone << "change unchange" << lone;
        QTest::newRow("removed, no last end")
            << QByteArray("objs\n1, a, t, 1, 9\n2, b, t, 1, 9") << "remove" << QByteArray("objs\n2, b, t, 1, 9");
        QTest::newRow("added after a last line without end")
            << QByteArray("objs\n1, a, t, 1, 9") << "add" << QByteArray("objs\n1, a, t, 1, 9\n7, n, t, 1, 9\n");
        QTest::newRow("copies of copies")
            << QByteArray("objs\r\n1, a, t, 1, 9\r\n2, b, t, 1, 9\r\nend\r\n") << "duplicate duplicate-last remove"
            << QByteArray("objs\r\n1, a, t, 1, 9\r\n1, a, t, 1, 9\r\n2, b, t, 1, 9\r\nend\r\n");
        QTest::newRow("added to the last section, mark kept")
            << QByteArray("\xEF\xBB\xBFobjs\n1, a, t, 1, 9\nend\nobjs\nend\n") << "add"
            << QByteArray("\xEF\xBB\xBFobjs\n1, a, t, 1, 9\nend\nobjs\n7, n, t, 1, 9\nend\n");
        const QByteArray light = QByteArrayList(QList<QByteArray>(20, "0")).join(", ");
        QTest::newRow("no section of the kind")
            << QByteArray("objs\nend") << "light" << QByteArray("objs\nend\n2dfx\n" + light + "\nend\n");
        // A new section after a file ending inside one closes that first.
        QTest::newRow("light after an open objs")
            << QByteArray("objs\r\n1, a, t, 1, 9\r\n") << "light"
            << QByteArray("objs\r\n1, a, t, 1, 9\r\nend\r\n2dfx\r\n" + light + "\r\nend\r\n");
        QTest::newRow("object and light after an open objs, no last end")
            << QByteArray("objs\r1, a, t, 1, 9") << "add light"
            << QByteArray("objs\r1, a, t, 1, 9\r7, n, t, 1, 9\rend\r2dfx\r" + light + "\rend\r");
        QTest::newRow("light after an open other section")
            << QByteArray("objs\nend\ncars\n1, x\n") << "light"
            << QByteArray("objs\nend\ncars\n1, x\nend\n2dfx\n" + light + "\nend\n");
        QTest::newRow("paths after an open 2dfx")
            << QByteArray("2dfx\n1, 2, 3\n") << "path" << QByteArray("2dfx\n1, 2, 3\nend\npath\nX\nend\n");
        QTest::newRow("paths added after the last path line")
            << QByteArray("path\r\n# p\r\n1, a\n\r\nend\r\npath\r\n2, b\r\nend\r\n") << "path"
            << QByteArray("path\r\n# p\r\n1, a\n\r\nend\r\npath\r\n2, b\r\nX\r\nend\r\n");
        QTest::newRow("paths into a new section")
            << QByteArray("objs\nend\n") << "path" << QByteArray("objs\nend\npath\nX\nend\n");
        // Only the edited path lines differ.
        const QByteArray twoPaths = "path\n1, a\nend\npath\n2, b\n# c\n3, c\nend\n";
        QTest::newRow("path changed in the second section")
            << twoPaths << "paths=1, a|2, B|3, c" << QByteArray("path\n1, a\nend\npath\n2, B\n# c\n3, c\nend\n");
        QTest::newRow("paths added after a line, before the first")
            << twoPaths << "paths=0, z|1, a|X|2, b|Y|3, c"
            << QByteArray("path\n0, z\n1, a\nX\nend\npath\n2, b\nY\n# c\n3, c\nend\n");
        QTest::newRow("path after a comment removed")
            << twoPaths << "paths=1, a|2, b" << QByteArray("path\n1, a\nend\npath\n2, b\n# c\nend\n");
        QTest::newRow("paths all replaced")
            << twoPaths << "paths=x|y|z|w" << QByteArray("path\nx\nend\npath\ny\n# c\nz\nw\nend\n");
        QTest::newRow("path lines keep their ends, no last end")
            << QByteArray("path\r1, a\r\n1, a\n2, b") << "paths=1, a|1, A|2, b|3, c"
            << QByteArray("path\r1, a\r\n1, A\n2, b\r3, c\r");
    }
    void editedEdgeCases()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, edit);
        QFETCH(QByteArray, saved);
        IdeDocument document;
        QVERIFY(loadBytes(document, bytes));
        SectionTable& objects = document.table(LineKind::Object);
        // "paths=" sets the paths text, | ending its lines; other steps are words.
        const bool paths = edit.startsWith(QLatin1String("paths="));
        for (const QString& step : paths ? QStringList{edit} : edit.split(QLatin1Char(' '))) {
            if (paths)
                document.setPathText(testKey, step.mid(6).toLatin1().replace('|', "\r\n"));
            else if (step == QLatin1String("change") || step == QLatin1String("unchange"))
                objects.setRowValues(testKey, 0,
                                     {"1", "a", "t", "1", step == QLatin1String("change") ? "5" : "9"});
            else if (step == QLatin1String("remove"))
                removeRows(testKey, document, LineKind::Object, {0});
            else if (step == QLatin1String("add"))
                objects.appendRow(testKey, {"7", "n", "t", "1", "9"});
            else if (step.startsWith(QLatin1String("duplicate")))
                duplicateRows(testKey, document, LineKind::Object,
                              {step.endsWith(QLatin1String("last")) ? objects.rowCount() - 1 : 0});
            else if (step == QLatin1String("light"))
                document.table(LineKind::Light).appendRow(testKey, QList<QByteArray>(20, "0"));
            else if (step == QLatin1String("path"))
                document.setPathText(testKey, document.pathText().isEmpty() ? "X" : document.pathText() + "\r\nX");
        }
        QCOMPARE(savedKeeping(document), saved);
        IdeDocument untitled; // a new document has no file to follow
        QVERIFY(!untitled.hasFileLayout());
    }

    // The report lists exactly the lines a fixed-layout save drops; every row
    // commented out, saved either way and read again, is the same commented row.
    void droppedLinesAndCommentedRows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        for (const QString& path : kit::allCorpusPaths())
            QTest::newRow(qPrintable(path)) << kit::fileBytes(path);
        QTest::newRow("other sections, stray lines") << QByteArray(
            "hier\n1, a\nend\ncars\n\n# c\nEND\nanim\nend\npeds\ncars\nobjs\nend\nend\nhello\n1, 2\n\tend\t");
        QTest::newRow("comments everywhere") << QByteArray(
            "\xEF\xBB\xBF# top\n\tobjs "
            "\n#F\n#1,a,b,1,2,0\n#1,a,b,1,2\n1,a,b,2,0\nend\npath\n#1,a,b,1,2,0\np\nend\n"
            "2dfx\n#1,2,3,4,5,6\n#1,2,3,4,5,6,7,8,9,\n1,2\nend\ntobj\n#1,a,b,1,2,0\n#1,a,b,1,2,0,5,6\n");
        QTest::newRow("two threads") << bigFile();
    }
    void droppedLinesAndCommentedRows()
    {
        QFETCH(QByteArray, bytes);
        const DocumentContent content = parseIdeKeepingBytes(bytes);
        QList<qsizetype> listed;
        for (const LoadReportEntry& entry : content.report.entries) {
            if (entry.reason != LoadReportEntry::Reason::MissingValues)
                listed << entry.lineNumber;
        }
        QCOMPARE(listed, linesNotHeld(bytes, content.layout));

        IdeDocument document;
        QVERIFY(loadBytes(document, bytes));
        for (LineKind kind : allLineKinds) {
            QList<qsizetype> rows(document.table(kind).rowCount());
            std::iota(rows.begin(), rows.end(), 0);
            commentOut(testKey, document, kind, rows);
        }
        for (const SaveLayout layout : {SaveLayout::KeepFile, SaveLayout::Fixed}) {
            const QString out = m_dir.filePath(QStringLiteral("commented.ide"));
            QVERIFY(saveDocument(document, out, QDateTime::currentDateTime(), layout).isEmpty());
            IdeDocument reopened;
            QCOMPARE(loadDocument(reopened, out, {}).status, ReadOutcome::Read);
            const QString difference =
                kit::differenceBetween(kit::snapshot(document), kit::snapshot(reopened), true);
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }
    }

    // The path lines an edit keeps: as many as any common subsequence holds,
    // in order, each the same text, at any count of lines and changes.
    void pathLinesMatched_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("texts"); // distinct line texts
        QTest::addColumn<int>("changes");
        QTest::newRow("few texts") << 60 << 3 << 30;
        QTest::newRow("many changes") << 400 << 40 << 150;
        QTest::newRow("one change in thousands") << 5000 << 5000 << 1;
        QTest::newRow("nothing in common") << 3000 << 3000 << -1;
    }
    void pathLinesMatched()
    {
        QFETCH(int, lines);
        QFETCH(int, texts);
        QFETCH(int, changes);
        QRandomGenerator random{quint32(lines)};
        QByteArrayList before, after;
        for (int i = 0; i < lines; ++i)
            before << QByteArray::number(random.bounded(texts));
        for (int i = 0; i < lines; ++i)
            after << (changes < 0 ? "x" + before[i] : before[i]);
        for (int i = 0; i < changes; ++i) { // a line removed, added, or both
            if (random.bounded(2) && after.size() > 1)
                after.removeAt(random.bounded(after.size()));
            if (random.bounded(2))
                after.insert(random.bounded(after.size() + 1), QByteArray::number(random.bounded(texts)));
        }
        const QList<QByteArrayView> a(before.cbegin(), before.cend()), b(after.cbegin(), after.cend());
        const std::vector<qsizetype> match = matchLines(a, b);
        QCOMPARE(qsizetype(match.size()), a.size());
        qsizetype kept = 0, last = -1;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (match[size_t(i)] < 0)
                continue;
            QVERIFY(match[size_t(i)] > last && match[size_t(i)] < b.size() && a[i] == b[match[size_t(i)]]);
            last = match[size_t(i)];
            ++kept;
        }
        std::vector<qsizetype> row(size_t(b.size() + 1)), next(row.size()); // the longest, by rows of a table
        for (qsizetype i = a.size() - 1; i >= 0; --i, std::swap(row, next))
            for (qsizetype j = b.size() - 1; j >= 0; --j)
                next[size_t(j)] =
                    a[i] == b[j] ? row[size_t(j + 1)] + 1 : qMax(row[size_t(j)], next[size_t(j + 1)]);
        QCOMPARE(kept, row[0]);
    }

    void loadReport()
    {
        IdeDocument document;
        QVERIFY(loadBytes(document,
                          "# top\r\nstray, line\r\nobjs\n1, a\n#1,2\nend\nCars\n# c\n9, x\nEND\n  \n"
                          "2dfx\n1, 2, 3\n# long, comment\nend\ntobj\n1, a, t, 1, 9, 0\nend\nhello\n1, 2\nend\n"));
        QByteArrayList entries;
        for (const LoadReportEntry& entry : document.loadReport().entries)
            entries << QByteArray::number(entry.lineNumber) + ' ' + reasonText(entry).toLatin1() + ' ' +
                           entry.line +
                           (entry.kind ? ' ' + QByteArray::number(document.table(*entry.kind).rowWithId(entry.row))
                                       : QByteArray());
        QCOMPARE(entries, QByteArrayList({"1 comment # top", "2 outside sections stray, line",
                                          "4 4 values missing 1, a 0", "5 comment #1,2", "7 section cars Cars",
                                          "8 section cars # c", "9 section cars 9, x", "10 section cars END",
                                          "13 2dfx line of 3 fields 1, 2, 3", "14 comment # long, comment",
                                          "17 2 values missing 1, a, t, 1, 9, 0 0", "19 outside sections hello",
                                          "20 outside sections 1, 2", "21 outside sections end"}));

        QVERIFY(loadBytes(document, kit::fileBytes(kit::corpusPath(QStringLiteral("basegame-default.ide")))));
        QCOMPARE(document.loadReport().droppedSummary().value(0),
                 QStringLiteral("sections hier, cars, peds: 155 lines"));
    }
};

QTEST_GUILESS_MAIN(DocumentKeepLayoutTest)
#include "test_document_keeplayout.moc"
