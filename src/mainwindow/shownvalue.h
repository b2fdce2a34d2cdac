#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

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

// A whole line of a file as the load report shows it: as UTF-8 where it is
// valid UTF-8 (the comment banners of mods are written so), else as Latin-1,
// the file's own encoding. A long line is cut before a character's bytes.
inline QString shownLineText(QByteArrayView line)
{
    QByteArrayView shown = line;
    if (line.size() > shownValueLength) {
        qsizetype cut = shownValueLength;
        // Back off over continuation bytes (10xxxxxx) to the start of a character.
        while (cut > shownValueLength - 4 && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        shown = line.first(cut);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(shown);
    if (utf8.hasError())
        return shownValue(line);
    return shown.size() < line.size() ? text + QChar(0x2026) : text;
}

} // namespace tarnel
