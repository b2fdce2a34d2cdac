// The filter field and Go to ID, driven in the real window.
#include "windowtestkit.h"

#include "mainwindow/filterbar.h"
#include "mainwindow/sectionmodel.h"
#include "paste/pasteline.h"

#include <QLineEdit>

using namespace tarnel;

using namespace wkit;

namespace {

const QByteArray mixedFile = "objs\r\n2000, LampPost, generic, 1, 100, 0\r\n2050, BARREL, generic, 1, 50, 0\r\n"
                             "#2060, barrel_wet, generic, 1, 50, 0\r\n2100, crate, generic, 1, 50, 0\r\n"
                             "10,Fence , generic,1, 50,0\r\nend\r\n"
                             "tobj\r\n3000, neonSign, generic, 1, 100, 0, 20, 6\r\nend\r\n";

struct Filtered {
    Session s;
    MainWindow* w = nullptr;
    QLineEdit* field = nullptr;

    void open(const QByteArray& file)
    {
        s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
        const QString path = s.path(QStringLiteral("mixed.ide"));
        QVERIFY(putFile(path, file));
        w = &s.startShown(path);
        s.action("editFind")->trigger();
        field = s.child<QLineEdit>("filterField");
        QVERIFY(field && field->isVisible() && field->hasFocus());
    }

    QByteArrayList shownIds(LineKind kind) const
    {
        QByteArrayList ids;
        const QAbstractItemModel* model = w->view(kind)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            ids << model->index(row, 0).data().toString().toLatin1();
        return ids;
    }
};

} // namespace

