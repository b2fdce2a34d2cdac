#include "settings/recentlist.h"
#include "settings/inifile.h"
#include "settings/settingsfile.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tarnel;

using namespace Qt::StringLiterals;
using namespace support;

namespace {

QStringList split(const char* items)
{
    return QString::fromUtf8(items).split(u',');
}

// A settings file holding these slots between unrelated lines, a same-named key among them.
QByteArray settingsWith(const QStringList& entries)
{
    QByteArray data = "; kept\r\n[tarnel]\r\n";
    for (int n = 1; n <= entries.size(); ++n)
        data += "recent" + QByteArray::number(n) + '=' + entries[n - 1].toUtf8() + "\r\n";
    return data + "lines=0\r\npaste=1\r\nsort=1\r\n\r\n[other]\nrecent1=X\n";
}

} // namespace

class RecentListTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SettingsFile m_settings{m_dir.filePath(u"tarnel.ini"_s)};
    RecentList m_recent{m_settings};

private slots:
    void promote_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("after");
        const QStringList full = split("A,B,C,D,E,F,G");
        QTest::newRow("swaps with slot 1") << full << "C" << split("C,B,A,D,E,F,G");
        QTest::newRow("far down") << full << "F" << split("F,B,C,D,E,A,G");
        QTest::newRow("last slot") << full << "G" << split("G,B,C,D,E,F,A");
        QTest::newRow("already first") << full << "A" << full;
        QTest::newRow("new: oldest drops") << full << "H" << split("H,A,B,C,D,E,F");
        QTest::newRow("letter case differs") << full << "c" << split("c,A,B,C,D,E,F");
        QTest::newRow("fresh list") << split("recent1,recent2,recent3,recent4,recent5,recent6,recent7") << "A"
                                    << split("A,recent1,recent2,recent3,recent4,recent5,recent6");
        QTest::newRow("short list") << split("A,B") << "C" << split("C,A,B,recent3,recent4,recent5,recent6");
        QTest::newRow("long list") << split("A,B,C,D,E,F,G,H") << "H" << split("H,A,B,C,D,E,F");
    }

    void promote()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, path);
        QFETCH(QStringList, after);
        QCOMPARE(RecentList::promote(before, path), after);
    }

    void recordOpenedWritesAllSlots_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("listed") << "F" << split("F,B,C,D,E,A,G");
        QTest::newRow("new") << "H" << split("H,A,B,C,D,E,F");
        QTest::newRow("unchanged") << "A" << split("A,B,C,D,E,F,G");
    }

    void recordOpenedWritesAllSlots()
    {
        QFETCH(QString, opened);
        QFETCH(QStringList, after);
        QVERIFY(putOrRemoveFile(m_settings.path(), settingsWith(split("A,B,C,D,E,F,G"))));
        QCOMPARE(m_recent.recordOpened(opened), after);
        QCOMPARE(m_recent.readSlots(), after);
        QCOMPARE(fileBytes(m_settings.path()), settingsWith(after));
    }

    void recordOpenedFillsMissingKeys()
    {
        QVERIFY(putOrRemoveFile(m_settings.path(), "[tarnel]\r\nrecent2=B\r\n"));
        int reports = 0;
        m_settings.setMissingKeyHandler([&](const QString&) { ++reports; });
        const QStringList result = m_recent.recordOpened(u"A"_s);
        m_settings.setMissingKeyHandler({});

        QCOMPARE(reports, RecentList::slotCount - 1);
        QCOMPARE(result.mid(0, 3), split("A,recent1,B"));
        for (int n = 1; n <= RecentList::slotCount; ++n)
            QCOMPARE(IniFile::read(m_settings.path(), u"tarnel"_s, RecentList::placeholder(n)),
                     result.value(n - 1));
    }

    void pathsTheFileCannotHoldLeaveTheList_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("line feed") << u"/maps/a\nb.ide"_s;
        QTest::newRow("carriage return") << u"/maps/a\rb.ide"_s;
        QTest::newRow("trailing space") << u"/maps/ab.ide "_s;
    }

    void pathsTheFileCannotHoldLeaveTheList()
    {
        QFETCH(QString, path);
        const QStringList before = split("A,B,C,D,E,F,G");
        QVERIFY(putOrRemoveFile(m_settings.path(), settingsWith(before)));
        QCOMPARE(m_recent.recordOpened(path), before);
        QCOMPARE(fileBytes(m_settings.path()), settingsWith(before));
    }

    void longPathSurvives()
    {
        const QString longPath = u"C:/Spiele"_s + u"/Ordner_mit_Ümlaut"_s.repeated(18) + u"/a.ide"_s;
        QVERIFY(longPath.size() > 300);
        m_settings.rebuildSettings();
        m_recent.recordOpened(longPath);
        m_recent.recordOpened(u"D:/short.ide"_s);
        QCOMPARE(m_recent.readSlots().mid(0, 3), QStringList({u"D:/short.ide"_s, longPath, u"recent1"_s}));
    }
};

QTEST_GUILESS_MAIN(RecentListTest)
#include "test_settings_recentlist.moc"
