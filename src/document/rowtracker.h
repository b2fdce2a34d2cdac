#pragma once

#include "document/rowid.h"

#include <QObject>

#include <optional>

namespace tarnel {

class SectionTable;

// Follows one row of a table while rows are added, removed, moved or sorted,
// so that whoever holds it (an open editor) writes back into the right row.
// A removed row leaves it with no row until a row of the same identity comes
// back (an undone removal); a table that is replaced leaves it with none for good.
class RowTracker : public QObject {
    Q_OBJECT
public:
    explicit RowTracker(SectionTable& table, QObject* parent = nullptr);

    void track(qsizetype row);
    void forget();
    // The row's current number, or none while it is gone.
    std::optional<qsizetype> row() const { return m_row; }

private:
    // Takes up the row again if one of `count` rows from `first` is the one followed.
    void findAmong(qsizetype first, qsizetype count);

    const SectionTable& m_table;
    std::optional<qsizetype> m_row;
    RowId m_id = 0; // 0: none to wait for
};

} // namespace tarnel
