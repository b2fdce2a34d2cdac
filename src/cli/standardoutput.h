#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

namespace tarnel::cli {

// Writes to standard output (unbuffered: writers hand it large blocks) through
// `write`, which returns false when a write fails. The first failure is
// remembered, and nothing more is written after it.
void writeOutThrough(const std::function<bool(QIODevice&)>& write);
void writeOut(QByteArrayView bytes);

// Why a write to standard output failed, or empty when none did.
QString standardOutputFailure();

} // namespace tarnel::cli
