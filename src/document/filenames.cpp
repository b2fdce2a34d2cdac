#include "document/filenames.h"

namespace tarnel {

namespace {

constexpr char16_t escapeBase = 0xDC00;

bool isContinuation(uchar byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `at`, or 0: no overlong
// forms, no surrogates, nothing above U+10FFFF.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return at + i < bytes.size() ? uchar(bytes[at + i]) : uchar(0); };
    const uchar lead = byte(0);
    uchar low = 0x80; // the range of the second byte
    uchar high = 0xBF;
    qsizetype length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return 0;
    }
    return length;
}

} // namespace

QString fileNameFromBytes(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const uchar lead = uchar(bytes[at]);
        if (lead < 0x80) {
            name.append(QLatin1Char(char(lead)));
            ++at;
        } else if (const qsizetype length = sequenceLength(bytes, at)) {
            name.append(QString::fromUtf8(bytes.sliced(at, length)));
            at += length;
        } else {
            name.append(QChar(char16_t(escapeBase + lead)));
            ++at;
        }
    }
    return name;
}

QByteArray fileNameBytes(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype at) {
        bytes.append(QStringView(name).sliced(runStart, at - runStart).toUtf8());
    };
    for (qsizetype at = 0; at < name.size(); ++at) {
        const char16_t c = name[at].unicode();
        // A low surrogate after a high one is half of a character, not an escape.
        const bool escaped =
            c >= escapeBase + 0x80 && c <= escapeBase + 0xFF && (at == 0 || !name[at - 1].isHighSurrogate());
        if (!escaped)
            continue;
        endRun(at);
        bytes.append(char(c - escapeBase));
        runStart = at + 1;
    }
    endRun(name.size());
    return bytes;
}

} // namespace tarnel
