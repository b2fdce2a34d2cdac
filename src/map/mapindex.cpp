#include "map/mapindex.h"

#include <algorithm>

namespace tarnel {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

size_t nameHash(QByteArrayView name)
{
    size_t hash = 1469598103934665603ULL; // FNV-1a over the lower-case bytes
    for (const char c : name)
        hash = (hash ^ quint8(lower(c))) * 1099511628211ULL;
    return hash;
}

void insertSorted(std::vector<MapPlace>& places, MapPlace place)
{
    if (places.empty() || places.back() < place)
        places.push_back(place);
    else
        places.insert(std::upper_bound(places.begin(), places.end(), place), place);
}

void removeFile(std::vector<MapPlace>& places, qint32 file)
{
    std::erase_if(places, [file](MapPlace p) { return p.file == file; });
}

} // namespace

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

void MapIndex::add(qint32 file)
{
    const FileFacts& ofFile = facts.at(file);
    for (qint32 i = 0; i < ofFile.definitions.size(); ++i) {
        const IdDefinition& definition = ofFile.definitions[i];
        insertSorted(m_ids[definition.id].definitions, MapPlace{file, i});
        if (!definition.name.isEmpty())
            m_names.insert(nameHash(definition.name), MapPlace{file, i});
    }
    for (qint32 i = 0; i < ofFile.references.size(); ++i)
        insertSorted(m_ids[ofFile.references[i].id].references, MapPlace{file, i});
}

void MapIndex::remove(qint32 file)
{
    const FileFacts& ofFile = facts.at(file);
    QSet<qint64> ids;
    for (qint32 i = 0; i < ofFile.definitions.size(); ++i) {
        const IdDefinition& definition = ofFile.definitions[i];
        ids.insert(definition.id);
        if (!definition.name.isEmpty())
            m_names.remove(nameHash(definition.name), MapPlace{file, i});
    }
    for (const IdReference& reference : ofFile.references)
        ids.insert(reference.id);
    for (const qint64 id : std::as_const(ids)) {
        const auto found = m_ids.find(id);
        if (found == m_ids.end())
            continue;
        removeFile(found->definitions, file);
        removeFile(found->references, file);
        if (found->definitions.empty() && found->references.empty()) {
            m_ids.erase(found);
            m_withFindings.remove(id);
        }
    }
}

void MapIndex::recheck(const QSet<qint64>& ids)
{
    for (const qint64 id : ids) {
        const IdUses* uses = usesOf(id);
        if (uses && hasFinding(*uses))
            m_withFindings.insert(id);
        else
            m_withFindings.remove(id);
    }
}

void MapIndex::recheckAll()
{
    m_withFindings.clear();
    for (auto it = m_ids.cbegin(); it != m_ids.cend(); ++it) {
        if (hasFinding(*it))
            m_withFindings.insert(it.key());
    }
}

bool MapIndex::hasFinding(const IdUses& uses) const
{
    if (uses.definitions.size() > 1)
        return true;
    if (uses.definitions.empty())
        return !uses.references.empty();
    const QByteArray& name = definition(uses.definitions.front()).name;
    return std::any_of(uses.references.begin(), uses.references.end(), [&](MapPlace place) {
        const QByteArray& used = reference(place).name;
        return !used.isEmpty() && !sameName(used, name);
    });
}

std::optional<MapPlace> MapIndex::definitionNamed(const QByteArray& name) const
{
    std::optional<MapPlace> first;
    for (auto it = m_names.constFind(nameHash(name)); it != m_names.cend() && it.key() == nameHash(name); ++it) {
        if (sameName(definition(*it).name, name) && (!first || *it < *first))
            first = *it;
    }
    return first;
}

} // namespace tarnel
