#pragma once

#include "document/linekind.h"
#include "document/rowid.h"

#include <QHash>
#include <QList>

#include <limits>
#include <vector>

namespace tarnel {

// One row using an ID: its table and its identity.
struct IdUse {
    LineKind kind = LineKind::Object;
    RowId row = 0;
    friend bool operator==(const IdUse&, const IdUse&) = default;
};

// One use of each ID in use. Object IDs of a file lie close together, so a
// range of them is held in an array indexed by the ID (8 bytes an ID, no
// hashing); IDs outside it go to a hash.
class FirstUses {
public:
    const IdUse* find(qint64 id) const;
    IdUse* find(qint64 id) { return const_cast<IdUse*>(std::as_const(*this).find(id)); }
    // `id` must not be held yet.
    void insert(qint64 id, IdUse use);
    void remove(qint64 id);
    void clear();
    qsizetype size() const { return m_denseCount + m_sparse.size(); }
    // Every ID held, ascending.
    QList<qint64> ascendingIds() const;

    // About to take `count` IDs from `low` to `high`: widens the array over
    // them when the IDs held and these would fill enough of it.
    void prepare(qint64 low, qint64 high, qsizetype count);

private:
    static constexpr RowId noRow = std::numeric_limits<RowId>::max();
    // Differences of IDs are taken unsigned: IDs may lie at both ends of the number range.
    bool inArray(qint64 id) const { return id >= m_low && quint64(id) - quint64(m_low) < m_dense.size(); }

    qint64 m_low = 0;
    std::vector<IdUse> m_dense; // from m_low; row == noRow where unused
    qsizetype m_denseCount = 0;
    QHash<qint64, IdUse> m_sparse;
};

} // namespace tarnel
