#include "filelines.h"

namespace support {

namespace {

QByteArrayList splitAtLf(const QByteArray& bytes)
{
    QByteArrayList lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QByteArrayList crlfLines(const QByteArray& bytes)
{
    QByteArrayList lines = splitAtLf(bytes);
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QByteArrayList linesOf(QByteArray bytes)
{
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    return splitAtLf(bytes);
}

QByteArray firstLine(const QByteArray& bytes)
{
    const qsizetype lf = bytes.indexOf('\n');
    return lf < 0 ? bytes : bytes.left(lf);
}

QByteArray withoutFirstLine(const QByteArray& bytes)
{
    const qsizetype lf = bytes.indexOf('\n');
    return lf < 0 ? QByteArray() : bytes.mid(lf + 1);
}

} // namespace support
