// Faults while saving: whatever the disk does, the file on disk is the old one
// or the complete new one, the document stays marked changed and the user is
// told.

#include "robustnesskit.h"

#include <QProcess>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace tarnel;

using namespace wkit;
using namespace rkit;

namespace {

// A path line, so that it reads back from a saved file.
const QByteArray typedLine = "7, 0, 0, 10, 20, 30, 1, 1";

// Writes beyond `bytes` fail in this process as on a full disk, while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        // Past the limit a write fails with EFBIG instead of ending the process.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_set = false;
};

// What the user sees after a save that failed, and what stays in memory.
void checkFailedSave(Session& s, const QString& open, const QString& target)
{
    QCOMPARE(s.requestKinds(), QStringList{"message"});
    const ScriptedPlatform::Request& r = s.platform.requests.first();
    QCOMPARE(r.title, QStringLiteral("Tarnel"));
    QCOMPARE(r.icon, Platform::Icon::Information);
    QVERIFY2(r.text.startsWith(saveFailurePrefix(target)) && r.text.size() > saveFailurePrefix(target).size(),
             qPrintable(r.text));
    QVERIFY(s.window->document().isModified());
    QCOMPARE(s.window->windowTitle(), titleFor(open, true));
    QVERIFY(s.window->document().pathText().endsWith(typedLine));
}

// What makes a file the file it is, one fact a line: kind and mode, owner,
// device, the inode when it has other names, and its extended attributes.
QStringList identityOf(const QByteArray& path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return {QStringLiteral("missing")};
    QStringList facts{
        QStringLiteral("%1 %2:%3 %4").arg(info.st_mode, 0, 8).arg(info.st_uid).arg(info.st_gid).arg(info.st_rdev)};
    if (info.st_nlink > 1)
        facts << QStringLiteral("inode %1 of %2 names").arg(info.st_ino).arg(info.st_nlink);
    QByteArray names(65536, '\0'), value(65536, '\0');
    names.resize(qMax(::listxattr(path.constData(), names.data(), size_t(names.size())), ssize_t(0)));
    for (const QByteArray& name : names.split('\0'))
        facts << QString::fromLatin1(
            name + '=' + value.left(::getxattr(path.constData(), name.constData(), value.data(), 65536)).toHex());
    return facts;
}

// Starts tarnel-cli format on names given as bytes, not text, through the shell.
void startFormat(QProcess& cli, const QByteArray& in, const QByteArray& out)
{
    const auto literal = [](const QByteArray& name) {
        QByteArray octal;
        for (const char c : name)
            octal += '\\' + QByteArray::number(uchar(c), 8).rightJustified(3, '0');
        return "\"$(printf '" + octal + "')\"";
    };
    const QByteArray command = "exec \"$0\" format " + literal(in) + ' ' + literal(out);
    cli.start(QStringLiteral("sh"),
              {QStringLiteral("-c"), QString::fromLatin1(command), QStringLiteral(TARNEL_CLI)});
}

} // namespace

