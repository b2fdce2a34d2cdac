#pragma once

#include "document/linekind.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tarnel {

class SectionTable;

// One column of many rows changed at once (Edit > "Set column…"). The column
// is a column of the table as shown (rowcells.h): in the later object layout
// and on lines of several draw distances its cells are not its values one to
// one, so the change is made on the cells and turned back into values.
struct ColumnEdit {
    enum class Mode { Set, Replace, Multiply };
    int column = 0;
    Mode mode = Mode::Set;
    // Set: the new text of the cell (draw distances: one or more, comma-separated).
    QString value;
    // Replace: each value of the cell equal to `find` (wholeValue) or each
    // occurrence of `find` within it (case counts) becomes `replacement`.
    QString find;
    QString replacement;
    bool wholeValue = false;
    // Multiply: each value of the cell times `factor`; a value written without
    // a decimal point stays a whole number (rounded half away from zero), the
    // others get at most six decimals and no trailing zeros.
    double factor = 1.0;
    // A choice list's column (a light's control, a particle's or ped area's
    // type): a value that is no entry is its custom box's text, at most this long; 0: no list.
    qsizetype choiceLimit = 0;
};

// The rows an edit changes, ascending, values[i] the new values of rows[i]; or why
// nothing may change (the editors' message for a value they would refuse).
struct ColumnEditResult {
    QList<qsizetype> rows;
    QList<QList<QByteArray>> values;
    QString refusal;
};

// The edit on `rows` (ascending) of `table`. A commented row keeps its comment
// marks in front of its first value; a row without a value in the column (a
// later-layout row's mesh count, a short line) is left as it is.
ColumnEditResult editColumn(const SectionTable& table, const QList<qsizetype>& rows, const ColumnEdit& edit);

// A number as the files write it: at most six decimals, no trailing zeros ("149.5", "50").
QByteArray writtenNumber(double number);

} // namespace tarnel
