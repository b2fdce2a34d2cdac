#include "inputfiles.h"

#include "document/filenames.h"

#include <QFile>
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

// The device and inode of the regular file `path` names (by its bytes, as
// the loader opens it); none for anything else.
std::optional<FileIdentity> identityOf(const QString& path)
{
    if (isStandardStream(path))
        return identityOf(STDIN_FILENO);
    struct stat info {};
    if (stat(fileNameBytes(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
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
