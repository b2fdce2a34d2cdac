#include "editortestkit.h"

using namespace tarnel;

using namespace ekit;

namespace {

const char* const objectFields[] = {"objectIdField",     "objectNameField", "textureFileField", "objectCountField",
                                    "drawDistanceField", "parametersField", "timeOnField",      "timeOffField"};

void addObjectKinds()
{
    QTest::addColumn<LineKind>("kind");
    QTest::newRow("objs") << LineKind::Object;
    QTest::newRow("tobj") << LineKind::TimedObject;
}

} // namespace

class ObjectEditorTest : public QObject {
    Q_OBJECT

private slots:
    void opensTheRow_data() { addObjectKinds(); }
    void opensTheRow()
    {
        QFETCH(LineKind, kind);
        Session s;
        s.addRow(kind, "1, first, a, 1, 10, 0, 1, 2");
        s.addRow(kind, sampleLine(kind));
        s.open(kind, {1});
        const QList<QByteArray> expected = values(sampleLine(kind));
        for (int column = 0; column < expected.size(); ++column)
            QCOMPARE(s.text(kind, objectFields[column]), QString::fromLatin1(expected[column]));
        QCOMPARE(s.preview(kind), QString::fromLatin1(sampleLine(kind)));
        // The preview shows the start of the line, where the ID is, after every rebuild.
        QCOMPARE(s.child(kind, "preview")->cursorPosition(), 0);
        s.type(kind, "parametersField", "7");
        QCOMPARE(s.child(kind, "preview")->cursorPosition(), 0);
        QCOMPARE(s.child<QGroupBox>(kind, "frame")->title(), QStringLiteral("Parameters for line [ 2 ]"));
        QCOMPARE(s.editor(kind).followedRow(), std::optional<qsizetype>(1));
        QCOMPARE(s.editor(kind).mode(), LineEditor::Mode::Edit);
    }

