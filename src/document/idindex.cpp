#include "document/idindex.h"

#include "document/idedocument.h"
#include "document/idetext.h"

#include <algorithm>

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
        for (qsizetype row = first; row < first + count; ++row)
            addRow(*t, row);
        emit changed();
    });
    connect(t, &SectionTable::rowsAboutToBeRemoved, this, [this, t](const QList<qsizetype>& rows) {
        for (const qsizetype row : rows)
            removeRow(*t, row);
    });
    connect(t, &SectionTable::rowsRemoved, this, &IdIndex::changed);
    // One row changed or a range of them: a row whose ID stayed is left in place.
    const auto followChanges = [this, t](qsizetype first, qsizetype last) {
        for (qsizetype row = first; row <= last; ++row) {
            if (!holdsSameId(*t, row)) {
                removeRow(*t, row);
                addRow(*t, row);
            }
        }
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
    const int slot = slotOf(table.kind());
    const std::vector<bool>& commented = m_commented[size_t(slot)];
    if (rows.isCommented(row) || (rowId < commented.size() && commented[rowId]))
        return false;
    const std::vector<qint64>& ids = m_idOfRow[size_t(slot)];
    const qint64 held = rowId < ids.size() ? ids[rowId] : noId;
    return held == objectIdOf(rows, row).value_or(noId);
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
    std::vector<qint64>& ids = m_idOfRow[size_t(slotOf(table.kind()))];
    if (ids.size() <= rowId)
        ids.resize(std::max<size_t>(size_t(rowId) + 1, ids.size() * 2), noId);
    ids[rowId] = *id;
    ++m_indexedRows[size_t(slotOf(table.kind()))];
    addUse(*id, {table.kind(), rowId});
}

void IdIndex::removeRow(const SectionTable& table, qsizetype row)
{
    const RowId rowId = table.rows().id(row);
    const int slot = slotOf(table.kind());
    std::vector<qint64>& ids = m_idOfRow[size_t(slot)];
    if (ids.size() <= rowId || ids[rowId] == noId)
        return;
    std::vector<bool>& commented = m_commented[size_t(slot)];
    if (rowId < commented.size() && commented[rowId]) {
        commented[rowId] = false;
        ids[rowId] = noId;
        --m_commentedRows[size_t(slot)];
        return;
    }
    removeUse(ids[rowId], {table.kind(), rowId});
    ids[rowId] = noId;
    --m_indexedRows[size_t(slotOf(table.kind()))];
}

void IdIndex::addAll(const SectionTable& table)
{
    const RowStore& rows = table.rows();
    const LineKind kind = table.kind();
    std::vector<qint64>& idOfRow = m_idOfRow[size_t(slotOf(kind))];
    // Sized once for the highest identity: rows sorted by ID are in no order of it.
    RowId highestId = 0;
    for (qsizetype row = 0; row < rows.size(); ++row)
        highestId = std::max(highestId, rows.id(row));
    if (!rows.isEmpty() && idOfRow.size() <= highestId)
        idOfRow.resize(size_t(highestId) + 1, noId);
    // First every row's ID, so that the uses' array can be sized for them once.
    qint64 low = std::numeric_limits<qint64>::max();
    qint64 high = std::numeric_limits<qint64>::min();
    qsizetype found = 0;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const std::optional<qint64> id = objectIdOf(rows, row);
        const RowId rowId = rows.id(row);
        if (idOfRow.size() <= rowId)
            idOfRow.resize(std::max<size_t>(size_t(rowId) + 1, idOfRow.size() * 2), noId);
        idOfRow[rowId] = id.value_or(noId);
        if (rows.isCommented(row))
            addCommentedRow(rows, kind, row);
        if (!id || *id == noId)
            continue;
        low = std::min(low, *id);
        high = std::max(high, *id);
        ++found;
    }
    m_indexedRows[size_t(slotOf(kind))] += found;
    m_firstUse.prepare(low, high, found);
    const std::vector<bool>& commented = m_commented[size_t(slotOf(kind))];
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const RowId rowId = rows.id(row);
        if (const qint64 id = idOfRow[rowId]; id != noId && !(rowId < commented.size() && commented[rowId]))
            addUse(id, {kind, rowId});
    }
}

void IdIndex::removeAll(const SectionTable& table)
{
    const int slot = slotOf(table.kind());
    if (m_indexedRows[size_t(1 - slot)] == 0) {
        // Only this table's rows are held: forgetting everything is quicker.
        m_firstUse.clear();
        m_duplicates.clear();
    } else {
        for (qsizetype row = 0; row < table.rowCount(); ++row)
            removeRow(table, row);
    }
    m_idOfRow[size_t(slot)].clear();
    m_commented[size_t(slot)].clear();
    m_indexedRows[size_t(slot)] = 0;
    m_commentedRows[size_t(slot)] = 0;
}

void IdIndex::addCommentedRow(const RowStore& rows, LineKind kind, qsizetype row)
{
    const std::optional<qint64> id = rowIdOf(rows.firstValue(row));
    if (!id || *id == noId)
        return;
    const int slot = slotOf(kind);
    const RowId rowId = rows.id(row);
    std::vector<qint64>& ids = m_idOfRow[size_t(slot)];
    if (ids.size() <= rowId)
        ids.resize(std::max<size_t>(size_t(rowId) + 1, ids.size() * 2), noId);
    std::vector<bool>& commented = m_commented[size_t(slot)];
    if (commented.size() <= rowId)
        commented.resize(ids.size(), false);
    ids[rowId] = *id;
    commented[rowId] = true;
    ++m_commentedRows[size_t(slot)];
}

void IdIndex::addUse(qint64 id, IdUse use)
{
    const IdUse* first = m_firstUse.find(id);
    if (!first) {
        m_firstUse.insert(id, use);
        return;
    }
    const auto more = m_duplicates.find(id);
    if (more == m_duplicates.end())
        m_duplicates.insert(id, {*first, use});
    else
        more->append(use);
}

void IdIndex::removeUse(qint64 id, IdUse use)
{
    const auto more = m_duplicates.find(id);
    if (more == m_duplicates.end()) {
        m_firstUse.remove(id);
        return;
    }
    more->removeOne(use);
    if (more->size() == 1) {
        *m_firstUse.find(id) = more->first();
        m_duplicates.erase(more);
    }
}

QList<qint64> IdIndex::duplicateIds() const
{
    QList<qint64> ids = m_duplicates.keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QList<IdUse> IdIndex::usesOf(qint64 id) const
{
    if (const auto more = m_duplicates.constFind(id); more != m_duplicates.cend())
        return *more;
    if (const IdUse* first = m_firstUse.find(id))
        return {*first};
    return {};
}

QList<IdUse> IdIndex::rowsWithId(qint64 id) const
{
    QList<IdUse> rows = usesOf(id);
    // Commented rows are looked for one by one: Go to ID asks, once a keystroke.
    for (const LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        const int slot = slotOf(kind);
        const std::vector<bool>& commented = m_commented[size_t(slot)];
        const std::vector<qint64>& ids = m_idOfRow[size_t(slot)];
        for (size_t rowId = 0; m_commentedRows[size_t(slot)] > 0 && rowId < commented.size(); ++rowId) {
            if (commented[rowId] && ids[rowId] == id)
                rows.append({kind, RowId(rowId)});
        }
    }
    return rows;
}

QList<qint64> IdIndex::usedIds() const
{
    return m_firstUse.ascendingIds();
}

} // namespace tarnel
