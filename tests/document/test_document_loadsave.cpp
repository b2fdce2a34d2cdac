// The open document, reading and writing files, and the real files of the corpus.
#include "documenttestkit.h"

#include "document/idedocument.h"
#include "document/filesreplacement.h"
#include "document/idefile.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace tarnel;

namespace {

const QDateTime firstSave(QDate(2023, 3, 4), QTime(5, 6));
const QDateTime secondSave(QDate(2031, 11, 12), QTime(21, 22));

LoadOutcome loadPath(IdeDocument& document, const QString& path, QList<LoadError>* errors = nullptr)
{
    return loadDocument(document, path, [errors](const LoadError& e) {
        if (errors)
            errors->append(e);
    });
}

int modeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

// A small file with something in every table and a comment in each.
const QByteArray mixedFile = "objs\r\n"
                             "10, b_obj, tex, 1, 100, 0\r\n"
                             "#11, c_obj, tex, 1, 100, 0\r\n"
                             "9, a_obj, tex, 1, 100, 0, 7\r\n"
                             "end\r\n"
                             "tobj\r\n"
                             "20, t, tex, 1, 100, 0, 20, 6\r\n"
                             "# 21, t, tex, 1, 100, 0, 20, 6\r\n"
                             "end\r\n"
                             "path\r\n"
                             "ped, 1, x\r\n"
                             "\t2, -1, 0, -40, 40, 2, 160, 1, 1\r\n"
                             "end\r\n"
                             "2dfx\r\n"
                             "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20\r\n"
                             "#1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20\r\n"
                             "1,2,3,4,5,6,7,8,9\r\n"
                             "#1,2,3,4,5,6,7,8,9\r\n"
                             "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                             "#1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                             "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n"
                             "#1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n"
                             "end\r\n";

// The values of the comma pieces of a line, trimmed of spaces, done the plain way.
QByteArrayList plainValues(const QByteArray& line)
{
    QByteArrayList values = line.split(',');
    for (QByteArray& v : values) {
        while (v.startsWith(' '))
            v.remove(0, 1);
        while (v.endsWith(' '))
            v.chop(1);
    }
    return values;
}

QByteArrayList fileLines(const QByteArray& bytes)
{
    QByteArrayList lines = QByteArray(bytes).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    return lines;
}

} // namespace

class DocumentLoadSaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString temp(const QString& name) const { return m_dir.filePath(name); }

    QString mixedPath()
    {
        const QString path = temp(QStringLiteral("mixed.ide"));
        if (!QFile::exists(path))
            kit::putFile(path, mixedFile);
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void setPathTextSignalsOnce()
    {
        IdeDocument document;
        QSignalSpy changes(&document, &IdeDocument::modifiedChanged);
        QSignalSpy pathChanges(&document, &IdeDocument::pathTextChanged);
        document.setPathText(testKey, "ped, 1, x\r\n\t2, 3");
        QCOMPARE(document.pathText(), QByteArray("ped, 1, x\r\n\t2, 3"));
        QCOMPARE(pathChanges.size(), 1);
        // The changed flag is the edit history's to keep.
        QVERIFY(!document.isModified());
        QCOMPARE(changes.size(), 0);
        // The same text again is no change.
        document.setPathText(testKey, "ped, 1, x\r\n\t2, 3");
        QCOMPARE(pathChanges.size(), 1);
        // The path text is written as the path section.
        const QByteArrayList written = kit::crlfLines(formatDocument(document, "# h"));
        const qsizetype at = written.indexOf("Path");
        QVERIFY(at > 0);
        QCOMPARE(written.mid(at + 1, 3), (QByteArrayList{"ped, 1, x", "\t2, 3", "end"}));
    }

    void clearTablesEmptiesAll()
    {
        IdeDocument document;
        QCOMPARE(loadPath(document, mixedPath()).status, ReadOutcome::Read);
        for (LineKind kind : allLineKinds)
            QVERIFY(document.table(kind).rowCount() > 0);
        QVERIFY(!document.pathText().isEmpty());
        QSignalSpy replaced(&document, &IdeDocument::contentReplaced);
        document.reset();
        for (LineKind kind : allLineKinds)
            QCOMPARE(document.table(kind).rowCount(), 0);
        QVERIFY(document.pathText().isEmpty());
        QCOMPARE(replaced.size(), 1);
        QCOMPARE(kit::withoutFirstLine(formatDocument(document, "# h")),
                 kit::withoutFirstLine(kit::formatContent(DocumentContent())));
    }

    void loadFillsEveryTable()
    {
        IdeDocument document;
        QSignalSpy replaced(&document, &IdeDocument::contentReplaced);
        QCOMPARE(loadPath(document, mixedPath()).status, ReadOutcome::Read);
        QCOMPARE(replaced.size(), 1);
        QCOMPARE(kit::dump(kit::snapshot(document)), kit::dump(parseIde(mixedFile)));
        QCOMPARE(document.openFilePath(), mixedPath());
        QVERIFY(!document.isUntitled());
    }

    void commentsLoadCommented()
    {
        IdeDocument document;
        QCOMPARE(loadPath(document, mixedPath()).status, ReadOutcome::Read);
        for (LineKind kind : allLineKinds) {
            const RowStore& rows = document.table(kind).rows();
            qsizetype commented = 0;
            for (qsizetype row = 0; row < rows.size(); ++row) {
                const bool hash = rows.firstValue(row).startsWith('#');
                commented += hash;
                QVERIFY2(rows.isCommented(row) == hash, qPrintable(tableNameOf(kind)));
            }
            QCOMPARE(commented, 1);
        }
    }

    // The changed flag is the edit history's alone, which forgets its steps as
    // a load begins (tests/history); the load announces itself once, complete.
    void loadLeavesTheChangedFlag()
    {
        IdeDocument document;
        document.setPathText(testKey, "edited");
        document.setModified(testKey, true);
        QSignalSpy changes(&document, &IdeDocument::modifiedChanged);
        QSignalSpy replaced(&document, &IdeDocument::contentReplaced);
        qsizetype reportSeen = 0;
        QString pathSeen;
        connect(&document, &IdeDocument::contentReplaced, this, [&] {
            reportSeen = document.loadReport().entries.size();
            pathSeen = document.openFilePath();
        });
        const QString path = kit::corpusPath(QStringLiteral("laterlayout-oceandrv.ide")); // lines to report
        QCOMPARE(loadPath(document, path).status, ReadOutcome::Read);
        QCOMPARE(replaced.size(), 1);
        QVERIFY(reportSeen > 0);
        QCOMPARE(reportSeen, document.loadReport().entries.size());
        QCOMPARE(pathSeen, path);
        QVERIFY(document.isModified());
        QCOMPARE(changes.size(), 0);
    }

    void loadingTwiceGivesTheSame()
    {
        IdeDocument document;
        QList<LoadError> errors;
        const QString path = kit::corpusPath(QStringLiteral("laterlayout-oceandrv.ide"));
        QCOMPARE(loadPath(document, path, &errors).status, ReadOutcome::Read);
        const DocumentContent once = kit::snapshot(document);
        const qsizetype errorsOnce = errors.size();
        QCOMPARE(loadPath(document, path, &errors).status, ReadOutcome::Read);
        const QString difference = kit::differenceBetween(once, kit::snapshot(document), true);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(errors.size(), 2 * errorsOnce);
    }

    void loadWhileSortedSorts()
    {
        IdeDocument document;
        document.setSorted(testKey, true);
        QCOMPARE(loadPath(document, kit::corpusPath(QStringLiteral("basegame-generic.ide"))).status,
                 ReadOutcome::Read);
        const QByteArrayList keys = kit::firstValues(document.table(LineKind::Object).rows());
        QCOMPARE(keys.size(), 331);
        for (qsizetype i = 1; i < keys.size(); ++i)
            QVERIFY2(keys[i - 1].compare(keys[i], Qt::CaseInsensitive) <= 0, keys[i - 1] + " before " + keys[i]);
    }

    // A file read a block at a time, or mapped, gives readIdeFile's bytes and
    // outcome, in blocks that end just after an LF but the last.
    void readInBlocks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray line = "1234, some_model, some_texture, 1, 300, 0\r\n";
        QTest::newRow("lines across blocks") << line.repeated(200'000) + "end";
        QTest::newRow("a line longer than a block") << line + QByteArray(9 << 20, 'x') + "\n" + line;
        QTest::newRow("lone CRs only") << QByteArray("1, a\r").repeated(2'000'000);
        QTest::newRow("UTF-16") << QByteArray("\xff\xfeo\0b\0j\0s\0");
        QTest::newRow("empty") << QByteArray();
    }

    void readInBlocks()
    {
        QFETCH(QByteArray, bytes);
        const QString path = temp(QStringLiteral("blocks.ide"));
        QVERIFY(kit::putFile(path, bytes));
        QByteArrayList blocks;
        const ReadOutcome outcome =
            readIdeFileInBlocks(path, [&blocks](QByteArrayView block) { blocks.append(block.toByteArray()); });
        const ReadOutcome whole = readIdeFile(path);
        QCOMPARE(outcome.status, whole.status);
        QCOMPARE(outcome.error, whole.error);
        if (outcome.status == ReadOutcome::Read)
            QCOMPARE(blocks.join(), whole.bytes);
        for (qsizetype i = 0; i + 1 < blocks.size(); ++i)
            QVERIFY(blocks[i].endsWith('\n'));
        const ReadOutcome mapped = mapIdeFileUntilExit(path);
        QCOMPARE(mapped.status, whole.status);
        QCOMPARE(mapped.error, whole.error);
        QCOMPARE(mapped.bytes, whole.bytes);
    }

    void loadFailureLeavesDocument_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status");
        QTest::newRow("missing") << "no-such.ide" << int(ReadOutcome::Missing);
        QTest::newRow("missing folder") << "no-such-folder/x.ide" << int(ReadOutcome::Missing);
        QTest::newRow("directory") << "a-folder" << int(ReadOutcome::Missing);
        QTest::newRow("unreadable") << "locked.ide" << int(ReadOutcome::Unreadable);
    }

    void loadFailureLeavesDocument()
    {
        QFETCH(QString, name);
        QFETCH(int, status);
        const QString path = temp(name);
        if (name == QLatin1String("a-folder")) {
            QVERIFY(QDir(m_dir.path()).mkpath(name));
        } else if (status == ReadOutcome::Unreadable) {
            if (kit::runningAsRoot())
                QSKIP("running as root, which can read any file");
            QVERIFY(kit::putFile(path, mixedFile));
            QVERIFY(QFile::setPermissions(path, {}));
        }

        IdeDocument document;
        QCOMPARE(loadPath(document, mixedPath()).status, ReadOutcome::Read);
        document.table(LineKind::Object).appendRow(testKey, {"99", "edit"});
        document.setModified(testKey, true);
        const DocumentContent before = kit::snapshot(document);
        QSignalSpy replaced(&document, &IdeDocument::contentReplaced);
        QSignalSpy reset(&document.table(LineKind::Object), &SectionTable::aboutToBeReset);

        const LoadOutcome outcome = loadPath(document, path);
        QCOMPARE(int(outcome.status), status);
        if (status == ReadOutcome::Unreadable)
            QVERIFY(!outcome.error.isEmpty());
        const QString difference = kit::differenceBetween(before, kit::snapshot(document), true);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(document.isModified());
        QCOMPARE(document.openFilePath(), mixedPath());
        QCOMPARE(replaced.size(), 0);
        QCOMPARE(reset.size(), 0);
    }

    void writeIntoMissingFolderFails()
    {
        const QString folder = temp(QStringLiteral("absent"));
        const QString reason = writeIdeFile(folder + QStringLiteral("/out.ide"), mixedFile);
        QVERIFY(!reason.isEmpty());
        QVERIFY(!QFileInfo::exists(folder));

        IdeDocument document;
        QVERIFY(!saveDocument(document, folder + QStringLiteral("/doc.ide"), firstSave).isEmpty());
        QVERIFY(!QFileInfo::exists(folder));
    }

    void writeBelowAFileFails()
    {
        const QString file = temp(QStringLiteral("plain-file"));
        QVERIFY(kit::putFile(file, "keep"));
        QVERIFY(!writeIdeFile(file + QStringLiteral("/out.ide"), mixedFile).isEmpty());
        QCOMPARE(kit::fileBytes(file), QByteArray("keep"));
    }

    void writeOntoAFolderFails()
    {
        const QString folder = temp(QStringLiteral("target-folder"));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("target-folder")));
        QVERIFY(!writeIdeFile(folder, mixedFile).isEmpty());
        QVERIFY(QFileInfo(folder).isDir());
    }

    void writeKeepsPermissions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("0640") << 0640;
        QTest::newRow("0600") << 0600;
        QTest::newRow("0604") << 0604;
        QTest::newRow("0755") << 0755;
    }

    void writeKeepsPermissions()
    {
        QFETCH(int, mode);
        const QString path = temp(QStringLiteral("perm-%1.ide").arg(mode, 0, 8));
        QVERIFY(kit::putFile(path, "old"));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        QCOMPARE(modeOf(path), mode);
        IdeDocument document;
        QCOMPARE(loadPath(document, mixedPath()).status, ReadOutcome::Read);
        QCOMPARE(saveDocument(document, path, firstSave), QString());
        QCOMPARE(modeOf(path), mode);
        QCOMPARE(kit::withoutFirstLine(kit::fileBytes(path)),
                 kit::withoutFirstLine(formatDocument(document, "# h")));
    }

    // A file with another name is written in place: that name sees the new
    // bytes too, and nothing is left beside the target.
    void writeReplacesWholeFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("target.ide"));
        const QString other = dir.filePath(QStringLiteral("other-name.ide"));
        QVERIFY(kit::putFile(path, "old bytes"));
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
        QCOMPARE(writeIdeFile(path, mixedFile), QString());
        QCOMPARE(kit::fileBytes(path), mixedFile);
        QCOMPARE(kit::fileBytes(other), mixedFile);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("other-name.ide"), QStringLiteral("target.ide")}));
    }

    // Files given new bytes together: all of them, or (one cannot be written) none.
    void replaceFilesTogether_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::newRow("all written, one of two names, one new") << QString();
        QTest::newRow("a read-only file") << QStringLiteral("read-only");
        QTest::newRow("a folder not there") << QStringLiteral("missing/d.ipl");
        QTest::newRow("a folder in a file's place") << QStringLiteral("d.ipl");
    }

    void replaceFilesTogether()
    {
        QFETCH(QString, blocker);
        if (blocker == u"read-only" && kit::runningAsRoot())
            QSKIP("permission bits do not stop root");
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.ide")), b = dir.filePath(QStringLiteral("b.ipl"));
        QVERIFY(kit::putFile(a, "old a\r\n") && kit::putFile(b, "old b\n"));
        QCOMPARE(::chmod(QFile::encodeName(a).constData(), blocker == u"read-only" ? 0444 : 0640), 0);
        QCOMPARE(
            ::link(QFile::encodeName(b).constData(), QFile::encodeName(dir.filePath("b-link.ipl")).constData()),
            0);
        QList<std::pair<QString, QByteArray>> files{
            {a, "new a\r\n"}, {b, "new b\n"}, {dir.filePath("c.ipl"), "c"}};
        if (blocker == u"d.ipl")
            QVERIFY(QDir(dir.path()).mkdir(blocker));
        if (!blocker.isEmpty() && blocker != u"read-only")
            files.append({dir.filePath(blocker), "d"});
        const QStringList namesBefore = kit::namesIn(dir.path());
        const QString failure = tarnel::replaceFilesTogether(files);
        QCOMPARE(failure.isEmpty(), blocker.isEmpty());
        if (!blocker.isEmpty()) {
            QVERIFY2(failure.startsWith(blocker == u"read-only" ? a : files.back().first), qPrintable(failure));
            QCOMPARE(kit::namesIn(dir.path()), namesBefore);
            QCOMPARE(kit::fileBytes(a) + kit::fileBytes(b) + kit::fileBytes(dir.filePath("b-link.ipl")),
                     QByteArray("old a\r\nold b\nold b\n"));
            return;
        }
        QCOMPARE(modeOf(a), 0640);
        QCOMPARE(kit::namesIn(dir.path()), (QStringList{"a.ide", "b-link.ipl", "b.ipl", "c.ipl"}));
        QCOMPARE(kit::fileBytes(a) + kit::fileBytes(b) + kit::fileBytes(dir.filePath("b-link.ipl")) +
                     kit::fileBytes(files[2].first),
                 QByteArray("new a\r\nnew b\nnew b\nc"));
    }

    void saveWritesHeaderAndReadsBack()
    {
        IdeDocument document;
        QCOMPARE(loadPath(document, mixedPath()).status, ReadOutcome::Read);
        const QString path = temp(QStringLiteral("saved.ide"));
        QCOMPARE(saveDocument(document, path, firstSave), QString());
        const QByteArray bytes = kit::fileBytes(path);
        QCOMPARE(kit::firstLine(bytes), headerLine(firstSave) + '\r');
        QCOMPARE(bytes, formatDocument(document, headerLine(firstSave)));

        IdeDocument reread;
        QCOMPARE(loadPath(reread, path).status, ReadOutcome::Read);
        const QString difference = kit::differenceBetween(kit::snapshot(document), kit::snapshot(reread), true);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void corpusRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList files = kit::corpusFiles();
        QVERIFY(!files.isEmpty());
        for (const QString& name : files)
            QTest::newRow(qPrintable(name)) << name;
    }

    void corpusRoundTrip()
    {
        QFETCH(QString, name);
        IdeDocument original;
        QList<LoadError> originalErrors;
        QCOMPARE(loadPath(original, kit::corpusPath(name), &originalErrors).status, ReadOutcome::Read);

        const QString once = temp(QStringLiteral("once-") + name);
        QCOMPARE(saveDocument(original, once, firstSave), QString());
        const QByteArray onceBytes = kit::fileBytes(once);
        QVERIFY(kit::firstLine(onceBytes).startsWith(kit::headerPrefix));
        QVERIFY(onceBytes.endsWith("\r\n"));
        QCOMPARE(onceBytes.count('\n'), onceBytes.count("\r\n"));
        QCOMPARE(onceBytes.count('\r'), onceBytes.count("\r\n"));

        IdeDocument reread;
        QList<LoadError> rereadErrors;
        QCOMPARE(loadPath(reread, once, &rereadErrors).status, ReadOutcome::Read);
        const QString difference = kit::differenceBetween(kit::snapshot(original), kit::snapshot(reread), true);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(rereadErrors.size(), originalErrors.size());

        const QString twice = temp(QStringLiteral("twice-") + name);
        QCOMPARE(saveDocument(reread, twice, secondSave), QString());
        const QByteArray twiceBytes = kit::fileBytes(twice);
        QCOMPARE(kit::firstLine(twiceBytes), headerLine(secondSave) + '\r');
        QCOMPARE(kit::withoutFirstLine(twiceBytes), kit::withoutFirstLine(onceBytes));
    }

    void corpusCounts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rows");
        QTest::newRow("ghosttown objects") << "modmap-ghosttown.ide" << int(LineKind::Object) << 530;
        QTest::newRow("ghosttown lights") << "modmap-ghosttown.ide" << int(LineKind::Light) << 386;
        QTest::newRow("ghosttown particles") << "modmap-ghosttown.ide" << int(LineKind::Particle) << 152;
        QTest::newRow("generic objects") << "basegame-generic.ide" << int(LineKind::Object) << 331;
        QTest::newRow("generic lights") << "basegame-generic.ide" << int(LineKind::Light) << 272;
        for (LineKind kind : allLineKinds)
            QTest::addRow("cull-empty %s", qPrintable(tableNameOf(kind)))
                << "modmap-cull-empty.ide" << int(kind) << 0;
    }

    void corpusCounts()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(int, rows);
        IdeDocument document;
        QCOMPARE(loadPath(document, kit::corpusPath(name)).status, ReadOutcome::Read);
        QCOMPARE(document.table(LineKind(kind)).rowCount(), rows);
    }

    void corpusPathStores()
    {
        IdeDocument document;
        QCOMPARE(loadPath(document, kit::corpusPath(QStringLiteral("basegame-generic.ide"))).status,
                 ReadOutcome::Read);
        QVERIFY(!document.pathText().isEmpty());
        QCOMPARE(loadPath(document, kit::corpusPath(QStringLiteral("modmap-cull-empty.ide"))).status,
                 ReadOutcome::Read);
        QVERIFY(document.pathText().isEmpty());
    }

    void corpusCommentedObjects()
    {
        IdeDocument document;
        QCOMPARE(loadPath(document, kit::corpusPath(QStringLiteral("basegame-sewers.ide"))).status,
                 ReadOutcome::Read);
        const RowStore& rows = document.table(LineKind::Object).rows();
        qsizetype commented = 0;
        for (qsizetype row = 0; row < rows.size(); ++row) {
            QCOMPARE(rows.isCommented(row), rows.firstValue(row).startsWith('#'));
            if (rows.isCommented(row)) {
                ++commented;
                QCOMPARE(rows.valueCount(row), 6);
            }
        }
        QCOMPARE(commented, 4);
    }

    // The generic file's 7- and 8-field object lines keep every field, in the
    // table and in the saved file.
    void corpusLongObjectLines()
    {
        const QString path = kit::corpusPath(QStringLiteral("basegame-generic.ide"));
        IdeDocument document;
        QCOMPARE(loadPath(document, path).status, ReadOutcome::Read);
        const RowStore& rows = document.table(LineKind::Object).rows();
        QMap<qsizetype, int> byCount;
        QList<QByteArrayList> longRows;
        for (qsizetype row = 0; row < rows.size(); ++row) {
            ++byCount[rows.valueCount(row)];
            if (rows.valueCount(row) > 6)
                longRows.append(rows.values(row));
        }
        QCOMPARE(byCount.value(6), 304);
        QCOMPARE(byCount.value(7), 26);
        QCOMPARE(byCount.value(8), 1);
        QCOMPARE(byCount.size(), 3);

        const auto longLines = [](const QByteArray& bytes) {
            QList<QByteArrayList> out;
            for (const QByteArray& line : fileLines(bytes)) {
                const QByteArrayList values = plainValues(line);
                if ((values.size() == 7 || values.size() == 8) && !values.front().startsWith('#'))
                    out.append(values);
            }
            return out;
        };
        const QList<QByteArrayList> inFile = longLines(kit::fileBytes(path));
        QCOMPARE(inFile.size(), 27);
        QCOMPARE(longRows, inFile);

        const QString saved = temp(QStringLiteral("generic-saved.ide"));
        QCOMPARE(saveDocument(document, saved, firstSave), QString());
        QCOMPARE(longLines(kit::fileBytes(saved)), inFile);
    }
};

QTEST_GUILESS_MAIN(DocumentLoadSaveTest)
#include "test_document_loadsave.moc"
