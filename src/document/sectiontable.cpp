#include "document/sectiontable.h"

#include "document/rowcells.h"

#include <algorithm>

namespace tarnel {

namespace {

// From this many rows on, rows undo or redo brings back between others are
// put in place with one reorder instead of an insertion each.
constexpr qsizetype manyRows = 64;

} // namespace

SectionTable::SectionTable(LineKind kind, RowIdSource* ids, QObject* parent)
    : QObject(parent), m_kind(kind), m_ids(ids ? ids : &m_ownIds)
{
}

qsizetype SectionTable::rowWithId(RowId id) const
{
    for (qsizetype row = 0; row < m_rows.size(); ++row) {
        if (m_rows.id(row) == id)
            return row;
    }
    return -1;
}

qsizetype SectionTable::appendRow(EditKey, const QList<QByteArray>& values)
{
    return insertRow(values, m_ids->take());
}

qsizetype SectionTable::insertRow(const QList<QByteArray>& values, RowId id)
{
    const QByteArrayView first = values.isEmpty() ? QByteArrayView() : QByteArrayView(values.front());
    const qsizetype at = m_sorted && !m_batch ? m_rows.sortedPosition(first) : m_rows.size();
    emit rowAboutToBeInserted(at);
    m_rows.insert(at, values, id);
    if (m_batch)
        m_changed.push_back(true);
    emit rowInserted(at);
    return at;
}

void SectionTable::appendCopies(EditKey, const QList<qsizetype>& rows)
{
    if (m_sorted && !m_batch) {
        // Copy first: each copy may land before a source still to copy.
        QList<std::pair<QList<QByteArray>, RowId>> copies;
        copies.reserve(rows.size());
        for (qsizetype row : rows)
            copies.append({m_rows.values(row), m_rows.id(row)});
        for (const auto& [values, source] : copies)
            insertRow(values, m_ids->take(source));
        return;
    }
    if (rows.isEmpty())
        return;
    const qsizetype first = m_rows.size();
    emit rowsAboutToBeAppended(rows.size());
    RowId firstId = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const RowId id = m_ids->take(m_rows.id(rows[i]));
        if (i == 0)
            firstId = id;
    }
    m_rows.appendCopies(rows, firstId);
    if (m_batch)
        m_changed.resize(m_changed.size() + size_t(rows.size()), true);
    emit rowsAppended(first, rows.size());
}

qsizetype SectionTable::setRowValues(EditKey, qsizetype row, const QList<QByteArray>& values)
{
    // A row whose first value stays keeps its place among its equals.
    const QByteArrayView newFirst = values.isEmpty() ? QByteArrayView() : QByteArrayView(values.front());
    const bool keyChanged = m_rows.firstValue(row) != newFirst;
    m_rows.replaceValues(row, values);
    if (keyChanged)
        mark(row);
    emit rowChanged(row);
    if (!m_sorted || m_batch || !keyChanged)
        return row;
    const qsizetype to = m_rows.sortedPositionExcluding(row);
    if (to != row) {
        emit rowAboutToMove(row, to);
        m_rows.move(row, to);
        emit rowMoved(row, to);
    }
    return to;
}

template <typename Change> void SectionTable::changeMany(EditKey key, const QList<qsizetype>& rows, Change change)
{
    if (rows.isEmpty())
        return;
    const bool ownBatch = m_sorted && !m_batch;
    if (ownBatch)
        beginBatch(key);
    change();
    emit rowsChanged(rows.front(), rows.back());
    if (ownBatch)
        endBatch(key);
}

void SectionTable::commentOutRows(EditKey key, const QList<qsizetype>& rows)
{
    changeMany(key, rows, [&] {
        m_rows.prefixRows(rows, "# ");
        for (qsizetype row : rows)
            mark(row);
    });
}

void SectionTable::unCommentRows(EditKey key, const QList<qsizetype>& rows)
{
    changeMany(key, rows, [&] {
        m_rows.dropCommentMarks(rows);
        for (qsizetype row : rows)
            mark(row);
    });
}

void SectionTable::setRowsValues(EditKey key, const QList<qsizetype>& rows, const QList<QList<QByteArray>>& values)
{
    changeMany(key, rows, [&] {
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QList<QByteArray>& rowValues = values[i];
            const QByteArrayView newFirst =
                rowValues.isEmpty() ? QByteArrayView() : QByteArrayView(rowValues.front());
            if (m_rows.firstValue(rows[i]) != newFirst)
                mark(rows[i]);
        }
        m_rows.replaceValues(rows, values);
    });
}

void SectionTable::removeRow(EditKey key, qsizetype row)
{
    removeRows(key, {row});
}

