#include "map/idmovechecks.h"

#include "map/gamemap.h"
#include "texts/maptexts.h"

#include <algorithm>

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
        return texts::moveTargetDefined.arg(blocker->id).arg(
            texts::mapPlace.arg(map.sources().files[blocker->file].shownPath).arg(blocker->line));
    }
    const QList<qint64> commented = map.commentedIds();
    for (const auto& [oldId, newId] : mapping.pairs()) {
        if (map.definitionsOf(oldId).isEmpty() && !contains(commented, oldId))
            return texts::moveIdDefinedNowhere.arg(oldId);
    }
    return {};
}

std::optional<qint64> firstFreeRun(const GameMap& map, qint64 span, qint64 from)
{
    if (span < 1)
        return std::nullopt;
    QList<qint64> used = map.usedIds();
    used += map.commentedIds();
    for (qsizetype file = 0; file < map.sources().files.size(); ++file) {
        for (const IdReference& reference : map.facts(file).references) {
            if (reference.kind == ReferenceKind::Placement && reference.id >= from)
                used.append(reference.id);
        }
    }
    std::sort(used.begin(), used.end());
    qint64 start = from;
    for (const qint64 id : used) {
        if (id < start)
            continue;
        if (id - start >= span)
            break;
        start = id + 1;
    }
    const std::optional<qint64> limit = map.idLimit();
    if (limit && start + span > *limit)
        return std::nullopt;
    return start;
}

} // namespace tarnel
