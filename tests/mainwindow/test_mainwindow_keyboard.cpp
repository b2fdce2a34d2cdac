// The main window driven from the keyboard alone: menu letters, the section
// selector, the table commands' keys and what the status bar says after them.
#include "windowtestkit.h"

#include "editors/editorhost.h"
#include "editors/lineeditor.h"

#include <QHeaderView>
#include <QMenuBar>

using namespace tarnel;

using namespace wkit;

namespace {

using Rows = QList<qsizetype>;

// Three objects, the last commented out, unsorted.
QString openThreeObjects(Session& s)
{
    s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
    const QString file = s.path(QStringLiteral("three.ide"));
    putFile(file, "objs\r\n1, a, t, 1, 10, 0\r\n2, b, t, 1, 10, 0\r\n#3, c, t, 1, 10, 0\r\nend\r\n"
                  "2dfx\r\n" +
                      lineWithFields("300", 20) + "\r\nend\r\n");
    return file;
}

void selectRows(SectionView* view, const Rows& rows)
{
    view->clearSelection();
    for (qsizetype row : rows)
        view->selectionModel()->select(view->model()->index(int(row), 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool rowInView(SectionView* view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).intersects(view->viewport()->rect());
}

} // namespace

class MainWindowKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // Menu letters, F10 and the pop-up keys over a table with a selection.
    void keysOpenTheirMenus_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("menu");
        QTest::newRow("Alt+F") << int(Qt::Key_F) << int(Qt::AltModifier) << "fileMenu";
        QTest::newRow("Alt+E") << int(Qt::Key_E) << int(Qt::AltModifier) << "editMenu";
        QTest::newRow("Alt+A") << int(Qt::Key_A) << int(Qt::AltModifier) << "objectsActionsMenu";
        QTest::newRow("Alt+A, particles shown")
            << int(Qt::Key_A) << int(Qt::AltModifier) << "particlesActionsMenu";
        QTest::newRow("Alt+H") << int(Qt::Key_H) << int(Qt::AltModifier) << "helpMenu";
        QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << "fileMenu";
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << "objectsActionsMenu";
        QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << "objectsActionsMenu";
    }

