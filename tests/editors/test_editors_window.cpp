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
        window.document().table(kind).appendRow(testKey, values(sampleLine(kind)));
        window.document().table(kind).appendRow(testKey, values(sampleLine(kind)));

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

        // Unconfirmed fields are asked for: No keeps the program open at Exit, Yes lets New drop them.
        window.show();
        host->openRows(kind, {1});
        host->editor(kind)->findChild<QLineEdit*>(QStringLiteral("objectIdField"))->setText(QStringLiteral("7"));
        platform.clear();
        platform.answers = {Platform::Answer::No, Platform::Answer::Yes, Platform::Answer::No};
        window.findChild<QAction*>(QStringLiteral("fileExit"))->trigger();
        QVERIFY(window.isVisible() && host->editor(kind));
        window.findChild<QAction*>(QStringLiteral("fileNew"))->trigger();
        QCOMPARE(platform.requests.constFirst().text, QStringLiteral("Discard the changes to line 2?"));
        QVERIFY(!host->editor(kind) && window.document().table(kind).rowCount() == 0);
    }
};

TARNEL_TEST_MAIN(EditorWindowTest)
#include "test_editors_window.moc"
