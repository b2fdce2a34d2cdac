#include "document/filereplacement.h"

#include "document/filenames.h"
#include "document/filereplacementsteps.h"
#include "texts/texts.h"

#include <QIODevice>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tarnel {

namespace {

// The new file being written, for unfinishedFileName: a plain array and a
// lock-free flag, which a signal handler may read.
char unfinishedName[4096];
std::atomic<bool> unfinished{false};

// Names the file being written until it goes out of scope.
class UnfinishedFile {
public:
    explicit UnfinishedFile(const QByteArray& name)
    {
        if (size_t(name.size()) >= sizeof unfinishedName)
            return; // too long a name to remember: the file stays after a signal
        std::memcpy(unfinishedName, name.constData(), size_t(name.size()) + 1);
        unfinished.store(true);
    }
    UnfinishedFile(const UnfinishedFile&) = delete;
    UnfinishedFile& operator=(const UnfinishedFile&) = delete;
    ~UnfinishedFile() { unfinished.store(false); }
};

} // namespace

const char* unfinishedFileName()
{
    return unfinished.load() ? unfinishedName : nullptr;
}

namespace replacementsteps {

QString systemError(int code)
{
    return qt_error_string(code);
}

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray folderOf(const QByteArray& file)
{
    const qsizetype slash = file.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);
}

// Writes to a descriptor and tells the system's reason when a write fails.
// (QFile tells none for a short write, which is how a full disk begins.)
// Written data is handed to the disk as it goes, so that the final sync waits
// for the last of it only.
class DescriptorDevice : public QIODevice {
public:
    explicit DescriptorDevice(int fd) : m_fd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        for (qint64 done = 0; done < size;) {
            const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                setErrorString(systemError(errno));
                return -1;
            }
            done += n;
        }
        m_written += size;
        if (m_written - m_handedOver >= handOverSize) {
            // Starts writing back; does not wait. Pipes and devices refuse it.
            ::sync_file_range(m_fd, m_handedOver, m_written - m_handedOver, SYNC_FILE_RANGE_WRITE);
            m_handedOver = m_written;
        }
        return size;
    }

private:
    static constexpr qint64 handOverSize = qint64(8) << 20;
    int m_fd;
    qint64 m_written = 0;
    qint64 m_handedOver = 0;
};

QString writeThrough(int fd, const ContentWriter& write)
{
    DescriptorDevice device(fd);
    return write(device) ? QString() : device.errorString();
}

QString syncFailure(int fd)
{
    return ::fsync(fd) == 0 ? QString() : systemError(errno);
}

int createBeside(const QByteArray& target, mode_t mode, QByteArray& name, QString& failure)
{
    for (;;) {
        name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            failure = texts::folderRefusesFile.arg(fileNameFromBytes(folderOf(target)), systemError(errno));
            return -1;
        }
    }
}

bool copyContent(int from, int to)
{
    std::vector<char> block(1 << 20);
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(from, block.data(), block.size(), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        for (ssize_t put = 0; put < got;) {
            const ssize_t n = ::pwrite(to, block.data() + put, size_t(got - put), at + put);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            put += n;
        }
        at += got;
    }
}

namespace {

QByteArrayList attributeNames(const QByteArray& list)
{
    QByteArrayList names = list.split('\0');
    names.removeAll(QByteArray());
    return names;
}

// The extended attribute names of a file (by path, or by descriptor when
// `fd` is open).
QByteArrayList attributesOf(const QByteArray& path, int fd)
{
    for (;;) {
        const ssize_t size = fd >= 0 ? ::flistxattr(fd, nullptr, 0) : ::listxattr(path.constData(), nullptr, 0);
        if (size <= 0)
            return {};
        QByteArray list(size, '\0');
        const ssize_t got = fd >= 0 ? ::flistxattr(fd, list.data(), size_t(size))
                                    : ::listxattr(path.constData(), list.data(), size_t(size));
        if (got >= 0)
            return attributeNames(list.left(got));
        if (errno != ERANGE)
            return {};
    }
}

// Gives `fd` the extended attributes of the file at `path`, all of them
// (ACLs are ones too), and none it would have beside them (a folder's default
// ACL, say). One the system does not let this user set is left out.
void copyAttributes(const QByteArray& path, int fd)
{
    const QByteArrayList names = attributesOf(path, -1);
    for (const QByteArray& name : attributesOf(QByteArray(), fd)) {
        if (!names.contains(name))
            ::fremovexattr(fd, name.constData());
    }
    for (const QByteArray& name : names) {
        QByteArray value;
        for (;;) {
            const ssize_t size = ::getxattr(path.constData(), name.constData(), nullptr, 0);
            if (size < 0)
                break;
            value.resize(size);
            const ssize_t got = ::getxattr(path.constData(), name.constData(), value.data(), size_t(size));
            if (got >= 0) {
                value.resize(got);
                ::fsetxattr(fd, name.constData(), value.constData(), size_t(got), 0);
                break;
            }
            if (errno != ERANGE)
                break;
        }
    }
}

} // namespace

