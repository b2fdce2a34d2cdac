// Undo and redo in the real window: random commands, sorting, pastes and
// paths edits against a reference kept here, and saves after undoing everything.
#include "windowtestkit.h"

#include "document/bufferedforms.h"
#include "history/edithistory.h"
#include "paste/pasteline.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <QRandomGenerator>

using namespace tarnel;

using namespace wkit;

namespace {

// The file a save would write, in both layouts.
QByteArrayList savedFiles(const IdeDocument& document)
{
    return {formatDocument(document, "h"), formatKeepingLayout(document)};
}

// Every row of every table and the paths text: what the reference compares.
QByteArrayList contentOf(const IdeDocument& document)
{
    QByteArrayList lines;
    for (LineKind kind : allLineKinds) {
        const RowStore& rows = document.table(kind).rows();
        for (qsizetype row = 0; row < rows.size(); ++row)
            lines << QByteArray::number(int(kind)) + ": " + rows.joined(row);
    }
    lines << document.pathText();
    return lines;
}

} // namespace

class MainWindowUndoTest : public QObject {
    Q_OBJECT

private slots:
    // Each command is one step, named in the Edit menu, undone and redone from the keyboard.
    void keyboardUndoAndRedo_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("caption");
        QTest::newRow("remove") << "objectsRemove" << 3 << "Undo Remove 3 lines";
        QTest::newRow("comment out") << "objectsCommentOut" << 1 << "Undo Comment out 1 line";
        QTest::newRow("duplicate") << "objectsDuplicate" << 2 << "Undo Duplicate 2 lines";
        QTest::newRow("paths typing") << "" << 0 << "Undo Edit paths";
        QTest::newRow("paste dialog") << "editPaste" << 0 << "Undo Paste line";
    }
    void keyboardUndoAndRedo()
    {
        QFETCH(QString, command);
        QFETCH(int, selected);
        QFETCH(QString, caption);
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        const QString file = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("k.ide"));
        MainWindow& w = s.startShown(file);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QByteArrayList before = contentOf(w.document());
        QVERIFY(!s.action("editUndo")->isEnabled());
        QVERIFY(!s.action("editRedo")->isEnabled());
        QWidget* typedIn = w.view(LineKind::Object);
        if (command.isEmpty()) {
            s.typePathLine("group, 7");
            typedIn = w.pathsView();
        } else if (command == QStringLiteral("editPaste")) {
            // The modal dialog shows the clipboard's line; its "Add line" is clicked once it is up.
            s.platform.clipboard = QStringLiteral("1234, pasted, t, 1, 10, 0");
            QTimer probe;
            connect(&probe, &QTimer::timeout, &w, [] {
                if (QWidget* dialog = QApplication::activeModalWidget())
                    dialog->findChild<QPushButton*>(QStringLiteral("addLineButton"))->click();
            });
            probe.start(5);
            s.action("editPaste")->trigger();
            probe.stop();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QCOMPARE(w.statusText(), QStringLiteral("1 line pasted"));
        } else {
            for (int row = 0; row < selected; ++row)
                w.view(LineKind::Object)
                    ->selectionModel()
                    ->select(w.view(LineKind::Object)->model()->index(row * 2, 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
            s.action(command.toLatin1().constData())->trigger();
        }
        const QByteArrayList after = contentOf(w.document());
        QVERIFY(after != before);
        QCOMPARE(s.action("editUndo")->text(), "&" + caption);
        QCOMPARE(w.windowTitle(), titleFor(file, true));
        typedIn->setFocus();
        QTest::keyClick(typedIn, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(contentOf(w.document()), before);
        QCOMPARE(w.windowTitle(), titleFor(file));
        QVERIFY(!s.action("editUndo")->isEnabled());
        QTest::keyClick(typedIn, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(contentOf(w.document()), after);
        QTest::keyClick(typedIn, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(typedIn, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(contentOf(w.document()), after);
        QCOMPARE(w.windowTitle(), titleFor(file, true));
        if (command.isEmpty())
            QCOMPARE(w.pathsView()->toPlainText().toLatin1(), QByteArray(after.back()).replace("\r\n", "\n"));
    }

    void randomStepsUndoAndRedo_data()
    {
        QTest::addColumn<QString>("corpus");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("steps");
        QTest::newRow("unsorted") << QStringLiteral("modmap-props.ide") << false << 7u << 10000;
        QTest::newRow("sorted") << QStringLiteral("basegame-generic.ide") << true << 11u << 1000;
        QTest::newRow("effects") << QStringLiteral("modmap-ghosttown.ide") << false << 23u << 1000;
    }
    void randomStepsUndoAndRedo()
    {
        TARNEL_LONG_TEST();
        QFETCH(QString, corpus);
        QFETCH(bool, sorted);
        QFETCH(quint32, seed);
        QFETCH(int, steps);
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", sorted ? "sort=1" : "sort=0"));
        const QString file = s.copyOfCorpus(corpus, QStringLiteral("u.ide"));
        MainWindow& w = s.startShown(file);
        IdeDocument& document = w.document();
        QUndoStack& stack = EditHistory::of(document).stack();
        // states[i]: the content after i steps (files[i]: as saved); `at` the
        // step the window is at. The history keeps the last stepsKept steps.
        QList<QByteArrayList> states{contentOf(document)};
        QList<QByteArrayList> files{savedFiles(document)};
        QList<bool> sortedInto{false}; // sortedInto[i]: state i came from sorting on or off
        qsizetype at = 0;
        qsizetype savedAt = 0; // the state equal to the file
        int sorts = 0;
        QRandomGenerator random(seed);
        const char* commands[] = {"objectsCommentOut", "objectsUnComment", "objectsRemove", "objectsDuplicate"};
        for (int step = 0; step < steps; ++step) {
            const int choice = random.bounded(10);
            if (choice < 2 && at > 0) {
                s.action("editUndo")->trigger();
                --at;
            } else if (choice < 3 && at + 1 < states.size()) {
                s.action("editRedo")->trigger();
                ++at;
            } else {
                const int before = stack.index();
                const QUndoCommand* top = before > 0 ? stack.command(before - 1) : nullptr;
                SectionView* objs = w.view(LineKind::Object);
                const int rows = objs->model()->rowCount();
                if (choice == 3) {
                    // Sorting on or off as the user clicks it.
                    w.findChild<QCheckBox*>(QStringLiteral("sortByIdBox"))->click();
                } else if (choice == 4) {
                    // Paths edits in a row merge into one step.
                    EditHistory::of(document).setPathText(document.pathText() + "\r\n" + QByteArray::number(step));
                } else if (choice == 5) {
                    addPastedLine(document,
                                  QString::number(random.bounded(900)) + QStringLiteral(", pasted, t, 1, 10, 0"));
                } else if (choice == 6 && rows > 0) {
                    // The object editor opened on a row, a new name confirmed.
                    objs->selectionModel()->select(objs->model()->index(random.bounded(rows), 0),
                                                   QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
                    emit objs->openRequested();
                    QWidget* editor = w.findChild<QWidget*>(QStringLiteral("objectEditor"));
                    QVERIFY(editor);
                    editor->findChild<QLineEdit*>(QStringLiteral("objectNameField"))
                        ->setText("e" + QString::number(step));
                    editor->findChild<QPushButton*>(QStringLiteral("confirmButton"))->click();
                } else {
                    objs->clearSelection();
                    for (int k = 0, n = rows ? 1 + random.bounded(qMin(rows, 40)) : 0; k < n; ++k)
                        objs->selectionModel()->select(objs->model()->index(random.bounded(rows), 0),
                                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
                    s.action(commands[random.bounded(4)])->trigger();
                }
                // A full history drops its oldest step as it takes a new one.
                const bool merged = stack.index() == before && stack.command(before - 1) == top;
                if (merged && contentOf(document) == states[at])
                    continue; // nothing changed, nothing kept
                sorts += choice == 3;
                if (savedAt > at)
                    savedAt = -1; // the saved state was undone and left behind
                states.resize(at + 1);
                files.resize(at + 1);
                sortedInto.resize(at + 1);
                if (merged) {
                    states.back() = contentOf(document); // merged into the step before
                    files.back() = savedFiles(document);
                } else {
                    states << contentOf(document);
                    files << savedFiles(document);
                    sortedInto << (choice == 3);
                }
                if (states.size() > EditHistory::stepsKept + 1) {
                    states.removeFirst();
                    files.removeFirst();
                    sortedInto.removeFirst();
                    savedAt = savedAt > 0 ? savedAt - 1 : -1;
                }
                at = states.size() - 1;
            }
            QCOMPARE(contentOf(document), states[at]);
            // Changed exactly while a step other than sorting lies between here and the file.
            bool changed = savedAt < 0;
            for (qsizetype k = qMin(at, savedAt) + 1; !changed && k <= qMax(at, savedAt); ++k)
                changed = !sortedInto[k];
            QCOMPARE(w.windowTitle().endsWith(QLatin1Char('*')), changed);
        }
        QVERIFY(sorts > 0);
        // Undoing everything saves the oldest state kept, byte for byte in both
        // layouts; redoing everything the newest.
        while (stack.canUndo())
            stack.undo();
        QCOMPARE(savedFiles(document), files.front());
        QVERIFY(!s.action("editUndo")->isEnabled());
        while (stack.canRedo())
            stack.redo();
        QCOMPARE(savedFiles(document), files.back());
    }
};

TARNEL_TEST_MAIN(MainWindowUndoTest)
#include "test_mainwindow_undo.moc"
