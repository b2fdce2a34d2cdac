#include "settings/settingsfile.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tarnel;

using namespace Qt::StringLiterals;
using namespace support;

namespace {
const QString error = u"INI Error -Check Settings"_s;
const QByteArray defaults = "[tarnel]\r\nrecent1=recent1\r\nrecent2=recent2\r\nrecent3=recent3\r\n"
                            "recent4=recent4\r\nrecent5=recent5\r\nrecent6=recent6\r\n"
                            "recent7=recent7\r\nlines=1\r\npaste=1\r\nsort=1\r\nkeepLayout=0\r\n";
} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SettingsFile m_settings{m_dir.filePath(u"tarnel.ini"_s)};
    QStringList m_messages;

private slots:
    void init()
    {
        QVERIFY(putOrRemoveFile(m_settings.path(), QByteArray()));
        m_messages.clear();
        m_settings.setMissingKeyHandler([this](const QString& message) { m_messages << message; });
    }

    void rebuildWritesDefaults_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("longer file") << QByteArray(4096, 'x');
        QTest::newRow("edited") << QByteArray("[tarnel]\nrecent1=C:\\a.ide\nlines=0\n");
    }

    void rebuildWritesDefaults()
    {
        QFETCH(QByteArray, before);
        QVERIFY(putOrRemoveFile(m_settings.path(), before));
        m_settings.rebuildSettings();
        QCOMPARE(fileBytes(m_settings.path()), defaults);
    }

    void missingValueReported_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("no such key") << QByteArray("[tarnel]\r\nlines=1\r\n");
        QTest::newRow("other section") << QByteArray("[other]\r\npaste=1\r\n");
        QTest::newRow("error text stored") << QByteArray("[tarnel]\r\npaste=" + error.toLatin1());
    }

    void missingValueReported()
    {
        QFETCH(QByteArray, contents);
        QVERIFY(putOrRemoveFile(m_settings.path(), contents));
        QCOMPARE(m_settings.exists(), !contents.isNull());
        // Reported once, then the key holds its default: the next read is clean.
        QCOMPARE(m_settings.readSetting(u"paste"_s), u"1"_s);
        QCOMPARE(m_settings.readSetting(u"recent4"_s), u"recent4"_s);
        QCOMPARE(m_messages, QStringList({error, error}));
        QCOMPARE(m_settings.readSetting(u"paste"_s), u"1"_s);
        QCOMPARE(m_settings.readSetting(u"recent4"_s), u"recent4"_s);
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(!fileBytes(m_settings.path()).contains(error.toLatin1()));

        // A key the program does not use has no default and is not written.
        QCOMPARE(m_settings.readSetting(u"colour"_s), error);
        QVERIFY(!fileBytes(m_settings.path()).contains("colour"));
    }

    void readsFileEveryTime()
    {
        QVERIFY(putOrRemoveFile(m_settings.path(), "[TARNEL]\r\nRECENT1=C:\\Maps\\a.ide\r\n"));
        QCOMPARE(m_settings.readSetting(u"recent1"_s), u"C:\\Maps\\a.ide"_s);
        QVERIFY(putOrRemoveFile(m_settings.path(), "[Tarnel]\nRecent1 = D:/b.ide\n"));
        QCOMPARE(m_settings.readSetting(u"recent1"_s), u"D:/b.ide"_s);
        QVERIFY(m_messages.isEmpty());
    }

    void writeSettingKeepsOtherKeys()
    {
        m_settings.writeSetting(u"lines"_s, u"0"_s);
        QCOMPARE(fileBytes(m_settings.path()), QByteArray("[tarnel]\r\nlines=0\r\n"));

        m_settings.rebuildSettings();
        m_settings.writeSetting(u"Paste"_s, u"0"_s);
        m_settings.writeSetting(u"extra"_s, u"x"_s);
        QCOMPARE(fileBytes(m_settings.path()), QByteArray(defaults).replace("paste=1", "paste=0") + "extra=x\r\n");
    }

    void readOption_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("reports");
        QTest::newRow("0") << QByteArray("sort=0") << false << 0;
        QTest::newRow("1") << QByteArray("sort=1") << true << 0;
        QTest::newRow("1 spaced") << QByteArray("sort = 1 ") << true << 0;
        QTest::newRow("2") << QByteArray("sort=2") << false << 0;
        QTest::newRow("-1") << QByteArray("sort=-1") << false << 0;
        QTest::newRow("text") << QByteArray("sort=abc") << false << 0;
        QTest::newRow("1 then text") << QByteArray("sort=1x") << false << 0;
        QTest::newRow("empty") << QByteArray("sort=") << false << 0;
        QTest::newRow("missing: its default") << QByteArray("lines=1") << true << 1;
        // keepLayout came after the first settings files: read without a report.
        QTest::newRow("keepLayout 1") << QByteArray("keepLayout=1") << true << 0;
        QTest::newRow("keepLayout 1 spaced") << QByteArray("KEEPLAYOUT = 1") << true << 0;
        QTest::newRow("keepLayout 0") << QByteArray("keepLayout=0") << false << 0;
        QTest::newRow("keepLayout text") << QByteArray("keepLayout=yes") << false << 0;
        QTest::newRow("keepLayout missing: off") << QByteArray("sort=1") << false << 0;
    }

    void readOption()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, on);
        QFETCH(int, reports);
        const QByteArray contents = "[tarnel]\r\n" + line + "\r\n";
        QVERIFY(putOrRemoveFile(m_settings.path(), contents));
        const bool added = QByteArray(QTest::currentDataTag()).startsWith("keepLayout");
        QCOMPARE(added ? m_settings.readAddedOption(u"keepLayout"_s) : m_settings.readOption(u"sort"_s), on);
        QCOMPARE(m_messages.size(), reports);
        if (added)
            QCOMPARE(fileBytes(m_settings.path()), contents);
    }

    void defaultPathLeavesNoProbeBehind()
    {
        const QDir programFolder(QCoreApplication::applicationDirPath());
        const QStringList before = programFolder.entryList(QDir::AllEntries | QDir::Hidden);
        const QFileInfo path(SettingsFile::defaultPath());
        QCOMPARE(path.fileName(), u"tarnel.ini"_s);
        QVERIFY(QFileInfo(path.path()).isDir());
        QCOMPARE(programFolder.entryList(QDir::AllEntries | QDir::Hidden), before);
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "test_settings_settingsfile.moc"
