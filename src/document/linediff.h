#pragma once

#include <QByteArrayView>
#include <QList>

#include <vector>

namespace tarnel {

// The lines of a text whose lines end at CR LF, LF or CR. A line end at the
// very end closes the last line rather than starting an empty one; no text, no lines.
QList<QByteArrayView> linesOfText(QByteArrayView text);

// For each line of `before`, the line of `after` it stays as, or -1 where it
// was removed or changed: a longest common subsequence of the two lists.
// Time grows with the lines times the lines that differ, memory with the lines.
std::vector<qsizetype> matchLines(const QList<QByteArrayView>& before, const QList<QByteArrayView>& after);

} // namespace tarnel