void SectionTable::removeRows(EditKey, const QList<qsizetype>& rows)
{
    removeRows(rows);
}

void SectionTable::removeRows(const QList<qsizetype>& rows)
{
    if (rows.isEmpty())
        return;
    emit rowsAboutToBeRemoved(rows);
    m_rows.removeRows(rows);
    if (m_batch) {
        qsizetype next = 0;
        qsizetype out = 0;
        for (qsizetype row = 0; row < qsizetype(m_changed.size()); ++row) {
            if (next < rows.size() && rows[next] == row)
                ++next;
            else
                m_changed[size_t(out++)] = m_changed[size_t(row)];
        }
        m_changed.resize(size_t(out));
    }
    emit rowsRemoved(rows);
}

void SectionTable::clear(EditKey)
{
    m_laterLayout = false;
    if (m_rows.isEmpty())
        return;
    emit aboutToBeReset();
    m_rows.clear();
    if (m_batch)
        m_changed.clear();
    emit wasReset();
}

void SectionTable::replaceAll(EditKey, RowStore&& rows)
{
    emit aboutToBeReset();
    m_rows = std::move(rows);
    m_laterLayout = laterLayoutOf(m_kind, m_rows);
    if (m_sorted)
        m_rows.sortRowsByFirstValue();
    if (m_batch)
        m_changed.assign(size_t(m_rows.size()), false);
    emit wasReset();
}

void SectionTable::setLaterLayout(EditKey, bool later)
{
    if (later == m_laterLayout)
        return;
    m_laterLayout = later;
    emit layoutSwitched();
}

void SectionTable::exchangeRows(EditKey, SectionTable& other)
{
    emit aboutToBeReset();
    emit other.aboutToBeReset();
    std::swap(m_rows, other.m_rows);
    std::swap(m_sorted, other.m_sorted);
    std::swap(m_laterLayout, other.m_laterLayout);
    emit wasReset();
    emit other.wasReset();
}

QList<qsizetype> SectionTable::setSorted(EditKey, bool sorted)
{
    if (m_sorted == sorted)
        return {};
    m_sorted = sorted;
    return sorted ? sortNow() : QList<qsizetype>();
}

QList<qsizetype> SectionTable::setSortedWithOrder(const QList<qsizetype>& order)
{
    if (m_sorted)
        return {};
    m_sorted = true;
    return sortNow(&order);
}

QList<qsizetype> SectionTable::sortNow(const QList<qsizetype>* order)
{
    emit aboutToBeReordered();
    QList<qsizetype> newPositions = order ? m_rows.reorder(*order) : m_rows.sortByFirstValue();
    emit reordered(newPositions);
    return newPositions;
}

void SectionTable::mark(qsizetype row)
{
    if (m_batch)
        m_changed[size_t(row)] = true;
}

void SectionTable::beginBatch(EditKey)
{
    if (m_batch)
        return;
    m_batch = true;
    m_changed.assign(size_t(m_rows.size()), false);
}

void SectionTable::endBatch(EditKey)
{
    if (!m_batch)
        return;
    m_batch = false;
    std::vector<bool> changed;
    changed.swap(m_changed);
    if (!m_sorted)
        return;
    // The rows left alone are still in order; the changed ones are sorted
    // (stably) and merged in after their equals. The kept rows are walked in
    // place, skipping the changed ones, not listed.
    std::vector<qsizetype> moved;
    for (qsizetype row = 0; row < m_rows.size(); ++row) {
        if (changed[size_t(row)])
            moved.push_back(row);
    }
    if (moved.empty())
        return;
    const auto key = [this](qsizetype row) { return m_rows.firstValue(row); };
    const auto before = [&key](qsizetype x, qsizetype y) {
        return RowStore::compareFirstValues(key(x), key(y)) < 0;
    };
    // Rows changed alike (all commented out, copies of rows in order) mostly
    // keep their order; each key is read once here and in the merge.
    bool inOrder = true;
    QByteArrayView previous = key(moved.front());
    for (size_t i = 1; i < moved.size() && inOrder; ++i) {
        const QByteArrayView next = key(moved[i]);
        inOrder = RowStore::compareFirstValues(next, previous) >= 0;
        previous = next;
    }
    if (!inOrder)
        std::stable_sort(moved.begin(), moved.end(), before);
    QList<qsizetype> order;
    order.reserve(m_rows.size());
    const qsizetype rows = m_rows.size();
    const auto nextKept = [&changed, rows](qsizetype row) {
        while (row < rows && changed[size_t(row)])
            ++row;
        return row;
    };
    qsizetype k = nextKept(0);
    auto m = moved.cbegin();
    QByteArrayView keptKey = k < rows ? key(k) : QByteArrayView();
    QByteArrayView movedKey = key(*m);
    while (k < rows || m != moved.cend()) {
        if (m != moved.cend() && (k == rows || RowStore::compareFirstValues(movedKey, keptKey) < 0)) {
            order.append(*m++);
            movedKey = m != moved.cend() ? key(*m) : QByteArrayView();
        } else {
            order.append(k);
            k = nextKept(k + 1);
            keptKey = k < rows ? key(k) : QByteArrayView();
        }
    }
    // Let go of the lists before the rows move, and of the order before the views follow.
    moved = std::vector<qsizetype>();
    changed = std::vector<bool>();
    bool same = true;
    for (qsizetype pos = 0; pos < order.size() && same; ++pos)
        same = order[pos] == pos;
    if (same)
        return;
    emit aboutToBeReordered();
    QList<qsizetype> newPositions = m_rows.reorder(order);
    order = QList<qsizetype>();
    emit reordered(newPositions);
}

