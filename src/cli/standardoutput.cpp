#include "standardoutput.h"

#include <QFile>

#include <unistd.h>

namespace tarnel::cli {

namespace {

QString& failure()
{
    static QString reason;
    return reason;
}

QFile& standardOutput()
{
    static QFile* const out = [] {
        // Kept to the end of the process; the handle stays open.
        auto* file = new QFile;
        file->open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
        return file;
    }();
    return *out;
}

} // namespace

void writeOutThrough(const std::function<bool(QIODevice&)>& write)
{
    if (!failure().isEmpty())
        return;
    if (!write(standardOutput()))
        failure() = standardOutput().errorString();
}

void writeOut(QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        writeOutThrough([bytes](QIODevice& out) { return out.write(bytes.data(), bytes.size()) == bytes.size(); });
}

QString standardOutputFailure()
{
    return failure();
}

} // namespace tarnel::cli
