#pragma once

#include <QGridLayout>

namespace tarnel {

// A grid whose rows start at a fixed pitch, in pixels at 96 dpi, as long as
// their widgets fit; a row whose widget is taller (a larger font) grows
// instead of overlapping the next. Widgets sit at the top of their row.
class PitchedRows : public QGridLayout {
public:
    explicit PitchedRows(QWidget* parent = nullptr) : QGridLayout(parent)
    {
        setContentsMargins(0, 0, 0, 0);
        setSpacing(0);
    }

    // Adds `widget` as the next row, `pitch` pixels before the row after it,
    // from `column` over `columnSpan` columns.
    void addRow(QWidget* widget, int pitch, int column = 0, int columnSpan = 1)
    {
        const int row = m_rows++;
        setRowMinimumHeight(row, pitch);
        addWidget(widget, row, column, 1, columnSpan, Qt::AlignTop);
    }

    // Lets the last row take whatever height is left.
    void endRows() { setRowStretch(m_rows, 1); }

private:
    int m_rows = 0;
};

} // namespace tarnel
