#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarnel {

// A file name on Linux is bytes, not always UTF-8 ("caf\xe9.ide"). Names are
// QStrings in the program; these two turn any bytes into one and back
// unchanged: UTF-8 is decoded, and each byte no UTF-8 sequence takes stands
// for itself as U+DC80..U+DCFF, a lone low surrogate no decoded text holds.
QString fileNameFromBytes(QByteArrayView bytes);
QByteArray fileNameBytes(const QString& name);

} // namespace tarnel