    // Every field, blank or spaces only, stops the confirm with the one message.
    void blankFieldRefuses_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("blank");
        for (int column = 0; column < 8; ++column) {
            const LineKind kind = column < 6 ? LineKind::Object : LineKind::TimedObject;
            QTest::addRow("%s empty", objectFields[column]) << kind << column << QString();
            QTest::addRow("%s spaces", objectFields[column]) << kind << column << QStringLiteral("   ");
        }
        // Each draw distance is a value of its own.
        QTest::newRow("empty draw distance") << LineKind::Object << 4 << QStringLiteral("20,,40");
        QTest::newRow("trailing comma") << LineKind::TimedObject << 4 << QStringLiteral("20, 40,");
    }
    void blankFieldRefuses()
    {
        QFETCH(LineKind, kind);
        QFETCH(int, column);
        QFETCH(QString, blank);
        Session s;
        s.addRow(kind, sampleLine(kind));
        s.open(kind, {0});
        s.setText(kind, objectFields[column], blank);
        s.click(kind, "confirmButton");
        QCOMPARE(s.platform.messages(), QStringList({missingValue}));
        QCOMPARE(s.platform.requests.last().title, QStringLiteral("Tarnel"));
        QCOMPARE(s.platform.requests.last().icon, Platform::Icon::Information);
        QCOMPARE(s.row(kind, 0), values(sampleLine(kind)));
        QVERIFY(s.host.editor(kind));
        QVERIFY(!s.document.isModified());
        QVERIFY(s.statuses.isEmpty());
    }

    // The fields hold the cells: every draw distance in one field, the flags in "Parameters",
    // no mesh count in the later layout. Confirming splits the draw distances again.
    void fieldsFollowTheCells_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QByteArrayList>("table");
        QTest::addColumn<QStringList>("opened"); // object count, draw distance, parameters
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("warning");
        const auto add = [](const char* name, LineKind kind, const QByteArrayList& table,
                            const QStringList& opened, const char* field, const QString& typed,
                            const QByteArray& stored, const QString& warning = QString()) {
            QTest::newRow(name) << kind << table << opened << QByteArray(field) << typed << stored << warning;
        };
        const LineKind objs = LineKind::Object;
        const LineKind tobj = LineKind::TimedObject;
        const QByteArray one = "1200, barrel, props, 1, 150, 0";
        const QByteArray two = "1405, wheel_rim, generic, 2, 20, 40, 0";
        const QByteArray three = "1406, rim3, generic, 3, 10, 20, 30, 0";
        const QByteArray timedTwo = "1301, lamp2, street, 2, 90, 150, 0, 20, 6";
        add("one mesh, flags", objs, {one}, {"1", "150", "0"}, "parametersField", "4",
            "1200, barrel, props, 1, 150, 4");
        add("one mesh, two distances", objs, {one}, {"1", "150", "0"}, "drawDistanceField", "5 ,6",
            "1200, barrel, props, 1, 5, 6, 0", "1 mesh, 2 draw distances");
        add("count not whole", objs, {one}, {"1", "150", "0"}, "objectCountField", "2.5",
            "1200, barrel, props, 2.5, 150, 0");
        add("two meshes, flags", objs, {two}, {"2", "20, 40", "0"}, "parametersField", "8",
            "1405, wheel_rim, generic, 2, 20, 40, 8");
        add("two meshes, distances", objs, {two}, {"2", "20, 40", "0"}, "drawDistanceField", "25, 45",
            "1405, wheel_rim, generic, 2, 25, 45, 0");
        add("three meshes, two distances", objs, {three}, {"3", "10, 20, 30", "0"}, "drawDistanceField", "10,20",
            "1406, rim3, generic, 3, 10, 20, 0", "3 meshes, 2 draw distances");
        add("later layout", objs, {"400, hut, oc, 300, 4", "401, b, oc, 200, 0"}, {"", "300", "4"},
            "parametersField", "1", "400, hut, oc, 300, 1");
        add("five values among six", objs, {"400, hut, oc, 1, 300", one}, {"1", "300", ""}, "parametersField", "0",
            "400, hut, oc, 1, 300, 0");
        add("timed one mesh", tobj, {sampleLine(tobj)}, {"1", "90", "0"}, "parametersField", "3",
            "1300, lamp, street, 1, 90, 3, 20, 6");
        add("timed two meshes", tobj, {timedTwo}, {"2", "90, 150", "0"}, "drawDistanceField", "95, 155",
            "1301, lamp2, street, 2, 95, 155, 0, 20, 6");
        add("timed two meshes, one distance", tobj, {timedTwo}, {"2", "90, 150", "0"}, "drawDistanceField", "95",
            "1301, lamp2, street, 2, 95, 0, 20, 6", "2 meshes, 1 draw distance");
        add("timed later layout", tobj, {"1302, lamp3, street, 90, 4, 20, 6"}, {"", "90", "4"}, "parametersField",
            "5", "1302, lamp3, street, 90, 5, 20, 6");
    }
    void fieldsFollowTheCells()
    {
        QFETCH(LineKind, kind);
        QFETCH(QByteArrayList, table);
        QFETCH(QStringList, opened);
        QFETCH(QByteArray, field);
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        QFETCH(QString, warning);
        Session s;
        s.readRows(kind, table);
        s.open(kind, {0});
        const char* cells[] = {"objectCountField", "drawDistanceField", "parametersField"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(s.text(kind, cells[i]), opened[i]);
        QCOMPARE(s.child(kind, "objectCountField")->isEnabled(), !opened[0].isEmpty());
        QCOMPARE(s.child<QLabel>(kind, "meshWarning")->text(), QString());
        s.type(kind, field.constData(), typed);
        QCOMPARE(s.child<QLabel>(kind, "meshWarning")->text(), warning);
        QCOMPARE(s.preview(kind), QString::fromLatin1(stored));
        s.click(kind, "confirmButton");
        QCOMPARE(s.platform.messages(), QStringList());
        QCOMPARE(joined(s.row(kind, 0)), stored);
    }

    void updateWritesItsColumnsAndKeepsTheRest()
    {
        Session s;
        // An objs line may carry more values than the table's six columns.
        s.document.table(LineKind::Object).appendRow(testKey, values("7, old, tex, 1, 30, 0, extra"));
        s.open(LineKind::Object, {0});
        s.type(LineKind::Object, "objectNameField", " new name ");
        s.click(LineKind::Object, "confirmButton");
        QList<QByteArray> expected = values("7, old, tex, 1, 30, 0, extra");
        expected[1] = " new name ";
        QCOMPARE(s.row(LineKind::Object, 0), expected);
        QCOMPARE(s.statuses, QStringList({"Line updated"}));
        QVERIFY(s.document.isModified());
        QVERIFY(!s.host.editor(LineKind::Object));
    }

    void shortRowGetsTheFullSet()
    {
        Session s;
        s.document.table(LineKind::TimedObject).appendRow(testKey, values("5, tree, tex, 1"));
        s.open(LineKind::TimedObject, {0});
        QCOMPARE(s.text(LineKind::TimedObject, "drawDistanceField"), QString());
        QCOMPARE(s.preview(LineKind::TimedObject), QStringLiteral("5, tree, tex, 1, , , , "));
        const char* rest[] = {"drawDistanceField", "parametersField", "timeOnField", "timeOffField"};
        for (const char* name : rest)
            s.type(LineKind::TimedObject, name, "9");
        s.click(LineKind::TimedObject, "confirmButton");
        QCOMPARE(s.row(LineKind::TimedObject, 0), values("5, tree, tex, 1, 9, 9, 9, 9"));
    }

    // A table read in the later layout gets new lines without a mesh count.
    void newLineIsAdded_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("added");
        QTest::newRow("objs") << LineKind::Object << sampleLine(LineKind::Object)
                              << QByteArray("0, 11, 22, 33, 44, 55");
        QTest::newRow("tobj") << LineKind::TimedObject << sampleLine(LineKind::TimedObject)
                              << QByteArray("0, 11, 22, 33, 44, 55, 66, 77");
        QTest::newRow("objs later layout")
            << LineKind::Object << QByteArray("400, hut, oc, 300, 4") << QByteArray("0, 11, 22, 44, 55");
        QTest::newRow("tobj later layout") << LineKind::TimedObject << QByteArray("401, lamp, oc, 90, 4, 20, 6")
                                           << QByteArray("0, 11, 22, 44, 55, 66, 77");
    }
    void newLineIsAdded()
    {
        QFETCH(LineKind, kind);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, added);
        Session s;
        s.readRows(kind, {line});
        s.openNew(kind);
        QCOMPARE(s.child<QGroupBox>(kind, "frame")->title(), QStringLiteral("Parameters for new line"));
        QCOMPARE(s.child<QPushButton>(kind, "confirmButton")->text(), QStringLiteral("Add line"));
        QCOMPARE(s.preview(kind), QString());
        const int count = fieldCountOf(kind);
        for (int column = 0; column < count; ++column) {
            if (s.child(kind, objectFields[column])->isEnabled())
                s.type(kind, objectFields[column], QString::number(column * 11));
        }
        QCOMPARE(s.preview(kind), QString::fromLatin1(added));
        s.click(kind, "confirmButton");
        QCOMPARE(s.document.table(kind).rowCount(), 2);
        QCOMPARE(joined(s.row(kind, 1)), added);
        QCOMPARE(s.statuses, QStringList({"New line added"}));
        QVERIFY(s.document.isModified());
    }

    void commentedRowKeepsItsMark()
    {
        Session s;
        s.document.table(LineKind::Object).appendRow(testKey, values("# 300, rock, tex, 1, 80, 0"));
        s.open(LineKind::Object, {0});
        QCOMPARE(s.text(LineKind::Object, "objectIdField"), QStringLiteral("# 300"));
        s.type(LineKind::Object, "drawDistanceField", "99");
        s.click(LineKind::Object, "confirmButton");
        QCOMPARE(s.row(LineKind::Object, 0), values("# 300, rock, tex, 1, 99, 0"));
        QVERIFY(s.document.table(LineKind::Object).rows().isCommented(0));
    }

    void cancelWritesNothing()
    {
        Session s;
        s.openNew(LineKind::Object);
        s.type(LineKind::Object, "objectIdField", "1");
        s.click(LineKind::Object, "cancelButton");
        QCOMPARE(s.document.table(LineKind::Object).rowCount(), 0);
        QVERIFY(!s.document.isModified());
        QVERIFY(s.statuses.isEmpty());
        QVERIFY(!s.host.editor(LineKind::Object));
    }

    // Latin-1 goes to the file byte for byte; anything beyond is refused by name, and so is a
    // comma in any field of any editor, custom boxes included, as it would split the value.
    void valuesOutsideLatin1AreRefused_data()
    {
        QTest::addColumn<LineKind>("kind");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        const QString latin1 = QStringLiteral(" holds characters that an IDE file cannot store.");
        const QString comma = QStringLiteral(" holds a comma, which an IDE file reads as the end of a value.");
        const LineKind objs = LineKind::Object;
        QTest::newRow("e acute") << objs << QByteArray("objectNameField") << "caf\u00e9" << QString();
        QTest::newRow("euro sign") << objs << QByteArray("objectNameField") << "5\u20ac"
                                   << "\"Object name\"" + latin1;
        QTest::newRow("cjk") << objs << QByteArray("objectNameField") << "\u6728"
                             << "\"Object name\"" + latin1;
        QTest::newRow("comma in parameters") << objs << QByteArray("parametersField") << "100,150"
                                             << "\"Parameters\"" + comma;
        QTest::newRow("comma in time off") << LineKind::TimedObject << QByteArray("timeOffField") << ","
                                           << "\"Time off\"" + comma;
        QTest::newRow("comma in lamp size") << LineKind::Light << QByteArray("lampSizeField") << "1,5"
                                            << "\"Lamp size\"" + comma;
        QTest::newRow("comma in custom control") << LineKind::Light << QByteArray("customControlBox") << "1,2"
                                                 << "\"Custum control\"" + comma;
        QTest::newRow("comma in particle type") << LineKind::Particle << QByteArray("customTypeBox") << "9,"
                                                << "\"Particle type\"" + comma;
        QTest::newRow("comma in area type") << LineKind::PedArea << QByteArray("customTypeBox") << ",4"
                                            << "\"Area type\"" + comma;
        QTest::newRow("comma in sun distance") << LineKind::Sun << QByteArray("sunViewDistanceField") << "2,5"
                                               << "\"View distance\"" + comma;
    }
    void valuesOutsideLatin1AreRefused()
    {
        QFETCH(LineKind, kind);
        QFETCH(QByteArray, field);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        Session s;
        s.addRow(kind, sampleLine(kind));
        QWidget* editor = s.open(kind, {0});
        // A custom box counts only with its list's last entry chosen.
        if (field.startsWith("cust")) {
            auto* list = editor->findChild<QComboBox*>();
            list->setCurrentIndex(list->count() - 1);
        }
        s.type(kind, field.constData(), typed);
        s.click(kind, "confirmButton");
        if (!refusal.isEmpty()) {
            QCOMPARE(s.platform.messages(), QStringList({"The field " + refusal}));
            QCOMPARE(s.platform.requests.last().title, QStringLiteral("Tarnel"));
            QCOMPARE(s.platform.requests.last().icon, Platform::Icon::Information);
            QCOMPARE(s.row(kind, 0), values(sampleLine(kind)));
            QVERIFY(s.host.editor(kind));
        } else {
            QCOMPARE(s.platform.messages(), QStringList());
            QCOMPARE(s.row(kind, 0).value(1), typed.toLatin1());
        }
    }
};

TARNEL_TEST_MAIN(ObjectEditorTest)
#include "test_editors_objects.moc"
