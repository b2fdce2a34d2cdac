#pragma once

#include "document/rowid.h"

#include <vector>

namespace tarnel {

// Hands out the identities of rows made after a load (new lines, pastes,
// copies): numbers past the file's last line, in the order the rows are made.
// For a copy it remembers the row it was made from, so that a save keeping the
// file's layout can put the copy right after its source.
class RowIdSource {
public:
    // Forgets every identity handed out; the next one is `firstFresh`.
    void reset(RowId firstFresh)
    {
        m_first = firstFresh;
        m_sources.clear();
    }
    RowId take(RowId copiedFrom = 0)
    {
        m_sources.push_back(copiedFrom);
        return m_first + RowId(m_sources.size() - 1);
    }
    // The identity take() hands out next.
    RowId nextId() const { return m_first + RowId(m_sources.size()); }
    // The first identity handed out since the last reset; lower ones are lines of the file.
    RowId firstFresh() const { return m_first; }
    // The line of the file the row `id` was read from (1 for the first, as the
    // load report counts), or 0 for a row made since the load.
    qsizetype fileLine(RowId id) const { return id < m_first ? qsizetype(id) : 0; }
    // The row `id` was copied from, or 0 for a row read or made new.
    RowId copiedFrom(RowId id) const
    {
        return id >= m_first && id - m_first < m_sources.size() ? m_sources[id - m_first] : 0;
    }

private:
    RowId m_first = 1;
    std::vector<RowId> m_sources;
};

} // namespace tarnel
