// Edit > "Free IDs…": the runs it lists, other files, Copy, and following edits.
#include "windowtestkit.h"

#include "mainwindow/freeidswindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QSpinBox>

using namespace tarnel;

using namespace wkit;

namespace {

// IDs 100-104, 110 and 120 in use; 105 only on a commented row, which counts unless freed.
const QByteArray idsFile = "objs\r\n100, a, t, 1, 50, 0\r\n101, b, t, 1, 50, 0\r\n102, c, t, 1, 50, 0\r\n"
                           "103, d, t, 1, 50, 0\r\n104, e, t, 1, 50, 0\r\n#105, f, t, 1, 50, 0\r\n"
                           "110, g, t, 1, 50, 0\r\nend\r\ntobj\r\n120, h, t, 1, 50, 0, 20, 6\r\nend\r\n";

struct FreeIds {
    Session s;
    FreeIdsWindow* window = nullptr;

    void open(const QString& path)
    {
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        s.startShown(path);
        s.action("editFreeIds")->trigger();
        window = s.window->freeIdsWindow();
        QVERIFY(window && window->isVisible());
    }
    template <typename T> T* child(const char* name) const { return s.children.find<T>(window, name); }
    QStringList shown() const
    {
        QStringList out;
        const auto* list = child<QListWidget>("freeIdsBlocks");
        for (int row = 0; row < list->count(); ++row)
            out << list->item(row)->text();
        return out;
    }
};

QString run(qint64 first, qint64 last)
{
    return QString::number(first) + QChar(0x2013) + QString::number(last);
}

} // namespace

class FreeIdsTest : public QObject {
    Q_OBJECT
private slots:
    void blocksAndCopy_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("default range, commented ID used")
            << 3 << ""
            << "" << QStringList{run(106, 109), run(111, 119), run(121, 123)};
        QTest::newRow("a run too short is left out") << 6 << ""
                                                     << "" << QStringList{run(111, 119), run(121, 126)};
        QTest::newRow("below the lowest ID, to cuts the run") << 3 << "95"
                                                              << "102" << QStringList{run(95, 99)};
        QTest::newRow("from inside a run") << 3 << "107"
                                           << "" << QStringList{run(107, 109), run(111, 119), run(121, 123)};
        QTest::newRow("above the highest") << 2 << "118"
                                           << "125" << QStringList{run(118, 119), run(121, 125)};
        QTest::newRow("none long enough") << 12 << ""
                                          << "125" << QStringList{texts::freeIdsNone};
    }
    void blocksAndCopy()
    {
        QFETCH(int, count);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, blocks);
        FreeIds f;
        const QString path = f.s.path(QStringLiteral("ids.ide"));
        QVERIFY(putFile(path, idsFile));
        f.open(path);
        f.child<QSpinBox>("freeIdsCount")->setValue(count);
        QTest::keyClicks(f.child<QLineEdit>("freeIdsFrom"), from);
        QTest::keyClicks(f.child<QLineEdit>("freeIdsTo"), to);
        QTRY_COMPARE(f.shown(), blocks);
        QTest::mouseClick(f.child<QPushButton>("freeIdsCopy"), Qt::LeftButton);
        const bool fits = blocks.first() != texts::freeIdsNone;
        QCOMPARE(f.s.platform.count(QStringLiteral("copy")), fits ? 1 : 0);
        if (fits)
            QCOMPARE(f.s.platform.clipboard, blocks.first().section(QChar(0x2013), 0, 0));
    }

    // Another corpus file's IDs count as used, as tarnel-cli free-ids counts them;
    // a file that cannot be read is named in the list and changes nothing.
    void otherFilesCountAsUsed()
    {
        const QString open = corpusPath(QStringLiteral("modmap-generic.ide"));
        const QString other = corpusPath(QStringLiteral("modmap-ghosttown.ide"));
        QProcess cli;
        cli.start(QStringLiteral(TARNEL_CLI), {QStringLiteral("free-ids"), open, other});
        QVERIFY(cli.waitForFinished(60000));
        const QStringList expected = QString::fromLatin1(cli.readAllStandardOutput())
                                         .replace(u'-', QChar(0x2013))
                                         .split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!expected.isEmpty());

        FreeIds f;
        f.open(open);
        const QStringList alone = f.shown();
        f.s.platform.fileNames = {other, f.s.path(QStringLiteral("missing.ide"))};
        QTest::mouseClick(f.child<QPushButton>("freeIdsAddFiles"), Qt::LeftButton);
        QTRY_COMPARE(f.shown().mid(0, expected.size()), expected);
        QVERIFY(alone != f.shown());
        QTest::mouseClick(f.child<QPushButton>("freeIdsAddFiles"), Qt::LeftButton);
        auto* sources = f.child<QListWidget>("freeIdsSources");
        QCOMPARE(sources->count(), 2);
        QCOMPARE(sources->item(1)->text(),
                 texts::freeIdsUnreadable.arg(QDir::toNativeSeparators(f.s.path(QStringLiteral("missing.ide"))),
                                              texts::freeIdsNoSuchFile));
        sources->setCurrentRow(0);
        QTest::mouseClick(f.child<QPushButton>("freeIdsRemove"), Qt::LeftButton);
        QTRY_COMPARE(f.shown(), alone);
    }

    void followsAnEditOfTheFile()
    {
        FreeIds f;
        const QString path = f.s.path(QStringLiteral("ids.ide"));
        QVERIFY(putFile(path, idsFile));
        f.open(path);
        f.child<QSpinBox>("freeIdsCount")->setValue(3);
        f.window->findChild<QAbstractButton*>("freeIdsFreeCommented")->setChecked(true);
        QTRY_COMPARE(f.shown().first(), run(105, 109));
        f.s.window->view(LineKind::Object)->selectRow(6); // 110
        f.s.window->tableActions(LineKind::Object).commentOut->trigger();
        QTRY_COMPARE(f.shown(), QStringList({run(105, 119), run(121, 123)}));
        // Closed, it skips the undo; opening it again raises the same one, up to date.
        f.window->close();
        f.s.action("editUndo")->trigger();
        f.s.action("editFreeIds")->trigger();
        QCOMPARE(f.s.window->findChildren<FreeIdsWindow*>().size(), 1);
        QCOMPARE(f.shown(), QStringList({run(105, 109), run(111, 119), run(121, 123)}));
    }
};

TARNEL_TEST_MAIN(FreeIdsTest)
#include "test_mainwindow_freeids.moc"
