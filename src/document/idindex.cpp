#include "document/idindex.h"

#include "document/idedocument.h"
#include "document/idetext.h"

#include <algorithm>
#include <numeric>

namespace tarnel {

namespace {

// A first value that is a whole number: its sign and its digits.
struct WrittenId {
    bool negative = false;
    QByteArrayView digits; // without leading zeros; "0" for zero
};

std::optional<WrittenId> writtenIdOf(QByteArrayView value)
{
    value = value.trimmed();
    const bool negative = value.startsWith('-');
    if (negative || value.startsWith('+'))
        value = value.sliced(1);
    if (value.isEmpty() || !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    while (value.size() > 1 && value.front() == '0')
        value = value.sliced(1);
    return WrittenId{negative, value};
}

// The number's value, when it lies within 64 bits.
std::optional<qint64> valueOf(const WrittenId& id)
{
    if (id.digits.size() > 19) // 10^19 lies beyond 2^63
        return std::nullopt;
    quint64 magnitude = 0; // 19 digits cannot overflow 64 unsigned bits
    for (const char c : id.digits)
        magnitude = magnitude * 10 + quint64(c - '0');
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (id.negative ? 1 : 0);
    if (magnitude > limit)
        return std::nullopt;
    return id.negative ? qint64(0 - magnitude) : qint64(magnitude);
}

} // namespace

std::optional<qint64> objectIdOf(const RowStore& rows, qsizetype row)
{
    if (rows.isCommented(row))
        return std::nullopt;
    return rowIdOf(rows.firstValue(row));
}

std::optional<qint64> rowIdOf(QByteArrayView firstValue)
{
    return idNumberOf(firstValue.sliced(idetext::commentMarksLength(firstValue)));
}

std::optional<qint64> idNumberOf(QByteArrayView value)
{
    value = value.trimmed();
    if (value.size() > 18) {
        const std::optional<WrittenId> written = writtenIdOf(value);
        return written ? valueOf(*written) : std::nullopt;
    }
    // An ordinary ID: 18 characters cannot overflow.
    const bool negative = value.startsWith('-');
    if (negative || value.startsWith('+'))
        value = value.sliced(1);
    if (value.isEmpty())
        return std::nullopt;
    qint64 id = 0;
    for (const char c : value) {
        if (c < '0' || c > '9')
            return std::nullopt;
        id = id * 10 + (c - '0');
    }
    return negative ? -id : id;
}

std::optional<QByteArray> wideObjectIdOf(const RowStore& rows, qsizetype row)
{
    if (rows.isCommented(row))
        return std::nullopt;
    const std::optional<WrittenId> written = writtenIdOf(rows.firstValue(row));
    if (!written || valueOf(*written))
        return std::nullopt;
    return (written->negative ? QByteArray("-") : QByteArray()) + written->digits.toByteArray();
}

IdIndex::IdIndex(const IdeDocument& document, QObject* parent) : QObject(parent)
{
    // The per-row arrays made once for both tables' highest identity.
    RowId highestId = 0;
    for (const LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        const RowStore& rows = document.table(kind).rows();
        for (qsizetype row = 0; row < rows.size(); ++row)
            highestId = std::max(highestId, rows.id(row));
    }
    cover(highestId, false);
    for (const LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        watch(document.table(kind));
        addAll(document.table(kind));
    }
}

void IdIndex::watch(const SectionTable& table)
{
    const SectionTable* t = &table;
    connect(t, &SectionTable::aboutToBeReset, this, [this, t] { removeAll(*t); });
    connect(t, &SectionTable::wasReset, this, [this, t] {
        addAll(*t);
        emit changed();
    });
    connect(t, &SectionTable::rowInserted, this, [this, t](qsizetype row) {
        addRow(*t, row);
        emit changed();
    });
    connect(t, &SectionTable::rowsAppended, this, [this, t](qsizetype first, qsizetype count) {
        // Appended rows take new identities, the highest last: room for them all at once.
        if (count > 0)
            cover(t->rows().id(first + count - 1), false);
        for (qsizetype row = first; row < first + count; ++row)
            addRow(*t, row);
        emit changed();
    });
    connect(t, &SectionTable::rowsAboutToBeRemoved, this,
            [this, t](const QList<qsizetype>& rows) { removeRows(*t, rows); });
    connect(t, &SectionTable::rowsRemoved, this, &IdIndex::changed);
    // One row changed or a range of them: a row whose ID stayed is left in place.
    const auto followChanges = [this, t](qsizetype first, qsizetype last) {
        QList<qsizetype> moved; // rows whose ID changed
        for (qsizetype row = first; row <= last; ++row) {
            if (!holdsSameId(*t, row))
                moved.append(row);
        }
        removeRows(*t, moved);
        for (const qsizetype row : moved)
            addRow(*t, row);
        emit changed();
    };
    connect(t, &SectionTable::rowChanged, this, [followChanges](qsizetype row) { followChanges(row, row); });
    connect(t, &SectionTable::rowsChanged, this, followChanges);
    // Moves and reorders change no row's ID: the index holds rows by identity.
}

bool IdIndex::holdsSameId(const SectionTable& table, qsizetype row) const
{
    // Most changes (a bulk edit of another column) keep the ID: then the row
    // need not leave the index and come back. Commented rows are held apart.
    const RowStore& rows = table.rows();
    const RowId rowId = rows.id(row);
    if (rows.isCommented(row) || (rowId < m_commented.size() && m_commented[rowId]))
        return false;
    return heldIdOf(rowId) == objectIdOf(rows, row).value_or(noId);
}

void IdIndex::cover(RowId row, bool spare)
{
    if (row < m_heldId.size())
        return;
    const size_t size = size_t(row) + 1;
    // Reserved here: resize alone would double them.
    if (m_heldId.capacity() < size) {
        const size_t room = spare ? size + size / 8 : size;
        m_heldId.reserve(room);
        m_nextUse.reserve(room);
        m_timed.reserve(room);
        m_commented.reserve(room);
    }
    m_heldId.resize(size, notHeld);
    m_nextUse.resize(size, noRow);
    m_timed.resize(size, false);
    m_commented.resize(size, false);
}

void IdIndex::hold(RowId row, qint64 id, LineKind kind, bool commented)
{
    cover(row);
    const bool narrow = id > heldWide && id <= std::numeric_limits<qint32>::max();
    if (narrow && m_heldId[row] == heldWide)
        m_wideIds.remove(row);
    m_heldId[row] = narrow ? qint32(id) : heldWide;
    if (!narrow)
        m_wideIds.insert(row, id);
    m_timed[row] = kind == LineKind::TimedObject;
    m_commented[row] = commented;
}

qint64 IdIndex::heldIdOf(RowId row) const
{
    if (row >= m_heldId.size() || m_heldId[row] == notHeld)
        return noId;
    return m_heldId[row] == heldWide ? m_wideIds.value(row, noId) : m_heldId[row];
}

void IdIndex::forget(RowId row)
{
    if (m_heldId[row] == heldWide)
        m_wideIds.remove(row);
    m_heldId[row] = notHeld;
    m_commented[row] = false;
}

void IdIndex::addRow(const SectionTable& table, qsizetype row)
{
    if (table.rows().isCommented(row)) {
        addCommentedRow(table.rows(), table.kind(), row);
        return;
    }
    const std::optional<qint64> id = objectIdOf(table.rows(), row);
    if (!id || *id == noId)
        return;
    const RowId rowId = table.rows().id(row);
    hold(rowId, *id, table.kind(), false);
    ++m_indexedRows[size_t(slotOf(table.kind()))];
    addUse(*id, {table.kind(), rowId});
}

void IdIndex::removeRow(const SectionTable& table, qsizetype row)
{
    const RowId rowId = table.rows().id(row);
    const qint64 id = heldIdOf(rowId);
    if (id == noId)
        return;
    const int slot = slotOf(table.kind());
    if (m_commented[rowId]) {
        forget(rowId);
        --m_commentedRows[size_t(slot)];
        return;
    }
    removeUse(id, rowId);
    forget(rowId);
    --m_indexedRows[size_t(slot)];
}

// Many rows leave at once: each ID's chain is walked once for all its rows
// that leave, not once for each of them.
void IdIndex::removeRows(const SectionTable& table, const QList<qsizetype>& rows)
{
    if (rows.size() < 2) {
        for (const qsizetype row : rows)
            removeRow(table, row);
        return;
    }
    const int slot = slotOf(table.kind());
    std::vector<bool> leaving(m_heldId.size(), false);
    QList<qint64> ids;
    for (const qsizetype row : rows) {
        const RowId rowId = table.rows().id(row);
        const qint64 id = heldIdOf(rowId);
        if (id == noId)
            continue;
        if (m_commented[rowId]) {
            forget(rowId);
            --m_commentedRows[size_t(slot)];
            continue;
        }
        leaving[rowId] = true;
        ids.append(id);
        --m_indexedRows[size_t(slot)];
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (const qint64 id : ids) {
        IdUse* first = m_firstUse.find(id);
        const bool wasDuplicate = m_nextUse[first->row] != noRow;
        // The rows that stay chained again in their order.
        RowId kept = noRow;
        RowId last = noRow;
        for (RowId row = first->row; row != noRow;) {
            const RowId next = m_nextUse[row];
            m_nextUse[row] = noRow;
            if (!leaving[row]) {
                (last == noRow ? kept : m_nextUse[last]) = row;
                last = row;
            }
            row = next;
        }
        if (kept == noRow)
            m_firstUse.remove(id);
        else
            *first = useOf(kept);
        if (wasDuplicate && (kept == noRow || m_nextUse[kept] == noRow))
            --m_duplicateCount;
    }
    for (const qsizetype row : rows) {
        if (const RowId rowId = table.rows().id(row); rowId < leaving.size() && leaving[rowId])
            forget(rowId);
    }
}

void IdIndex::addAll(const SectionTable& table)
{
    const RowStore& rows = table.rows();
    const LineKind kind = table.kind();
    // Sized once for the highest identity: rows sorted by ID are in no order of it.
    RowId highestId = 0;
    for (qsizetype row = 0; row < rows.size(); ++row)
        highestId = std::max(highestId, rows.id(row));
    if (!rows.isEmpty())
        cover(highestId, false);
    // First every row's ID, so that the uses' array can be sized for them once.
    qint64 low = std::numeric_limits<qint64>::max();
    qint64 high = std::numeric_limits<qint64>::min();
    qsizetype found = 0;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        if (rows.isCommented(row)) {
            addCommentedRow(rows, kind, row);
            continue;
        }
        const std::optional<qint64> id = objectIdOf(rows, row);
        if (!id || *id == noId)
            continue;
        hold(rows.id(row), *id, kind, false);
        low = std::min(low, *id);
        high = std::max(high, *id);
        ++found;
    }
    m_indexedRows[size_t(slotOf(kind))] += found;
    m_firstUse.prepare(low, high, found);
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const RowId rowId = rows.id(row);
        if (const qint64 id = heldIdOf(rowId); id != noId && !m_commented[rowId])
            addUse(id, {kind, rowId});
    }
}

void IdIndex::removeAll(const SectionTable& table)
{
    const int slot = slotOf(table.kind());
    if (m_indexedRows[size_t(1 - slot)] == 0 && m_commentedRows[size_t(1 - slot)] == 0) {
        // Only this table's rows are held: forgetting everything is quicker.
        m_firstUse.clear();
        m_heldId = {};
        m_nextUse = {};
        m_timed = {};
        m_commented = {};
        m_wideIds.clear();
        m_duplicateCount = 0;
    } else {
        QList<qsizetype> rows(table.rowCount());
        std::iota(rows.begin(), rows.end(), qsizetype(0));
        removeRows(table, rows);
    }
    m_indexedRows[size_t(slot)] = 0;
    m_commentedRows[size_t(slot)] = 0;
}

void IdIndex::addCommentedRow(const RowStore& rows, LineKind kind, qsizetype row)
{
    const std::optional<qint64> id = rowIdOf(rows.firstValue(row));
    if (!id || *id == noId)
        return;
    hold(rows.id(row), *id, kind, true);
    ++m_commentedRows[size_t(slotOf(kind))];
}

// The rows of an ID are chained from its first use; a new one goes right after it.
void IdIndex::addUse(qint64 id, IdUse use)
{
    IdUse* first = m_firstUse.find(id);
    if (!first) {
        m_firstUse.insert(id, use);
        m_nextUse[use.row] = noRow;
        return;
    }
    const RowId second = m_nextUse[first->row];
    if (second == noRow)
        ++m_duplicateCount;
    m_nextUse[use.row] = second;
    m_nextUse[first->row] = use.row;
}

void IdIndex::removeUse(qint64 id, RowId row)
{
    IdUse* first = m_firstUse.find(id);
    if (!first)
        return;
    const RowId after = m_nextUse[row];
    if (first->row == row) {
        m_nextUse[row] = noRow;
        if (after == noRow) {
            m_firstUse.remove(id);
            return;
        }
        *first = useOf(after);
        if (m_nextUse[after] == noRow)
            --m_duplicateCount;
        return;
    }
    RowId before = first->row;
    while (m_nextUse[before] != row) {
        if (m_nextUse[before] == noRow)
            return; // not among the ID's rows
        before = m_nextUse[before];
    }
    m_nextUse[before] = after;
    m_nextUse[row] = noRow;
    if (before == first->row && after == noRow)
        --m_duplicateCount;
}

bool IdIndex::isDuplicate(qint64 id) const
{
    const IdUse* first = m_firstUse.find(id);
    return first && m_nextUse[first->row] != noRow;
}

QList<qint64> IdIndex::duplicateIds() const
{
    QList<qint64> ids = m_firstUse.ascendingIds();
    ids.removeIf([this](qint64 id) { return !isDuplicate(id); });
    return ids;
}

QList<IdUse> IdIndex::usesOf(qint64 id) const
{
    QList<IdUse> uses;
    const IdUse* first = m_firstUse.find(id);
    if (!first)
        return uses;
    uses.append(*first);
    for (RowId row = m_nextUse[first->row]; row != noRow; row = m_nextUse[row])
        uses.append(useOf(row));
    return uses;
}

QList<IdUse> IdIndex::rowsWithId(qint64 id) const
{
    QList<IdUse> rows = usesOf(id);
    // Commented rows are looked for one by one: Go to ID asks, once a keystroke.
    if (m_commentedRows[0] + m_commentedRows[1] == 0)
        return rows;
    for (size_t row = 0; row < m_commented.size(); ++row) {
        if (m_commented[row] && heldIdOf(RowId(row)) == id)
            rows.append(useOf(RowId(row)));
    }
    return rows;
}

QList<qint64> IdIndex::usedIds() const
{
    return m_firstUse.ascendingIds();
}

} // namespace tarnel
