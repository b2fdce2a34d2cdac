#include "map/idmapping.h"

#include "texts/maptexts.h"

#include <algorithm>

namespace tarnel {

IdMapping IdMapping::make(QList<qint64> ids, qint64 firstNewId, bool keepGaps)
{
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    IdMapping mapping;
    mapping.m_pairs.reserve(ids.size());
    for (qsizetype i = 0; i < ids.size(); ++i)
        mapping.m_pairs.append({ids[i], firstNewId + (keepGaps ? ids[i] - ids.front() : i)});
    // Without gaps among the old IDs, every one between the first and the last moves by the same amount.
    mapping.m_shifted = !ids.isEmpty() && ids.back() - ids.front() == ids.size() - 1;
    return mapping;
}

std::optional<qint64> IdMapping::newIdOf(qint64 oldId) const
{
    if (m_pairs.isEmpty() || oldId < m_pairs.front().first || oldId > m_pairs.back().first)
        return std::nullopt;
    if (m_shifted)
        return oldId - m_pairs.front().first + m_pairs.front().second;
    const auto found =
        std::lower_bound(m_pairs.begin(), m_pairs.end(), oldId,
                         [](const std::pair<qint64, qint64>& pair, qint64 id) { return pair.first < id; });
    if (found == m_pairs.end() || found->first != oldId)
        return std::nullopt;
    return found->second;
}

namespace {

constexpr qint64 mostIds = 10'000'000; // beyond any map's ID space

std::optional<qint64> wholeNumberOf(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(number) : std::nullopt;
}

} // namespace

std::optional<QList<qint64>> parseIdRanges(QStringView text, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<QList<qint64>> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (text.trimmed().isEmpty())
        return fail(texts::idRangesEmpty);
    QList<qint64> ids;
    for (const QStringView piece : text.split(u',')) {
        const qsizetype dash = piece.indexOf(u'-');
        const std::optional<qint64> first = wholeNumberOf(dash < 0 ? piece : piece.first(dash));
        const std::optional<qint64> last = dash < 0 ? first : wholeNumberOf(piece.sliced(dash + 1));
        if (!first || !last)
            return fail(texts::idRangesBadPiece.arg(piece.trimmed()));
        if (*last < *first)
            return fail(texts::idRangesBackwards.arg(piece.trimmed()));
        if (*last - *first >= mostIds - ids.size())
            return fail(texts::idRangesTooMany.arg(piece.trimmed()));
        for (qint64 id = *first; id <= *last; ++id)
            ids.append(id);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

} // namespace tarnel