void SectionTable::applyRowChanges(EditKey, const RowSnapshot& from, const RowSnapshot& to)
{
    // Rows of a load or of this session have identities of their own; rows
    // without one (0) pair up one to one all the same.
    const std::vector<qsizetype> fromPositions = from.positions.unpacked();
    const std::vector<qsizetype> toPositions = to.positions.unpacked();
    // Kept rows mostly stay in their order: those up to the first that does
    // not pair up side by side; the rest are looked up.
    qsizetype inOrder = 0;
    while (inOrder < qMin(from.size(), to.size()) && from.rows.id(inOrder) == to.rows.id(inOrder))
        ++inOrder;
    // The rest of `to` by identity; rows of one identity are taken the last first.
    std::vector<std::pair<RowId, qsizetype>> inTo;
    if (inOrder < from.size()) {
        inTo.reserve(size_t(to.size() - inOrder));
        for (qsizetype j = inOrder; j < to.size(); ++j)
            inTo.emplace_back(to.rows.id(j), j);
        std::sort(inTo.begin(), inTo.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second > b.second;
        });
    }
    std::vector<qsizetype> takenOf(inTo.size(), 0); // at the first of each identity: how many are taken
    const auto take = [&](RowId id) -> qsizetype {
        const auto first = std::lower_bound(inTo.cbegin(), inTo.cend(), id,
                                            [](const auto& entry, RowId wanted) { return entry.first < wanted; });
        if (first == inTo.cend())
            return -1;
        qsizetype& taken = takenOf[size_t(first - inTo.cbegin())];
        const auto at = first + taken;
        if (at == inTo.cend() || at->first != id)
            return -1;
        ++taken;
        return at->second;
    };
    QList<qsizetype> removed;
    // The kept rows: the first inOrder of both side by side, then these.
    std::vector<std::pair<qsizetype, qsizetype>> kept; // (index in from, index in to)
    const auto forEachKept = [&](const auto& visit) {
        for (qsizetype i = 0; i < inOrder; ++i)
            visit(i, i);
        for (const auto& [i, j] : kept)
            visit(i, j);
    };
    std::vector<bool> keptInTo(size_t(to.size()), false);
    for (qsizetype i = 0; i < inOrder; ++i)
        keptInTo[size_t(i)] = true;
    for (qsizetype i = inOrder; i < from.size(); ++i) {
        const qsizetype found = take(from.rows.id(i));
        if (found < 0) {
            removed.append(fromPositions[size_t(i)]);
        } else {
            kept.emplace_back(i, found);
            keptInTo[size_t(found)] = true;
        }
    }
    removeRows(removed);

    // The kept rows take their new values where they stand, then move to
    // their places among the rows that stay: a row's place in `to` less the
    // rows still to come before it.
    // When every row of `to` is kept (a change of values only), a row's
    // target is its place in `to`, and no array of them is made.
    std::vector<qsizetype> targetOf;
    if (inOrder + qsizetype(kept.size()) < to.size()) {
        targetOf.resize(size_t(to.size()));
        qsizetype comingBefore = 0;
        for (qsizetype j = 0; j < to.size(); ++j) {
            targetOf[size_t(j)] = toPositions[size_t(j)] - comingBefore;
            if (!keptInTo[size_t(j)])
                ++comingBefore;
        }
    }
    const auto target = [&](qsizetype j) {
        return targetOf.empty() ? toPositions[size_t(j)] : targetOf[size_t(j)];
    };
    bool moves = false;
    qsizetype removedBefore = 0;
    // One row changed is told as such, more as one range.
    qsizetype firstChanged = -1;
    qsizetype lastChanged = -1;
    qsizetype changedCount = 0;
    // The changed rows take their values a bounded number at a time: a row's
    // new values never bear on another's comparison, and a list of every
    // changed row would cost 16 bytes a row of the table at once.
    std::vector<std::pair<qsizetype, qsizetype>> changed; // (position, index in to)
    constexpr size_t changedAtOnce = 4096;
    changed.reserve(qMin(changedAtOnce, size_t(inOrder) + kept.size()));
    forEachKept([&](qsizetype i, qsizetype j) {
        const qsizetype position = fromPositions[size_t(i)];
        while (removedBefore < removed.size() && removed[removedBefore] < position)
            ++removedBefore;
        const qsizetype at = position - removedBefore;
        if (!m_rows.sameValues(at, to.rows, j)) {
            changed.emplace_back(at, j);
            ++changedCount;
            firstChanged = firstChanged < 0 ? at : qMin(firstChanged, at);
            lastChanged = qMax(lastChanged, at);
            if (changed.size() == changedAtOnce) {
                m_rows.replaceRowsWith(changed, to.rows);
                changed.clear();
            }
        }
        moves = moves || target(j) != at;
    });
    m_rows.replaceRowsWith(changed, to.rows);
    if (changedCount == 1)
        emit rowChanged(firstChanged);
    else if (changedCount > 1)
        emit rowsChanged(firstChanged, lastChanged);
    if (moves) {
        // Every kept row at its target, the others in their order around them.
        QList<qsizetype> order(m_rows.size(), -1);
        std::vector<bool> placed(size_t(m_rows.size()), false);
        removedBefore = 0;
        forEachKept([&](qsizetype i, qsizetype j) {
            const qsizetype position = fromPositions[size_t(i)];
            while (removedBefore < removed.size() && removed[removedBefore] < position)
                ++removedBefore;
            order[target(j)] = position - removedBefore;
            placed[size_t(position - removedBefore)] = true;
        });
        qsizetype next = 0;
        for (qsizetype& slot : order) {
            if (slot >= 0)
                continue;
            while (placed[size_t(next)])
                ++next;
            slot = next++;
        }
        emit aboutToBeReordered();
        const QList<qsizetype> newPositions = m_rows.reorder(order);
        emit reordered(newPositions);
    }

    // The rows that come back: one by one in the middle (many of them appended
    // and put in place with one reorder), as one append at the end.
    qsizetype tail = to.size();
    qsizetype endPosition = m_rows.size() + (to.size() - inOrder - qsizetype(kept.size()));
    while (tail > 0 && !keptInTo[size_t(tail - 1)] && toPositions[size_t(tail - 1)] == endPosition - 1) {
        --tail;
        --endPosition;
    }
    qsizetype middle = 0;
    for (qsizetype j = 0; j < tail; ++j)
        middle += keptInTo[size_t(j)] ? 0 : 1;
    if (middle >= manyRows) {
        const qsizetype first = m_rows.size();
        emit rowsAboutToBeAppended(middle);
        m_rows.reserve(first + middle);
        QList<qsizetype> order(first + middle, -1);
        for (qsizetype j = 0; j < tail; ++j) {
            if (keptInTo[size_t(j)])
                continue;
            order[toPositions[size_t(j)]] = m_rows.size();
            m_rows.appendRowOf(to.rows, j);
        }
        emit rowsAppended(first, middle);
        qsizetype next = 0;
        for (qsizetype& slot : order)
            slot = slot >= 0 ? slot : next++;
        emit aboutToBeReordered();
        const QList<qsizetype> newPositions = m_rows.reorder(order);
        emit reordered(newPositions);
        middle = 0;
    }
    for (qsizetype j = 0; middle > 0 && j < tail; ++j) {
        if (keptInTo[size_t(j)])
            continue;
        const qsizetype at = toPositions[size_t(j)];
        emit rowAboutToBeInserted(at);
        m_rows.insertRowOf(at, to.rows, j);
        emit rowInserted(at);
    }
    if (tail < to.size()) {
        const qsizetype first = m_rows.size();
        emit rowsAboutToBeAppended(to.size() - tail);
        m_rows.appendRowsOf(to.rows, tail, to.size() - tail);
        emit rowsAppended(first, to.size() - tail);
    }
}

void SectionTable::unsortToOrder(EditKey, const QList<qsizetype>& order)
{
    m_sorted = false;
    emit aboutToBeReordered();
    const QList<qsizetype> newPositions = m_rows.reorder(order);
    emit reordered(newPositions);
}

} // namespace tarnel
