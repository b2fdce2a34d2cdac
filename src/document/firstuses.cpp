#include "document/firstuses.h"

#include <algorithm>

namespace tarnel {

namespace {

// An array slot per ID costs 8 bytes, a hash entry several times that: the
// array may be a few times wider than the IDs it holds.
constexpr qint64 slotsPerId = 4;
constexpr qint64 smallestArray = 4096;

} // namespace

const IdUse* FirstUses::find(qint64 id) const
{
    if (inArray(id)) {
        const IdUse& use = m_dense[size_t(id - m_low)];
        return use.row == noRow ? nullptr : &use;
    }
    const auto found = m_sparse.constFind(id);
    return found == m_sparse.cend() ? nullptr : &*found;
}

void FirstUses::insert(qint64 id, IdUse use)
{
    if (inArray(id)) {
        m_dense[size_t(id - m_low)] = use;
        ++m_denseCount;
    } else {
        m_sparse.insert(id, use);
    }
}

void FirstUses::remove(qint64 id)
{
    if (inArray(id)) {
        IdUse& use = m_dense[size_t(id - m_low)];
        if (use.row != noRow) {
            use.row = noRow;
            --m_denseCount;
        }
    } else {
        m_sparse.remove(id);
    }
}

void FirstUses::clear()
{
    m_dense.clear();
    m_denseCount = 0;
    m_sparse.clear();
}

QList<qint64> FirstUses::ascendingIds() const
{
    QList<qint64> ids = m_sparse.keys();
    ids.reserve(size());
    for (size_t at = 0; at < m_dense.size(); ++at) {
        if (m_dense[at].row != noRow)
            ids.append(m_low + qint64(at));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void FirstUses::prepare(qint64 low, qint64 high, qsizetype count)
{
    if (low > high || (inArray(low) && inArray(high)))
        return;
    if (!m_dense.empty()) {
        low = std::min(low, m_low);
        high = std::max(high, m_low + qint64(m_dense.size()) - 1);
    }
    for (auto at = m_sparse.cbegin(); at != m_sparse.cend(); ++at) {
        low = std::min(low, at.key());
        high = std::max(high, at.key());
    }
    // Wide apart (or near the ends of the number range): the hash holds them.
    if (quint64(high) - quint64(low) >= quint64(std::max(smallestArray, slotsPerId * (size() + count))))
        return;
    std::vector<IdUse> dense(size_t(high - low + 1), IdUse{LineKind::Object, noRow});
    for (size_t at = 0; at < m_dense.size(); ++at)
        dense[size_t(m_low - low) + at] = m_dense[at];
    for (auto at = m_sparse.cbegin(); at != m_sparse.cend(); ++at)
        dense[size_t(at.key() - low)] = at.value();
    m_denseCount = size();
    m_sparse.clear();
    m_low = low;
    m_dense = std::move(dense);
}

} // namespace tarnel
