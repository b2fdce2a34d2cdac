#include "document/filesreplacement.h"

#include "document/filenames.h"
#include "document/filereplacementsteps.h"
#include "texts/texts.h"

#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tarnel {

using namespace replacementsteps;

namespace {

// One file on its way to its new content.
struct Pending {
    QString shown;
    QByteArray target;
    const QByteArray* bytes = nullptr;
    bool existed = false;
    struct stat info {};
    bool inPlace = false;      // other hard links: written in place at the commit
    QByteArray written;        // the new file beside it, renamed into place at the commit
    QByteArray backup;         // the old content kept beside it
    bool backupIsLink = false; // the old file itself under another name, else a copy of its bytes
    bool committed = false;
};

ContentWriter writerOf(const QByteArray& bytes)
{
    return [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); };
}

// Whether the file can be given new content: a regular file the user may write, or none yet.
QString checkTarget(Pending& file)
{
    if (::stat(file.target.constData(), &file.info) != 0)
        return errno == ENOENT ? QString() : systemError(errno);
    file.existed = true;
    if (!S_ISREG(file.info.st_mode))
        return texts::notRegularFile;
    if (::faccessat(AT_FDCWD, file.target.constData(), W_OK, AT_EACCESS) != 0)
        return systemError(errno);
    file.inPlace = file.info.st_nlink > 1;
    return {};
}

// A second name for the old file, so that it can come back after its rename.
bool linkBeside(Pending& file)
{
    for (;;) {
        file.backup = file.target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        if (::link(file.target.constData(), file.backup.constData()) == 0)
            return true;
        if (errno != EEXIST) {
            file.backup.clear();
            return false;
        }
    }
}

// A synced copy of the old bytes beside the file.
QString copyBeside(Pending& file)
{
    const Descriptor from(::open(file.target.constData(), O_RDONLY | O_CLOEXEC));
    if (!from.isOpen())
        return systemError(errno);
    QString failure;
    const Descriptor copy(createBeside(file.target, 0600, file.backup, failure));
    if (!copy.isOpen()) {
        file.backup.clear();
        return failure;
    }
    if (!copyContent(from.get(), copy.get()) || ::fsync(copy.get()) != 0)
        return systemError(errno);
    return {};
}

// The new file beside it, and the old content kept: nothing in place changes yet.
QString prepare(Pending& file)
{
    if (!file.inPlace) {
        const QString failure =
            writeBeside(file.target, file.existed ? &file.info : nullptr, writerOf(*file.bytes), file.written);
        if (!failure.isEmpty()) {
            file.written.clear();
            return failure;
        }
    }
    if (!file.existed)
        return {};
    file.backupIsLink = !file.inPlace && linkBeside(file);
    return file.backupIsLink ? QString() : copyBeside(file);
}

QString writeInPlace(const QByteArray& target, const ContentWriter& write)
{
    const Descriptor fd(::open(target.constData(), O_RDWR | O_CLOEXEC));
    if (!fd.isOpen())
        return systemError(errno);
    if (::ftruncate(fd.get(), 0) != 0)
        return systemError(errno);
    const QString failure = writeThrough(fd.get(), write);
    return failure.isEmpty() ? syncFailure(fd.get()) : failure;
}

QString commit(Pending& file)
{
    file.committed = true; // from here on, a failure puts the old content back
    if (file.inPlace)
        return writeInPlace(file.target, writerOf(*file.bytes));
    if (::rename(file.written.constData(), file.target.constData()) != 0) {
        file.committed = false;
        return systemError(errno);
    }
    file.written.clear();
    return {};
}

// The old content back in place of a committed file.
void restore(Pending& file)
{
    if (!file.existed) {
        ::unlink(file.target.constData());
        return;
    }
    if (file.backupIsLink) {
        if (::rename(file.backup.constData(), file.target.constData()) == 0)
            file.backup.clear();
        return;
    }
    const Descriptor copy(::open(file.backup.constData(), O_RDONLY | O_CLOEXEC));
    const Descriptor target(::open(file.target.constData(), O_RDWR | O_CLOEXEC));
    if (copy.isOpen() && target.isOpen() && ::ftruncate(target.get(), 0) == 0 &&
        copyContent(copy.get(), target.get()))
        ::fsync(target.get());
}

void removeLeftovers(Pending& file)
{
    if (!file.written.isEmpty())
        ::unlink(file.written.constData());
    if (!file.backup.isEmpty())
        ::unlink(file.backup.constData());
}

} // namespace

QString replaceFilesTogether(const QList<std::pair<QString, QByteArray>>& files)
{
    std::vector<Pending> pending(size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        pending[size_t(i)].shown = files[i].first;
        pending[size_t(i)].target = resolvedTarget(files[i].first);
        pending[size_t(i)].bytes = &files[i].second;
    }
    QString failure;
    auto fail = [&](const Pending& file, const QString& reason) {
        failure = texts::fileNotReplaced.arg(file.shown, reason);
    };
    for (Pending& file : pending) {
        if (const QString reason = checkTarget(file); !reason.isEmpty()) {
            fail(file, reason);
            return failure;
        }
    }
    for (Pending& file : pending) {
        if (const QString reason = prepare(file); !reason.isEmpty()) {
            fail(file, reason);
            break;
        }
    }
    for (size_t i = 0; failure.isEmpty() && i < pending.size(); ++i) {
        if (const QString reason = commit(pending[i]); !reason.isEmpty())
            fail(pending[i], reason);
    }
    for (Pending& file : pending) {
        if (!failure.isEmpty() && file.committed)
            restore(file);
        else if (failure.isEmpty())
            syncFolderOf(file.target);
        removeLeftovers(file);
    }
    return failure;
}

} // namespace tarnel
