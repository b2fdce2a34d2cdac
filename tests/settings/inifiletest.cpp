#include "settings/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
}

} // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void writeKeepsOtherBytes_data();
    void writeKeepsOtherBytes();
    void read_data();
    void read();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void createsMissingFile();
    void rejectsWhatCannotBeReadBack_data();
    void rejectsWhatCannotBeReadBack();
    void unwritableTargetFails_data();
    void unwritableTargetFails();
    void readOnlyFolderFails();

private:
    QTemporaryDir m_dir;
};

void IniFileTest::writeKeepsOtherBytes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace keeps spacing, CR LF") << QByteArray("; top\r\n[a]\r\nx=1\r\nk = old\r\n\r\n[b]\r\nk=2\r\n")
        << "a" << "k" << QByteArray("; top\r\n[a]\r\nx=1\r\nk = v\r\n\r\n[b]\r\nk=2\r\n");
    QTest::newRow("replace keeps LF and CR") << QByteArray("[a]\nk=old\rz=1\n")
        << "a" << "k" << QByteArray("[a]\nk=v\rz=1\n");
    QTest::newRow("replace unterminated last line") << QByteArray("[a]\nk=old")
        << "a" << "k" << QByteArray("[a]\nk=v");
    QTest::newRow("any letter case") << QByteArray("[TarNel]\r\nLines=0\r\n")
        << "tarnel" << "LINES" << QByteArray("[TarNel]\r\nLines=v\r\n");
    QTest::newRow("first duplicate replaced") << QByteArray("[a]\nk=1\nk=2\n")
        << "a" << "k" << QByteArray("[a]\nk=v\nk=2\n");
    QTest::newRow("append after last key, before blank") << QByteArray("[a]\r\nx=1\r\n\r\n; for b\r\n[b]\n")
        << "a" << "k" << QByteArray("[a]\r\nx=1\r\nk=v\r\n\r\n; for b\r\n[b]\n");
    QTest::newRow("append to unterminated line") << QByteArray("[a]\nx=1")
        << "a" << "k" << QByteArray("[a]\nx=1\r\nk=v\r\n");
    QTest::newRow("append below bare header") << QByteArray("[a]\r\n[b]\r\n")
        << "a" << "k" << QByteArray("[a]\r\nk=v\r\n[b]\r\n");
    QTest::newRow("commented key left alone") << QByteArray("[a]\n;k=1\n")
        << "a" << "k" << QByteArray("[a]\nk=v\r\n;k=1\n");
    QTest::newRow("same key in other section") << QByteArray("[b]\nk=1\n[a]\n")
        << "a" << "k" << QByteArray("[b]\nk=1\n[a]\nk=v\r\n");
    QTest::newRow("new section at end") << QByteArray("[b]\nk=1\n")
        << "a" << "k" << QByteArray("[b]\nk=1\n[a]\r\nk=v\r\n");
    QTest::newRow("empty file") << QByteArray("") << "a" << "k" << QByteArray("[a]\r\nk=v\r\n");
    const QByteArray binary("\x00\xff\x01\r\x89PNG\x00", 9);
    QTest::newRow("binary kept") << binary << "a" << "k" << binary + "\r\n[a]\r\nk=v\r\n";
}

void IniFileTest::writeKeepsOtherBytes()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);

    const QString path = m_dir.filePath(QStringLiteral("keep.ini"));
    putFile(path, before);
    QVERIFY(IniFile::write(path, section, key, QStringLiteral("v")));
    QCOMPARE(contentsOf(path), after);
    QCOMPARE(IniFile::read(path, section, key), std::optional<QString>(QStringLiteral("v")));
}

void IniFileTest::read_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("key");
    QTest::addColumn<std::optional<QString>>("expected");

    using V = std::optional<QString>;
    QTest::newRow("spaces trimmed") << QByteArray("[a]\n  k  =  v w  \n") << "k" << V("v w");
    QTest::newRow("split at first =") << QByteArray("[a]\nk=x=y\n") << "k" << V("x=y");
    QTest::newRow("any letter case") << QByteArray("[A]\r\nRecent1=C:\\x\r\n") << "RECENT1" << V("C:\\x");
    QTest::newRow("first duplicate wins") << QByteArray("[a]\nk=1\nk=2\n") << "k" << V("1");
    QTest::newRow("section repeated") << QByteArray("[a]\nx=1\n[b]\nk=2\n[a]\nk=3\n") << "k" << V("3");
    QTest::newRow("lone CR lines") << QByteArray("[a]\rx=1\rk=2\r") << "k" << V("2");
    QTest::newRow("empty value") << QByteArray("[a]\nk=\n") << "k" << V("");
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[a]\r\nk=1\r\n") << "k" << V("1");
    QTest::newRow("amid binary") << QByteArray("\x00\xfe\r[a]\rk=1\r\x00\x80", 13) << "k" << V("1");
    QTest::newRow("other section") << QByteArray("[b]\nk=1\n") << "k" << V();
    QTest::newRow("before any section") << QByteArray("k=1\n[a]\n") << "k" << V();
    QTest::newRow("comments") << QByteArray("[a]\n;k=1\n#k=2\n") << "k" << V();
    QTest::newRow("unclosed header") << QByteArray("[a\nk=1\n") << "k" << V();
    QTest::newRow("empty file") << QByteArray() << "k" << V();
    QTest::newRow("binary") << QByteArray("\x00\x00=\xff\n[\x00]", 8) << "k" << V();
}

