#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace tarnel {

// Gives each file its new bytes, all or nothing: each is first written beside
// its file (taking its mode, owner, group and extended attributes, as
// replaceFileContent does) and synced; only when all are written are they
// renamed into place. A failure anywhere removes what was written and, if a
// rename already happened, puts the renamed files' old bytes back. A file with
// other hard links is written in place at that point, once a copy of its old
// bytes is safe beside it. Returns the reason (naming the file), empty on success.
QString replaceFilesTogether(const QList<std::pair<QString, QByteArray>>& files);

} // namespace tarnel