QString writeBeside(const QByteArray& target, const struct stat* old, const ContentWriter& write, QByteArray& name)
{
    QString failure;
    // The old file's content may be private: the new one is, until it has the old mode.
    const Descriptor fd(createBeside(target, old ? 0600 : 0666, name, failure));
    if (!fd.isOpen())
        return failure;
    const UnfinishedFile unfinishedFile(name);
    failure = writeThrough(fd.get(), write);
    if (failure.isEmpty() && old) {
        // The owner first, since changing it clears the setuid and setgid
        // bits; the group alone when the owner cannot be given.
        if (::fchown(fd.get(), old->st_uid, old->st_gid) != 0)
            (void)::fchown(fd.get(), uid_t(-1), old->st_gid);
        copyAttributes(target, fd.get());
        if (::fchmod(fd.get(), old->st_mode & 07777) != 0)
            failure = systemError(errno);
    }
    if (failure.isEmpty())
        failure = syncFailure(fd.get());
    if (!failure.isEmpty())
        ::unlink(name.constData());
    return failure;
}

void syncFolderOf(const QByteArray& target)
{
    const Descriptor folder(::open(folderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        ::fsync(folder.get());
}

QByteArray resolvedTarget(const QString& path)
{
    QByteArray target = fileNameBytes(path);
    struct stat info {};
    if (::lstat(target.constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // Through a link the file it names is saved; the link stays.
        if (char* resolved = ::realpath(target.constData(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }
    return target;
}

namespace {

// Writes a new file beside `target` and renames it into its place once it is
// complete, synced and made like the old one (`old`, when there is one).
QString writeAndRename(const QByteArray& target, const struct stat* old, const ContentWriter& write)
{
    QByteArray name;
    QString failure = writeBeside(target, old, write, name);
    if (!failure.isEmpty())
        return failure;
    if (::rename(name.constData(), target.constData()) != 0) {
        failure = systemError(errno);
        ::unlink(name.constData());
        return failure;
    }
    // The rename itself lasts once the folder is synced.
    syncFolderOf(target);
    return {};
}

// Writes over a file with other names in place, after a complete copy of its
// old content has been synced beside it; the copy goes once the new content
// is synced, or once the old one is back after a failure.
QString writeInPlace(const QByteArray& target, const ContentWriter& write)
{
    const Descriptor fd(::open(target.constData(), O_RDWR | O_CLOEXEC));
    if (!fd.isOpen())
        return systemError(errno);
    QByteArray copyName;
    QString failure;
    const Descriptor copy(createBeside(target, 0600, copyName, failure));
    if (!copy.isOpen())
        return failure;
    if (!copyContent(fd.get(), copy.get()) || ::fsync(copy.get()) != 0) {
        failure = systemError(errno);
        ::unlink(copyName.constData());
        return failure;
    }
    if (::ftruncate(fd.get(), 0) != 0 || ::lseek(fd.get(), 0, SEEK_SET) != 0)
        failure = systemError(errno);
    if (failure.isEmpty())
        failure = writeThrough(fd.get(), write);
    if (failure.isEmpty())
        failure = syncFailure(fd.get());
    if (!failure.isEmpty()) {
        const bool restored =
            ::ftruncate(fd.get(), 0) == 0 && copyContent(copy.get(), fd.get()) && ::fsync(fd.get()) == 0;
        if (!restored)
            return failure + texts::oldContentKeptIn.arg(fileNameFromBytes(copyName));
    }
    ::unlink(copyName.constData());
    return failure;
}

// Writes straight into a named pipe or a device, which stays what it is.
QString writeDirectly(const QByteArray& target, const ContentWriter& write)
{
    const Descriptor fd(::open(target.constData(), O_WRONLY | O_CLOEXEC));
    if (!fd.isOpen())
        return systemError(errno);
    return writeThrough(fd.get(), write);
}

} // namespace

} // namespace replacementsteps

using namespace replacementsteps;

QString replaceFileContent(const QString& path, const ContentWriter& write)
{
    const QByteArray target = resolvedTarget(path);
    struct stat info {};
    if (::stat(target.constData(), &info) != 0) {
        if (errno == ENOENT)
            return writeAndRename(target, nullptr, write);
        return systemError(errno);
    }
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))
        return writeDirectly(target, write);
    if (!S_ISREG(info.st_mode))
        return texts::notRegularFile;
    // What the user may not write to stays as it is, even where the folder
    // would let it be replaced.
    if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return systemError(errno);
    if (info.st_nlink > 1)
        return writeInPlace(target, write);
    return writeAndRename(target, &info, write);
}

bool isWrittenInPlace(const QString& path)
{
    struct stat info {};
    return ::stat(resolvedTarget(path).constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink > 1;
}

} // namespace tarnel
