// Faults while saving: whatever the disk does, the file on disk is the old one
// or the complete new one, the document stays marked changed and the user is
// told.

#include "robustnesskit.h"

#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/resource.h>

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
        QTest::newRow("open file's folder vanished") << "vanished" << false;
        QTest::newRow("disk full") << "full" << false;
        QTest::newRow("read-only file") << "read-only file" << true;
        QTest::newRow("read-only folder") << "read-only folder" << true;
    }
    void placeFaults()
    {
        QFETCH(QString, fault);
        QFETCH(bool, needsPermissions);
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

        checkFailedSave(s, open, target);
        if (fault == u"vanished") {
            QVERIFY(!QFileInfo::exists(folder));
        } else {
            QCOMPARE(fileBytes(open), old);
            QCOMPARE(namesIn(folder), before);
        }
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
