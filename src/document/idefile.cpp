#include "document/idefile.h"

#include "document/bigarrays.h"
#include "document/bufferedforms.h"
#include "document/idedocument.h"
#include "document/idewriter.h"
#include "document/keptlayoutwriter.h"
#include "texts/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <future>
#include <thread>

namespace tarnel {

namespace {

// Files at least this big are read by two threads, one half each.
constexpr qint64 splitReadSize = qint64(8) << 20;

// Reads up to `size` bytes into `into`; returns how many it got.
qint64 readFully(QFile& file, char* into, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(into + got, size - got);
        if (n <= 0)
            break;
        got += n;
    }
    return got;
}

struct Part {
    qint64 got = 0;
    QString error;
};

Part readPart(const QString& path, qint64 offset, char* into, qint64 size)
{
    Part part;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !file.seek(offset)) {
        part.error = file.errorString();
        return part;
    }
    part.got = readFully(file, into, size);
    if (file.error() != QFileDevice::NoError)
        part.error = file.errorString();
    return part;
}

// Whether the bytes begin with a UTF-16 byte order mark.
bool isUtf16Text(QByteArrayView bytes)
{
    return bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff");
}

// A directory, or a name that does not exist, counts as missing.
ReadOutcome readIdeFile(const QString& path)
{
    ReadOutcome outcome;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        return outcome;
    // A named pipe or a device would block the window or never end.
    if (!info.isFile()) {
        outcome.status = ReadOutcome::Unreadable;
        outcome.error = texts::notRegularFile;
        return outcome;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        outcome.status = ReadOutcome::Unreadable;
        outcome.error = file.errorString();
        return outcome;
    }
    // One buffer of the file's size; a big file's second half is read by a
    // second thread meanwhile. A file that grows meanwhile is read to its end
    // all the same.
    const qint64 expected = file.size();
    QByteArray bytes(expected, Qt::Uninitialized);
    char* const data = bytes.data();
    preferHugePages(data, expected);
    const qint64 half =
        expected >= splitReadSize && std::thread::hardware_concurrency() > 1 ? expected / 2 : expected;
    std::future<Part> tail;
    if (half < expected)
        tail = std::async(std::launch::async, readPart, path, half, data + half, expected - half);
    qint64 got = readFully(file, data, half);
    QString error = file.error() != QFileDevice::NoError ? file.errorString() : QString();
    if (tail.valid()) {
        const Part part = tail.get();
        if (error.isEmpty())
            error = part.error;
        if (got == half)
            got += part.got;
    }
    if (error.isEmpty() && got == expected && file.seek(expected)) {
        bytes.truncate(got);
        bytes.append(file.readAll());
        if (file.error() != QFileDevice::NoError)
            error = file.errorString();
    } else {
        bytes.truncate(got);
    }
    if (!error.isEmpty()) {
        outcome.status = ReadOutcome::Unreadable;
        outcome.error = error;
        return outcome;
    }
    if (isUtf16Text(bytes)) {
        outcome.status = ReadOutcome::Utf16;
        outcome.error = texts::utf16File;
        return outcome;
    }
    outcome.bytes = std::move(bytes);
    outcome.status = ReadOutcome::Read;
    return outcome;
}

// Writes beside the target through `write` and replaces the target only once
// that succeeded. Returns the reason on failure.
template <typename Write> QString writeThroughSaveFile(const QString& path, Write&& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace

QString writeIdeFile(const QString& path, const QByteArray& bytes)
{
    return writeThroughSaveFile(path, [&bytes](QSaveFile& file) { return file.write(bytes) == bytes.size(); });
}

LoadOutcome loadDocument(IdeDocument& document, const QString& path, const LoadErrorSink& onError)
{
    ReadOutcome read = readIdeFile(path);
    if (read.status != ReadOutcome::Read)
        return {read.status, read.error};
    // Rows point into the file's bytes, which the tables now share.
    DocumentContent content = parseIdeKeepingBytes(read.bytes, onError);
    read.bytes = {};
    LoadReport report = std::move(content.report);
    document.replaceContent(std::move(content));
    document.setLoadReport(std::move(report));
    document.setOpenFilePath(path);
    document.setModified(false);
    return {ReadOutcome::Read, {}};
}

QString saveDocument(const IdeDocument& document, const QString& path, const QDateTime& when, SaveLayout layout)
{
    const bool keepLayout = layout == SaveLayout::KeepFile && document.hasFileLayout();
    // Streamed in blocks: the file's bytes need not exist twice in memory.
    return writeThroughSaveFile(path, [&](QSaveFile& file) {
        return keepLayout ? writeKeepingLayout(document, file)
                          : writeIde(document.contentView(), headerLine(when), file);
    });
}

LoadOutcome loadDocumentFromBytes(IdeDocument& document, const QByteArray& bytes, const LoadErrorSink& onError)
{
    if (isUtf16Text(bytes))
        return {ReadOutcome::Utf16, texts::utf16File};
    DocumentContent content = parseIdeKeepingBytes(bytes, onError);
    LoadReport report = std::move(content.report);
    document.replaceContent(std::move(content));
    document.setLoadReport(std::move(report));
    document.setModified(false);
    return {ReadOutcome::Read, {}};
}

bool writeDocument(const IdeDocument& document, QIODevice& device, const QDateTime& when, SaveLayout layout)
{
    return layout == SaveLayout::KeepFile && document.hasFileLayout()
               ? writeKeepingLayout(document, device)
               : writeIde(document.contentView(), headerLine(when), device);
}

} // namespace tarnel
