#include "document/linediff.h"

#include <QHash>

#include <utility>

namespace tarnel {

QList<QByteArrayView> linesOfText(QByteArrayView text)
{
    QList<QByteArrayView> lines;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype stop = from;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        lines.append(text.sliced(from, stop - from));
        if (stop == text.size())
            break;
        from = stop + (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

namespace {

// Myers' search for the fewest removals and additions, in linear space: each
// range is split where the paths from its two ends meet, the halves alike.
// Lines are compared as numbers, one for each distinct text. Past `maxCost`
// differences in one range the search stops at the point furthest along from
// the front and splits there, so that a text changed all over costs time in
// proportion to its lines; the lines matched are then common, but may not be
// the most.
class LineMatcher {
public:
    LineMatcher(std::vector<int> a, std::vector<int> b, std::vector<qsizetype>& match)
        : m_a(std::move(a)), m_b(std::move(b)), m_match(match)
    {
    }

    void match(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1)
    {
        while (a0 < a1 && b0 < b1 && m_a[size_t(a0)] == m_b[size_t(b0)])
            m_match[size_t(a0++)] = b0++;
        while (a0 < a1 && b0 < b1 && m_a[size_t(a1 - 1)] == m_b[size_t(b1 - 1)])
            m_match[size_t(--a1)] = --b1;
        if (a0 == a1 || b0 == b1)
            return;
        const auto [x, y] = split(a0, a1, b0, b1);
        if (x < 0)
            return; // no line in common
        match(a0, x, b0, y);
        match(x, a1, y, b1);
    }

private:
    // A point the shortest edit of a[a0, a1) into b[b0, b1) passes halfway;
    // {-1, -1} when the two have no line in common.
    std::pair<qsizetype, qsizetype> split(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) const
    {
        const qsizetype n = a1 - a0;
        const qsizetype m = b1 - b0;
        const auto same = [&](qsizetype x, qsizetype y) { return m_a[size_t(a0 + x)] == m_b[size_t(b0 + y)]; };
        const qsizetype maxD = (n + m + 1) / 2;
        const qsizetype offset = qMin(maxD, maxCost + 1);
        const qsizetype length = 2 * offset + 2;
        // The furthest x reached on each diagonal k = x - y, from the front and from the back.
        std::vector<qsizetype> front(size_t(length), -1), back(size_t(length), -1);
        front[size_t(offset + 1)] = 0;
        back[size_t(offset + 1)] = 0;
        const qsizetype delta = n - m;
        const bool frontMeets = delta % 2 != 0; // which search can first overlap the other
        qsizetype k1start = 0, k1end = 0, k2start = 0, k2end = 0;
        for (qsizetype d = 0; d < maxD; ++d) {
            if (d > maxCost)
                return furthestAlong(front, offset, d, n, m, a0, b0);
            for (qsizetype k = -d + k1start; k <= d - k1end; k += 2) {
                const size_t at = size_t(offset + k);
                qsizetype x =
                    k == -d || (k != d && front[at - 1] < front[at + 1]) ? front[at + 1] : front[at - 1] + 1;
                qsizetype y = x - k;
                while (x < n && y < m && same(x, y))
                    ++x, ++y;
                front[at] = x;
                if (x > n) {
                    k1end += 2;
                } else if (y > m) {
                    k1start += 2;
                } else if (frontMeets) {
                    const qsizetype other = offset + delta - k;
                    if (other >= 0 && other < length && back[size_t(other)] != -1 && x >= n - back[size_t(other)])
                        return {a0 + x, b0 + y};
                }
            }
            for (qsizetype k = -d + k2start; k <= d - k2end; k += 2) {
                const size_t at = size_t(offset + k);
                qsizetype x = k == -d || (k != d && back[at - 1] < back[at + 1]) ? back[at + 1] : back[at - 1] + 1;
                qsizetype y = x - k;
                while (x < n && y < m && same(n - x - 1, m - y - 1))
                    ++x, ++y;
                back[at] = x;
                if (x > n) {
                    k2end += 2;
                } else if (y > m) {
                    k2start += 2;
                } else if (!frontMeets) {
                    const qsizetype other = offset + delta - k;
                    if (other >= 0 && other < length && front[size_t(other)] != -1) {
                        const qsizetype fx = front[size_t(other)];
                        if (fx >= n - x)
                            return {a0 + fx, b0 + fx - (other - offset)};
                    }
                }
            }
        }
        return {-1, -1};
    }

    // The point furthest along on the diagonals the front search reached.
    static std::pair<qsizetype, qsizetype> furthestAlong(const std::vector<qsizetype>& front, qsizetype offset,
                                                         qsizetype d, qsizetype n, qsizetype m, qsizetype a0,
                                                         qsizetype b0)
    {
        qsizetype bestX = 0, bestY = 0;
        for (qsizetype k = 1 - d; k < d; ++k) { // the diagonals of the rounds before `d`
            const qsizetype x = front[size_t(offset + k)];
            if (x >= 0 && x <= n && x - k >= 0 && x - k <= m && x + x - k > bestX + bestY)
                bestX = x, bestY = x - k;
        }
        if (bestX + bestY == 0 || (bestX == n && bestY == m))
            return {-1, -1};
        return {a0 + bestX, b0 + bestY};
    }

    static constexpr qsizetype maxCost = 1024;

    const std::vector<int> m_a;
    const std::vector<int> m_b;
    std::vector<qsizetype>& m_match;
};

} // namespace

std::vector<qsizetype> matchLines(const QList<QByteArrayView>& before, const QList<QByteArrayView>& after)
{
    QHash<QByteArrayView, int> numbers;
    const auto numbered = [&numbers](const QList<QByteArrayView>& lines) {
        std::vector<int> out;
        out.reserve(size_t(lines.size()));
        for (QByteArrayView line : lines) {
            auto known = numbers.constFind(line);
            if (known == numbers.cend())
                known = numbers.insert(line, int(numbers.size()));
            out.push_back(*known);
        }
        return out;
    };
    std::vector<qsizetype> match(size_t(before.size()), -1);
    std::vector<int> a = numbered(before);
    std::vector<int> b = numbered(after);
    LineMatcher(std::move(a), std::move(b), match).match(0, before.size(), 0, after.size());
    return match;
}

} // namespace tarnel
