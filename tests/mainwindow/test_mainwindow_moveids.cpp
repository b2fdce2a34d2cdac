// Edit > "Move IDs…" on a small map: every line naming a moved ID changes in
// every file, nothing else does, and one undo puts every file back.
#include "windowtestkit.h"

#include "mainwindow/moveidsdialog.h"
#include "mainwindow/moveidspreview.h"
#include "mainwindow/openmap.h"

#include <QLineEdit>

using namespace tarnel;

using namespace wkit;

namespace {

// The map's files, {0}..{3} standing for the four IDs the objects table holds.
const QList<std::pair<QString, QByteArray>> mapFiles = {
    {"data/maplist.dat", "IDE data/maps/a.ide\r\nIDE data/maps/b.ide\r\nIPL data/maps/one.ipl\r\n"
                         "IPL data/maps/two.ipl\r\n"},
    {"data/maps/a.ide", "objs\r\n{0}, crate, generic, 1, 50, 0\r\n{1}, barrel, generic, 1, 50, 0\r\n"
                        "#{2}, oldcrate, generic, 1, 50, 0\r\n{3}, keep, generic, 1, 50, 0\r\nend\r\n2dfx\r\n"
                        "{1}, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19\r\nend\r\n"
                        "path\r\nped, {1}, barrel\r\n\t0, 0, 0, 0, 0, 0, 1, 1\r\nend\r\n"},
    {"data/maps/b.ide", "objs\n200, tree, veg, 1, 100, 0\nend\n2dfx\n"
                        "{0}, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19\nend\n"},
    {"data/maps/one.ipl",
     "inst\r\n{0}, crate, 0, 1.5, 2, 1, 1, 1, 0, 0, 0, 1\r\n"
     "200, tree, 0, 1.5, 2, 1, 1, 1, 0, 0, 0, 1\r\n#{1}, barrel, 0, 1, 2, 1, 1, 1, 0, 0, 0, 1\r\n"
     "end\r\n"},
    {"data/maps/two.ipl", "inst\n{3},  keep, 9, 9, 9, 1, 1, 1, 0, 0, 0, 1\nend"},
};

QByteArray withIds(QByteArray text, const QList<int>& ids)
{
    for (int k = 0; k < ids.size(); ++k)
        text.replace("{" + QByteArray::number(k) + "}", QByteArray::number(ids[k]));
    return text;
}

// The first file whose bytes differ from the map with `ids`, or empty.
QString differingFile(const Session& s, const QList<int>& ids)
{
    for (const auto& [name, text] : mapFiles) {
        if (fileBytes(s.path(name)) != withIds(text, ids))
            return name;
    }
    return {};
}

} // namespace

class MainWindowMoveIdsTest : public QObject {
    Q_OBJECT

private slots:
    void moveAcrossMap_data()
    {
        QTest::addColumn<QString>("firstNewId");
        QTest::addColumn<QString>("blocker"); // what keeps two.ipl from being written
        QTest::addColumn<QString>("refusal"); // in the dialog's line; empty: the move is made
        QTest::newRow("free run") << "1000" << QString() << QString();
        QTest::newRow("defined elsewhere") << "198" << QString() << "data/maps/b.ide:2";
        QTest::newRow("past the limit") << "5497" << QString() << "limit 5500";
        QTest::newRow("read-only placement file") << "1000"
                                                  << "read-only" << QString();
        QTest::newRow("a folder in its place") << "1000"
                                               << "folder" << QString();
    }
    void moveAcrossMap()
    {
        QFETCH(QString, firstNewId);
        QFETCH(QString, blocker);
        QFETCH(QString, refusal);
        if (blocker == u"read-only" && runningAsRoot())
            QSKIP("root writes read-only files");
        Session s;
        const QList<int> before{100, 101, 102, 103};
        const QList<int> after{1000, 1001, 1002, 1003};
        for (const auto& [name, text] : mapFiles) {
            QDir().mkpath(QFileInfo(s.path(name)).absolutePath());
            QVERIFY(putFile(s.path(name), withIds(text, before)));
        }
        const QString blocked = s.path(QStringLiteral("data/maps/two.ipl"));
        if (blocker == u"read-only")
            QFile::setPermissions(blocked, QFile::ReadOwner | QFile::ReadGroup);
        s.useSettings(QByteArray(defaultSettings).replace("keepLayout=0", "keepLayout=1"));
        MainWindow& w = s.start();
        s.platform.fileNames << s.path(QStringLiteral("data/maplist.dat"));
        s.action("fileOpenMap")->trigger();
        QVERIFY(w.openMap().isOpen());

        // The dialog and the preview are answered as they come up.
        QString summary;
        bool okEnabled = false;
        qsizetype previewLines = -1;
        std::function<void()> answer = [&] {
            if (auto* dialog = qobject_cast<MoveIdsDialog*>(QApplication::activeModalWidget())) {
                dialog->findChild<QLineEdit*>(QStringLiteral("firstNewIdField"))->setText(firstNewId);
                summary = dialog->findChild<QLabel*>(QStringLiteral("moveSummary"))->text();
                QPushButton* ok = dialog->findChild<QPushButton*>(QStringLiteral("movePreviewButton"));
                okEnabled = ok->isEnabled();
                okEnabled ? ok->click() : dialog->reject();
            } else if (auto* preview = qobject_cast<MoveIdsPreview*>(QApplication::activeModalWidget())) {
                previewLines = preview->model()->lineCount();
                if (blocker == u"folder")
                    QVERIFY(QFile::remove(blocked) && QDir().mkdir(blocked));
                preview->findChild<QPushButton*>(QStringLiteral("moveApplyButton"))->click();
                return;
            }
            QTimer::singleShot(10, answer);
        };
        QTimer::singleShot(0, answer);
        w.view(LineKind::Object)->selectAll();
        s.action("editMoveIds")->trigger();
        QCOMPARE(okEnabled, refusal.isEmpty());
        QVERIFY2(summary.contains(refusal), qPrintable(summary));
        if (!refusal.isEmpty() || !blocker.isEmpty()) {
            if (!blocker.isEmpty()) {
                QCOMPARE(previewLines, 10);
                QVERIFY(s.platform.requests.constLast().text.contains(blocked));
                if (blocker == u"folder")
                    QVERIFY(QDir().rmdir(blocked) && putFile(blocked, withIds(mapFiles.back().second, before)));
            }
            QVERIFY(w.openMap().changedFiles().isEmpty());
            QCOMPARE(differingFile(s, before), QString());
            return;
        }
        // Definitions (a commented one too), 2dfx lines of both IDE files, the path header, inst lines.
        QCOMPARE(previewLines, 10);
        QCOMPARE(w.openMap().changedFiles().size(), 2);
        s.action("fileSaveAll")->trigger();
        for (const auto& [name, text] : mapFiles)
            QCOMPARE(fileBytes(s.path(name)), withIds(text, after));
        // A later step in b.ide goes with the move undone in a.ide; the move comes back alone.
        w.openMap().showFile(1);
        w.view(LineKind::Object)->selectRow(0);
        s.action("objectsCommentOut")->trigger();
        w.openMap().showFile(0);
        s.action("editUndo")->trigger();
        s.action("fileSaveAll")->trigger();
        QCOMPARE(differingFile(s, before), QString());
        s.action("editRedo")->trigger();
        s.action("fileSaveAll")->trigger();
        QCOMPARE(differingFile(s, after), QString());
    }
};

TARNEL_TEST_MAIN(MainWindowMoveIdsTest)
#include "test_mainwindow_moveids.moc"
