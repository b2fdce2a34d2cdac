#pragma once

#include <QtGlobal>

namespace tarnel {

// Identifies a row for as long as the document lives, whatever its position:
// a row read from the file carries the number of its line; rows made later
// carry numbers past the file's last line.
using RowId = quint32;

} // namespace tarnel
