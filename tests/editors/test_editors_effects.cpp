#include "editortestkit.h"

using namespace tarnel;

using namespace ekit;

namespace {

// The text fields of each 2dfx editor in column order (the choice column left out), by kind.
QStringList textFieldsOf(LineKind kind)
{
    const QStringList head = {"objectIdField", "xField",     "yField",   "zField",
                              "redField",      "greenField", "blueField"};
    const QStringList unknowns = {"unknown1Field", "unknown2Field"};
    static const std::array<QStringList, lineKindCount> tails = {
        QStringList{},
        QStringList{},
        unknowns + QStringList{"coronaShapeField", "shadeField", "viewDistanceField", "outRangeField",
                               "lampSizeField", "inRangeField", "coronaSizeField", "wetReflectionsField",
                               "lensFlareField", "dustField"},
        QStringList{"sunViewDistanceField", "unknown1Field"},
        unknowns + QStringList{"unknownOut1Field", "unknownOut2Field", "unknownOut3Field", "particleSizeField"},
        unknowns + QStringList{"unknownDirection1Field", "unknownDirection2Field", "unknownDirection3Field",
                               "unknownDirection4Field", "unknownDirection5Field", "unknownDirection6Field"}};
    return tails[size_t(kind)].isEmpty() ? QStringList{} : head + tails[size_t(kind)];
}

struct Choice {
    const char* list;
    const char* box;
    int column;
};

// The choice column of the light, particle and ped editors, by kind.
Choice choiceOf(LineKind kind)
{
    const std::array<Choice, lineKindCount> choices = {{{},
                                                        {},
                                                        {"controlList", "customControlBox", 16},
                                                        {"areaTypeList", "customTypeBox", 9},
                                                        {"particleTypeList", "customTypeBox", 9},
                                                        {"areaTypeList", "customTypeBox", 9}}};
    return choices[size_t(kind)];
}

QByteArray withValue(LineKind kind, int column, const QByteArray& value)
{
    QList<QByteArray> line = values(sampleLine(kind));
    line[column] = value;
    return joined(line);
}

} // namespace

