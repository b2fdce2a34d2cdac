#include "map/idlinechanges.h"

#include "document/idefile.h"
#include "document/idindex.h"
#include "map/gamemap.h"
#include "map/idvalue.h"
#include "map/linewalk.h"
#include "map/sectionwalk.h"

#include <future>

namespace tarnel {

namespace {

// The first value's piece of a line (up to its first comma); a commented line
// names an ID only when it has a comma, as the map's reader takes it.
std::optional<QByteArrayView> firstPiece(QByteArrayView line, bool commented)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return commented ? std::nullopt : std::optional<QByteArrayView>(line);
    return line.first(comma);
}

// Where a line names an ID that may move: the span of the value, relative to the line.
std::optional<IdValue> movableIdOf(QByteArrayView line, IdeSectionWalk::Kind section, IdSection defining)
{
    const bool commented = idetext::isCommented(line);
    const std::optional<QByteArrayView> first = firstPiece(line, commented);
    if (!first)
        return std::nullopt;
    switch (section) {
    case IdeSectionWalk::Kind::Defining:
        if (defining != IdSection::Objs && defining != IdSection::Tobj)
            return std::nullopt;
        return idValueOf(*first, 0);
    case IdeSectionWalk::Kind::Effects: return idValueOf(*first, 0);
    case IdeSectionWalk::Kind::Paths: return pathHeaderIdOf(line);
    default: return std::nullopt;
    }
}

void addChange(QList<LineChange>& changes, QByteArrayView line, qint64 number, const std::optional<IdValue>& value,
               const IdMapping& mapping)
{
    if (!value)
        return;
    if (const std::optional<QByteArray> after = movedLine(line, *value, mapping))
        changes.append(LineChange{number, line.toByteArray(), *after});
}

} // namespace

QList<LineChange> idChangesInFile(const QByteArray& bytes, MapFileKind kind, const IdMapping& mapping)
{
    QList<LineChange> changes;
    if (mapping.isEmpty())
        return changes;
    if (kind == MapFileKind::Ide) {
        IdeSectionWalk sections;
        forEachLine(bytes, [&](QByteArrayView line, qint64 number) {
            const std::optional<IdeSectionWalk::Open> open = sections.contentOf(line);
            if (open)
                addChange(changes, line, number, movableIdOf(line, open->kind, open->defining), mapping);
        });
        return changes;
    }
    if (bytes.startsWith("bnry"))
        return changes;
    IplSectionWalk sections;
    forEachLine(bytes, [&](QByteArrayView line, qint64 number) {
        if (!sections.isInstContent(line))
            return;
        if (const std::optional<QByteArrayView> first = firstPiece(line, idetext::isCommented(line)))
            addChange(changes, line, number, idValueOf(*first, 0), mapping);
    });
    return changes;
}

QByteArray withLineChanges(const QByteArray& bytes, const QList<LineChange>& changes)
{
    if (changes.isEmpty())
        return bytes;
    QByteArray out;
    out.reserve(bytes.size() + changes.size() * 8);
    qsizetype next = 0;   // the next change
    qsizetype copied = 0; // bytes of `bytes` written out
    forEachLine(bytes, [&](QByteArrayView line, qint64 number) {
        if (next >= changes.size() || changes[next].line != number)
            return;
        const LineChange& change = changes[next++];
        if (line != change.before)
            return; // not the line the change was made for: kept
        const qsizetype at = line.data() - bytes.constData();
        out.append(bytes.constData() + copied, at - copied);
        out.append(change.after);
        copied = at + line.size();
    });
    out.append(bytes.constData() + copied, bytes.size() - copied);
    return out;
}

QList<FileIdChanges> idChangesInMap(const GameMap& map, const IdMapping& mapping)
{
    const QList<MapFile>& files = map.sources().files;
    QList<FileIdChanges> found(files.size());
    // Two threads, each a file at a time; only the bytes of files that change are kept.
    auto readEvery = [&](qsizetype first) {
        for (qsizetype i = first; i < files.size(); i += 2) {
            if (files[i].missing())
                continue;
            ReadOutcome read = readIdeFile(files[i].path);
            if (read.status != ReadOutcome::Read)
                continue;
            FileIdChanges& file = found[i];
            file.changes = idChangesInFile(read.bytes, files[i].kind, mapping);
            if (!file.changes.isEmpty()) {
                file.file = i;
                file.bytes = std::move(read.bytes);
            }
        }
    };
    std::future<void> odd = std::async(std::launch::async, readEvery, 1);
    readEvery(0);
    odd.get();
    found.removeIf([](const FileIdChanges& file) { return file.file < 0; });
    return found;
}

} // namespace tarnel
