#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tarnel {

// Watches the open document's file for changes made by other programs. The
// file's identity (size, modification time, inode) is remembered at each load
// and save, so the program's own saves are not taken for outside changes.
class OutsideChangeWatch : public QObject {
    Q_OBJECT
public:
    enum class DiskState { AsKnown, Changed, Vanished };
    // A file as it was on disk: what tells another program's change.
    struct Identity {
        bool exists = false;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const Identity&) const = default;
    };

    explicit OutsideChangeWatch(QObject* parent = nullptr);

    // Watches `path` and takes its state on disk now as the document's own,
    // after a load or save; an empty path watches nothing.
    void follow(const QString& path);
    // Watches `path` again, taking `known` (from known(), when the file was
    // last followed) as the document's own: a change made in between is told.
    void follow(const QString& path, const Identity& known);
    const Identity& known() const { return m_known; }
    // How the file on disk compares with what was remembered.
    DiskState state() const;

signals:
    // Once for each new state of the file other than the remembered one.
    void changedOutside(OutsideChangeWatch::DiskState state);

private:
    static Identity identityOf(const QString& path);
    DiskState stateOf(const Identity& now) const;
    void check();
    void changeSeen();

    QFileSystemWatcher m_watcher;
    // Lets an editor finish writing before the file is looked at.
    QTimer m_settling;
    QString m_path;
    Identity m_known;
    Identity m_lastTold;
};

} // namespace tarnel
