#pragma once

#include <QString>

#include <optional>

namespace tarnel {

// A text of two arguments split once around its %1 and %2, so that a map of a
// million findings does not search it for them each time. Filled as
// .arg(first).arg(second) fills it; when `first` holds a '%', which the second
// .arg could take for its own, or the text is not of that shape, by them.
class TwoArgumentText {
public:
    explicit TwoArgumentText(const QString& text);
    QString filled(const QString& first, const QString& second) const;
    // Whether filled(first, ...) is before() + first + between() + second + after().
    bool fillsPlainly(const QString& first) const { return m_split && !first.contains(QLatin1Char('%')); }
    const QString& before() const { return m_before; }
    const QString& between() const { return m_between; }
    const QString& after() const { return m_after; }

private:
    QString m_text;
    bool m_split = false;
    QString m_before;
    QString m_between;
    QString m_after;
};

// The messages of the findings a map's walk hands out as their parts
// (FindingReceiver): an ID defined again, an ID at or above the limit.
class FindingMessages {
public:
    explicit FindingMessages(std::optional<qint64> limit);

    // "ID 7 defined again; first defined at PATH:LINE".
    QString definedAgain(qint64 id, const QString& firstPath, qint64 firstLine) const;
    // "ID 7 is not below the ID limit 20000".
    QString atLimit(qint64 id) const { return m_beforeLimitId + QString::number(id) + m_afterLimitId; }

    // The pieces of those texts, for a writer of many.
    const TwoArgumentText& definedAgainText() const { return m_definedAgain; }
    const TwoArgumentText& placeText() const { return m_place; }
    const QString& beforeLimitId() const { return m_beforeLimitId; }
    const QString& afterLimitId() const { return m_afterLimitId; }

private:
    TwoArgumentText m_definedAgain;
    TwoArgumentText m_place;
    QString m_beforeLimitId;
    QString m_afterLimitId;
};

} // namespace tarnel
