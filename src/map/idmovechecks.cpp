#include "map/idmovechecks.h"

#include "map/gamemap.h"
#include "texts/maptexts.h"

#include <algorithm>
#include <vector>

namespace tarnel {

namespace {

// A line defining an ID, for the refusal naming it.
struct Blocker {
    qint64 id = 0;
    qsizetype file = -1;
    qint64 line = 0;
};

bool contains(const QList<qint64>& ascending, qint64 id)
{
    return std::binary_search(ascending.begin(), ascending.end(), id);
}

// The first new ID (lowest, then first in load order) defined by a line whose own ID does not move.
std::optional<Blocker> firstBlocker(const GameMap& map, const IdMapping& mapping)
{
    QList<qint64> newIds;
    newIds.reserve(mapping.size());
    for (const auto& [oldId, newId] : mapping.pairs())
        newIds.append(newId); // ascending, as the old IDs are
    std::optional<Blocker> first;
    auto consider = [&](qint64 id, qsizetype file, qint64 line) {
        if (!first || id < first->id || (id == first->id && file < first->file))
            first = Blocker{id, file, line};
    };
    for (const qint64 id : newIds) {
        if (first && id > first->id)
            break;
        if (mapping.newIdOf(id))
            continue; // its lines move away
        const QList<std::pair<qsizetype, IdDefinition>> definitions = map.definitionsOf(id);
        if (!definitions.isEmpty())
            consider(id, definitions.front().first, definitions.front().second.line);
    }
    // Commented lines, which would come back as a second definition.
    for (qsizetype file = 0; file < map.sources().files.size(); ++file) {
        for (const auto& [id, line] : map.facts(file).commentedDefinitions) {
            if (contains(newIds, id) && !mapping.newIdOf(id))
                consider(id, file, line);
        }
    }
    return first;
}

} // namespace

QString idMoveRefusal(const GameMap& map, const IdMapping& mapping)
{
    if (mapping.isEmpty())
        return texts::moveNothingToMove;
    if (const std::optional<qint64> limit = map.idLimit(); limit && mapping.lastNewId() >= *limit)
        return texts::moveReachesLimit.arg(mapping.lastNewId()).arg(*limit);
    if (const std::optional<Blocker> blocker = firstBlocker(map, mapping)) {
        return texts::moveTargetDefined.arg(blocker->id)
            .arg(texts::mapPlace.arg(map.sources().files[blocker->file].shownPath).arg(blocker->line));
    }
    const QList<qint64> commented = map.commentedIds();
    for (const auto& [oldId, newId] : mapping.pairs()) {
        if (map.definitionsOf(oldId).isEmpty() && !contains(commented, oldId))
            return texts::moveIdDefinedNowhere.arg(oldId);
    }
    return {};
}

std::optional<qint64> firstFreeRun(const GameMap& map, qint64 span, std::optional<qint64> startAt)
{
    if (span < 1)
        return std::nullopt;
    const QList<MapFile>& files = map.sources().files;
    const bool ideMissing = std::any_of(files.begin(), files.end(), [](const MapFile& file) {
        return file.kind == MapFileKind::Ide && file.missing();
    });
    const qint64 from = std::max<qint64>(1, startAt ? *startAt : ideMissing ? map.usedIds().value(0, 1) : 1);
    // Every ID at or above `from` a line defines (commented ones too) or places.
    auto forEachUsed = [&](auto&& take) {
        for (qsizetype file = 0; file < map.sources().files.size(); ++file) {
            const FileFacts& facts = map.facts(file);
            for (const IdDefinition& definition : facts.definitions)
                take(definition.id);
            for (const qint64 id : facts.commentedIds)
                take(id);
            for (const IdReference& reference : facts.references) {
                if (reference.kind == ReferenceKind::Placement)
                    take(reference.id);
            }
        }
    };
    qint64 highest = from - 1;
    forEachUsed([&](qint64 id) { highest = std::max(highest, id); });
    qint64 start = from;
    if (highest - from < (qint64(1) << 26)) { // a map's close IDs: one bit each
        std::vector<bool> used(size_t(highest - from + 1));
        forEachUsed([&](qint64 id) {
            if (id >= from)
                used[size_t(id - from)] = true;
        });
        for (qint64 id = from; id <= highest && id - start < span; ++id) {
            if (used[size_t(id - from)])
                start = id + 1;
        }
    } else {
        std::vector<qint64> used;
        forEachUsed([&](qint64 id) {
            if (id >= from)
                used.push_back(id);
        });
        std::sort(used.begin(), used.end());
        for (const qint64 id : used) {
            if (id - start >= span)
                break;
            start = std::max(start, id + 1);
        }
    }
    const std::optional<qint64> limit = map.idLimit();
    if (limit && start + span > *limit)
        return std::nullopt;
    return start;
}

} // namespace tarnel
