#include "document/idefile.h"

#include "document/bigarrays.h"
#include "document/filenames.h"
#include "document/filereplacement.h"
#include "document/idedocument.h"
#include "document/idewriter.h"
#include "document/keptlayoutwriter.h"
#include "texts/texts.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnel {

namespace {

// Files at least this big are read by two threads, one half each.
constexpr qint64 splitReadSize = qint64(8) << 20;
// What a read in blocks reads at a time.
constexpr qint64 blockSize = qint64(1) << 20;

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

// Reads at `offset` without moving the descriptor's position, so that two
// threads can read one descriptor.
Part readPart(int fd, qint64 offset, char* into, qint64 size)
{
    Part part;
    while (part.got < size) {
        const ssize_t n = ::pread(fd, into + part.got, size_t(size - part.got), off_t(offset + part.got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            part.error = qt_error_string(errno);
        if (n <= 0)
            break;
        part.got += n;
    }
    return part;
}

// Whether the bytes begin with a UTF-16 byte order mark.
bool isUtf16Text(QByteArrayView bytes)
{
    return bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff");
}

// The outcome of a file's whole bytes: UTF-16 text is refused.
ReadOutcome outcomeOfWholeFile(QByteArray bytes)
{
    if (isUtf16Text(bytes))
        return {ReadOutcome::Utf16, {}, texts::utf16File};
    return {ReadOutcome::Read, std::move(bytes), {}};
}

// Opens a file to read it whole: `fd` and `file` hold it, or the outcome says
// why not. A directory, or a name that does not exist, counts as missing.
bool openToRead(const QString& path, int& fd, QFile& file, ReadOutcome& outcome)
{
    // The name's own bytes, which need not be UTF-8.
    const QByteArray name = fileNameBytes(path);
    struct stat info {};
    if (path.isEmpty() || ::stat(name.constData(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    // A named pipe or a device would block the window or never end.
    if (!S_ISREG(info.st_mode)) {
        outcome.status = ReadOutcome::Unreadable;
        outcome.error = texts::notRegularFile;
        return false;
    }
    fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        outcome.status = ReadOutcome::Unreadable;
        outcome.error = fd < 0 ? qt_error_string(errno) : file.errorString();
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    return true;
}

} // namespace

ReadOutcome readIdeFile(const QString& path)
{
    ReadOutcome outcome;
    QFile file;
    int fd = -1;
    if (!openToRead(path, fd, file, outcome))
        return outcome;
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
        tail = std::async(std::launch::async, readPart, fd, half, data + half, expected - half);
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
    return outcomeOfWholeFile(std::move(bytes));
}

ReadOutcome mapIdeFileUntilExit(const QString& path)
{
    ReadOutcome outcome;
    QFile file;
    int fd = -1;
    if (!openToRead(path, fd, file, outcome))
        return outcome;
    const qint64 size = file.size();
    void* const mapped = size > 0 ? ::mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
    if (mapped == MAP_FAILED)
        return readIdeFile(path);
    outcome = outcomeOfWholeFile(QByteArray::fromRawData(static_cast<const char*>(mapped), size));
    if (outcome.status != ReadOutcome::Read)
        ::munmap(mapped, size_t(size));
    return outcome;
}

ReadOutcome readIdeFileInBlocks(const QString& path, const std::function<void(QByteArrayView)>& take, qint64 from,
                                qint64 to)
{
    ReadOutcome outcome;
    QFile file;
    int fd = -1;
    if (!openToRead(path, fd, file, outcome))
        return outcome;
    QByteArray buffer(blockSize, Qt::Uninitialized);
    qsizetype held = 0; // bytes of a line begun in the block before
    bool first = from == 0;
    for (qint64 offset = from;;) {
        if (held == buffer.size())
            buffer.resize(buffer.size() * 2); // a line longer than a block
        const Part part = readPart(fd, offset, buffer.data() + held, std::min(buffer.size() - held, to - offset));
        if (!part.error.isEmpty()) {
            outcome.status = ReadOutcome::Unreadable;
            outcome.error = part.error;
            return outcome;
        }
        offset += part.got;
        const qsizetype filled = held + qsizetype(part.got);
        if (first && isUtf16Text(QByteArrayView(buffer.data(), filled))) {
            outcome.status = ReadOutcome::Utf16;
            outcome.error = texts::utf16File;
            return outcome;
        }
        first = false;
        if (part.got == 0) { // the end of the file
            if (held > 0)
                take(QByteArrayView(buffer.data(), held));
            break;
        }
        const void* lastLf = ::memrchr(buffer.data() + held, '\n', size_t(part.got));
        if (!lastLf) {
            held = filled;
            continue;
        }
        const qsizetype lines = static_cast<const char*>(lastLf) + 1 - buffer.data();
        take(QByteArrayView(buffer.data(), lines));
        held = filled - lines;
        std::memmove(buffer.data(), buffer.data() + lines, size_t(held));
    }
    outcome.status = ReadOutcome::Read;
    return outcome;
}

LoadOutcome loadDocument(IdeDocument& document, const QString& path, const LoadErrorSink& onError,
                         FileAccess access)
{
    ReadOutcome read = access == FileAccess::MapUntilExit ? mapIdeFileUntilExit(path) : readIdeFile(path);
    if (read.status != ReadOutcome::Read)
        return {read.status, read.error};
    // Rows point into the file's bytes, which the tables now share.
    DocumentContent content = parseIdeKeepingBytes(read.bytes, onError);
    read.bytes = {};
    document.replaceContent(std::move(content), path);
    return {ReadOutcome::Read, {}};
}

QString saveDocument(const IdeDocument& document, const QString& path, const QDateTime& when, SaveLayout layout)
{
    const bool keepLayout = layout == SaveLayout::KeepFile && document.hasFileLayout();
    // Streamed in blocks: the file's bytes need not exist twice in memory.
    return replaceFileContent(path, [&](QIODevice& file) {
        return keepLayout ? writeKeepingLayout(document, file)
                          : writeIde(document.contentView(), headerLine(when), file);
    });
}

LoadOutcome loadDocumentFromBytes(IdeDocument& document, const QByteArray& bytes, const LoadErrorSink& onError)
{
    if (isUtf16Text(bytes))
        return {ReadOutcome::Utf16, texts::utf16File};
    DocumentContent content = parseIdeKeepingBytes(bytes, onError);
    document.replaceContent(std::move(content));
    return {ReadOutcome::Read, {}};
}

bool writeDocument(const IdeDocument& document, QIODevice& device, const QDateTime& when, SaveLayout layout)
{
    return layout == SaveLayout::KeepFile && document.hasFileLayout()
               ? writeKeepingLayout(document, device)
               : writeIde(document.contentView(), headerLine(when), device);
}

} // namespace tarnel
