#include "editortestkit.h"

using namespace ekit;

namespace {

const char* const objectFields[] = {"objectid",     "objectname", "texturefile", "objectcount",
                                    "drawdistance", "param",      "timeon",      "timeoff"};

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
        QCOMPARE(s.child<QGroupBox>(kind, "Frame1")->title(),
                 QStringLiteral("Parameters for line [ 2 ]"));
        QCOMPARE(s.text(kind, "lineno"), QStringLiteral("2"));
        QCOMPARE(s.text(kind, "isNew"), QStringLiteral("0"));
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
            QTest::addRow("%s spaces", objectFields[column])
                << kind << column << QStringLiteral("   ");
        }
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
        s.click(kind, "Command1");
        QCOMPARE(s.platform.messages(), QStringList({missingValue}));
        QCOMPARE(s.platform.requests.last().title, QStringLiteral("Tarnel"));
        QCOMPARE(s.platform.requests.last().icon, Platform::Icon::Information);
        QCOMPARE(s.row(kind, 0), values(sampleLine(kind)));
        QVERIFY(s.host.editor(kind));
        QVERIFY(!s.document.fileChanges());
        QVERIFY(s.statuses.isEmpty());
    }

    void updateWritesItsColumnsAndKeepsTheRest()
    {
        Session s;
        // An objs line may carry more values than the table's six columns.
        s.document.table(LineKind::Object).appendRow(values("7, old, tex, 1, 30, 0, extra"));
        s.open(LineKind::Object, {0});
        s.type(LineKind::Object, "objectname", " new name ");
        s.click(LineKind::Object, "Command1");
        QList<QByteArray> expected = values("7, old, tex, 1, 30, 0, extra");
        expected[1] = " new name ";
        QCOMPARE(s.row(LineKind::Object, 0), expected);
        QCOMPARE(s.statuses, QStringList({"Line updated"}));
        QVERIFY(s.document.fileChanges());
        QVERIFY(!s.host.editor(LineKind::Object));
    }

    void shortRowGetsTheFullSet()
    {
        Session s;
        s.document.table(LineKind::TimedObject).appendRow(values("5, tree, tex, 1"));
        s.open(LineKind::TimedObject, {0});
        QCOMPARE(s.text(LineKind::TimedObject, "drawdistance"), QString());
        QCOMPARE(s.preview(LineKind::TimedObject), QStringLiteral("5, tree, tex, 1, , , , "));
        const char* rest[] = {"drawdistance", "param", "timeon", "timeoff"};
        for (const char* name : rest)
            s.type(LineKind::TimedObject, name, "9");
        s.click(LineKind::TimedObject, "Command1");
        QCOMPARE(s.row(LineKind::TimedObject, 0), values("5, tree, tex, 1, 9, 9, 9, 9"));
    }

    void newLineIsAdded_data() { addObjectKinds(); }
    void newLineIsAdded()
    {
        QFETCH(LineKind, kind);
        Session s;
        s.addRow(kind, sampleLine(kind));
        s.openNew(kind);
        QCOMPARE(s.child<QGroupBox>(kind, "Frame1")->title(),
                 QStringLiteral("Parameters for new line"));
        QCOMPARE(s.child<QPushButton>(kind, "Command1")->text(), QStringLiteral("Add line"));
        QCOMPARE(s.preview(kind), QString());
        const int count = fieldCountOf(kind);
        for (int column = 0; column < count; ++column)
            s.type(kind, objectFields[column], QString::number(column * 11));
        s.click(kind, "Command1");
        QCOMPARE(s.document.table(kind).rowCount(), 2);
        QCOMPARE(joined(s.row(kind, 1)), count == 6 ? QByteArray("0, 11, 22, 33, 44, 55")
                                                    : QByteArray("0, 11, 22, 33, 44, 55, 66, 77"));
        QCOMPARE(s.statuses, QStringList({"New line added"}));
        QVERIFY(s.document.fileChanges());
    }

    void commentedRowKeepsItsMark()
    {
        Session s;
        s.document.table(LineKind::Object).appendRow(values("# 300, rock, tex, 1, 80, 0"));
        s.open(LineKind::Object, {0});
        QCOMPARE(s.text(LineKind::Object, "objectid"), QStringLiteral("# 300"));
        s.type(LineKind::Object, "drawdistance", "99");
        s.click(LineKind::Object, "Command1");
        QCOMPARE(s.row(LineKind::Object, 0), values("# 300, rock, tex, 1, 99, 0"));
        QVERIFY(s.document.table(LineKind::Object).rows().isCommented(0));
    }

    void cancelWritesNothing()
    {
        Session s;
        s.openNew(LineKind::Object);
        s.type(LineKind::Object, "objectid", "1");
        s.click(LineKind::Object, "Command2");
        QCOMPARE(s.document.table(LineKind::Object).rowCount(), 0);
        QVERIFY(!s.document.fileChanges());
        QVERIFY(s.statuses.isEmpty());
        QVERIFY(!s.host.editor(LineKind::Object));
    }

    // Latin-1 goes to the file byte for byte; anything beyond is refused by name.
    void valuesOutsideLatin1AreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("e acute") << QStringLiteral("caf\u00e9") << false;
        QTest::newRow("euro sign") << QStringLiteral("5\u20ac") << true;
        QTest::newRow("cjk") << QStringLiteral("\u6728") << true;
    }
    void valuesOutsideLatin1AreRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        Session s;
        s.addRow(LineKind::Object, sampleLine(LineKind::Object));
        s.open(LineKind::Object, {0});
        s.type(LineKind::Object, "objectname", name);
        s.click(LineKind::Object, "Command1");
        if (refused) {
            QCOMPARE(
                s.platform.messages(),
                QStringList(
                    {"The field \"Object name\" holds characters that an IDE file cannot store."}));
            QCOMPARE(s.row(LineKind::Object, 0), values(sampleLine(LineKind::Object)));
            QVERIFY(s.host.editor(LineKind::Object));
        } else {
            QCOMPARE(s.platform.messages(), QStringList());
            QCOMPARE(s.row(LineKind::Object, 0).value(1), name.toLatin1());
        }
    }
};

QTEST_MAIN(ObjectEditorTest)
#include "test_editors_objects.moc"
