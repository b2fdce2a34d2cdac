#pragma once

#include "document/rowid.h"

#include <QList>
#include <QString>

#include <utility>
#include <vector>

namespace tarnel {

class IdeDocument;

// The object IDs held by the rows of a document's objects and timed objects
// (commented rows excluded), each with its row's identity, table by table.
struct DocumentObjectIds {
    std::vector<std::pair<qint64, RowId>> ids;
    std::vector<std::pair<QByteArray, RowId>> wideIds; // beyond 64 bits, as wideObjectIdOf writes them
};
DocumentObjectIds objectIdsOf(const IdeDocument& document);
// The object IDs of the commented-out rows of a document's objects and timed
// objects ("# 1234, ..."), ascending: lines switched off, which may be switched
// on again, so the free IDs count them as used unless asked not to.
QList<qint64> commentedObjectIds(const IdeDocument& document);

// The object IDs of an IDE file read as the editor loads it, ascending, or
// why it could not be read.
struct FileObjectIds {
    QList<qint64> ids;
    QList<qint64> commentedIds; // as commentedObjectIds
    QString failure;            // empty when the file was read
};
FileObjectIds objectIdsOfFile(const QString& path);

} // namespace tarnel
