#include "settings/inifile.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tarnel;

using namespace Qt::StringLiterals;
using namespace support;
using Value = std::optional<QString>;

class IniFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"t.ini"_s); }

private slots:
    void writeKeepsOtherBytes_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QByteArray>("after");
        const QByteArray binary("\x00\xff\x01\r\x89PNG\x00", 9);
        // clang-format off
        QTest::newRow("replace keeps spacing") << QByteArray("; c\r\n[a]\r\nx=1\r\nk = old\r\n\r\n[b]\r\nk=2\r\n")
            << "a" << QByteArray("; c\r\n[a]\r\nx=1\r\nk = v\r\n\r\n[b]\r\nk=2\r\n");
        QTest::newRow("replace keeps LF, CR") << QByteArray("[a]\nk=old\rz=1\n") << "a" << QByteArray("[a]\nk=v\rz=1\n");
        QTest::newRow("replace unterminated") << QByteArray("[a]\nk=old") << "a" << QByteArray("[a]\nk=v");
        QTest::newRow("any letter case") << QByteArray("[TarNel]\r\nK=0\r\n") << "tarnel" << QByteArray("[TarNel]\r\nK=v\r\n");
        QTest::newRow("first duplicate") << QByteArray("[a]\nk=1\nk=2\n") << "a" << QByteArray("[a]\nk=v\nk=2\n");
        QTest::newRow("append after last key") << QByteArray("[a]\r\nx=1\r\n\r\n; b\r\n[b]\n")
            << "a" << QByteArray("[a]\r\nx=1\r\nk=v\r\n\r\n; b\r\n[b]\n");
        QTest::newRow("append to unterminated") << QByteArray("[a]\nx=1") << "a" << QByteArray("[a]\nx=1\r\nk=v\r\n");
        QTest::newRow("append below header") << QByteArray("[a]\r\n[b]\r\n") << "a" << QByteArray("[a]\r\nk=v\r\n[b]\r\n");
        QTest::newRow("commented key") << QByteArray("[a]\n;k=1\n") << "a" << QByteArray("[a]\nk=v\r\n;k=1\n");
        QTest::newRow("key of other section") << QByteArray("[b]\nk=1\n") << "a" << QByteArray("[b]\nk=1\n[a]\r\nk=v\r\n");
        QTest::newRow("empty file") << QByteArray("") << "a" << QByteArray("[a]\r\nk=v\r\n");
        QTest::newRow("no file") << QByteArray() << "a" << QByteArray("[a]\r\nk=v\r\n");
        QTest::newRow("binary kept") << binary << "a" << binary + "\r\n[a]\r\nk=v\r\n";
        // clang-format on
    }

    void writeKeepsOtherBytes()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QByteArray, after);
        QVERIFY(putOrRemoveFile(path(), before));
        QVERIFY(IniFile::write(path(), section, u"k"_s, u"v"_s));
        QCOMPARE(fileBytes(path()), after);
        QCOMPARE(IniFile::read(path(), section, u"K"_s), Value(u"v"_s));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Value>("expected");
        // clang-format off
        QTest::newRow("trimmed") << QByteArray("[a]\n  k  =  v w  \n") << Value(u"v w"_s);
        QTest::newRow("first = splits") << QByteArray("[a]\nk=x=y\n") << Value(u"x=y"_s);
        QTest::newRow("any letter case") << QByteArray("[A]\r\nK=C:\\x\r\n") << Value(u"C:\\x"_s);
        QTest::newRow("first duplicate") << QByteArray("[a]\nk=1\nk=2\n") << Value(u"1"_s);
        QTest::newRow("section repeated") << QByteArray("[a]\nx=1\n[b]\nk=2\n[a]\nk=3\n") << Value(u"3"_s);
        QTest::newRow("lone CR") << QByteArray("[a]\rx=1\rk=2\r") << Value(u"2"_s);
        QTest::newRow("empty value") << QByteArray("[a]\nk=\n") << Value(u""_s);
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[a]\r\nk=1\r\n") << Value(u"1"_s);
        QTest::newRow("amid binary") << QByteArray("\x00\xfe\r[a]\rk=1\r\x00\x80", 13) << Value(u"1"_s);
        QTest::newRow("other section") << QByteArray("[b]\nk=1\n") << Value();
        QTest::newRow("before sections") << QByteArray("k=1\n[a]\n") << Value();
        QTest::newRow("comments") << QByteArray("[a]\n;k=1\n#k=2\n") << Value();
        QTest::newRow("unclosed header") << QByteArray("[a\nk=1\n") << Value();
        QTest::newRow("binary") << QByteArray("\x00\x00=\xff\n[\x00]", 8) << Value();
        QTest::newRow("empty file") << QByteArray("") << Value();
        QTest::newRow("no file") << QByteArray() << Value();
        // clang-format on
    }

    void read()
    {
        QFETCH(QByteArray, contents);
        QFETCH(Value, expected);
        QVERIFY(putOrRemoveFile(path(), contents));
        QCOMPARE(IniFile::read(path(), u"a"_s, u"k"_s), expected);
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("1000 characters") << u"C:\\Städte\\"_s.repeated(100);
        QTest::newRow("non-ASCII") << u"D:/Karten/Straße/Ünïcødé/地图.ide"_s;
        QTest::newRow("= and ;") << u"a=b ; c"_s;
        QTest::newRow("empty") << QString();
    }

    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        const auto set = [&](const char* key) {
            return IniFile::write(path(), u"a"_s, QString::fromLatin1(key), value);
        };
        QVERIFY(putOrRemoveFile(path(), "[a]\r\nk=old\r\nother=1\r\n"));
        QVERIFY(set("k") && set("new"));
        QCOMPARE(IniFile::read(path(), u"a"_s, u"k"_s), value);
        QCOMPARE(IniFile::read(path(), u"a"_s, u"new"_s), value);
        QCOMPARE(IniFile::read(path(), u"a"_s, u"other"_s), Value(u"1"_s));
    }

    // Lines that would read back as something else must not be written.
    void rejectsWhatCannotBeReadBack_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        // clang-format off
        QTest::newRow("line break in value") << "a" << "k" << "1\r\nx=2";
        QTest::newRow("CR in value") << "a" << "k" << "1\r[b]";
        QTest::newRow("= in key") << "a" << "k=1" << "v";
        QTest::newRow("key like header") << "a" << "[k" << "v";
        QTest::newRow("key like comment") << "a" << ";k" << "v";
        QTest::newRow("] in section") << "a]b" << "k" << "v";
        // clang-format on
    }

    void rejectsWhatCannotBeReadBack()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QVERIFY(putOrRemoveFile(path(), "[a]\nk=0\n"));
        QVERIFY(!IniFile::write(path(), section, key, value));
        QCOMPARE(fileBytes(path()), QByteArray("[a]\nk=0\n"));
    }

    void unwritableTargetFails_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("before");
        QVERIFY(putOrRemoveFile(m_dir.filePath(u"plain"_s), "x"));
        QVERIFY(QDir(m_dir.path()).mkpath(u"folder"_s) && QDir(m_dir.path()).mkpath(u"locked"_s));
        QTest::newRow("parent is a file") << m_dir.filePath(u"plain/t.ini"_s) << QByteArray();
        QTest::newRow("target is a folder") << m_dir.filePath(u"folder"_s) << QByteArray();
        QTest::newRow("read-only folder") << m_dir.filePath(u"locked/t.ini"_s) << QByteArray("[a]\nk=1\n");
    }

    void unwritableTargetFails()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, before);
        const QString locked = m_dir.filePath(u"locked"_s);
        QVERIFY(putOrRemoveFile(locked + u"/t.ini"_s, "[a]\nk=1\n"));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        const auto unlock = qScopeGuard(
            [&] { QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        if (target.startsWith(locked) && QFile(locked + u"/probe"_s).open(QIODevice::WriteOnly))
            QSKIP("This user writes into read-only folders");

        QVERIFY(!IniFile::write(target, u"a"_s, u"k"_s, u"2"_s));
        QCOMPARE(fileBytes(target), before);
    }
};

QTEST_GUILESS_MAIN(IniFileTest)
#include "test_settings_inifile.moc"
