#pragma once

#include <QStringList>

namespace tarnel::cli {

// Writes an IDE file with its object and timed object lines in the other
// layout (with or without the mesh count), its other bytes kept; the lines
// that cannot go are told on standard error. Takes the arguments after its
// name; returns the exit status (1 when a line was left as it is).
int convertLayout(QStringList args);

} // namespace tarnel::cli
