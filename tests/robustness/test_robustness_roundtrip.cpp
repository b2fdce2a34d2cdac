// Replays the fuzz target's seeds and every input it ever found a fault with
// (fuzz/regressions/) through the same invariant check, without libFuzzer.
#include "mapreaderscheck.h"
#include "roundtripcheck.h"

#include "document/bufferedforms.h"
#include "document/ideparser.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tarnel;

namespace {

// The seeds and the corpus files one after another, over and over, in the
// given order, until there are at least `size` bytes.
QByteArray patchwork(qsizetype size, bool reversed)
{
    QStringList paths;
    for (const QString& folder : {QStringLiteral(TARNEL_FUZZ_DIR "/seeds"), QStringLiteral(TARNEL_CORPUS_DIR)}) {
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
            paths << file.filePath();
    }
    if (reversed)
        std::reverse(paths.begin(), paths.end());
    QByteArray bytes;
    while (bytes.size() < size) {
        for (const QString& path : paths)
            bytes += support::fileBytes(path);
    }
    return bytes;
}

// Lines of bytes that end in a line end: CR LF, a lone CR or a lone LF each end one.
qsizetype lineCount(const QByteArray& bytes)
{
    qsizetype lines = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

struct Read {
    DocumentContent content;
    QList<LoadError> errors;
};

Read read(const QByteArray& bytes)
{
    Read r;
    r.content = parseIde(bytes, [&r](const LoadError& e) { r.errors.append(e); });
    return r;
}

} // namespace

class RoundTripReplay : public QObject {
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("path");
        int found = 0;
        for (const char* folder : {"seeds", "regressions"}) {
            const QDir dir(QStringLiteral(TARNEL_FUZZ_DIR "/") + QLatin1String(folder));
            for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Name)) {
                if (file.fileName().startsWith(u'.'))
                    continue;
                const QString name = QLatin1String(folder) + u'/' + file.fileName();
                QTest::newRow(qPrintable(name)) << file.filePath();
                ++found;
            }
        }
        QVERIFY2(found > 0, "no seeds found under " TARNEL_FUZZ_DIR);
    }

    void replay()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QString fault = roundTripFault(bytes);
        if (fault.isEmpty())
            fault = mapReadersFault(bytes);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // An "end" line closes every section, so a file reads as its part up to
    // such a line followed by the rest read on its own. A file this big is
    // read by two threads, each from an "end" line of its own choosing; the
    // parts here are small enough to be read by one.
    void bigFileReadsAsItsParts()
    {
        const QByteArray head = patchwork(5 << 20, false) + "\r\nend\r\n";
        const QByteArray tail = patchwork(5 << 20, true);
        const QByteArray whole = head + tail;

        const Read first = read(head);
        const Read second = read(tail);
        const Read all = read(whole);
        for (LineKind kind : allLineKinds) {
            const RowStore& rows = all.content.table(kind);
            const RowStore& a = first.content.table(kind);
            const RowStore& b = second.content.table(kind);
            QCOMPARE(rows.size(), a.size() + b.size());
            for (qsizetype row = 0; row < rows.size(); ++row) {
                if (rows.values(row) != (row < a.size() ? a.values(row) : b.values(row - a.size())))
                    QFAIL(qPrintable(QStringLiteral("%1 row %2 differs").arg(tableNameOf(kind)).arg(row)));
            }
        }
        QByteArrayList paths{first.content.pathText, second.content.pathText};
        paths.removeAll(QByteArray());
        QCOMPARE(all.content.pathText, paths.join("\r\n"));

        QList<LoadError> errors = first.errors;
        const qsizetype headLines = lineCount(head);
        for (LoadError e : second.errors) {
            e.lineNumber += headLines;
            errors.append(e);
        }
        QCOMPARE(all.errors.size(), errors.size());
        for (qsizetype i = 0; i < errors.size(); ++i) {
            if (all.errors[i].lineNumber != errors[i].lineNumber || all.errors[i].line != errors[i].line)
                QFAIL(qPrintable(QStringLiteral("load error %1 reads line %2, not %3")
                                     .arg(i)
                                     .arg(all.errors[i].lineNumber)
                                     .arg(errors[i].lineNumber)));
        }

        const QString fault = roundTripFault(whole);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

QTEST_GUILESS_MAIN(RoundTripReplay)
#include "test_robustness_roundtrip.moc"
