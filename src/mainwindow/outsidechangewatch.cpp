#include "mainwindow/outsidechangewatch.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

namespace tarnel {

OutsideChangeWatch::OutsideChangeWatch(QObject* parent) : QObject(parent)
{
    m_settling.setSingleShot(true);
    m_settling.setInterval(200);
    connect(&m_settling, &QTimer::timeout, this, &OutsideChangeWatch::check);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &OutsideChangeWatch::changeSeen);
    // Editors that save by writing a new file and renaming it over the old one
    // end the watch of the old file; the folder tells when the new one is there.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &OutsideChangeWatch::changeSeen);
}

void OutsideChangeWatch::changeSeen()
{
    // A file replaced by rename is a new file to watch.
    if (!m_path.isEmpty() && !m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
    m_settling.start();
}

void OutsideChangeWatch::follow(const QString& path)
{
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    m_settling.stop();
    m_path = path;
    m_known = identityOf(path);
    m_lastTold = m_known;
    if (path.isEmpty())
        return;
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    if (m_known.exists)
        m_watcher.addPath(path);
}

void OutsideChangeWatch::follow(const QString& path, const Identity& known)
{
    follow(path);
    m_known = known;
    m_lastTold = known;
    // Told from the event loop, once whoever switched files is done.
    QTimer::singleShot(0, this, &OutsideChangeWatch::check);
}

OutsideChangeWatch::DiskState OutsideChangeWatch::state() const
{
    return m_path.isEmpty() ? DiskState::AsKnown : stateOf(identityOf(m_path));
}

OutsideChangeWatch::DiskState OutsideChangeWatch::stateOf(const Identity& now) const
{
    if (now == m_known)
        return DiskState::AsKnown;
    return now.exists ? DiskState::Changed : DiskState::Vanished;
}

void OutsideChangeWatch::check()
{
    if (m_path.isEmpty())
        return;
    const Identity now = identityOf(m_path);
    // Editors write in several steps: each state is told once.
    if (now == m_lastTold)
        return;
    m_lastTold = now;
    const DiskState state = stateOf(now);
    if (state != DiskState::AsKnown)
        emit changedOutside(state);
}

OutsideChangeWatch::Identity OutsideChangeWatch::identityOf(const QString& path)
{
    Identity identity;
    if (path.isEmpty())
        return identity;
#ifdef Q_OS_LINUX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return identity;
    identity.exists = true;
    identity.size = info.st_size;
    identity.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return identity;
    identity.exists = true;
    identity.size = info.size();
    identity.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    return identity;
}

} // namespace tarnel
