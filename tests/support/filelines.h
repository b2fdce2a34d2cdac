#pragma once

// The lines of a file's bytes, for comparing what was written.

#include <QByteArray>
#include <QByteArrayList>

namespace support {

// The lines of a file as written (every one ends in CR LF), without their
// ends; a lone CR stays inside its line.
QByteArrayList crlfLines(const QByteArray& bytes);

// The lines of a file whatever their ends (CR LF, LF or CR), without the ends.
QByteArrayList linesOf(QByteArray bytes);

// The first line with its CR, if any, and what follows its LF.
QByteArray firstLine(const QByteArray& bytes);
QByteArray withoutFirstLine(const QByteArray& bytes);

} // namespace support