void IniFileTest::read()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, key);
    QFETCH(std::optional<QString>, expected);

    const QString path = m_dir.filePath(QStringLiteral("read.ini"));
    putFile(path, contents);
    QCOMPARE(IniFile::read(path, QStringLiteral("a"), key), expected);
}

void IniFileTest::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");

    QString long1000;
    while (long1000.size() < 1000)
        long1000 += QStringLiteral("C:\\Maps\\Städte\\");
    long1000.truncate(1000);
    QTest::newRow("1000 characters") << long1000;
    QTest::newRow("non-ASCII") << QStringLiteral("D:/Karten/Straße/Ünïcødé/地图.ide");
    QTest::newRow("= and ; inside") << QStringLiteral("a=b ; c");
    QTest::newRow("empty") << QString();
}

void IniFileTest::valuesRoundTrip()
{
    QFETCH(QString, value);

    const QString path = m_dir.filePath(QStringLiteral("roundtrip.ini"));
    putFile(path, "[a]\r\nk=old\r\nother=1\r\n");
    QVERIFY(IniFile::write(path, QStringLiteral("a"), QStringLiteral("k"), value));
    QVERIFY(IniFile::write(path, QStringLiteral("a"), QStringLiteral("new"), value));
    QCOMPARE(IniFile::read(path, QStringLiteral("a"), QStringLiteral("k")), value);
    QCOMPARE(IniFile::read(path, QStringLiteral("a"), QStringLiteral("new")), value);
    QCOMPARE(IniFile::read(path, QStringLiteral("a"), QStringLiteral("other")), QStringLiteral("1"));
}

void IniFileTest::createsMissingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("created.ini"));
    QCOMPARE(IniFile::read(path, QStringLiteral("a"), QStringLiteral("k")), std::nullopt);
    QVERIFY(!QFile::exists(path));
    QVERIFY(IniFile::write(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v")));
    QCOMPARE(contentsOf(path), QByteArray("[a]\r\nk=v\r\n"));
}

void IniFileTest::rejectsWhatCannotBeReadBack_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("line break in value") << "a" << "k" << "1\r\nx=2";
    QTest::newRow("lone CR in value") << "a" << "k" << "1\r[b]";
    QTest::newRow("= in key") << "a" << "k=1" << "v";
    QTest::newRow("key like header") << "a" << "[k" << "v";
    QTest::newRow("key like comment") << "a" << ";k" << "v";
    QTest::newRow("empty key") << "a" << " " << "v";
    QTest::newRow("] in section") << "a]b" << "k" << "v";
    QTest::newRow("empty section") << "" << "k" << "v";
}

void IniFileTest::rejectsWhatCannotBeReadBack()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QString path = m_dir.filePath(QStringLiteral("reject.ini"));
    const QByteArray before("[a]\nk=0\n");
    putFile(path, before);
    QVERIFY(!IniFile::write(path, section, key, value));
    QCOMPARE(contentsOf(path), before);
}

void IniFileTest::unwritableTargetFails_data()
{
    QTest::addColumn<QString>("path");

    const QString plainFile = m_dir.filePath(QStringLiteral("plain"));
    putFile(plainFile, "x");
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    QTest::newRow("parent is a file") << plainFile + QStringLiteral("/tarnel.ini");
    QTest::newRow("target is a folder") << m_dir.filePath(QStringLiteral("folder"));
}

void IniFileTest::unwritableTargetFails()
{
    QFETCH(QString, path);

    QVERIFY(!IniFile::write(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v")));
    QCOMPARE(IniFile::read(path, QStringLiteral("a"), QStringLiteral("k")), std::nullopt);
}

void IniFileTest::readOnlyFolderFails()
{
    const QString folder = m_dir.filePath(QStringLiteral("readonly"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/tarnel.ini");
    putFile(path, "[a]\r\nk=1\r\n");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    QFile probe(folder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly))
        QSKIP("This user can write into read-only folders");

    QVERIFY(!IniFile::write(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2")));
    QCOMPARE(IniFile::read(path, QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "inifiletest.moc"
