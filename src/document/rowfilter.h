#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarnel {

class RowStore;

// What the filter field asks for: a number passes the rows whose ID (rowIdOf:
// a comment's marks left aside) is that number or any value of which
// equals it (a flag of 515, a draw distance of 300 or 300.0); a range
// "2000-2099" passes the rows whose ID lies in it; any other text passes the
// rows holding it in a value, letters without case.
class RowFilter {
public:
    RowFilter() = default;
    explicit RowFilter(const QString& text);

    bool isEmpty() const { return !m_ids && m_needle.isEmpty(); }
    bool matches(const RowStore& rows, qsizetype row) const;
    // Whether the row passes by its ID (the matches shown first), not by another value.
    bool matchesId(const RowStore& rows, qsizetype row) const;
    // True when every row this filter passes is also passed by `wider`, so
    // only the rows `wider` passed need looking at (typing on in the field).
    bool narrows(const RowFilter& wider) const;

private:
    struct IdRange {
        qint64 first;
        qint64 last;
    };
    std::optional<IdRange> m_ids;
    bool m_anyValue = false; // a single number: any value equal to it passes too
    QByteArray m_digits;     // that number written out, which such a value holds
    QByteArray m_needle;     // Latin-1, lower case
};

} // namespace tarnel