class FilterTest : public QObject {
    Q_OBJECT
private slots:
    void matchingRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArrayList>("shown");
        QTest::addColumn<QString>("count");
        QTest::newRow("letters without case") << "barrel" << QByteArrayList{"2050", "#2060"} << "2 of 5 rows";
        QTest::newRow("in any value") << "GENERIC" << QByteArrayList{"2000", "2050", "#2060", "2100", "10"}
                                      << "5 of 5 rows";
        QTest::newRow("a number is an ID, not text") << "10" << QByteArrayList{"10"} << "1 of 5 rows";
        QTest::newRow("a number equal to a value")
            << "50" << QByteArrayList{"2050", "#2060", "2100", "10"} << "4 of 5 rows";
        QTest::newRow("a range, commented rows too")
            << "2050 - 2099" << QByteArrayList{"2050", "#2060"} << "2 of 5 rows";
        QTest::newRow("a range either way round")
            << "2100-2000" << QByteArrayList{"2000", "2050", "#2060", "2100"} << "4 of 5 rows";
        QTest::newRow("nothing") << "zzz" << QByteArrayList{} << "0 of 5 rows";
        QTest::newRow("across values, as joined") << "fence, gen" << QByteArrayList{"10"} << "1 of 5 rows";
        QTest::newRow("cleared") << "" << QByteArrayList{"2000", "2050", "#2060", "2100", "10"} << "";
    }

    void matchingRules()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArrayList, shown);
        QFETCH(QString, count);
        Filtered f;
        f.open(mixedFile);
        // Typed a letter at a time, as the filter narrows and widens on the way.
        QTest::keyClicks(f.field, QStringLiteral("b"));
        f.field->clear();
        QTest::keyClicks(f.field, typed);
        QCOMPARE(f.shownIds(LineKind::Object), shown);
        QCOMPARE(labelText(*f.w, "filterCount"), count);
        // The filter stays for the next table shown.
        f.w->selectSection(Section::TimedObjects);
        QCOMPARE(f.shownIds(LineKind::TimedObject).size(), typed.isEmpty() || typed == u"GENERIC" ? 1 : 0);
    }

    // Each keystroke shows the row matching by its ID, below 199 others matching by a value.
    void typingShowsTheFirstIdMatch()
    {
        const QString typed = QStringLiteral("150");
        QByteArray file = "objs\r\n";
        for (int id = 1; id <= 200; ++id)
            file += QByteArray::number(id) + ", o, t, 1, " + typed.toLatin1() + ", 0\r\n";
        Filtered f;
        f.open(file + "end\r\n");
        QTest::keyClicks(f.field, typed);
        const SectionView* objs = f.w->view(LineKind::Object);
        QCOMPARE(objs->model()->rowCount(), 200);
        QVERIFY(objs->viewport()->rect().contains(objs->visualRect(objs->model()->index(149, 0)).center()));
    }

    // Commands reach only the rows selected and shown; Esc shows all rows
    // again with the same selection; the saved file has just those commented.
    void commandsActOnTheShownSelection()
    {
        Filtered f;
        f.open(mixedFile);
        SectionView* objs = f.w->view(LineKind::Object);
        objs->selectAll(); // every row, before the filter hides some
        QTest::keyClicks(f.field, QStringLiteral("21"));
        QTest::keyClicks(f.field, QStringLiteral("00"));
        QCOMPARE(f.shownIds(LineKind::Object), QByteArrayList{"2100"});
        QTest::keyClick(f.field, Qt::Key_Return);
        QVERIFY(objs->hasFocus());
        QCOMPARE(objs->selectedRowNumbers(), QList<qsizetype>{3});
        f.s.action("objectsCommentOut")->trigger();
        QCOMPARE(firstValues(f.w->document(), LineKind::Object),
                 QByteArrayList({"2000", "2050", "#2060", "# 2100", "10"}));
        QCOMPARE(f.shownIds(LineKind::Object), QByteArrayList{"# 2100"});
        f.s.action("objectsDuplicate")->trigger();
        QCOMPARE(f.shownIds(LineKind::Object), QByteArrayList({"# 2100", "# 2100"}));
        QCOMPARE(objs->selectedRowNumbers(), QList<qsizetype>{3});
        // A line added while filtered is shown though it does not pass.
        QVERIFY(addPastedLine(f.w->document(), QStringLiteral("5, pipe, generic, 1, 10, 0")));
        QCOMPARE(f.shownIds(LineKind::Object), QByteArrayList({"# 2100", "# 2100", "5"}));
        f.field->setFocus();
        QTest::keyClick(f.field, Qt::Key_Escape);
        QVERIFY(!f.field->isVisible());
        QCOMPARE(objs->model()->rowCount(), 7);
        QCOMPARE(objs->selectedRowNumbers(), QList<qsizetype>{3});
    }

    void goToId_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("shownSection");
        QTest::addColumn<qsizetype>("row"); // -1: "No line with ID"
        QTest::newRow("in the shown table") << 0 << " 2100 "
                                            << "" << 0 << qsizetype(3);
        QTest::newRow("a commented row") << 0 << "2060"
                                         << "" << 0 << qsizetype(2);
        QTest::newRow("hidden by the filter") << 0 << "10"
                                              << "barrel" << 0 << qsizetype(4);
        QTest::newRow("only the shown table") << 0 << "3000"
                                              << "" << 0 << qsizetype(-1);
        QTest::newRow("paths look in the objects") << 2 << "10"
                                                   << "" << 0 << qsizetype(4);
        QTest::newRow("and in the timed objects") << 2 << "3000"
                                                  << "" << 1 << qsizetype(0);
        QTest::newRow("not a number") << 0 << "crate"
                                      << "" << 0 << qsizetype(-1);
    }

    void goToId()
    {
        QFETCH(int, section);
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(int, shownSection);
        QFETCH(qsizetype, row);
        Filtered f;
        f.open(mixedFile);
        QTest::keyClicks(f.field, filter);
        f.w->selectSection(Section(section));
        f.s.platform.typedTexts = {typed};
        f.s.action("editGoToId")->trigger();
        QCOMPARE(f.s.requestKinds().first(), QStringLiteral("text"));
        QCOMPARE(int(f.w->shownSection()), shownSection);
        if (row < 0) {
            QCOMPARE(f.s.platform.messages(), QStringList{QStringLiteral("No line with ID ") + typed.trimmed()});
            return;
        }
        QVERIFY(f.s.platform.messages().isEmpty());
        const LineKind kind = shownSection == 0 ? LineKind::Object : LineKind::TimedObject;
        QCOMPARE(f.w->view(kind)->selectedRowNumbers(), QList<qsizetype>{row});
        QCOMPARE(f.w->view(kind)->sectionModel()->tableRow(f.w->view(kind)->currentIndex().row()), row);
    }
};

TARNEL_TEST_MAIN(FilterTest)
#include "test_mainwindow_filter.moc"
