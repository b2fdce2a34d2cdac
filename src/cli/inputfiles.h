#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarnel::cli {

// "-" in place of a file's name names standard input (or output).
bool isStandardStream(const QString& path);

// Every byte of standard input, or why it could not be read.
struct StandardInput {
    QByteArray bytes;
    QString error; // empty when read to its end
};
StandardInput readStandardInput();

// The names among `paths` of files no earlier name names, in their order: a
// second name of a file (another path to it, a link) is left out, so that the
// file is read once.
QStringList distinctFiles(const QStringList& paths);

} // namespace tarnel::cli
