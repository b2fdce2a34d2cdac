#include "editortestkit.h"

#include <QClipboard>

using namespace tarnel;

using namespace ekit;

namespace {

const LineKind effectKinds[] = {LineKind::Light, LineKind::Particle, LineKind::Sun, LineKind::PedArea};

void addEffectKinds()
{
    QTest::addColumn<LineKind>("kind");
    for (LineKind kind : effectKinds)
        QTest::newRow(qPrintable(tableNameOf(kind))) << kind;
}

// A light line with the given red, green and blue texts.
QByteArray lightWith(const QByteArray& r, const QByteArray& g, const QByteArray& b)
{
    return "1, 0, 0, 0, " + r + ", " + g + ", " + b + ", 200, 0, a, b, 100, 12, 1, 8, 2, 3, 1, 0, 0";
}

} // namespace

class ColourTest : public QObject {
    Q_OBJECT

private slots:
    void typingCutsAt255_data() { addEffectKinds(); }
    void typingCutsAt255()
    {
        QFETCH(LineKind, kind);
        Session s;
        s.openNew(kind);
        QLineEdit* red = s.child(kind, "redField");
        QCOMPARE(red->maxLength(), 3);
        red->selectAll();
        QStringList seen;
        for (char digit : {'3', '0', '0'}) {
            QTest::keyClick(red, digit);
            seen << red->text();
        }
        QCOMPARE(seen, QStringList({"3", "30", "255"}));
        QCOMPARE(s.preview(kind).split(", ").value(4), QStringLiteral("255"));
        QCOMPARE(s.swatch(kind), QColor(255, 0, 0));
        // A fourth character is refused by the limit, without a beep.
        QTest::keyClick(red, '1');
        QCOMPARE(red->text(), QStringLiteral("255"));
        QCOMPARE(s.platform.count("beep"), 0);
    }

