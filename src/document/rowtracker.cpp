#include "document/rowtracker.h"

#include "document/sectiontable.h"

#include <algorithm>

namespace tarnel {

RowTracker::RowTracker(SectionTable& table, QObject* parent) : QObject(parent), m_table(table)
{
    connect(&table, &SectionTable::rowInserted, this, [this](qsizetype at) {
        if (m_row && at <= *m_row)
            ++*m_row;
        else if (!m_row)
            findAmong(at, 1);
    });
    connect(&table, &SectionTable::rowsAppended, this, [this](qsizetype first, qsizetype count) {
        if (!m_row)
            findAmong(first, count);
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
    // Its identities start again from the file's lines, so none is waited for.
    connect(&table, &SectionTable::wasReset, this, &RowTracker::forget);
}

void RowTracker::track(qsizetype row)
{
    m_row = row;
    m_id = m_table.rows().id(row);
}

void RowTracker::forget()
{
    m_row.reset();
    m_id = 0;
}

void RowTracker::findAmong(qsizetype first, qsizetype count)
{
    if (m_id == 0)
        return;
    const RowStore& rows = m_table.rows();
    for (qsizetype row = first; row < first + count; ++row) {
        if (rows.id(row) == m_id) {
            m_row = row;
            return;
        }
    }
}

} // namespace tarnel