class SaveFaultTest : public QObject {
    Q_OBJECT

private slots:
    // Faults of the place the file goes to. Save writes over the open file,
    // Save as into another folder.
    void placeFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("needsPermissions");
        QTest::addColumn<QString>("reason"); // %1: the folder
        QTest::newRow("open file's folder vanished") << "vanished" << false << "the folder %1 ";
        QTest::newRow("disk full") << "full" << false << "File too large";
        QTest::newRow("read-only file") << "read-only file" << true << "Permission denied";
        QTest::newRow("read-only folder") << "read-only folder" << true << "the folder %1 ";
    }
    void placeFaults()
    {
        QFETCH(QString, fault);
        QFETCH(bool, needsPermissions);
        QFETCH(QString, reason);
        if (needsPermissions && runningAsRoot())
            QSKIP(rootSkip);

        Session s;
        s.useSettings();
        const QString folder = s.path(QStringLiteral("maps"));
        QVERIFY(QDir().mkdir(folder));
        const QString open =
            s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("maps/town.ide"));
        const QByteArray old = fileBytes(open);
        s.startShown(open);
        s.typePathLine(typedLine);
        s.platform.clear();

        QString target = open;
        if (fault == u"vanished") {
            QVERIFY(QDir(folder).removeRecursively());
            s.platform.choices << 0; // Save anyway, past the question about the vanished file
        } else if (fault == u"read-only file") {
            QVERIFY(QFile::setPermissions(open, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        } else if (fault == u"read-only folder") {
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        const QStringList before = namesIn(folder);
        {
            // Room for a few kilobytes only; the file takes far more.
            std::optional<FileSizeLimit> full;
            if (fault == u"full") {
                full.emplace(4096);
                QVERIFY(full->isSet());
            }
            s.action("fileSave")->trigger();
        }
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (fault == u"vanished")
            QCOMPARE(s.platform.requests.takeFirst().kind, QStringLiteral("choice"));

        checkFailedSave(s, open, target);
        reason.replace(QStringLiteral("%1"), folder);
        QVERIFY2(s.platform.requests.first().text.contains(reason), qPrintable(s.platform.requests.first().text));
        if (fault == u"vanished") {
            QVERIFY(!QFileInfo::exists(folder));
        } else {
            QCOMPARE(fileBytes(open), old);
            QCOMPARE(namesIn(folder), before);
        }
    }

    // tarnel-cli format into an OUT that is there already leaves it the same
    // file, with the new content where it is a regular file; names are bytes.
    void formatKeepsTheTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("mode");        // given to a regular file OUT first
        QTest::addColumn<QString>("failure"); // what tarnel-cli says, when it fails
        QTest::newRow("setuid and sticky bits") << "file" << 05755 << "";
        QTest::newRow("setgid bit") << "file" << 02640 << "";
        QTest::newRow("read-only, saved by root") << "file of root" << 0444 << "";
        QTest::newRow("owned by another user") << "file of another user" << 0640 << "";
        QTest::newRow("extended attributes and an ACL") << "file with attributes" << 0640 << "";
        QTest::newRow("other hard links") << "hard link" << 0644 << "";
        QTest::newRow("named pipe") << "pipe" << 0 << "";
        QTest::newRow("character device") << "null device" << 0 << "";
        QTest::newRow("full disk") << "full device" << 0 << "No space left on device";
        QTest::newRow("folder") << "folder" << 0 << "it is not a regular file";
        QTest::newRow("names not UTF-8") << "new name not UTF-8" << 0 << "";
    }
    void formatKeepsTheTarget()
    {
        QFETCH(QString, target);
        QFETCH(int, mode);
        QFETCH(QString, failure);
        if (target.startsWith(QStringLiteral("file of")) && !runningAsRoot())
            QSKIP("only root can give a file to another user or write a read-only file");
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        QByteArray in = folder + "/in.ide";
        QByteArray out = folder + "/out.ide";
        const bool bytesNamed = target == u"new name not UTF-8";
        // Big enough to be read by two threads where the name matters.
        QVERIFY(putFile(QFile::decodeName(in),
                        bytesNamed ? sampleIde(30000)
                                   : fileBytes(corpusPath(QStringLiteral("modmap-smalltown3.ide")))));
        const QString expected = dir.filePath(QStringLiteral("expected.ide"));
        QCOMPARE(QProcess::execute(QStringLiteral(TARNEL_CLI),
                                   {QStringLiteral("format"), QFile::decodeName(in), expected}),
                 0);
        if (bytesNamed) {
            QCOMPARE(::rename(in.constData(), (folder + "/caf\xe9.ide").constData()), 0);
            in = folder + "/caf\xe9.ide";
            out = folder + "/out\xe9.ide";
        }
        // Devices of the system itself only when a test one cannot be made.
        const auto device = [&](int minorNumber, const char* ofSystem) {
            if (!runningAsRoot())
                return QByteArray(ofSystem);
            return ::mknod(out.constData(), S_IFCHR | 0666, makedev(1, minorNumber)) == 0 ? out : QByteArray();
        };
        int pipeEnd = -1;
        if (target.endsWith(QStringLiteral("device"))) {
            out = target == u"null device" ? device(3, "/dev/null") : device(7, "/dev/full");
        } else if (target == u"folder") {
            QVERIFY(QDir().mkdir(QFile::decodeName(out)));
        } else if (target == u"pipe") {
            QCOMPARE(::mkfifo(out.constData(), 0600), 0);
            pipeEnd = ::open(out.constData(), O_RDONLY | O_NONBLOCK);
        } else if (mode != 0) {
            QVERIFY(putFile(QFile::decodeName(out), "old"));
            if (target == u"file of another user")
                QCOMPARE(::chown(out.constData(), 65534, 65534), 0);
            if (target == u"hard link")
                QCOMPARE(::link(out.constData(), (folder + "/other.ide").constData()), 0);
            if (target == u"file with attributes") {
                QCOMPARE(::setxattr(out.constData(), "user.tarnel", "kept", 4, 0), 0);
                QCOMPARE(QProcess::execute(QStringLiteral("setfacl"), {"-m", "u:65534:r", QFile::decodeName(out)}),
                         0);
            }
            QCOMPARE(::chmod(out.constData(), mode_t(mode)), 0);
        }
        const QStringList before = identityOf(out);
        const QStringList names = namesIn(dir.path());

        QProcess cli;
        startFormat(cli, in, out);
        QByteArray piped;
        char block[65536];
        for (bool ended = false; !ended;) {
            ended = cli.waitForFinished(10);
            for (ssize_t n; pipeEnd >= 0 && (n = ::read(pipeEnd, block, sizeof block)) > 0;)
                piped.append(block, n);
        }
        const QByteArray said = cli.readAllStandardError();
        QVERIFY2(failure.isEmpty() ? cli.exitCode() == 0
                                   : cli.exitCode() == 1 && said.contains(failure.toLatin1()),
                 said.constData());
        if (bytesNamed) {
            QCOMPARE(identityOf(folder + "/out\xef\xbf\xbd.ide"), QStringList{QStringLiteral("missing")});
            QCOMPARE(::rename(out.constData(), (folder + "/out.ide").constData()), 0);
        } else {
            QCOMPARE(identityOf(out), before);
            QCOMPARE(namesIn(dir.path()), names);
        }
        if (target == u"pipe")
            QCOMPARE(withoutFirstLine(piped), withoutFirstLine(fileBytes(expected)));
        else if (mode != 0 || bytesNamed)
            QCOMPARE(withoutFirstLine(fileBytes(dir.filePath(QStringLiteral("out.ide")))),
                     withoutFirstLine(fileBytes(expected)));
        if (target == u"hard link")
            QCOMPARE(fileBytes(dir.filePath(QStringLiteral("other.ide"))),
                     fileBytes(dir.filePath(QStringLiteral("out.ide"))));
    }

    // tarnel-cli format writes over a file that already holds an older one and
    // is killed at moments from its start to its end. Afterwards the target
    // holds the old bytes or all of the new ones; the only other names left
    // are the half-written files beside it, which replace nothing.
    void killedWhileWriting_data()
    {
        QTest::addColumn<QString>("moment");
        QTest::newRow("at once") << "start";
        QTest::newRow("once the new file is begun") << "begun";
        QTest::newRow("halfway through the new file") << "half";
        QTest::newRow("once the new file is all written") << "written";
        QTest::newRow("after it ended") << "ended";
    }
    void killedWhileWriting()
    {
        QFETCH(QString, moment);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("big.ide"));
        const QString target = dir.filePath(QStringLiteral("target.ide"));
        const QString fresh = dir.filePath(QStringLiteral("fresh.ide"));
        // About 40 MB, so that writing it takes a while.
        QVERIFY(putFile(input, sampleIde(120000)));
        QCOMPARE(QProcess::execute(QStringLiteral(TARNEL_CLI), {QStringLiteral("format"), input, fresh}), 0);
        const QByteArray newBytes = fileBytes(fresh);
        QVERIFY(QFile::remove(fresh));
        const QByteArray old = fileBytes(corpusPath(QStringLiteral("modmap-smalltown3.ide")));
        QVERIFY(putFile(target, old));

        QProcess cli;
        cli.start(QStringLiteral(TARNEL_CLI), {QStringLiteral("format"), input, target});
        QVERIFY(cli.waitForStarted());
        // What the program has written so far, from the system's count.
        const auto written = [&cli] {
            QFile io(QStringLiteral("/proc/%1/io").arg(cli.processId()));
            if (!io.open(QIODevice::ReadOnly))
                return qint64(-1);
            for (const QByteArray& line : io.readAll().split('\n')) {
                if (line.startsWith("wchar:"))
                    return line.mid(6).trimmed().toLongLong();
            }
            return qint64(-1);
        };
        const auto reached = [&] {
            if (moment == u"begun")
                return written() > 0;
            if (moment == u"half")
                return written() >= newBytes.size() / 2;
            if (moment == u"written")
                return written() >= newBytes.size();
            return moment == u"start";
        };
        if (moment == u"ended") {
            QVERIFY(cli.waitForFinished(120000));
        } else {
            // Polls until the moment comes or the program ends.
            while (!reached() && !cli.waitForFinished(0))
                QThread::yieldCurrentThread();
        }
        const qint64 writtenWhenKilled = written();
        cli.kill();
        cli.waitForFinished();

        const QByteArray now = fileBytes(target);
        const bool holdsOld = now == old;
        const bool holdsNew = now.startsWith(headerPrefix) && withoutFirstLine(now) == withoutFirstLine(newBytes);
        QVERIFY2(holdsOld || holdsNew,
                 qPrintable(QStringLiteral("the target holds %1 bytes, neither the old %2 nor the new %3")
                                .arg(now.size())
                                .arg(old.size())
                                .arg(newBytes.size())));
        qInfo("killed with %lld of %lld bytes written; the target holds the %s file", writtenWhenKilled,
              qint64(newBytes.size()), holdsOld ? "old" : "new");
        if (moment == u"ended")
            QVERIFY(holdsNew);
        for (const QString& name : namesIn(dir.path())) {
            QVERIFY2(name == u"big.ide" || name == u"target.ide" || name.startsWith(QStringLiteral("target.ide.")),
                     qPrintable(name));
        }
    }
};

QTEST_MAIN(SaveFaultTest)
#include "test_robustness_save.moc"
