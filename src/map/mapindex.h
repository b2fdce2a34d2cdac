#pragma once

#include "map/filefacts.h"
#include "map/placeindex.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QVarLengthArray>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace tarnel {

// The map's one ID space over the facts of its files. The places of every
// definition are indexed once; a file whose facts are replaced since (the
// window's edits) is left out of that index and its definitions kept in a
// small hash of their own, so a change costs what that file holds. The
// references and the definitions' names are indexed the same way when first
// asked for, a changed file's being looked through directly.
class MapIndex {
public:
    explicit MapIndex(QList<FileFacts> facts = {});

    const QList<FileFacts>& facts() const { return m_facts; }
    // Returns the IDs whose definitions in that file changed (ID, name, line or section).
    QSet<qint64> replace(qint32 file, FileFacts facts);

    // The definitions of `id`, in load order.
    QVarLengthArray<MapPlace, 4> definitionsOf(qint64 id) const;
    // The first of them and whether there are others: what the checks ask of
    // every line, without listing an ID's many definitions each time.
    struct FirstPlace {
        std::optional<MapPlace> first;
        bool several = false;
        // The first one's line and section.
        qint64 line = 0;
        IdSection section = IdSection::Objs;
    };
    FirstPlace firstDefinitionOf(qint64 id) const;
    QList<MapPlace> referencesOf(qint64 id) const;
    // The first definition, in load order, of a model name (any case).
    std::optional<MapPlace> definitionNamed(QByteArrayView name) const;

    const IdDefinition& definition(MapPlace place) const { return m_facts[place.file].definitions[place.index]; }
    const IdReference& reference(MapPlace place) const { return m_facts[place.file].references[place.index]; }

private:
    QList<FileFacts> m_facts;
    std::vector<bool> m_changed; // replaced since the indexes were made
    QList<qint32> m_changedFiles;
    PlaceIndex m_definitions;
    // firstDefinitionOf of each of its slots, while no file is replaced: the
    // checks ask it of every definition, and a big map's places and
    // definitions lie too far apart for the cache.
    std::vector<FirstPlace> m_firstDefinitions;
    QHash<qint64, std::vector<MapPlace>> m_changedDefinitions;
    mutable std::unique_ptr<PlaceIndex> m_references;
    // The definitions by the case-free hash of their name, in buckets by the
    // hash's top bits, each in load order: made when a name is first asked for.
    struct NameIndex {
        int shift = 63;
        std::vector<quint32> start;
        std::vector<std::pair<qint64, MapPlace>> entries;
    };
    mutable NameIndex m_names;
    size_t bucketOf(qint64 nameKey) const { return size_t(quint64(nameKey) >> m_names.shift); }
    void makeNames() const;
    mutable std::once_flag m_namesMade;
};

// Whether two model names are the same without regard to (ASCII) case.
bool sameName(QByteArrayView a, QByteArrayView b);

} // namespace tarnel
