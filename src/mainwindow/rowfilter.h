#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarnel {

class RowStore;

// What the filter field asks for: a number or a range "2000-2099" passes the
// rows whose ID (first value, a comment's "#" left aside) lies in it; any
// other text passes the rows holding it in a value, letters without case.
class RowFilter {
public:
    RowFilter() = default;
    explicit RowFilter(const QString& text);

    bool isEmpty() const { return !m_ids && m_needle.isEmpty(); }
    bool matches(const RowStore& rows, qsizetype row) const;
    // True when every row this filter passes is also passed by `wider`, so
    // only the rows `wider` passed need looking at (typing on in the field).
    bool narrows(const RowFilter& wider) const;

private:
    struct IdRange {
        qint64 first;
        qint64 last;
    };
    std::optional<IdRange> m_ids;
    QByteArray m_needle; // Latin-1, lower case
};

// The ID a row's first value reads as, a comment's "#" left aside; none when it is no number.
std::optional<qint64> rowIdNumber(QByteArrayView firstValue);

} // namespace tarnel
