// The Actions menus, Ctrl+V and the modal dialogs, driven in the real window.
#include "windowtestkit.h"

#include "document/bufferedforms.h"
#include "history/edithistory.h"
#include "mainwindow/statisticspanel.h"
#include "paste/pasteline.h"
#include "paste/pastelinedialog.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace tarnel;

using namespace wkit;

namespace {

// Answers the next modal dialog by clicking the named button, and reports
// which dialog it was.
struct ModalAnswer {
    QString seen;

    void clickWhenShown(const char* button)
    {
        QTimer::singleShot(0, [this, button] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) {
                QTimer::singleShot(10, [this, button] { clickWhenShown(button); });
                return;
            }
            seen = modal->objectName();
            if (auto* push = modal->findChild<QPushButton*>(QString::fromLatin1(button)))
                push->click();
            else
                static_cast<QDialog*>(modal)->reject();
        });
    }
};

// The first row whose look (red and bold in every cell) disagrees with its
// first value, or -1 when all agree.
int rowLookingWrong(const SectionView& view)
{
    const QAbstractItemModel* model = view.model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool commented = model->index(row, 0).data().toString().trimmed().startsWith(QLatin1Char('#'));
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            const bool red = cell.data(Qt::ForegroundRole).value<QBrush>().color() == QColor(255, 0, 0);
            if (red != commented || cell.data(Qt::FontRole).value<QFont>().bold() != commented)
                return row;
        }
    }
    return -1;
}

} // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlVFollowsTheOption_data()
    {
        QTest::addColumn<bool>("catching");
        QTest::newRow("caught") << true;
        QTest::newRow("not caught") << false;
    }
    void ctrlVFollowsTheOption()
    {
        QFETCH(bool, catching);
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("paste=1", catching ? "paste=1" : "paste=0"));
        MainWindow& w = s.startShown();
        s.platform.clipboard = QStringLiteral("1234, pasted, txd, 1, 100, 0");
        w.view(LineKind::Object)->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        bool dialogSeen = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, &w, [&] {
            if (auto* dialog = qobject_cast<PasteLineDialog*>(QApplication::activeModalWidget())) {
                dialogSeen = true;
                dialog->findChild<QPushButton*>(QStringLiteral("addLineButton"))->click();
            }
        });
        probe.start(5);
        // The shortcut runs the modal dialog inside keyClick; the probe answers it there.
        QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
        probe.stop();

        QCOMPARE(dialogSeen, catching);
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), catching ? 1 : 0);
        QCOMPARE(labelText(w, "objectCount"), catching ? QStringLiteral("1") : QString());
        QCOMPARE(w.document().isModified(), catching);
    }

    void pasteInLineFromTheMenuAddsToTheKindsTable()
    {
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("paste=1", "paste=0"));
        MainWindow& w = s.startShown();
        QVERIFY(!s.action("editPaste")->isVisible());
        QVERIFY(s.action("editPasteWithoutShortcut")->isVisible());
        QVERIFY(s.action("editPasteWithoutShortcut")->shortcut().isEmpty());
        s.platform.clipboard = QStringLiteral("7, 1, 2, 3, 255, 0, 0, 200, 1");
        ModalAnswer answer;
        answer.clickWhenShown("addLineButton");
        s.action("editPasteWithoutShortcut")->trigger();
        QCOMPARE(answer.seen, QStringLiteral("pasteLineDialog"));
        QCOMPARE(w.document().table(LineKind::Sun).rowCount(), 1);
        QCOMPARE(labelText(w, "sunCount"), QStringLiteral("1"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]*"));
    }

    void unknownPasteStillRefreshesTheCounts()
    {
        Session s;
        s.useSettings();
        const QString file = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("p.ide"));
        MainWindow& w = s.startShown(file);
        QCOMPARE(labelText(w, "objectCount"), QStringLiteral("35"));
        s.action("objectsDuplicate"); // exists; the first row is selected since the load
        s.action("objectsDuplicate")->trigger();
        QCOMPARE(labelText(w, "objectCount"), QStringLiteral("36")); // the duplicate, once done
        s.platform.clipboard = QStringLiteral("no commas here");
        ModalAnswer answer;
        answer.clickWhenShown("addLineButton");
        s.action("editPaste")->trigger();
        QVERIFY(s.platform.messages().constLast().startsWith(
            QStringLiteral("Line format unknown.\r\nUnknown: 1 value;")));
        QCOMPARE(labelText(w, "objectCount"), QStringLiteral("36"));
    }

    // The panel follows its document whoever changes it, with no one to tell it.
    void statisticsFollowTheDocument_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("figure");
        QTest::newRow("object") << QStringLiteral("1234, pasted, txd, 1, 100, 0") << QStringLiteral("objectCount");
        QTest::newRow("sun") << QStringLiteral("7, 1, 2, 3, 255, 0, 0, 200, 1") << QStringLiteral("sunCount");
    }
    void statisticsFollowTheDocument()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, figure);
        IdeDocument document;
        StatisticsPanel panel(document);
        QVERIFY(addPastedLine(document, pasted));
        auto* shown = panel.findChild<QLabel*>(figure);
        QTRY_COMPARE(shown->text(), QStringLiteral("1"));
        // Emptied at once, as a load shows at once.
        document.reset();
        QCOMPARE(shown->text(), QStringLiteral("0"));
    }

    void actionsMenuCommandsOnTheSelection()
    {
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        const QString file = s.path(QStringLiteral("three.ide"));
        QVERIFY(putFile(file, "objs\r\n1, a, t, 1, 10, 0\r\n2, b, t, 1, 10, 0\r\n3, c, t, 1, 10, 0\r\n"
                              "#4, d, t, 1, 10, 0\r\nend\r\n"));
        MainWindow& w = s.startShown(file);
        SectionView* objs = w.view(LineKind::Object);
        QCOMPARE(rowLookingWrong(*objs), -1);
        objs->clearSelection();
        objs->selectRow(1);
        s.action("objectsCommentOut")->trigger();
        QCOMPARE(firstValues(w.document(), LineKind::Object), QByteArrayList({"1", "# 2", "3", "#4"}));
        QCOMPARE(w.windowTitle(), titleFor(file, true));
        const QModelIndex commented = objs->model()->index(1, 3);
        QCOMPARE(commented.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QVERIFY(commented.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(rowLookingWrong(*objs), -1);

        s.action("objectsDuplicate")->trigger();
        QCOMPARE(w.statusText(), QStringLiteral("Line duplicated"));
        QCOMPARE(firstValues(w.document(), LineKind::Object), QByteArrayList({"1", "# 2", "3", "#4", "# 2"}));
        // A copy of a commented row is one, and looks it.
        QCOMPARE(rowLookingWrong(*objs), -1);
        // The source stays selected, the copy is not.
        QCOMPARE(objs->selectedRowNumbers(), QList<qsizetype>({1}));
        QTRY_COMPARE(labelText(w, "objectCount"), QStringLiteral("5"));

        s.action("objectsUnComment")->trigger();
        QCOMPARE(rowLookingWrong(*objs), -1);
        objs->clearSelection();
        objs->selectRow(0);
        s.action("objectsRemove")->trigger();
        QCOMPARE(firstValues(w.document(), LineKind::Object), QByteArrayList({"2", "3", "#4", "# 2"}));
        QTRY_COMPARE(labelText(w, "objectCount"), QStringLiteral("4"));
        QCOMPARE(labelText(w, "pathsPresent"), QStringLiteral("NO"));
        s.typePathLine("group, 1");
        QTRY_COMPARE(labelText(w, "pathsPresent"), QStringLiteral("YES"));
        w.selectSection(Section::Objects);

        s.action("fileSave")->trigger();
        QCOMPARE(sectionLines(fileBytes(file), "objs"),
                 QByteArrayList(
                     {"2, b, t, 1, 10, 0", "3, c, t, 1, 10, 0", "#4, d, t, 1, 10, 0", "# 2, b, t, 1, 10, 0"}));

        // A pasted comment looks like one too.
        s.platform.clipboard = QStringLiteral("#9, p, t, 1, 10, 0");
        ModalAnswer answer;
        answer.clickWhenShown("addLineButton");
        s.action("editPaste")->trigger();
        QCOMPARE(firstValues(w.document(), LineKind::Object), QByteArrayList({"2", "3", "#4", "# 2", "#9"}));
        QCOMPARE(rowLookingWrong(*objs), -1);

        // Rows apart from each other go at once; the rows between keep their place.
        objs->clearSelection();
        objs->selectRow(0);
        objs->selectionModel()->select(objs->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        objs->selectionModel()->select(objs->model()->index(4, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        objs->selectionModel()->setCurrentIndex(objs->model()->index(3, 1), QItemSelectionModel::NoUpdate);
        s.action("objectsRemove")->trigger();
        QCOMPARE(firstValues(w.document(), LineKind::Object), QByteArrayList({"3", "# 2"}));
        QCOMPARE(objs->model()->rowCount(), 2);
        QCOMPARE(objs->selectedRowNumbers(), QList<qsizetype>{0});
        QCOMPARE(objs->currentIndex(), objs->model()->index(0, 0));
        QCOMPARE(rowLookingWrong(*objs), -1);
    }

    // The status and the undo step count the rows changed; no change, no step.
    void commandsCountTheRowsChanged_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("step");
        QTest::newRow("un-comment one of two") << QByteArray("UnComment") << "1 line un-commented"
                                               << "Un-comment 1 line";
        QTest::newRow("nothing to do") << QByteArray("UnComment-") << "No line changed."
                                       << "";
    }
    void commandsCountTheRowsChanged()
    {
        QFETCH(QByteArray, command);
        QFETCH(QString, status);
        QFETCH(QString, step);
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        const QString file = s.path(QStringLiteral("two.ide"));
        QVERIFY(putFile(file, "objs\r\n1, a, t, 1, 10, 0\r\n#2, b, t, 1, 10, 0\r\nend\r\n"));
        MainWindow& w = s.startShown(file);
        if (!command.endsWith('-')) // both rows, else the first alone
            w.view(LineKind::Object)->selectAll();
        s.action(("objects" + command.chopped(command.endsWith('-'))).constData())->trigger();
        QCOMPARE(w.statusText(), status);
        QCOMPARE(EditHistory::of(w.document()).stack().undoText(), step);
    }

    // A command on many rows of a sorted table reorders it once; the selection
    // follows its rows, whatever ranges they end up in.
    void selectionFollowsRowsThroughABigSortedCommand()
    {
        Session s;
        s.useSettings();
        const QString file = s.path(QStringLiteral("many.ide"));
        QVERIFY(putFile(file, sampleIde(100)));
        MainWindow& w = s.startShown(file);
        SectionView* objs = w.view(LineKind::Object);
        objs->clearSelection();
        for (int top : {10, 60})
            objs->selectionModel()->select(
                QItemSelection(objs->model()->index(top, 0), objs->model()->index(top + 39, 0)),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        s.action("objectsDuplicate")->trigger();
        // Enough rows for one reorder. Each copy sorts right after its source;
        // only the sources stay selected.
        QList<qsizetype> sources;
        for (qsizetype k = 0; k < 80; ++k)
            sources << 2 * k + (k < 40 ? 10 : 20);
        QCOMPARE(objs->selectedRowNumbers(), sources);
        QCOMPARE(firstValues(w.document(), LineKind::Object).mid(10, 3), QByteArrayList({"110", "110", "111"}));
    }

    // Ctrl+E on 60 selected rows of a later-layout table, then the table
    // converted to the layout with a mesh count, each one undo step.
    void setColumnAndConvertLayoutAreOneStepEach()
    {
        Session s;
        s.useSettings();
        MainWindow& w =
            s.startShown(s.copyOfCorpus(QStringLiteral("laterlayout-oceandrv.ide"), QStringLiteral("o.ide")));
        SectionView* objs = w.view(LineKind::Object);
        objs->clearSelection();
        objs->selectionModel()->select(QItemSelection(objs->model()->index(0, 0), objs->model()->index(59, 0)),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        objs->setFocus();
        const IdeDocument& document = w.document();
        const QByteArray before = formatKeepingLayout(document);
        QString scope;
        QTimer probe;
        connect(&probe, &QTimer::timeout, &w, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog->objectName() != QStringLiteral("setColumnDialog"))
                return;
            scope = dialog->findChild<QLabel*>(QStringLiteral("scopeLabel"))->text();
            dialog->findChild<QComboBox*>(QStringLiteral("columnList"))->setCurrentIndex(4);
            dialog->findChild<QLineEdit*>(QStringLiteral("setValueField"))->setText(QStringLiteral("151"));
            dialog->findChild<QPushButton*>(QStringLiteral("setColumnButton"))->click();
        });
        probe.start(5);
        QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
        probe.stop();
        QCOMPARE(scope, QStringLiteral("60 selected lines"));
        const RowStore& rows = document.table(LineKind::Object).rows();
        QCOMPARE(rows.joined(59), QByteArray("26994, odlowsand1, shared_beach, 151, 0"));
        QCOMPARE(rows.value(60, 3), QByteArrayView("300"));
        QCOMPARE(s.action("editUndo")->text(), QStringLiteral("&Undo Set column on 60 lines"));
        s.action("editUndo")->trigger();
        QCOMPARE(formatKeepingLayout(document), before);

        QString result;
        QTimer::singleShot(0, &w, [&result] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialog->findChild<QPushButton*>(QStringLiteral("convertButton"))->click();
            result = dialog->findChild<QPlainTextEdit*>(QStringLiteral("convertResult"))->toPlainText();
            dialog->reject();
        });
        s.action("editConvertLayout")->trigger();
        QCOMPARE(result, QStringLiteral("164 lines converted."));
        const QByteArray converted =
            fileBytes(QStringLiteral(TARNEL_CORPUS_DIR "/../document/converted/laterlayout-oceandrv-counted.ide"));
        QVERIFY(!document.table(LineKind::Object).isLaterLayout());
        QCOMPARE(objs->model()->index(0, 3).data().toString(), QStringLiteral("1"));
        QCOMPARE(formatKeepingLayout(document), converted);
        s.action("editUndo")->trigger();
        QVERIFY(document.table(LineKind::TimedObject).isLaterLayout());
        QCOMPARE(objs->model()->index(0, 3).data().toString(), QString());
        QCOMPARE(formatKeepingLayout(document), before);
        s.action("editRedo")->trigger();
        QCOMPARE(formatKeepingLayout(document), converted);
    }

    void timedObjectsMenuWorksWhilePathsAreShown()
    {
        Session s;
        s.useSettings();
        const QString file = s.path(QStringLiteral("timed.ide"));
        QVERIFY(putFile(file, "tobj\r\n5, n, t, 1, 10, 0, 20, 6\r\nend\r\n"));
        MainWindow& w = s.startShown(file);
        w.selectSection(Section::TimedObjects); // its first row selected since the load
        w.selectSection(Section::Paths);
        // The menu stays in the bar, but its commands leave the hidden table alone.
        QVERIFY(w.actionsMenu(LineKind::TimedObject)->menuAction()->isVisible());
        s.action("timedObjectsCommentOut")->trigger();
        s.action("timedObjectsRemove")->trigger();
        QCOMPARE(firstValues(w.document(), LineKind::TimedObject), QByteArrayList({"5"}));
        QVERIFY(!w.document().isModified());
        w.selectSection(Section::TimedObjects);
        s.action("timedObjectsCommentOut")->trigger();
        QCOMPARE(firstValues(w.document(), LineKind::TimedObject), QByteArrayList({"# 5"}));
    }

    void aboutIsModalAndNotepadUsesThePlatform()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        ModalAnswer answer;
        answer.clickWhenShown("aboutCloseButton");
        s.action("helpAbout")->trigger();
        QCOMPARE(answer.seen, QStringLiteral("aboutDialog"));

        auto* notepad = s.child<QPushButton>("openInTextEditor");
        notepad->click();
        QCOMPARE(s.platform.count(QStringLiteral("editor")), 0); // untitled: nothing to open

        const QString file = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("with space.ide"));
        s.platform.fileNames << file;
        s.action("fileOpen")->trigger();
        s.platform.editorStarts = false;
        s.platform.clear();
        notepad->click();
        QCOMPARE(s.requestKinds(), QStringList({"editor", "message"}));
        QCOMPARE(s.platform.requests.first().text, file);

        s.action("helpHomePage")->trigger();
        QCOMPARE(s.platform.requests.constLast().kind, QStringLiteral("url"));
        QVERIFY(s.platform.requests.constLast().text.contains(s.action("helpHomePage")->iconText()));
        Q_UNUSED(w);
    }
};

TARNEL_TEST_MAIN(MainWindowCommandsTest)
#include "test_mainwindow_commands.moc"