    void keysOpenTheirMenus()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, menu);
        Session s;
        MainWindow& w = s.startShown(openThreeObjects(s));
        w.activateWindow();
        SectionView* objs = w.view(LineKind::Object);
        selectRows(objs, {1});
        objs->setFocus();
        if (menu.startsWith(u"particles"))
            w.selectSection(Section::Particles);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        auto* opened = w.findChild<QMenu*>(menu);
        QTRY_VERIFY(opened->isVisible());
        opened->close();
    }

    // Ctrl+Q is File > Exit; Esc closes the windows beside it, where the table's keys do nothing.
    void keysInTheirWindows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Ctrl+Q") << "mainWindow" << QKeySequence(Qt::CTRL | Qt::Key_Q);
        QTest::newRow("Esc, load report") << "LoadReport" << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Esc, free IDs") << "FreeIds" << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Delete, load report") << "LoadReport" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("Ctrl+D, free IDs") << "FreeIds" << QKeySequence(Qt::CTRL | Qt::Key_D);
        QTest::newRow("Insert, editor") << "objectEditor" << QKeySequence(Qt::Key_Insert);
    }
    void keysInTheirWindows()
    {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        Session s;
        MainWindow& w = s.startShown(openThreeObjects(s));
        selectRows(w.view(LineKind::Object), {1});
        w.openLoadReport();
        w.openFreeIds();
        w.editors()->openRows(LineKind::Object, {1});
        QWidget* target = window == w.objectName() ? &w : w.findChild<QWidget*>(window);
        target->activateWindow();
        // A tool window counts as active with its owner: wait for its own focus.
        QTRY_COMPARE(QApplication::activeWindow(), target);
        QTest::keySequence(QApplication::focusWidget(), keys);
        QCOMPARE(target->isVisible(), keys != QKeySequence(Qt::Key_Escape) && target != &w);
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), 3);
        QCOMPARE(qobject_cast<LineEditor*>(w.editors()->editor(LineKind::Object))->mode(), LineEditor::Mode::Edit);
    }

    void selectorMovesWithTheKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("shown");
        QTest::newRow("Down") << QList<int>{Qt::Key_Down} << int(Qt::NoModifier) << 1;
        QTest::newRow("Down to the paths") << QList<int>{Qt::Key_Down, Qt::Key_Down} << int(Qt::NoModifier) << 2;
        // "2DFX" shows the lights: Down passes over it, and Up back again.
        QTest::newRow("Down past 2DFX") << QList<int>(3, Qt::Key_Down) << int(Qt::NoModifier) << 4;
        QTest::newRow("Up past 2DFX") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}
                                      << int(Qt::NoModifier) << 2;
        QTest::newRow("End, Down") << QList<int>{Qt::Key_End, Qt::Key_Down} << int(Qt::NoModifier) << 7;
        QTest::newRow("Ctrl+3") << QList<int>{Qt::Key_3} << int(Qt::ControlModifier) << 2;
        QTest::newRow("Ctrl+4") << QList<int>{Qt::Key_4} << int(Qt::ControlModifier) << 4;
    }

    void selectorMovesWithTheKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, modifiers);
        QFETCH(int, shown);
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        w.activateWindow();
        // Shift+Tab from the table reaches the selector.
        QTRY_VERIFY(w.view(LineKind::Object)->hasFocus());
        w.view(LineKind::Object)->selectRow(3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_VERIFY(w.selector()->hasFocus());
        for (int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(w.shownSection()), shown);
        QCOMPARE(w.selector()->label(shown)->styleSheet(), QStringLiteral("color: #ff0000"));
        // Ctrl and a digit hand the keys to the shown section; the arrows leave them in the selector.
        QCOMPARE(w.selector()->hasFocus(), modifiers == Qt::NoModifier);
    }

    void selectorRowsTakeClicksOverTheirWholeWidth()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        SectionSelector* selector = w.selector();
        for (int index : {6, 1}) {
            const QRect caption = selector->label(index)->geometry();
            QTest::mouseClick(selector, Qt::LeftButton, {}, QPoint(selector->width() - 2, caption.center().y()));
            QCOMPARE(int(w.shownSection()), index);
        }
    }

    void tableKeysRunTheShownTablesCommands_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<Rows>("selected");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QString>("status");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << Rows{1, 2} << QByteArrayList{"1"}
                                << "2 lines removed";
        QTest::newRow("Ctrl+D") << int(Qt::Key_D) << ctrl << Rows{1} << QByteArrayList{"1", "2", "#3", "2"}
                                << "Line duplicated";
        QTest::newRow("Ctrl+D two") << int(Qt::Key_D) << ctrl << Rows{0, 1}
                                    << QByteArrayList{"1", "2", "#3", "1", "2"} << "2 lines duplicated";
        QTest::newRow("Ctrl+/") << int(Qt::Key_Slash) << ctrl << Rows{0, 1} << QByteArrayList{"# 1", "# 2", "#3"}
                                << "2 lines commented out";
        QTest::newRow("Ctrl+Shift+/") << int(Qt::Key_Slash) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                      << Rows{2} << QByteArrayList{"1", "2", "3"} << "1 line un-commented";
        QTest::newRow("Ctrl+?") << int(Qt::Key_Question) << int(Qt::ControlModifier | Qt::ShiftModifier) << Rows{2}
                                << QByteArrayList{"1", "2", "3"} << "1 line un-commented";
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << Rows{2, 0} << QByteArrayList{"1", "2", "#3"}
                                << "2 lines copied";
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << ctrl << Rows{2, 0} << QByteArrayList{"2"}
                                << "2 lines removed";
    }

    void tableKeysRunTheShownTablesCommands()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(Rows, selected);
        QFETCH(QByteArrayList, after);
        QFETCH(QString, status);
        Session s;
        MainWindow& w = s.startShown(openThreeObjects(s));
        w.activateWindow();
        SectionView* objs = w.view(LineKind::Object);
        selectRows(objs, selected);
        // A selection in a hidden table stays out of it.
        selectRows(w.view(LineKind::Light), {0});
        objs->setFocus();
        QTest::keyClick(objs, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(firstValues(w.document(), LineKind::Object), after);
        QCOMPARE(w.statusText(), status);
        QCOMPARE(w.document().table(LineKind::Light).rows().size(), qsizetype(1));
        const bool copies = key == Qt::Key_C || key == Qt::Key_X;
        QCOMPARE(s.platform.clipboard,
                 copies ? QStringLiteral("1, a, t, 1, 10, 0\r\n#3, c, t, 1, 10, 0\r\n") : QString());
    }

    void tableKeysStandBesideTheirItemsAndLeaveThePathsText()
    {
        Session s;
        MainWindow& w = s.startShown(openThreeObjects(s));
        w.selectSection(Section::Lights);
        QCOMPARE(w.tableActions(LineKind::Light).remove->shortcut(), QKeySequence(QKeySequence::Delete));
        // Hidden menus carry none, so no key is shared.
        QVERIFY(w.tableActions(LineKind::Object).remove->shortcut().isEmpty());
        w.activateWindow();
        QTest::keyClick(w.view(LineKind::Light), Qt::Key_Insert);
        QVERIFY(w.editors()->editor(LineKind::Light));

        // The paths keep the timed objects' menu; Delete and Insert are the text's.
        w.view(LineKind::TimedObject)->selectRow(0);
        s.typePathLine("group, 12");
        PathsView* paths = w.pathsView();
        QTest::keyClick(paths, Qt::Key_Left);
        QTest::keyClick(paths, Qt::Key_Delete);
        QTest::keyClick(paths, Qt::Key_Insert);
        QCOMPARE(paths->toPlainText(), QStringLiteral("group, 1"));
        // Copy and cut there are the text's own.
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_C, Qt::Key_X})
            QTest::keyClick(paths, key, Qt::ControlModifier);
        QVERIFY(paths->toPlainText().isEmpty() && s.platform.count("copy") == 0);
        QVERIFY(!w.editors()->editor(LineKind::TimedObject));
    }

    // The row current, alone selected and in view after a load, a removal, and
    // a command that moves the row in the sorted table.
    void currentRowAfterACommand_data()
    {
        QTest::addColumn<QByteArray>("command"); // none: just loaded
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("current");
        QTest::newRow("loaded, the file's first row sorted last") << QByteArray() << 0 << 0;
        QTest::newRow("removed: the row below") << QByteArray("objectsRemove") << 40 << 40;
        QTest::newRow("removed the last: the row above") << QByteArray("objectsRemove") << 200 << 199;
        QTest::newRow("commented out: sorted to the top") << QByteArray("objectsCommentOut") << 150 << 0;
    }
    void currentRowAfterACommand()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, selected);
        QFETCH(int, current);
        Session s;
        s.useSettings(); // sorted
        QVERIFY(putFile(s.path(QStringLiteral("many.ide")),
                        sampleIde(200).replace("objs\r\n", "objs\r\n" + lineWithFields("5", 6) + "\r\n")));
        MainWindow& w = s.startShown(s.path(QStringLiteral("many.ide")));
        SectionView* objs = w.view(LineKind::Object);
        if (!command.isEmpty()) {
            selectRows(objs, {selected});
            objs->selectionModel()->setCurrentIndex(objs->model()->index(selected, 0),
                                                    QItemSelectionModel::NoUpdate);
            objs->scrollTo(objs->currentIndex());
            s.action(command.constData())->trigger();
        }
        QCOMPARE(objs->currentIndex().row(), current);
        QCOMPARE(objs->selectedRowNumbers(), Rows{current});
        QVERIFY(rowInView(objs, current));
    }

    // A table not shown heads no rows; shown again, it is where it was.
    void aTableKeepsItsPlaceWhileAnotherIsShown()
    {
        Session s;
        const QString file = s.path(QStringLiteral("many.ide"));
        QVERIFY(putFile(file, sampleIde(300)));
        MainWindow& w = s.startShown(file);
        SectionView* objs = w.view(LineKind::Object);
        objs->scrollTo(objs->model()->index(250, 0));
        QCOMPARE(w.view(LineKind::Light)->verticalHeader()->count(), 0);
        w.selectSection(Section::Lights);
        QCOMPARE(w.view(LineKind::Light)->verticalHeader()->count(), 300);
        QCOMPARE(objs->verticalHeader()->count(), 0);
        w.selectSection(Section::Objects);
        QVERIFY(rowInView(objs, 250));
        QVERIFY(!rowInView(objs, 0));
    }

    void addedAndConfirmedRowsComeIntoView()
    {
        Session s;
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        const QString file = s.path(QStringLiteral("many.ide"));
        QVERIFY(putFile(file, sampleIde(300)));
        MainWindow& w = s.startShown(file);
        SectionView* objs = w.view(LineKind::Object);
        selectRows(objs, {0});
        s.action("objectsDuplicate")->trigger();
        QVERIFY(rowInView(objs, 300));
        QCOMPARE(objs->selectedRowNumbers(), Rows{0});

        w.editors()->openRows(LineKind::Object, {150});
        objs->scrollToTop();
        QVERIFY(!rowInView(objs, 150));
        auto* confirm = w.editors()->editor(LineKind::Object)->findChild<QPushButton*>("confirmButton");
        confirm->click();
        QVERIFY(rowInView(objs, 150));
    }

    // Every item of the File, Edit, Actions and Help menus has a letter of its own there.
    void menuItemsHaveTheirOwnLetters()
    {
        Session s;
        for (const QAction* bar : s.startShown().menuBar()->actions()) {
            QSet<QKeySequence> letters;
            for (const QAction* item : bar->menu()->actions()) {
                const QKeySequence key = QKeySequence::mnemonic(item->text());
                QVERIFY(item->isSeparator() || !item->isVisible() || (!key.isEmpty() && !letters.contains(key)));
                letters.insert(key);
            }
        }
    }

    void leftPanelStaysWholeAtTheSmallestSize()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        w.resize(1, 1);
        QTRY_COMPARE(w.size(), w.minimumSize());
        const auto* reload = w.findChild<QWidget*>("reloadButton");
        QVERIFY(reload->mapTo(w.centralWidget(), QPoint(0, reload->height())).y() <= w.centralWidget()->height());
        // Beside the panel an object's ID and name are still seen.
        const QHeaderView* header = w.view(LineKind::Object)->horizontalHeader();
        QVERIFY(w.view(LineKind::Object)->viewport()->width() >= header->sectionSize(0) + header->sectionSize(1));
    }
};

TARNEL_TEST_MAIN(MainWindowKeyboardTest)
#include "test_mainwindow_keyboard.moc"