    void emptiedFieldHoldsZero_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("redField") << QByteArray("redField");
        QTest::newRow("greenField") << QByteArray("greenField");
        QTest::newRow("blueField") << QByteArray("blueField");
    }
    void emptiedFieldHoldsZero()
    {
        QFETCH(QByteArray, name);
        Session s;
        s.addRow(LineKind::Light, lightWith("9", "9", "9"));
        s.open(LineKind::Light, {0});
        QLineEdit* field = s.child(LineKind::Light, name.constData());
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("0"));
    }

    void keystrokeFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("letter") << "a"
                                << "7" << 1;
        QTest::newRow("minus") << "-"
                               << "7" << 1;
        QTest::newRow("comma") << ","
                               << "7" << 1;
        QTest::newRow("letter after a digit") << "1x"
                                              << "71" << 1;
        QTest::newRow("point") << "."
                               << "7." << 0;
        QTest::newRow("space") << " "
                               << "7 " << 0;
    }
    void keystrokeFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(int, beeps);
        Session s;
        s.openNew(LineKind::Sun);
        QLineEdit* green = s.child(LineKind::Sun, "greenField");
        s.setText(LineKind::Sun, "greenField", "7");
        green->end(false);
        QTest::keyClicks(green, typed);
        QCOMPARE(green->text(), expected);
        QCOMPARE(s.platform.count("beep"), beeps);
        // Shortcuts are not typing.
        QTest::keyClick(green, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(s.platform.count("beep"), beeps);
    }

    // Pasted or dropped text is filtered as keys are: one wrong character refuses all of it.
    void pastedTextIsFiltered_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters") << "abc"
                                 << "7";
        QTest::newRow("comma") << "1,5"
                               << "7";
        QTest::newRow("digit and letter") << "1x"
                                          << "7";
        QTest::newRow("digits") << "12"
                                << "255";
        QTest::newRow("point") << "."
                               << "7.";
    }
    void pastedTextIsFiltered()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        Session s;
        s.openNew(LineKind::Light);
        QLineEdit* red = s.child(LineKind::Light, "redField");
        QGuiApplication::clipboard()->setText(pasted);
        // Ctrl+V, then insert() as a drop inserts.
        for (bool dropped : {false, true}) {
            s.setText(LineKind::Light, "redField", "7");
            red->end(false);
            if (dropped)
                red->insert(pasted);
            else
                QTest::keyClick(red, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(red->text(), expected);
        }
    }

    // What the swatch takes and what the line keeps, for texts a row can hold.
    void swatchAndLine_data()
    {
        QTest::addColumn<QByteArray>("red");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("half to even, down") << QByteArray("12.5") << "12." << 12 << QByteArray("12.5");
        QTest::newRow("half to even, up") << QByteArray("13.5") << "13." << 14 << QByteArray("13.5");
        QTest::newRow("above 255") << QByteArray("300") << "255" << 255 << QByteArray("255");
        QTest::newRow("long above 255") << QByteArray("1000") << "255" << 255 << QByteArray("255");
        QTest::newRow("254.5") << QByteArray("254.5") << "254" << 254 << QByteArray("254.5");
        QTest::newRow("lone point") << QByteArray(".") << "." << 0 << QByteArray(".");
        QTest::newRow("leading zero") << QByteArray("0255") << "025" << 255 << QByteArray("0255");
    }
    void swatchAndLine()
    {
        QFETCH(QByteArray, red);
        QFETCH(QString, shown);
        QFETCH(int, level);
        QFETCH(QByteArray, written);
        Session s;
        s.addRow(LineKind::Light, lightWith(red, "0", "1"));
        s.open(LineKind::Light, {0});
        QCOMPARE(s.text(LineKind::Light, "redField"), shown);
        QCOMPARE(s.swatch(LineKind::Light), QColor(level, 0, 1));
        QCOMPARE(s.preview(LineKind::Light).split(", ").value(4), QString::fromLatin1(written));
        s.click(LineKind::Light, "confirmButton");
        QCOMPARE(s.row(LineKind::Light, 0).value(4), written);
    }

    void editingReleasesTheLongValue()
    {
        Session s;
        s.addRow(LineKind::Light, lightWith("12.5", "0", "0"));
        s.open(LineKind::Light, {0});
        s.type(LineKind::Light, "redField", "40");
        s.click(LineKind::Light, "confirmButton");
        QCOMPARE(s.row(LineKind::Light, 0).value(4), QByteArray("40"));
    }

    void spacesOnlyCountAsZeroButStayBlank()
    {
        Session s;
        s.addRow(LineKind::Light, lightWith("5", "5", "5"));
        s.open(LineKind::Light, {0});
        s.type(LineKind::Light, "blueField", " ");
        QCOMPARE(s.text(LineKind::Light, "blueField"), QStringLiteral(" "));
        QCOMPARE(s.swatch(LineKind::Light), QColor(5, 5, 0));
        s.click(LineKind::Light, "confirmButton");
        QCOMPARE(s.platform.messages(), QStringList({missingValue}));
        QCOMPARE(s.row(LineKind::Light, 0).value(6), QByteArray("5"));
    }

    void dialogSetsTheFields()
    {
        Session s;
        s.openNew(LineKind::PedArea);
        s.platform.colors << QColor(0, 0, 255);
        s.click(LineKind::PedArea, "changeColourButton");
        QCOMPARE(s.platform.requests.last().kind, QStringLiteral("color"));
        QCOMPARE(s.platform.requests.last().title, QStringLiteral("Light color"));
        QCOMPARE(s.platform.requests.last().text, QStringLiteral("#000000"));
        QCOMPARE(s.text(LineKind::PedArea, "redField"), QStringLiteral("0"));
        QCOMPARE(s.text(LineKind::PedArea, "greenField"), QStringLiteral("0"));
        QCOMPARE(s.text(LineKind::PedArea, "blueField"), QStringLiteral("255"));
        QCOMPARE(s.swatch(LineKind::PedArea), QColor(0, 0, 255));
        QCOMPARE(s.preview(LineKind::PedArea).split(", ").mid(4, 3), QStringList({"0", "0", "255"}));
    }

    void cancelledDialogChangesNothing()
    {
        Session s;
        s.addRow(LineKind::Light, lightWith("255", "128", "0"));
        s.open(LineKind::Light, {0});
        s.type(LineKind::Light, "blueField", "16");
        s.click(LineKind::Light, "changeColourButton");
        // The dialog opens on what the fields hold now.
        QCOMPARE(s.platform.requests.last().text, QStringLiteral("#ff8010"));
        QCOMPARE(s.text(LineKind::Light, "redField"), QStringLiteral("255"));
        QCOMPARE(s.text(LineKind::Light, "greenField"), QStringLiteral("128"));
        QCOMPARE(s.text(LineKind::Light, "blueField"), QStringLiteral("16"));
        QCOMPARE(s.swatch(LineKind::Light), QColor(255, 128, 16));
    }

    void unchangedColourKeepsTheDesignedSwatch()
    {
        Session s;
        s.addRow(LineKind::Light, lightWith("0", "0", "0"));
        s.open(LineKind::Light, {0});
        const QColor buttonFace =
            s.child<QFrame>(LineKind::Light, "colourSwatch")->palette().color(QPalette::Button);
        QCOMPARE(s.swatch(LineKind::Light), buttonFace);
        s.type(LineKind::Light, "greenField", "5");
        QCOMPARE(s.swatch(LineKind::Light), QColor(0, 5, 0));
    }
};

TARNEL_TEST_MAIN(ColourTest)
#include "test_editors_colour.moc"
