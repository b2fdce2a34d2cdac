#include "editortestkit.h"

#include "document/documentcontent.h"
#include "document/linecommands.h"
#include "history/edithistory.h"
#include "editors/editorplacement.h"

#include <QApplication>
#include <QPointer>

using namespace tarnel;

using namespace ekit;

namespace {

const QString rowGone =
    QStringLiteral("The line this editor was opened on no longer exists.\r\nIts changes were not written.");

QString frameTitle(const Session& s, LineKind kind)
{
    return s.child<QGroupBox>(kind, "frame")->title();
}

// Three object rows whose ids sort the other way round.
void addThreeObjects(Session& s)
{
    s.addRow(LineKind::Object, "30, c, t, 1, 10, 0");
    s.addRow(LineKind::Object, "20, b, t, 1, 10, 0");
    s.addRow(LineKind::Object, "10, a, t, 1, 10, 0");
}

} // namespace

class EditorHostTest : public QObject {
    Q_OBJECT

private slots:
    void nothingToOpen()
    {
        Session s;
        s.addRow(LineKind::Light, sampleLine(LineKind::Light));
        s.host.openRows(LineKind::Light, {});
        s.host.openRows(LineKind::Light, {5, -1});
        QVERIFY(!s.host.editor(LineKind::Light));
    }

