#pragma once

// The steps a save takes to give a file new content and keep it the same
// file, shared by replaceFileContent and replaceFilesTogether.

#include "document/filereplacement.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace tarnel {

namespace replacementsteps {

QString systemError(int code);

// Closes the descriptor it holds when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();
    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

QByteArray folderOf(const QByteArray& file);
// Writes the content to the descriptor; the reason when a write fails.
QString writeThrough(int fd, const ContentWriter& write);
QString syncFailure(int fd);
// A new file beside `target`, named after it with a random ending; its name
// goes to `name`. A folder that does not let a file be made in it is named as
// the problem.
int createBeside(const QByteArray& target, mode_t mode, QByteArray& name, QString& failure);
// Copies everything from `from` to `to`, both from their start.
bool copyContent(int from, int to);
// A complete, synced new file beside `target` (named in `name`) with the
// content `write` makes, and the mode, owner, group and extended attributes of
// `old` when given. On failure nothing is left of it.
QString writeBeside(const QByteArray& target, const struct stat* old, const ContentWriter& write,
                    QByteArray& name);
// Syncs the folder of `target`, so a rename in it lasts.
void syncFolderOf(const QByteArray& target);
// The file a path names: through a symbolic link, the file it leads to.
QByteArray resolvedTarget(const QString& path);

} // namespace replacementsteps

} // namespace tarnel
