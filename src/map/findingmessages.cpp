#include "map/findingmessages.h"

#include "texts/maptexts.h"

namespace tarnel {

TwoArgumentText::TwoArgumentText(const QString& text) : m_text(text)
{
    const qsizetype one = text.indexOf(QLatin1String("%1"));
    const qsizetype two = text.indexOf(QLatin1String("%2"));
    const auto endsThere = [&text](qsizetype at) { return at + 2 == text.size() || !text[at + 2].isDigit(); };
    m_split = text.count(QLatin1Char('%')) == 2 && one >= 0 && two > one + 1 && endsThere(one) && endsThere(two);
    if (!m_split)
        return;
    m_before = text.left(one);
    m_between = text.mid(one + 2, two - one - 2);
    m_after = text.mid(two + 2);
}

QString TwoArgumentText::filled(const QString& first, const QString& second) const
{
    if (!fillsPlainly(first))
        return m_text.arg(first).arg(second);
    QString text;
    text.reserve(m_before.size() + first.size() + m_between.size() + second.size() + m_after.size());
    text += m_before;
    text += first;
    text += m_between;
    text += second;
    text += m_after;
    return text;
}

FindingMessages::FindingMessages(std::optional<qint64> limit)
    : m_definedAgain(texts::mapIdDefinedAgain), m_place(texts::mapPlace)
{
    if (!limit)
        return;
    // The limit's message around its ID, made once: a big map may have a million such lines.
    const QString message = texts::mapIdAtLimit.arg(QStringLiteral("%1"), QString::number(*limit));
    const qsizetype idAt = message.indexOf(QStringLiteral("%1"));
    m_beforeLimitId = message.left(idAt);
    m_afterLimitId = message.mid(idAt + 2);
}

QString FindingMessages::definedAgain(qint64 id, const QString& firstPath, qint64 firstLine) const
{
    return m_definedAgain.filled(QString::number(id), m_place.filled(firstPath, QString::number(firstLine)));
}

} // namespace tarnel
