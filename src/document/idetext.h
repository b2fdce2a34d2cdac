#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace tarnel {

// Text rules of the format. Only the space character counts as space: tabs and
// other white space are part of a value. Around a keyword or `end`, and on a
// blank line, tabs count as spaces too.
namespace idetext {

QByteArrayView trimSpaces(QByteArrayView text);
QByteArrayView trimSpacesAndTabs(QByteArrayView text);

// Empty, or nothing but spaces.
bool isBlank(QByteArrayView line);

// Number of comma-separated pieces: commas plus one.
qsizetype fieldCount(QByteArrayView line);

// fieldCount() without the empty (or all-space) pieces at the end of the line.
qsizetype fieldCountWithoutTrailingEmpties(QByteArrayView line);

// Case-insensitive ASCII comparison of the line, trimmed of spaces and tabs, with a keyword.
bool isKeyword(QByteArrayView line, QByteArrayView keyword);

// First character after leading spaces is '#'.
bool isCommented(QByteArrayView text);

// How many characters at the start of `text` are the marks Comment out puts
// before a value: spaces, the "#" characters and the spaces after them.
qsizetype commentMarksLength(QByteArrayView text);

// Calls f(value) for every comma-separated piece, trimmed of spaces.
template <typename F> void forEachValue(QByteArrayView line, F&& f)
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(',', start);
        if (comma < 0) {
            f(trimSpaces(line.sliced(start)));
            return;
        }
        f(trimSpaces(line.sliced(start, comma - start)));
        start = comma + 1;
    }
}

} // namespace idetext

} // namespace tarnel
