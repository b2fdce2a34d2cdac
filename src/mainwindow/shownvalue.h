#pragma once

#include <QByteArrayView>
#include <QString>

namespace tarnel {

// Characters a cell shows at most; a column is never wider than a few hundred.
inline constexpr qsizetype shownValueLength = 1000;

// A value as a cell or a message shows it: the start of a very long one only,
// marked cut, since laying out a value of megabytes freezes the window (every
// paint of a cell; seconds, or minutes, for a message box).
inline QString shownValue(QByteArrayView value)
{
    if (value.size() <= shownValueLength)
        return QString::fromLatin1(value);
    return QString::fromLatin1(value.first(shownValueLength)) + QChar(0x2026);
}

} // namespace tarnel
