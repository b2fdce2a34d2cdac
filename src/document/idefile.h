#pragma once

#include "document/ideparser.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <limits>

class QIODevice;

namespace tarnel {

class IdeDocument;

struct ReadOutcome {
    // Utf16: the file is UTF-16 text (it starts with that byte order mark),
    // which no line of it could be read from.
    enum Status { Read, Missing, Unreadable, Utf16 };
    Status status = Missing;
    QByteArray bytes;
    QString error; // why an existing file could not be read
};

// Reads a whole file into one buffer (a big file's halves by two threads),
// for the loads below and the map's readers. A directory, or a name that does
// not exist, counts as missing.
ReadOutcome readIdeFile(const QString& path);

// The file's bytes as readIdeFile gives them, but through a read-only mapping
// of the file that is never undone: no memory to clear and no copy, for a
// program that ends after one job (tarnel-cli). Another program cutting the
// file short meanwhile makes a touch of a page past its new end raise SIGBUS,
// which such a program must catch. An empty file, or one that cannot be
// mapped, is read instead. The bytes must never be written to: a QByteArray
// over them copies them before any change.
ReadOutcome mapIdeFileUntilExit(const QString& path);

// Reads a file as readIdeFile does, but a block at a time into one buffer
// used again, for readers that keep nothing of the bytes (the map's facts),
// so that a big file takes no memory of its size. Each block handed to
// `take` ends just after an LF, so no line and no CR LF is split between two,
// but the last, which ends where the file ends. The outcome's bytes stay
// empty; when it is not Read, what `take` was given is to be thrown away.
// Given `from` (the start of a line) and `to`, the bytes [from, to) only.
ReadOutcome readIdeFileInBlocks(const QString& path, const std::function<void(QByteArrayView)>& take,
                                qint64 from = 0, qint64 to = std::numeric_limits<qint64>::max());

struct LoadOutcome {
    ReadOutcome::Status status = ReadOutcome::Missing;
    QString error;
};

// How a load reaches the file's bytes: read into memory, or mapped as
// mapIdeFileUntilExit maps them.
enum class FileAccess { Read, MapUntilExit };

// Reads the file at `path` into the document's tables and makes it the open file.
// A file that cannot be read leaves the document as it was; a loaded one is
// marked unchanged.
LoadOutcome loadDocument(IdeDocument& document, const QString& path, const LoadErrorSink& onError,
                         FileAccess access = FileAccess::Read);

// Reads a file's `bytes` (standard input's, say) into the document's tables as
// loadDocument reads a file, leaving the open file's path as it was.
LoadOutcome loadDocumentFromBytes(IdeDocument& document, const QByteArray& bytes, const LoadErrorSink& onError);

// Fixed: the header and the four sections in their order, as Tarnel lays out
// every file. KeepFile: the file the document was read from, line for line,
// with only what was edited changed (a document read from no file is written
// in the fixed layout).
enum class SaveLayout { Fixed, KeepFile };

// Writes the document to `path`: in the fixed layout with a header stamped
// `when`, or keeping the layout of the file it was read from.
// Returns the reason on failure; the changed flag is the caller's to settle.
QString saveDocument(const IdeDocument& document, const QString& path, const QDateTime& when,
                     SaveLayout layout = SaveLayout::Fixed);

// Writes the document to `device` (standard output, say) as saveDocument writes
// a file. Returns false when a write fails: the device tells why.
bool writeDocument(const IdeDocument& document, QIODevice& device, const QDateTime& when,
                   SaveLayout layout = SaveLayout::Fixed);

} // namespace tarnel
