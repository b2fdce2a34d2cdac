// Object IDs more than one row uses, as the window marks them, counts them and
// steps through them; and the colour swatches of the 2dfx tables.
#include "windowtestkit.h"

#include "editors/editorhost.h"
#include "history/edithistory.h"
#include "mainwindow/filterbar.h"
#include "paste/pasteline.h"

#include <QPixmap>

using namespace tarnel;

using namespace wkit;

namespace {

// Objects 7 and 9 are used twice each, 7 across the two tables; the commented 9 counts for nothing.
const QByteArray twiceUsed = "objs\r\n7, a, t, 1, 10, 0\r\n8, b, t, 1, 10, 0\r\n9, c, t, 1, 10, 0\r\n"
                             "#9, d, t, 1, 10, 0\r\n9, e, t, 1, 10, 0\r\nend\r\n"
                             "tobj\r\n5, f, t, 1, 10, 0, 20, 6\r\n7, g, t, 1, 10, 0, 20, 6\r\nend\r\n";

MainWindow& openUnsorted(Session& s, const QByteArray& file)
{
    s.useSettings(QByteArray(defaultSettings).replace("sort=1", "sort=0"));
    const QString path = s.path(QStringLiteral("ids.ide"));
    putFile(path, file);
    return s.startShown(path);
}

// Each marked ID cell of the two tables as "table line: tooltip".
QStringList marks(MainWindow& w)
{
    QStringList found;
    for (LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        const QAbstractItemModel* model = w.view(kind)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex id = model->index(row, 0);
            if (id.data(Qt::BackgroundRole).isValid() || !id.data(Qt::ToolTipRole).toString().isEmpty())
                found << QStringLiteral("%1 %2: ").arg(int(kind)).arg(row + 1) +
                             id.data(Qt::ToolTipRole).toString();
        }
    }
    return found;
}

} // namespace

class DuplicatesTest : public QObject {
    Q_OBJECT
private slots:
    void marksFollowEveryChange()
    {
        Session s;
        MainWindow& w = openUnsorted(s, twiceUsed);
        // Each other use named by its line in the file.
        const QStringList loaded = {"0 1: Also used by line 10 of Timed objects",
                                    "0 3: Also used by line 6 of Objects", "0 5: Also used by line 4 of Objects",
                                    "1 2: Also used by line 2 of Objects"};
        // Worked out once the loaded file has been painted.
        QTRY_COMPARE(marks(w), loaded);
        QCOMPARE(labelText(w, "duplicateIdCount"), QStringLiteral("2"));

        // Commenting out one of the 9s leaves the other alone.
        w.view(LineKind::Object)->clearSelection();
        w.view(LineKind::Object)->selectRow(2);
        s.action("objectsCommentOut")->trigger();
        QCOMPARE(marks(w), QStringList({loaded[0], loaded[3]}));
        QCOMPARE(labelText(w, "duplicateIdCount"), QStringLiteral("1"));

        // A pasted timed object makes a third use of 7, in the other table.
        QVERIFY(addPastedLine(w.document(), QStringLiteral("7, h, t, 1, 10, 0, 20, 6")));
        QCOMPARE(w.view(LineKind::TimedObject)->model()->headerData(2, Qt::Vertical).toString(), QString()); // new
        QTRY_COMPARE(marks(w),
                     QStringList({"0 1: Also used by line 10 of Timed objects\n"
                                  "Also used by a new line of Timed objects",
                                  "1 2: Also used by line 2 of Objects\nAlso used by a new line of Timed objects",
                                  "1 3: Also used by line 2 of Objects\nAlso used by line 10 of Timed objects"}));

        EditHistory::of(w.document()).stack().undo();
        EditHistory::of(w.document()).stack().undo();
        QCOMPARE(marks(w), loaded);
        QCOMPARE(labelText(w, "duplicateIdCount"), QStringLiteral("2"));
        // A row's header and its editor's step name its line in the file too.
        QCOMPARE(w.view(LineKind::TimedObject)->model()->headerData(1, Qt::Vertical).toString(),
                 QStringLiteral("10"));
        w.editors()->openRows(LineKind::TimedObject, {1});
        w.editors()->editor(LineKind::TimedObject)->findChild<QPushButton*>("confirmButton")->click();
        QCOMPARE(EditHistory::of(w.document()).stack().undoText(), QStringLiteral("Change line 10"));
    }

    void nextDuplicateSteps_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("objects, then round")
            << twiceUsed << 0 << QString() << QStringList{"0 3", "0 5", "0 1", "0 3"}; // from row 1, current
        QTest::newRow("from the timed objects") << twiceUsed << 1 << QString() << QStringList{"1 2", "1 2"};
        QTest::newRow("only the rows shown") << twiceUsed << 0 << "a" << QStringList{"0 1", "0 1"};
        QTest::newRow("the other table when the shown has none")
            << twiceUsed << 1 << "c" << QStringList{"0 3", "0 3"};
        QTest::newRow("none anywhere") << QByteArray("objs\r\n1, a, t, 1, 10, 0\r\nend\r\n") << 0 << QString()
                                       << QStringList{"No duplicate IDs"};
    }
    void nextDuplicateSteps()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, section);
        QFETCH(QString, filter);
        QFETCH(QStringList, stops);
        Session s;
        MainWindow& w = openUnsorted(s, file);
        w.selectSection(Section(section));
        w.filterBar()->setText(filter);
        QStringList found;
        for (qsizetype step = 0; step < stops.size(); ++step) {
            s.action("editNextDuplicateId")->trigger();
            if (w.statusText() == QStringLiteral("No duplicate IDs")) {
                found << w.statusText();
                continue;
            }
            const SectionView* shown =
                w.view(w.shownSection() == Section::Objects ? LineKind::Object : LineKind::TimedObject);
            QCOMPARE(shown->selectedRowNumbers().size(), 1);
            found << QStringLiteral("%1 %2").arg(int(w.shownSection())).arg(shown->selectedRowNumbers()[0] + 1);
        }
        QCOMPARE(found, stops);
    }

    void colourSwatch_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QColor>("swatch");
        QTest::newRow("as written") << "135, 59, 8" << QColor(135, 59, 8);
        QTest::newRow("halves to even, no number is 0") << "12.5, 13.5, abc" << QColor(12, 14, 0);
        QTest::newRow("held to 0..255") << "-4, 300, 1e2" << QColor(0, 255, 100);
    }
    void colourSwatch()
    {
        QFETCH(QString, colour);
        QFETCH(QColor, swatch);
        Session s;
        MainWindow& w = openUnsorted(s, "objs\r\nend\r\n");
        QVERIFY(addPastedLine(w.document(), QStringLiteral("7, 1, 2, 3, %1, 200, 1").arg(colour)));
        const QAbstractItemModel* sun = w.view(LineKind::Sun)->model();
        const QImage image = sun->index(0, 4).data(Qt::DecorationRole).value<QPixmap>().toImage();
        QCOMPARE(image.pixelColor(image.rect().center()), swatch);
        QVERIFY(!sun->index(0, 5).data(Qt::DecorationRole).isValid());
    }
};

TARNEL_TEST_MAIN(DuplicatesTest)
#include "test_mainwindow_duplicates.moc"
