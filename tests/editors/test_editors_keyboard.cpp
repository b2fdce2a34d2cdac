// The editors without a mouse: where the focus starts, where Tab goes, Enter and Esc.

#include "editortestkit.h"

#include <QApplication>

using namespace tarnel;

using namespace ekit;

namespace {

QStringList names(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* name : list)
        out << QString::fromLatin1(name);
    return out;
}

// The colour fields and their button, shared by the 2dfx editors.
const QStringList effectStart = names({"objectid", "xpos", "ypos", "zpos", "red", "green", "blue", "changecolor"});
const QStringList buttons = names({"confirmButton", "cancelButton", "objectid"});

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

QWidget* shownAndActive(Session& s, LineKind kind)
{
    s.addRow(kind, sampleLine(kind));
    QWidget* editor = s.open(kind, {0});
    editor->activateWindow();
    if (!QTest::qWaitForWindowActive(editor))
        qFatal("editor not active");
    return editor;
}

} // namespace

class EditorKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void tabFollowsTheLine_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QStringList>("chain");
        // The sample lines choose fixed entries, so the custom boxes stay disabled and are passed.
        const QStringList object =
            names({"objectid", "objectname", "texturefile", "objectcount", "drawdistance", "param"});
        QTest::newRow("objs") << LineKind::Object << object + buttons;
        QTest::newRow("tobj") << LineKind::TimedObject << object + names({"timeon", "timeoff"}) + buttons;
        QTest::newRow("light") << LineKind::Light
                               << effectStart +
                                      names({"uk1", "uk2", "shape", "shade", "viewdis", "outrange", "lampsize",
                                             "inrange", "corsize", "control", "wet", "flare", "dust"}) +
                                      buttons;
        QTest::newRow("particle") << LineKind::Particle
                                  << effectStart +
                                         names({"uk1", "uk2", "ptype", "ukOut1", "ukOut2", "ukOut3", "psize"}) +
                                         buttons;
        QTest::newRow("sun") << LineKind::Sun << effectStart + names({"drawDis", "uk1"}) + buttons;
        QTest::newRow("ped") << LineKind::PedArea
                             << effectStart +
                                    names(
                                        {"uk1", "uk2", "atype", "ukd1", "ukd2", "ukd3", "ukd4", "ukd5", "ukd6"}) +
                                    buttons;
    }
    void tabFollowsTheLine()
    {
        QFETCH(LineKind, kind);
        QFETCH(QStringList, chain);
        Session s;
        QWidget* editor = shownAndActive(s, kind);
        QStringList visited{focusName()};
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << focusName();
        }
        QCOMPARE(visited, chain);
        QVERIFY(editor->findChild<QPushButton*>(QStringLiteral("confirmButton"))->isDefault());
    }

    // Enter confirms from a field, a list or the confirm button; on Cancel it
    // cancels, as Esc does anywhere.
    void enterConfirmsEscCancels_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("object field enter") << LineKind::Object << "param" << int(Qt::Key_Return) << true;
        QTest::newRow("object keypad enter") << LineKind::Object << "objectid" << int(Qt::Key_Enter) << true;
        QTest::newRow("light list enter") << LineKind::Light << "control" << int(Qt::Key_Return) << true;
        QTest::newRow("sun colour enter") << LineKind::Sun << "green" << int(Qt::Key_Return) << true;
        QTest::newRow("ped confirm enter") << LineKind::PedArea << "confirmButton" << int(Qt::Key_Return) << true;
        QTest::newRow("particle cancel enter")
            << LineKind::Particle << "cancelButton" << int(Qt::Key_Return) << false;
        QTest::newRow("tobj field esc") << LineKind::TimedObject << "timeoff" << int(Qt::Key_Escape) << false;
        QTest::newRow("light list esc") << LineKind::Light << "control" << int(Qt::Key_Escape) << false;
    }
    void enterConfirmsEscCancels()
    {
        QFETCH(LineKind, kind);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, confirmed);
        Session s;
        QWidget* editor = shownAndActive(s, kind);
        s.type(kind, "objectid", QStringLiteral("77"));
        auto* target = editor->findChild<QWidget*>(focus);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key(key));

        QVERIFY(!s.host.editor(kind));
        QCOMPARE(s.row(kind, 0).first() == "77", confirmed);
    }
};

QTEST_MAIN(EditorKeyboardTest)
#include "test_editors_keyboard.moc"
