#include "document/rowtracker.h"

#include "document/sectiontable.h"

#include <algorithm>

namespace tarnel {

RowTracker::RowTracker(SectionTable& table, QObject* parent) : QObject(parent)
{
    connect(&table, &SectionTable::rowInserted, this, [this](qsizetype at) {
        if (m_row && at <= *m_row)
            ++*m_row;
    });
    connect(&table, &SectionTable::rowsRemoved, this, [this](const QList<qsizetype>& rows) {
        if (!m_row)
            return;
        const auto at = std::lower_bound(rows.cbegin(), rows.cend(), *m_row);
        if (at != rows.cend() && *at == *m_row)
            m_row.reset();
        else
            *m_row -= at - rows.cbegin();
    });
    connect(&table, &SectionTable::rowMoved, this, [this](qsizetype from, qsizetype to) {
        if (!m_row)
            return;
        qsizetype& row = *m_row;
        if (row == from)
            row = to;
        else if (from < row && row <= to)
            --row;
        else if (to <= row && row < from)
            ++row;
    });
    connect(&table, &SectionTable::reordered, this, [this](const QList<qsizetype>& newPositions) {
        if (m_row)
            m_row = newPositions.value(*m_row, -1);
    });
    // A reset replaces every row (a load, New, Close): the old row is gone.
    connect(&table, &SectionTable::wasReset, this, [this] { m_row.reset(); });
}

} // namespace tarnel
