#include "editortestkit.h"

#include "mainwindow/mainwindow.h"
#include "mainwindow/sectionview.h"
#include "settings/settingsfile.h"

#include <QAction>
#include <QTemporaryDir>

using namespace tarnel;

using namespace ekit;

// The main window hands its tables' rows and new lines to the editors.
class EditorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void tablesOpenTheirEditors_data()
    {
        QTest::addColumn<LineKind>("kind");
        for (LineKind kind : allLineKinds)
            QTest::newRow(qPrintable(tableNameOf(kind))) << kind;
    }
    void tablesOpenTheirEditors()
    {
        QFETCH(LineKind, kind);
        QTemporaryDir dir;
        ScriptedPlatform platform;
        SettingsFile settings(dir.filePath(QStringLiteral("tarnel.ini")));
        MainWindow window(platform, settings);
        window.startUp(QString());
        EditorHost* host = window.editors();
        QVERIFY(host);
        window.document().table(kind).appendRow(values(sampleLine(kind)));
        window.document().table(kind).appendRow(values(sampleLine(kind)));

        SectionView* view = window.view(kind);
        view->selectRow(1);
        QTest::keyClick(view, Qt::Key_Return);
        auto* editor = qobject_cast<LineEditor*>(host->editor(kind));
        QVERIFY(editor);
        QCOMPARE(editor->parentWidget(), &window);
        QCOMPARE(editor->followedRow(), std::optional<qsizetype>(1));

        window.tableActions(kind).newLine->trigger();
        QCOMPARE(host->editor(kind), editor);
        QCOMPARE(editor->mode(), LineEditor::Mode::Add);

        // Every editor's add reports through the window's status bar.
        window.setStatus(QStringLiteral("before"));
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("confirmButton")), Qt::LeftButton);
        QCOMPARE(window.document().table(kind).rowCount(), 3);
        QVERIFY(window.statusText() != QStringLiteral("before"));
        QVERIFY(!host->editor(kind));

        // The row an editor holds is commented out, then the editor confirmed:
        // its ID had no "#", so the row is active again and looks it.
        const auto redRows = [view] {
            int red = 0;
            for (int row = 0; row < view->model()->rowCount(); ++row)
                red += view->model()->index(row, 0).data(Qt::ForegroundRole).isValid();
            return red;
        };
        view->selectRow(1);
        QTest::keyClick(view, Qt::Key_Return);
        window.tableActions(kind).commentOut->trigger();
        QCOMPARE(redRows(), 1);
        QTest::mouseClick(host->editor(kind)->findChild<QPushButton*>(QStringLiteral("confirmButton")),
                          Qt::LeftButton);
        QCOMPARE(redRows(), 0);
    }

    // Exit and the commands that replace the document ask before an editor's
    // unconfirmed fields go; No keeps the window, the document and the editor.
    void unconfirmedFieldsAreAskedFor_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<bool>("discard");
        QTest::addColumn<QString>("question");
        const QString line = QStringLiteral("Discard the changes to line 2?");
        const QString added = QStringLiteral("Discard the changes in the Light editor?");
        QTest::newRow("exit, kept") << "fileExit" << false << false << line;
        QTest::newRow("exit, discarded") << "fileExit" << false << true << line;
        QTest::newRow("exit, new line kept") << "fileExit" << true << false << added;
        QTest::newRow("new, kept") << "fileNew" << false << false << line;
        QTest::newRow("close, new line discarded") << "fileClose" << true << true << added;
    }
    void unconfirmedFieldsAreAskedFor()
    {
        QFETCH(QString, command);
        QFETCH(bool, adding);
        QFETCH(bool, discard);
        QFETCH(QString, question);
        QTemporaryDir dir;
        ScriptedPlatform platform;
        SettingsFile settings(dir.filePath(QStringLiteral("tarnel.ini")));
        MainWindow window(platform, settings);
        window.startUp(QString());
        window.show();
        for (int row = 0; row < 2; ++row)
            window.document().table(LineKind::Light).appendRow(values(sampleLine(LineKind::Light)));
        window.editors()->openRows(LineKind::Light, {1});
        if (adding)
            window.editors()->openNew(LineKind::Light);
        window.editors()->editor(LineKind::Light)->findChild<QLineEdit*>(QStringLiteral("objectid"))->setText("7");

        platform.answers = {discard ? Platform::Answer::Yes : Platform::Answer::No};
        window.findChild<QAction*>(command)->trigger();
        QCOMPARE(platform.count(QStringLiteral("yesno")), 1);
        QCOMPARE(platform.requests.constFirst().text, question);
        QCOMPARE(window.editors()->editor(LineKind::Light) != nullptr, !discard);
        QCOMPARE(window.isVisible(), command != QStringLiteral("fileExit") || !discard);
        QCOMPARE(window.document().table(LineKind::Light).rowCount(),
                 discard && command != QStringLiteral("fileExit") ? 0 : 2);
    }
};

QTEST_MAIN(EditorWindowTest)
#include "test_editors_window.moc"
