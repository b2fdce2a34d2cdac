#pragma once

#include "map/filefacts.h"

#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QSet>

#include <vector>

namespace tarnel {

// Where a definition or reference lies: a file of the map and its place in
// that file's list.
struct MapPlace {
    qint32 file = 0;
    qint32 index = 0;
    friend bool operator<(MapPlace a, MapPlace b) { return a.file != b.file ? a.file < b.file : a.index < b.index; }
    friend bool operator==(MapPlace a, MapPlace b) { return a.file == b.file && a.index == b.index; }
};

// One ID's definitions and references across the map, in load order.
struct IdUses {
    std::vector<MapPlace> definitions;
    std::vector<MapPlace> references;
};

// The map's one ID space: per ID where it is defined and referred to, the
// model names defined (for "that name is ID ..."), and which IDs have a
// finding across files. A file's facts are taken out and put in again one ID
// at a time, so a change costs what that file's IDs touch.
class MapIndex {
public:
    // The facts of every file, which the index points into.
    QList<FileFacts> facts;

    void add(qint32 file);
    void remove(qint32 file);
    // Looks again at whether these IDs have a finding across files.
    void recheck(const QSet<qint64>& ids);
    void recheckAll();

    const IdUses* usesOf(qint64 id) const
    {
        const auto found = m_ids.constFind(id);
        return found == m_ids.cend() ? nullptr : &*found;
    }
    const QHash<qint64, IdUses>& ids() const { return m_ids; }
    const QSet<qint64>& idsWithFindings() const { return m_withFindings; }
    // The first definition, in load order, of a model name (any case).
    std::optional<MapPlace> definitionNamed(const QByteArray& name) const;

    const IdDefinition& definition(MapPlace place) const { return facts.at(place.file).definitions.at(place.index); }
    const IdReference& reference(MapPlace place) const { return facts.at(place.file).references.at(place.index); }

private:
    bool hasFinding(const IdUses& uses) const;

    QHash<qint64, IdUses> m_ids;
    QMultiHash<size_t, MapPlace> m_names; // by the case-free hash of a definition's name
    QSet<qint64> m_withFindings;
};

// Whether two model names are the same without regard to (ASCII) case.
bool sameName(QByteArrayView a, QByteArrayView b);

} // namespace tarnel
