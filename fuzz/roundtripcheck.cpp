#include "roundtripcheck.h"

#include "document/bufferedforms.h"
#include "document/idedocument.h"
#include "document/ideparser.h"
#include "document/idewriter.h"
#include "document/keptlayoutwriter.h"

#include <QBuffer>
#include <QDateTime>

using namespace tarnel;

namespace {

QString shown(QByteArrayView bytes)
{
    constexpr qsizetype limit = 120;
    const QByteArray text = bytes.first(qMin(bytes.size(), limit)).toByteArray().toPercentEncoding(" ,#");
    return QLatin1Char('"') + QString::fromLatin1(text) +
           (bytes.size() > limit ? QStringLiteral("\"...") : QStringLiteral("\""));
}

// Empty when both hold the same rows and path store.
QString contentDifference(const DocumentContent& a, const DocumentContent& b)
{
    for (LineKind kind : allLineKinds) {
        const RowStore& x = a.table(kind);
        const RowStore& y = b.table(kind);
        const QString table = tableNameOf(kind);
        if (x.size() != y.size())
            return QStringLiteral("%1: %2 rows read, %3 after saving").arg(table).arg(x.size()).arg(y.size());
        for (qsizetype row = 0; row < x.size(); ++row) {
            const QList<QByteArray> before = x.values(row);
            const QList<QByteArray> after = y.values(row);
            if (before != after)
                return QStringLiteral("%1 row %2: %3 read, %4 after saving")
                    .arg(table)
                    .arg(row)
                    .arg(shown(QByteArrayList(before).join('|')), shown(QByteArrayList(after).join('|')));
        }
    }
    if (a.pathText != b.pathText)
        return QStringLiteral("path store: %1 read, %2 after saving").arg(shown(a.pathText), shown(b.pathText));
    return {};
}

QByteArrayView withoutFirstLine(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf("\r\n");
    return end < 0 ? QByteArrayView() : bytes.sliced(end + 2);
}

} // namespace

QString roundTripFault(QByteArrayView input)
{
    // Two saves a minute apart: their header lines differ.
    const QDateTime firstTime(QDate(2004, 10, 26), QTime(12, 0));
    const QByteArray firstHeader = headerLine(firstTime);
    const QByteArray secondHeader = headerLine(firstTime.addSecs(60));

    const DocumentContent read = parseIde(input);
    const QByteArray saved = formatIde(contentViewOf(read), firstHeader);
    if (!saved.startsWith(firstHeader + "\r\n"))
        return QStringLiteral("the saved file does not begin with its header line");

    QBuffer device;
    device.open(QIODevice::WriteOnly);
    if (!writeIde(contentViewOf(read), firstHeader, device))
        return QStringLiteral("writing to a buffer failed");
    if (device.data() != saved)
        return QStringLiteral("the streamed save differs from formatIde: %1 against %2")
            .arg(shown(device.data()), shown(saved));

    const DocumentContent reread = parseIde(saved);
    const QString difference = contentDifference(read, reread);
    if (!difference.isEmpty())
        return difference;

    const QByteArray savedAgain = formatIde(contentViewOf(reread), secondHeader);
    if (withoutFirstLine(savedAgain) != withoutFirstLine(saved))
        return QStringLiteral("saving twice differs: %1 then %2").arg(shown(saved), shown(savedAgain));

    // The window's way: the rows go into a document, which writes them.
    IdeDocument document;
    DocumentContent loaded = parseIdeKeepingBytes(input.toByteArray());
    document.replaceContent(std::move(loaded));
    if (formatDocument(document, firstHeader) != saved)
        return QStringLiteral("the document writes other bytes than its content: %1 against %2")
            .arg(shown(formatDocument(document, firstHeader)), shown(saved));

    // Saved keeping the file's layout, the unedited document is the input again.
    const QByteArray kept = formatKeepingLayout(document);
    if (kept != input)
        return QStringLiteral("the save keeping the layout differs from the input: %1 against %2")
            .arg(shown(kept), shown(input));
    QBuffer keptDevice;
    keptDevice.open(QIODevice::WriteOnly);
    if (!writeKeepingLayout(document, keptDevice) || keptDevice.data() != kept)
        return QStringLiteral("the streamed save keeping the layout differs: %1").arg(shown(keptDevice.data()));
    return {};
}
