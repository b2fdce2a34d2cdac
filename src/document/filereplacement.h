#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace tarnel {

// Fills the device with a file's new content; false when a write failed.
using ContentWriter = std::function<bool(QIODevice&)>;

// Gives the file at `path` the content `write` makes, keeping it the same
// file: a regular file is written beside it and takes its place only when
// complete and synced, with the old one's mode, owner, group and extended
// attributes (ACLs too); a file with other hard links is written in place, so
// every name sees the new content, once a copy of the old content is safe
// beside it; a named pipe or a character device is written to directly; any
// other kind of file is refused. A name that does not exist yet becomes a new
// file. Returns the reason on failure, empty on success.
QString replaceFileContent(const QString& path, const ContentWriter& write);

// Whether replaceFileContent would write the file at `path` in place: a
// regular file with other hard links.
bool isWrittenInPlace(const QString& path);

// The name of the new file a save is writing beside its target, while its
// content is being written; null at any other time. Safe to call from a
// signal handler, so that a program ending on a signal can remove the file.
const char* unfinishedFileName();

} // namespace tarnel
