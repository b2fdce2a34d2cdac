#pragma once

#include "map/mapfinding.h"
#include "map/sectionwalk.h"

#include <QByteArray>
#include <QList>

#include <functional>

namespace tarnel {

class IdeDocument;

// A name read from a file points into its facts' `namePool` (no allocation a
// line): copy it (QByteArray(name.constData(), name.size())) to keep it
// beyond those facts. GameMap::definitionsOf and referencesOf hand out copies.
struct IdDefinition {
    qint64 id = 0;
    QByteArray name; // the model name (second value)
    qint64 line = 0;
    IdSection section = IdSection::Objs;
};

enum class ReferenceKind { Placement, Effect, PathHeader };
struct IdReference {
    qint64 id = 0;
    QByteArray name; // the model name; empty for 2dfx
    qint64 line = 0;
    ReferenceKind kind = ReferenceKind::Placement;
};

} // namespace tarnel

// Lists of a million grow in place.
Q_DECLARE_TYPEINFO(tarnel::IdDefinition, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(tarnel::IdReference, Q_RELOCATABLE_TYPE);

namespace tarnel {

// What one file of the map says about IDs.
struct FileFacts {
    QList<IdDefinition> definitions; // line order
    QList<IdReference> references;   // line order
    // This file's own findings: hours, draw distances, mesh counts, inst value
    // count, LOD index, numbers beyond 64 bits (path and file left for the map to fill).
    QList<MapFinding> findings;
    qint64 lineCount = 0;
    int instValueCount = 0; // most inst lines' value count (0: no inst line): the ID limit's default
    qint64 instCount = 0;   // inst lines read
    bool binary = false;    // a `bnry` placement file, not read
    // IDs of commented-out defining lines, ascending: the free IDs count them
    // as used unless asked to free them.
    QList<qint64> commentedIds;
    // The same lines as (ID, line), in line order: what a move into their IDs names.
    QList<std::pair<qint64, qint64>> commentedDefinitions;
    // The bytes of the names above, which they point into; shared by copies of the facts.
    QByteArray namePool;
};

FileFacts readIdeFacts(const QByteArray& bytes);
FileFacts readIplFacts(const QByteArray& bytes);
// The same from a file's bytes handed out a block at a time (readIdeFileInBlocks):
// `blocks` calls its argument with each block, whole lines, in file order.
using BlockSink = std::function<void(QByteArrayView)>;
using ByteBlocks = std::function<void(const BlockSink&)>;
FileFacts readIdeFacts(const ByteBlocks& blocks);
// The same from a file's bytes in two parts, read by two threads: `rest`
// starts at a line that opens a section (IdeSectionWalk::opensSection), so
// what its lines are does not hang on the lines before it.
FileFacts readIdeFacts(const ByteBlocks& first, const ByteBlocks& rest);
FileFacts readIplFacts(const ByteBlocks& blocks);

// An IDE file open in the window: objects, timed objects, 2dfx and paths from
// the document's tables as edited (line = the row's file line, 0 for a row
// made since), the other sections (anim, hier, cars, peds, weap) from `asRead`
// (readIdeFacts of its file).
FileFacts ideFactsOfDocument(const IdeDocument& document, const FileFacts& asRead);

} // namespace tarnel
