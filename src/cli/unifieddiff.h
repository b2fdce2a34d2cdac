#pragma once

#include "map/idlinechanges.h"

#include <QByteArray>
#include <QList>

namespace tarnel::cli {

// One file's changed lines as a unified diff that `patch -p1` applies from
// the folder `path` is relative to: `--- a/PATH`, `+++ b/PATH`, then one hunk
// of no context per changed line (`@@ -L,1 +L,1 @@`, `-old`, `+new`). As
// `diff -u` does, a line ending in CR LF keeps its CR in the hunk, and a last
// line without an end is followed by "\ No newline at end of file". `bytes`
// are the file's as read, which tell each changed line's end.
QByteArray unifiedDiff(const QByteArray& path, const QByteArray& bytes, const QList<LineChange>& changes);

// A path as a diff header names it: as it is, or in double quotes with C
// escapes when it holds a space, a quote, a backslash or a byte that is not
// printable ASCII (where patch would stop reading it).
QByteArray diffHeaderPath(const QByteArray& path);

} // namespace tarnel::cli
