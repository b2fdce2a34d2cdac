#pragma once

#include <QObject>

#include <optional>

namespace tarnel {

class SectionTable;

// Follows one row of a table while rows are added, removed, moved or sorted,
// so that whoever holds it (an open editor) writes back into the right row.
// A row that is removed, or a table that is replaced, leaves it with no row.
class RowTracker : public QObject {
    Q_OBJECT
public:
    explicit RowTracker(SectionTable& table, QObject* parent = nullptr);

    void track(qsizetype row) { m_row = row; }
    void forget() { m_row.reset(); }
    // The row's current number, or none once it is gone.
    std::optional<qsizetype> row() const { return m_row; }

private:
    std::optional<qsizetype> m_row;
};

} // namespace tarnel
