#pragma once

#include <QList>
#include <QStringView>

#include <optional>
#include <utility>

namespace tarnel {

// Which IDs a move gives which new ID: the old IDs ascending, each once, to
// consecutive new IDs from the first one (n IDs -> n IDs), or with their gaps
// kept (the new IDs as far apart as the old ones).
class IdMapping {
public:
    static IdMapping make(QList<qint64> ids, qint64 firstNewId, bool keepGaps);

    // The new ID of an old one; nullopt when it does not move. Cheap: asked for every line of every file.
    std::optional<qint64> newIdOf(qint64 oldId) const;
    qint64 firstNewId() const { return m_pairs.isEmpty() ? 0 : m_pairs.front().second; }
    qint64 lastNewId() const { return m_pairs.isEmpty() ? 0 : m_pairs.back().second; }
    qsizetype size() const { return m_pairs.size(); }
    bool isEmpty() const { return m_pairs.isEmpty(); }
    // (old, new), old ascending.
    const QList<std::pair<qint64, qint64>>& pairs() const { return m_pairs; }

private:
    QList<std::pair<qint64, qint64>> m_pairs;
    bool m_shifted = false; // every new ID is its old one plus the same amount
};

// IDs written as ranges and single IDs separated by commas ("3465-3470,3480"),
// ascending, each once; nullopt and the reason in `error` when malformed.
std::optional<QList<qint64>> parseIdRanges(QStringView text, QString* error);

} // namespace tarnel
