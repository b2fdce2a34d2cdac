#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

namespace tarnel {

// The path sections are kept as text, edited freely, and written back between
// "path" and "end". A line of that text that the reader takes for something
// else does not come back as a path line when the file is opened again.
enum class LostPathLine {
    Blank,        // dropped
    Comment,      // a comment, never a row: dropped by the fixed layout
    SectionName,  // "path" or "2dfx": dropped, the lines after it stay paths
    SectionStart, // "objs" or "tobj": the lines after it are read into that table
    End,          // ends the section: it and every line after it are dropped
};

struct LostPathLineAt {
    qsizetype lineNumber; // 1-based, within the paths text
    LostPathLine reason;
};

// The first such line of `pathText`, whose lines end at CR LF, LF or CR; none
// when every line reads back as a path line.
std::optional<LostPathLineAt> firstLostPathLine(QByteArrayView pathText);

} // namespace tarnel