class EffectEditorTest : public QObject {
    Q_OBJECT

private slots:
    void designedValues_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QStringList>("unknowns");
        QTest::addColumn<QString>("boxText");
        QTest::newRow("light") << LineKind::Light << QStringList{"200", "0"} << "12";
        QTest::newRow("particle") << LineKind::Particle << QStringList{"200", "1"} << "7";
        QTest::newRow("sun") << LineKind::Sun << QStringList{"4"} << QString();
        QTest::newRow("ped") << LineKind::PedArea << QStringList{"120", "3"} << "4";
    }
    void designedValues()
    {
        QFETCH(LineKind, kind);
        QFETCH(QStringList, unknowns);
        QFETCH(QString, boxText);
        Session s;
        s.openNew(kind);
        QCOMPARE(s.child<QGroupBox>(kind, "frame")->title(), QStringLiteral("Parameters for new line"));
        QCOMPARE(s.text(kind, "unknown1Field"), unknowns.value(0));
        if (unknowns.size() > 1)
            QCOMPARE(s.text(kind, "unknown2Field"), unknowns.value(1));
        for (const char* colour : {"redField", "greenField", "blueField"})
            QCOMPARE(s.text(kind, colour), QStringLiteral("0"));
        QCOMPARE(s.preview(kind), QString());
        if (kind == LineKind::Sun)
            return;
        const Choice choice = choiceOf(kind);
        QCOMPARE(s.child<QComboBox>(kind, choice.list)->currentIndex(), -1);
        QCOMPARE(s.text(kind, choice.box), boxText);
        // Nothing is chosen, so the box does not count and cannot be typed into.
        QVERIFY(!s.child(kind, choice.box)->isEnabled());
    }

    void choiceColumnOnOpen_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<bool>("boxEnabled");
        QTest::addColumn<QString>("shown");
        const LineKind light = LineKind::Light, part = LineKind::Particle, ped = LineKind::PedArea;
        QTest::newRow("light 15") << light << QByteArray("15") << "12- And higher unknown"
                                  << "15" << true << "15";
        QTest::newRow("light 12") << light << QByteArray("12") << "12- And higher unknown"
                                  << "12" << true << "12";
        QTest::newRow("light 3") << light << QByteArray("3") << "3- flicker night"
                                 << "12" << false << "3";
        QTest::newRow("light 11") << light << QByteArray("11") << "11- random flicker at night"
                                  << "12" << false << "11";
        QTest::newRow("light 2.5 to even") << light << QByteArray("2.5") << "2- flicker day/night"
                                           << "12" << false << "2";
        QTest::newRow("light 3.5 to even") << light << QByteArray("3.5") << "4- blink 1 sec, day/night"
                                           << "12" << false << "4";
        QTest::newRow("light 11.4 rounds to 11") << light << QByteArray("11.4") << "11- random flicker at night"
                                                 << "12" << false << "11";
        QTest::newRow("light 11.5 rounds to custom 12") << light << QByteArray("11.5") << "12- And higher unknown"
                                                        << "11.5" << true << "11.5";
        QTest::newRow("light 11.6 beyond") << light << QByteArray("11.6") << "12- And higher unknown"
                                           << "11.6" << true << "11.6";
        QTest::newRow("light -1") << light << QByteArray("-1") << "12- And higher unknown"
                                  << "-1" << true << "-1";
        QTest::newRow("light letters") << light << QByteArray("ab") << "12- And higher unknown"
                                       << "ab" << true << "ab";
        QTest::newRow("light 015") << light << QByteArray("015") << "12- And higher unknown"
                                   << "015" << true << "15";
        QTest::newRow("particle 9") << part << QByteArray("9") << "x - Custom"
                                    << "9" << true << "9";
        QTest::newRow("particle 6") << part << QByteArray("6") << "6 - water fall down"
                                    << "7" << false << "6";
        QTest::newRow("particle 6.2") << part << QByteArray("6.2") << "6 - water fall down"
                                      << "7" << false << "6";
        QTest::newRow("particle -1") << part << QByteArray("-1") << "x - Custom"
                                     << "-1" << true << "-1";
        QTest::newRow("ped 6") << ped << QByteArray("6") << "4 - Uk and above"
                               << "6" << true << "6";
        QTest::newRow("ped 3") << ped << QByteArray("3") << "3 - display window"
                               << "4" << false << "3";
        QTest::newRow("ped 3.4") << ped << QByteArray("3.4") << "3 - display window"
                                 << "4" << false << "3";
        QTest::newRow("ped x") << ped << QByteArray("x") << "4 - Uk and above"
                               << "x" << true << "x";
    }
    void choiceColumnOnOpen()
    {
        QFETCH(LineKind, kind);
        QFETCH(QByteArray, value);
        QFETCH(QString, entry);
        QFETCH(QString, boxText);
        QFETCH(bool, boxEnabled);
        QFETCH(QString, shown);
        Session s;
        const Choice choice = choiceOf(kind);
        s.addRow(kind, withValue(kind, choice.column, value));
        s.open(kind, {0});
        QCOMPARE(s.child<QComboBox>(kind, choice.list)->currentText(), entry);
        QCOMPARE(s.text(kind, choice.box), boxText);
        QCOMPARE(s.child(kind, choice.box)->isEnabled(), boxEnabled);
        QCOMPARE(s.preview(kind).split(", ").value(choice.column), shown);
        // Confirming untouched writes a custom value back as it was.
        s.click(kind, "confirmButton");
        QCOMPARE(s.row(kind, 0).value(choice.column), boxEnabled ? value : shown.toLatin1());
    }

    // Choosing the custom entry enables its box; choosing another disables it and the index counts.
    void choosingEntries_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<int>("custom");
        QTest::addColumn<int>("other");
        QTest::newRow("light") << LineKind::Light << 12 << 3;
        QTest::newRow("particle") << LineKind::Particle << 7 << 5;
        QTest::newRow("ped") << LineKind::PedArea << 4 << 2;
    }
    void choosingEntries()
    {
        QFETCH(LineKind, kind);
        QFETCH(int, custom);
        QFETCH(int, other);
        Session s;
        const Choice choice = choiceOf(kind);
        s.addRow(kind, sampleLine(kind));
        s.open(kind, {0});
        auto* list = s.child<QComboBox>(kind, choice.list);
        list->setCurrentIndex(custom);
        QVERIFY(s.child(kind, choice.box)->isEnabled());
        s.type(kind, choice.box, "21");
        QCOMPARE(s.preview(kind).split(", ").value(choice.column), QStringLiteral("21"));
        list->setCurrentIndex(other);
        QVERIFY(!s.child(kind, choice.box)->isEnabled());
        QCOMPARE(s.text(kind, choice.box), QStringLiteral("21"));
        s.click(kind, "confirmButton");
        QCOMPARE(s.row(kind, 0).value(choice.column), QByteArray::number(other));
    }

    void blankCustomBoxRefuses_data() { choosingEntries_data(); }
    void blankCustomBoxRefuses()
    {
        QFETCH(LineKind, kind);
        QFETCH(int, custom);
        QFETCH(int, other);
        Session s;
        const Choice choice = choiceOf(kind);
        s.addRow(kind, sampleLine(kind));
        s.open(kind, {0});
        s.child<QComboBox>(kind, choice.list)->setCurrentIndex(custom);
        s.setText(kind, choice.box, " ");
        s.click(kind, "confirmButton");
        QCOMPARE(s.platform.messages(), QStringList({missingValue}));
        QCOMPARE(s.row(kind, 0), values(sampleLine(kind)));
        // A box that does not count is not tested.
        s.child<QComboBox>(kind, choice.list)->setCurrentIndex(other);
        s.click(kind, "confirmButton");
        QCOMPARE(s.platform.messages().size(), 1);
        QCOMPARE(s.row(kind, 0).value(choice.column), QByteArray::number(other));
    }

    void blankFieldRefuses_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QString>("name");
        for (LineKind kind : {LineKind::Light, LineKind::Particle, LineKind::Sun, LineKind::PedArea}) {
            for (const QString& name : textFieldsOf(kind))
                QTest::addRow("%s %s", qPrintable(tableNameOf(kind)), qPrintable(name)) << kind << name;
        }
    }
    void blankFieldRefuses()
    {
        QFETCH(LineKind, kind);
        QFETCH(QString, name);
        Session s;
        s.addRow(kind, sampleLine(kind));
        s.open(kind, {0});
        s.setText(kind, qPrintable(name), "  ");
        s.click(kind, "confirmButton");
        QCOMPARE(s.platform.messages(), QStringList({missingValue}));
        QCOMPARE(s.row(kind, 0), values(sampleLine(kind)));
        QVERIFY(s.host.editor(kind));
    }

    // Each editor writes every column of its table, keeps what lies beyond, and reports its own
    // way.
    void updateWritesTheLine_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QStringList>("statuses");
        QTest::newRow("light") << LineKind::Light << QStringList{"Light updated"};
        QTest::newRow("particle") << LineKind::Particle << QStringList{"Line updated"};
        QTest::newRow("sun") << LineKind::Sun << QStringList{"Line updated"};
        QTest::newRow("ped") << LineKind::PedArea << QStringList{"Line updated"};
    }
    void updateWritesTheLine()
    {
        QFETCH(LineKind, kind);
        QFETCH(QStringList, statuses);
        Session s;
        s.addRow(kind, sampleLine(kind));
        s.document.table(kind).appendRow(testKey, values(sampleLine(kind) + ", "));
        s.open(kind, {1});
        QCOMPARE(s.preview(kind), QString::fromLatin1(sampleLine(kind)));
        const QStringList names = textFieldsOf(kind);
        s.type(kind, "objectIdField", "# 42");
        s.type(kind, qPrintable(names.last()), " 9 ");
        s.click(kind, "confirmButton");
        QList<QByteArray> expected = values(sampleLine(kind) + ", ");
        expected.first() = "# 42";
        expected[expected.size() - 2] = " 9 ";
        QCOMPARE(s.row(kind, 1), expected);
        QCOMPARE(s.row(kind, 0), values(sampleLine(kind)));
        QCOMPARE(s.statuses, statuses);
        QVERIFY(s.document.isModified());
    }

    void newLineIsAdded_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("light") << LineKind::Light << "Add new" << QStringList{"New light added"}
                               << QByteArray("f, f, f, f, 0, 0, 0, 200, 0, f, f, f, f, f, f, f, -1, f, f, f");
        QTest::newRow("particle") << LineKind::Particle << "Add line" << QStringList{"New particle added"}
                                  << QByteArray("f, f, f, f, 0, 0, 0, 200, 1, -1, f, f, f, f");
        QTest::newRow("sun") << LineKind::Sun << "Add line" << QStringList{"Line added"}
                             << QByteArray("f, f, f, f, 0, 0, 0, f, 4");
        QTest::newRow("ped") << LineKind::PedArea << "Add line" << QStringList{"New line added"}
                             << QByteArray("f, f, f, f, 0, 0, 0, 120, 3, -1, f, f, f, f, f, f");
    }
    void newLineIsAdded()
    {
        QFETCH(LineKind, kind);
        QFETCH(QString, caption);
        QFETCH(QStringList, statuses);
        QFETCH(QByteArray, line);
        Session s;
        s.openNew(kind);
        QCOMPARE(s.child<QPushButton>(kind, "confirmButton")->text(), caption);
        QCOMPARE(s.editor(kind).mode(), LineEditor::Mode::Add);
        QCOMPARE(s.editor(kind).followedRow(), std::nullopt);
        for (const QString& name : textFieldsOf(kind)) {
            if (s.text(kind, qPrintable(name)).isEmpty())
                s.type(kind, qPrintable(name), "f");
        }
        s.click(kind, "confirmButton");
        QCOMPARE(joined(s.row(kind, 0)), line);
        QCOMPARE(s.statuses, statuses);
        QVERIFY(s.document.isModified());
        QVERIFY(!s.host.editor(kind));
    }
};

TARNEL_TEST_MAIN(EffectEditorTest)
#include "test_editors_effects.moc"
