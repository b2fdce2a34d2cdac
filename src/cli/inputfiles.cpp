#include "inputfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <optional>
#include <set>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace tarnel::cli {

namespace {

using FileIdentity = std::pair<dev_t, ino_t>;

std::optional<FileIdentity> identityOf(int handle)
{
    struct stat info {};
    if (fstat(handle, &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

// The device and inode of the file `path` names, found through the file
// opened as it will be read; none for what is no regular file (opening a
// pipe would wait for a writer).
std::optional<FileIdentity> identityOf(const QString& path)
{
    if (isStandardStream(path))
        return identityOf(STDIN_FILENO);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return identityOf(file.handle());
}

} // namespace

bool isStandardStream(const QString& path)
{
    return path == QLatin1String("-");
}

StandardInput readStandardInput()
{
    StandardInput in;
    QFile file;
    if (!file.open(STDIN_FILENO, QIODevice::ReadOnly)) {
        in.error = file.errorString();
        return in;
    }
    in.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        in.error = file.errorString();
    return in;
}

QStringList distinctFiles(const QStringList& paths)
{
    std::set<FileIdentity> identities;
    QSet<QString> unknown; // names of no file found: their own text tells them apart
    QStringList files;
    for (const QString& path : paths) {
        const std::optional<FileIdentity> identity = identityOf(path);
        if (identity ? identities.insert(*identity).second : !unknown.contains(path)) {
            unknown.insert(path);
            files.append(path);
        }
    }
    return files;
}

} // namespace tarnel::cli