    void windows_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::newRow("objs") << LineKind::Object << "objectEditor"
                              << "Object line editor";
        QTest::newRow("tobj") << LineKind::TimedObject << "timedObjectEditor"
                              << "Timed object line editor";
        QTest::newRow("light") << LineKind::Light << "lightEditor"
                               << "Light editor";
        QTest::newRow("particle") << LineKind::Particle << "particleEditor"
                                  << "Particle editor";
        QTest::newRow("sun") << LineKind::Sun << "sunEffectEditor"
                             << "Sun reflection editor";
        QTest::newRow("ped") << LineKind::PedArea << "pedAreaEditor"
                             << "Ped animation area editor";
    }
    void windows()
    {
        QFETCH(LineKind, kind);
        QFETCH(QString, form);
        QFETCH(QString, title);
        Session s;
        s.addRow(kind, sampleLine(kind));
        s.addRow(kind, sampleLine(kind));
        QWidget* editor = s.open(kind, {1});
        QCOMPARE(editor->objectName(), form);
        QCOMPARE(editor->windowTitle(), title);
        QVERIFY(editor->isWindow());
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->parentWidget(), &s.owner);
        QCOMPARE(frameTitle(s, kind), QStringLiteral("Parameters for line [ 2 ]"));
        QCOMPARE(s.child<QPushButton>(kind, "confirmButton")->text(), QStringLiteral("Update"));
        QCOMPARE(s.child<QPushButton>(kind, "cancelButton")->text(), QStringLiteral("Cancel"));
        QCOMPARE(s.editor(kind).mode(), LineEditor::Mode::Edit);
        QCOMPARE(s.editor(kind).followedRow(), std::optional<qsizetype>(1));
        QVERIFY(s.child(kind, "preview")->isReadOnly());
    }

    void severalRowsEndOnTheLast()
    {
        Session s;
        for (const char* id : {"1", "2", "3", "4"})
            s.addRow(LineKind::Sun, QByteArray(id) + ", 0, 0, 0, 0, 0, 0, 100, 4");
        s.open(LineKind::Sun, {3});
        // The rows before the last would only be overwritten: the fields are filled once.
        QSignalSpy filled(s.child(LineKind::Sun, "objectIdField"), &QLineEdit::textChanged);
        s.open(LineKind::Sun, {0, 1, 2});
        QCOMPARE(filled.count(), 1);
        QCOMPARE(s.text(LineKind::Sun, "objectIdField"), QStringLiteral("3"));
        QCOMPARE(s.editor(LineKind::Sun).followedRow(), std::optional<qsizetype>(2));
        QCOMPARE(frameTitle(s, LineKind::Sun), QStringLiteral("Parameters for line [ 3 ]"));
        s.click(LineKind::Sun, "confirmButton");
        QCOMPARE(s.statuses, QStringList({"Line updated"}));
    }

    // Confirm, cancel and closing the window all discard the editor; the next one starts afresh.
    void editorIsDiscarded_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("confirm") << 0;
        QTest::newRow("cancel") << 1;
        QTest::newRow("close") << 2;
    }
    void editorIsDiscarded()
    {
        QFETCH(int, how);
        Session s;
        s.addRow(LineKind::Light, sampleLine(LineKind::Light));
        QPointer<QWidget> first = s.open(LineKind::Light, {0});
        if (how == 0)
            s.click(LineKind::Light, "confirmButton");
        else if (how == 1)
            s.click(LineKind::Light, "cancelButton");
        else
            first->close();
        QVERIFY(!s.host.editor(LineKind::Light));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        s.openNew(LineKind::Light);
        QCOMPARE(s.text(LineKind::Light, "unknown1Field"), QStringLiteral("200"));
        QCOMPARE(s.text(LineKind::Light, "objectIdField"), QString());
        QCOMPARE(s.document.table(LineKind::Light).rowCount(), 1);
    }

    // Another row replaces changed fields only once the user agrees to lose them.
    void reopeningRefillsTheSameWindow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("nextRow");
        // What the user says if asked.
        QTest::addColumn<bool>("discard");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("typed back") << QStringLiteral("0") << 2 << false << false << true;
        QTest::newRow("discard yes") << QStringLiteral("typed") << 2 << true << true << true;
        QTest::newRow("discard no") << QStringLiteral("typed") << 2 << false << true << false;
        QTest::newRow("same row") << QStringLiteral("typed") << 0 << false << false << true;
    }
    void reopeningRefillsTheSameWindow()
    {
        QFETCH(QString, typed);
        QFETCH(int, nextRow);
        QFETCH(bool, discard);
        QFETCH(bool, asked);
        QFETCH(bool, replaced);
        Session s;
        addThreeObjects(s);
        QWidget* first = s.open(LineKind::Object, {0});
        s.type(LineKind::Object, "parametersField", typed);
        s.platform.answers = {discard ? Platform::Answer::Yes : Platform::Answer::No};
        QCOMPARE(s.open(LineKind::Object, {nextRow}), first);
        QCOMPARE(s.platform.count(QStringLiteral("yesno")), int(asked));
        if (asked)
            QCOMPARE(s.platform.requests.constLast().text, QStringLiteral("Discard the changes to line 1?"));
        QCOMPARE(s.editor(LineKind::Object).followedRow(), std::optional<qsizetype>(replaced ? nextRow : 0));
        QCOMPARE(s.text(LineKind::Object, "parametersField"), replaced ? QStringLiteral("0") : typed);
    }

    // On a 1000 x 800 screen.
    void opensBesideTheOwner_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("right, to the screen's edge") << QRect(100, 50, 600, 300) << QPoint(700, 50);
        QTest::newRow("left") << QRect(350, 50, 600, 300) << QPoint(50, 50);
        QTest::newRow("over the right edge") << QRect(200, 50, 700, 300) << QPoint(700, 50);
        QTest::newRow("owner partly off the left edge") << QRect(-700, 50, 600, 300) << QPoint(0, 50);
        QTest::newRow("above the screen's foot") << QRect(100, 750, 400, 200) << QPoint(500, 600);
    }
    void opensBesideTheOwner()
    {
        QFETCH(QRect, owner);
        QFETCH(QPoint, expected);
        QCOMPARE(besideOwner(owner, QSize(300, 200), QRect(0, 0, 1000, 800)), expected);
    }

    void opensBesideTheShownOwner()
    {
        Session s;
        s.owner.setGeometry(10, 20, 200, 150);
        s.owner.show();
        s.addRow(LineKind::Sun, sampleLine(LineKind::Sun));
        QWidget* editor = s.open(LineKind::Sun, {0});
        QCOMPARE(editor->pos(), QPoint(s.owner.frameGeometry().right() + 1, s.owner.frameGeometry().top()));
    }

    void addModeAfterUpdateModeAndBack()
    {
        Session s;
        addThreeObjects(s);
        s.open(LineKind::Object, {0});
        s.openNew(LineKind::Object);
        QCOMPARE(s.text(LineKind::Object, "objectIdField"), QStringLiteral("30"));
        QCOMPARE(s.editor(LineKind::Object).mode(), LineEditor::Mode::Add);
        QCOMPARE(s.editor(LineKind::Object).followedRow(), std::nullopt);
        QCOMPARE(frameTitle(s, LineKind::Object), QStringLiteral("Parameters for new line"));
        QCOMPARE(s.child<QPushButton>(LineKind::Object, "confirmButton")->text(), QStringLiteral("Add line"));
        // A row opened now fills the fields but the editor still adds.
        s.open(LineKind::Object, {1});
        QCOMPARE(s.editor(LineKind::Object).mode(), LineEditor::Mode::Add);
        QCOMPARE(s.editor(LineKind::Object).followedRow(), std::optional<qsizetype>(1));
        QCOMPARE(frameTitle(s, LineKind::Object), QStringLiteral("Parameters for line [ 2 ]"));
        QCOMPARE(s.child<QPushButton>(LineKind::Object, "confirmButton")->text(), QStringLiteral("Add line"));
        s.click(LineKind::Object, "confirmButton");
        QCOMPARE(s.document.table(LineKind::Object).rowCount(), 4);
        QCOMPARE(s.row(LineKind::Object, 3), s.row(LineKind::Object, 1));
        QCOMPARE(s.statuses, QStringList({"New line added"}));
        // Back to updating with the next opening.
        s.open(LineKind::Object, {2});
        QCOMPARE(s.editor(LineKind::Object).mode(), LineEditor::Mode::Edit);
        QCOMPARE(s.child<QPushButton>(LineKind::Object, "confirmButton")->text(), QStringLiteral("Update"));
    }

    // The editor keeps to its row while other rows come, go or are sorted.
    void followsItsRow_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<qsizetype>("opened");
        QTest::addColumn<QString>("line");
        QTest::newRow("row above removed") << 0 << qsizetype(1) << "1";
        QTest::newRow("rows sorted") << 1 << qsizetype(0) << "3";
        QTest::newRow("row added above while sorted") << 2 << qsizetype(0) << "4";
        QTest::newRow("removal above undone and redone") << 3 << qsizetype(1) << "1";
        QTest::newRow("sorting undone") << 4 << qsizetype(0) << "1";
        QTest::newRow("own row removed, then undone") << 5 << qsizetype(1) << "2";
    }
    void followsItsRow()
    {
        QFETCH(int, change);
        QFETCH(qsizetype, opened);
        QFETCH(QString, line);
        Session s;
        addThreeObjects(s);
        const QList<QByteArray> openedValues = s.row(LineKind::Object, opened);
        s.open(LineKind::Object, {opened});
        SectionTable& table = s.document.table(LineKind::Object);
        EditHistory& history = EditHistory::of(s.document);
        if (change == 0) {
            table.removeRow(testKey, 0);
        } else if (change == 1) {
            s.document.setSorted(testKey, true);
        } else if (change == 2) {
            s.document.setSorted(testKey, true);
            table.appendRow(testKey, values("15, d, t, 1, 10, 0"));
        } else if (change == 3) {
            history.remove(LineKind::Object, {0});
            history.stack().undo();
            history.stack().redo();
        } else if (change == 4) {
            history.setSorted(true);
            history.stack().undo();
        } else {
            history.remove(LineKind::Object, {opened});
            history.stack().undo();
        }
        QCOMPARE(s.editor(LineKind::Object).followedRow(), std::optional<qsizetype>(line.toInt() - 1));
        QCOMPARE(frameTitle(s, LineKind::Object), "Parameters for line [ " + line + " ]");
        s.type(LineKind::Object, "objectNameField", "edited");
        s.click(LineKind::Object, "confirmButton");
        QList<QByteArray> expected = openedValues;
        expected[1] = "edited";
        QCOMPARE(s.row(LineKind::Object, line.toInt() - 1), expected);
        // The confirm is one step of its own, named after the line (a row made here has none in a file).
        QCOMPARE(history.stack().undoText(), texts::changeNewLineStep);
        history.stack().undo();
        QCOMPARE(s.row(LineKind::Object, line.toInt() - 1), openedValues);
        history.stack().redo();
        QCOMPARE(s.row(LineKind::Object, line.toInt() - 1), expected);
    }

    void lostRowRefuses_data()
    {
        QTest::addColumn<int>("loss");
        QTest::newRow("row removed") << 0;
        QTest::newRow("document cleared") << 1;
        QTest::newRow("document replaced") << 2;
    }
    void lostRowRefuses()
    {
        QFETCH(int, loss);
        Session s;
        addThreeObjects(s);
        s.open(LineKind::Object, {1});
        if (loss == 0) {
            s.document.table(LineKind::Object).removeRow(testKey, 1);
        } else if (loss == 1) {
            s.document.reset();
        } else {
            DocumentContent content;
            for (const char* line : {"30, c, t, 1, 10, 0", "20, b, t, 1, 10, 0", "10, a, t, 1, 10, 0"})
                content.table(LineKind::Object).appendLine(line);
            s.document.replaceContent(std::move(content));
        }
        const auto before = s.document.table(LineKind::Object).rows().size();
        s.type(LineKind::Object, "objectNameField", "edited");
        s.click(LineKind::Object, "confirmButton");
        QCOMPARE(s.platform.messages(), QStringList({rowGone}));
        QCOMPARE(s.platform.requests.last().title, QStringLiteral("Tarnel"));
        QCOMPARE(s.platform.requests.last().icon, Platform::Icon::Information);
        QCOMPARE(s.document.table(LineKind::Object).rows().size(), before);
        for (qsizetype row = 0; row < before; ++row)
            QVERIFY(s.row(LineKind::Object, row).value(1) != "edited");
        QVERIFY(!s.document.isModified());
        QVERIFY(s.host.editor(LineKind::Object));
        // A new line can still be added to the document now open.
        s.openNew(LineKind::Object);
        s.click(LineKind::Object, "confirmButton");
        QCOMPARE(s.document.table(LineKind::Object).rows().size(), before + 1);
    }

    // Without a mouse: the first field has the focus, Tab follows the line to the
    // buttons, Enter confirms (on Cancel it cancels) and Esc cancels.
    void keyboardOnly_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QStringList>("chain");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("confirmed");
        // The sample lines choose fixed entries, so the custom boxes stay disabled and are passed.
        const QStringList object{"objectIdField",    "objectNameField",   "textureFileField",
                                 "objectCountField", "drawDistanceField", "parametersField"};
        const QStringList effect{"objectIdField", "xField",     "yField",    "zField",
                                 "redField",      "greenField", "blueField", "changeColourButton"};
        const QStringList buttons{"confirmButton", "cancelButton", "objectIdField"};
        QTest::newRow("objs") << LineKind::Object << object + buttons << "parametersField" << int(Qt::Key_Return)
                              << true;
        QTest::newRow("tobj") << LineKind::TimedObject
                              << object + QStringList{"timeOnField", "timeOffField"} + buttons << "timeOffField"
                              << int(Qt::Key_Escape) << false;
        QTest::newRow("light") << LineKind::Light
                               << effect + QStringList{"unknown1Field", "unknown2Field",       "coronaShapeField",
                                                       "shadeField",    "viewDistanceField",   "outRangeField",
                                                       "lampSizeField", "inRangeField",        "coronaSizeField",
                                                       "controlList",   "wetReflectionsField", "lensFlareField",
                                                       "dustField"} +
                                      buttons
                               << "controlList" << int(Qt::Key_Enter) << true;
        QTest::newRow("particle") << LineKind::Particle
                                  << effect +
                                         QStringList{"unknown1Field",    "unknown2Field",    "particleTypeList",
                                                     "unknownOut1Field", "unknownOut2Field", "unknownOut3Field",
                                                     "particleSizeField"} +
                                         buttons
                                  << "cancelButton" << int(Qt::Key_Return) << false;
        QTest::newRow("sun") << LineKind::Sun
                             << effect + QStringList{"sunViewDistanceField", "unknown1Field"} + buttons
                             << "greenField" << int(Qt::Key_Return) << true;
        QTest::newRow("ped") << LineKind::PedArea
                             << effect + QStringList{"unknown1Field",          "unknown2Field",
                                                     "areaTypeList",           "unknownDirection1Field",
                                                     "unknownDirection2Field", "unknownDirection3Field",
                                                     "unknownDirection4Field", "unknownDirection5Field",
                                                     "unknownDirection6Field"} +
                                    buttons
                             << "areaTypeList" << int(Qt::Key_Escape) << false;
    }
    void keyboardOnly()
    {
        QFETCH(LineKind, kind);
        QFETCH(QStringList, chain);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, confirmed);
        Session s;
        s.addRow(kind, sampleLine(kind));
        QWidget* editor = s.open(kind, {0});
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() < chain.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, chain);

        s.type(kind, "objectIdField", QStringLiteral("77"));
        auto* target = editor->findChild<QWidget*>(focus);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key(key));
        QVERIFY(!s.host.editor(kind));
        QCOMPARE(s.row(kind, 0).first() == "77", confirmed);
    }

    void kindsHaveEditorsOfTheirOwn()
    {
        Session s;
        s.addRow(LineKind::Particle, sampleLine(LineKind::Particle));
        s.open(LineKind::Particle, {0});
        s.openNew(LineKind::PedArea);
        QVERIFY(s.host.editor(LineKind::Particle) != s.host.editor(LineKind::PedArea));
        s.click(LineKind::PedArea, "cancelButton");
        QVERIFY(!s.host.editor(LineKind::PedArea));
        QCOMPARE(s.text(LineKind::Particle, "objectIdField"), QStringLiteral("1600"));
    }
};

TARNEL_TEST_MAIN(EditorHostTest)
#include "test_editors_host.moc"
