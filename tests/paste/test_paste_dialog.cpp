#include "pastetestkit.h"

#include "document/idedocument.h"
#include "history/edithistory.h"
#include "paste/pastelinedialog.h"
#include "platform/scriptedplatform.h"
#include "support/childlookup.h"

#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <numeric>

using namespace tarnel;

using pkit::rowsInAllTables;

namespace {

const QString objectLine = QStringLiteral("1,tree,tex,1,100,0");
const QString unknownFormatText = QStringLiteral("Line format unknown.\r\nUnknown");
const QString notStorableText = QStringLiteral("The line holds characters that an IDE file cannot store.");

// The caption for each comma count, written out here rather than taken from the code under test.
QString captionFor(int commas, bool trailingComma = false)
{
    // A trailing comma does not count while the count before it names a 2dfx kind.
    if (trailingComma && (commas == 9 || commas == 14 || commas == 16))
        return captionFor(commas - 1);
    switch (commas) {
    case 9: return QStringLiteral("Timed object line");
    case 4: // the later layout, open to an empty table
    case 5: return QStringLiteral("Object line");
    case 6:
    case 7: return QStringLiteral("Timed object line");
    case 8: return QStringLiteral("Sun line");
    case 13: return QStringLiteral("Particle line");
    case 15: return QStringLiteral("Ped line");
    case 19: return QStringLiteral("Light line");
    default: return QStringLiteral("Unknown");
    }
}

QString piecesLine(int count)
{
    QStringList pieces;
    for (int i = 0; i < count; ++i)
        pieces << QString::number(i * 7);
    return pieces.join(QLatin1Char(','));
}

// A document, a scripted desktop with the given clipboard, and the dialog over them.
struct Session {
    IdeDocument document;
    ScriptedPlatform platform;
    std::unique_ptr<PasteLineDialog> dialog;

    explicit Session(const QString& clipboard)
    {
        platform.clipboard = clipboard;
        dialog = std::make_unique<PasteLineDialog>(document, platform);
    }
    support::ChildLookup children;
    template <typename T> T* child(const char* name) const { return children.find<T>(dialog.get(), name); }
    QLineEdit* line() const { return child<QLineEdit>("pastedLine"); }
    QPlainTextEdit* box() const { return child<QPlainTextEdit>("pastedLines"); }
    // Rows per table, in the tables' order.
    QList<int> rowCounts() const
    {
        QList<int> counts;
        for (LineKind kind : allLineKinds)
            counts << int(document.table(kind).rowCount());
        return counts;
    }
    QString kindCaption() const { return child<QLabel>("kindLabel")->text(); }
    void click(const char* button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
};

} // namespace

class PasteLineDialogTest : public QObject {
    Q_OBJECT

private slots:
    void controls();
    void showsClipboard_data();
    void showsClipboard();
    void typingUpdatesKindEveryKeystroke();
    void deletingCommaLosesKind();
    void choosesAmongFittingKinds();
    void addLineAddsRow_data();
    void addLineAddsRow();
    void enterAddsLine();
    void unknownLineAddsNothing_data();
    void unknownLineAddsNothing();
    void cancelTouchesNothing();
    void unstorableLineRefused_data();
    void unstorableLineRefused();
    void severalLines_data();
    void severalLines();
};

void PasteLineDialogTest::controls()
{
    Session s{QString()};
    PasteLineDialog& d = *s.dialog;
    QCOMPARE(d.objectName(), QString("pasteLineDialog"));
    QCOMPARE(d.windowTitle(), QString("Paste line"));
    QVERIFY(d.isModal());

    QCOMPARE(s.child<QLabel>("pasteHeading")->text(), QString("New line..."));
    QCOMPARE(s.child<QLabel>("kindCaption")->text(), QString("Line type:"));
    QCOMPARE(s.child<QPushButton>("addLineButton")->text(), QString("Add line"));
    QCOMPARE(s.child<QPushButton>("cancelLineButton")->text(), QString("Cancel"));
    QVERIFY(s.child<QPushButton>("addLineButton")->isDefault());
    QVERIFY(!s.child<QPushButton>("cancelLineButton")->isDefault());

    auto* kind = s.child<QLabel>("kindLabel");
    QCOMPARE(kind->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
    for (const char* name : {"pasteHeading", "kindLabel", "kindCaption"})
        QCOMPARE(s.child<QLabel>(name)->font().family(), QString("Verdana"));

    // Top to bottom: heading, type row, line, buttons.
    d.show();
    const auto top = [&](const char* name) { return s.child<QWidget>(name)->geometry().top(); };
    QVERIFY(top("pasteHeading") < top("kindCaption"));
    QCOMPARE(top("kindCaption"), top("kindLabel"));
    QVERIFY(top("kindLabel") < top("pastedLine"));
    QVERIFY(top("pastedLine") < top("addLineButton"));
    QCOMPARE(top("addLineButton"), top("cancelLineButton"));
}

void PasteLineDialogTest::showsClipboard_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("commas");
    QTest::addColumn<QString>("caption");
    QTest::newRow("empty") << QString() << QString() << -1 << "Unknown";
    QTest::newRow("object") << objectLine << objectLine << 5 << "Object line";
    QTest::newRow("sun") << piecesLine(9) << piecesLine(9) << 8 << "Sun line";
    QTest::newRow("ped area") << piecesLine(16) << piecesLine(16) << 15 << "Ped line";
    QTest::newRow("words") << "some text"
                           << "some text" << 0 << "Unknown";
    QTest::newRow("copied with its line break") << objectLine + "\r\n" << objectLine << 5 << "Object line";
    QTest::newRow("long last value") << objectLine + QString(40000, u'9') << objectLine + QString(40000, u'9') << 5
                                     << "Object line";
    QTest::newRow("spaces kept") << "  " + objectLine + " "
                                 << "  " + objectLine + " " << 5 << "Object line";
}

void PasteLineDialogTest::showsClipboard()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, shown);
    QFETCH(int, commas);
    QFETCH(QString, caption);

    Session s(clipboard);
    QCOMPARE(s.platform.count("clipboard"), 1);
    QCOMPARE(s.line()->text(), shown);
    QVERIFY(!s.dialog->findChild<QPlainTextEdit*>());
    QCOMPARE(s.kindCaption().section(QLatin1Char(':'), 0, 0), caption);
    QCOMPARE(s.dialog->commaCount(), commas);
    QCOMPARE(s.platform.count("message"), 0);
    QCOMPARE(rowsInAllTables(s.document), 0);
}

void PasteLineDialogTest::typingUpdatesKindEveryKeystroke()
{
    Session s{QString()};
    s.dialog->show();
    QLineEdit* line = s.line();
    line->setFocus();

    QStringList seen;
    connect(line, &QLineEdit::textChanged, this, [&] { seen << s.kindCaption().section(QLatin1Char(':'), 0, 0); });

    // A light line passes through every other kind on the way.
    const QString typed = piecesLine(20);
    QTest::keyClicks(line, typed);
    QCOMPARE(line->text(), typed);

    QStringList expected;
    for (qsizetype i = 1; i <= typed.size(); ++i)
        expected << captionFor(int(typed.first(i).count(',')), typed.first(i).endsWith(','));
    QCOMPARE(seen, expected);
    for (const char* caption :
         {"Object line", "Timed object line", "Sun line", "Particle line", "Ped line", "Light line"})
        QVERIFY2(seen.contains(caption), caption);
    QCOMPARE(s.dialog->commaCount(), 19);
    QCOMPARE(s.dialog->lineKind(), std::optional<LineKind>(LineKind::Light));
}

void PasteLineDialogTest::deletingCommaLosesKind()
{
    Session s(objectLine);
    s.dialog->show();
    QLineEdit* line = s.line();
    line->setFocus();
    QCOMPARE(s.kindCaption(), QString("Object line"));

    line->setCursorPosition(int(objectLine.lastIndexOf(',')) + 1);
    QTest::keyClick(line, Qt::Key_Backspace);
    QCOMPARE(s.kindCaption(), QString("Object line")); // five values: the later layout
    line->setCursorPosition(int(objectLine.indexOf(",1,")) + 1);
    QTest::keyClick(line, Qt::Key_Backspace);
    QCOMPARE(line->text(), QString("1,tree,tex1,1000"));
    QVERIFY(s.kindCaption().startsWith("Unknown: 4 values;"));
    QCOMPARE(s.dialog->commaCount(), 3);

    QTest::keyClick(line, Qt::Key_Comma);
    QCOMPARE(s.kindCaption(), QString("Object line"));
}

void PasteLineDialogTest::addLineAddsRow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("first");
    QTest::newRow("object") << objectLine << int(LineKind::Object) << QByteArray("1");
    QTest::newRow("commented object") << "#" + objectLine << int(LineKind::Object) << QByteArray("#1");
    QTest::newRow("timed") << piecesLine(8) << int(LineKind::TimedObject) << QByteArray("0");
    QTest::newRow("particle") << piecesLine(14) << int(LineKind::Particle) << QByteArray("0");
    QTest::newRow("long first value") << QString(40000, u'a') + objectLine << int(LineKind::Object)
                                      << QByteArray(40000, 'a') + '1';
    QTest::newRow("light") << " 3 ," + piecesLine(19) << int(LineKind::Light) << QByteArray("3");
}

void PasteLineDialogTest::addLineAddsRow()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QByteArray, first);

    Session s(text);
    s.dialog->show();
    QSignalSpy accepted(s.dialog.get(), &QDialog::accepted);
    QList<std::pair<LineKind, qsizetype>> added;
    connect(s.dialog.get(), &PasteLineDialog::lineAdded, this, [&](LineKind k, qsizetype row) {
        added.append({k, row});
    });

    s.click("addLineButton");

    const SectionTable& table = s.document.table(LineKind(kind));
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(rowsInAllTables(s.document), 1);
    QCOMPARE(table.rows().firstValue(0), QByteArrayView(first));
    QCOMPARE(table.rows().valueCount(0), qsizetype(table.columnCount()));
    QCOMPARE(table.rows().isCommented(0), first.startsWith('#'));
    QVERIFY(s.document.isModified());
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(added.size(), 1);
    QCOMPARE(int(added[0].first), kind);
    QCOMPARE(added[0].second, qsizetype(0));
    QCOMPARE(s.platform.count("message"), 0);
    QCOMPARE(s.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!s.dialog->isVisible());
}

void PasteLineDialogTest::enterAddsLine()
{
    Session s{QString()};
    s.dialog->show();
    QLineEdit* line = s.line();
    line->setFocus();
    QTest::keyClicks(line, piecesLine(9));
    QSignalSpy accepted(s.dialog.get(), &QDialog::accepted);

    QTest::keyClick(line, Qt::Key_Return);

    QCOMPARE(s.document.table(LineKind::Sun).rowCount(), 1);
    QCOMPARE(rowsInAllTables(s.document), 1);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(s.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!s.dialog->isVisible());
}

void PasteLineDialogTest::choosesAmongFittingKinds()
{
    Session s(QStringLiteral("1266, mak_billboardsrvc, billboard, 2, 100, 400, 0"));
    s.dialog->show();
    auto* choice = s.child<QComboBox>("kindChoice");
    QVERIFY(choice->isVisible());
    QCOMPARE(choice->count(), 2);
    choice->setCurrentIndex(choice->findText("Object line"));
    emit choice->activated(choice->currentIndex());
    s.click("addLineButton");
    QCOMPARE(s.rowCounts(), (QList<int>{1, 0, 0, 0, 0, 0}));
}

void PasteLineDialogTest::unknownLineAddsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("no comma") << "tree";
    QTest::newRow("11 pieces") << piecesLine(11);
    QTest::newRow("object less two commas") << "1,tree,tex1,1000";
}

void PasteLineDialogTest::unknownLineAddsNothing()
{
    QFETCH(QString, text);
    Session s(text);
    s.dialog->show();
    QSignalSpy accepted(s.dialog.get(), &QDialog::accepted);
    QSignalSpy added(s.dialog.get(), &PasteLineDialog::lineAdded);

    s.click("addLineButton");

    QCOMPARE(s.platform.count("message"), 1);
    const ScriptedPlatform::Request& message = s.platform.requests.last();
    QCOMPARE(message.kind, QString("message"));
    QCOMPARE(message.title, QString("Unknown format"));
    QVERIFY(message.text.startsWith(unknownFormatText));
    QCOMPARE(message.icon, Platform::Icon::Information);

    QCOMPARE(rowsInAllTables(s.document), 0);
    QVERIFY(!s.document.isModified());
    QCOMPARE(added.size(), 0);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(s.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!s.dialog->isVisible());
}

void PasteLineDialogTest::cancelTouchesNothing()
{
    Session s(objectLine);
    s.dialog->show();
    QSignalSpy accepted(s.dialog.get(), &QDialog::accepted);

    s.click("cancelLineButton");

    QCOMPARE(rowsInAllTables(s.document), 0);
    QVERIFY(!s.document.isModified());
    QCOMPARE(accepted.size(), 0);
    QCOMPARE(s.platform.count("message"), 0);
    QCOMPARE(s.dialog->result(), int(QDialog::Rejected));
    QVERIFY(!s.dialog->isVisible());
}

void PasteLineDialogTest::unstorableLineRefused_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("caption");
    QTest::newRow("cyrillic name") << QString::fromUtf8("1,\u0416\u0443\u043a,tex,1,100,0") << "Object line";
    QTest::newRow("euro in a light") << QString::fromUtf8("\u20ac,") + piecesLine(19) << "Light line";
    QTest::newRow("unknown and not latin-1") << QString::fromUtf8("\u0416") << "Unknown: 1 value";
}

void PasteLineDialogTest::unstorableLineRefused()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, caption);
    Session s(clipboard);
    s.dialog->show();
    QVERIFY(s.kindCaption().startsWith(caption));
    QSignalSpy accepted(s.dialog.get(), &QDialog::accepted);

    s.click("addLineButton");

    QCOMPARE(s.platform.messages(), QStringList{notStorableText});
    QCOMPARE(s.platform.requests.last().title, QString("Tarnel"));
    QCOMPARE(s.platform.requests.last().icon, Platform::Icon::Information);
    QCOMPARE(rowsInAllTables(s.document), 0);
    QVERIFY(!s.document.isModified());
    QCOMPARE(accepted.size(), 0);
    // Still open, so the line can be put right and added.
    QVERIFY(s.dialog->isVisible());

    s.line()->setText(objectLine);
    s.click("addLineButton");
    QCOMPARE(s.document.table(LineKind::Object).rowCount(), 1);
    QCOMPARE(rowsInAllTables(s.document), 1);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(s.platform.count("message"), 1);
    QVERIFY(!s.dialog->isVisible());
}

void PasteLineDialogTest::severalLines_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QList<int>>("rows"); // per table, in the tables' order
    QTest::addColumn<QString>("left");    // in the box after "Add line"
    QTest::addColumn<QString>("message");
    const QString cyrillic = QString::fromUtf8("1,\u0416,tex,1,100,0");
    QTest::newRow("all known, blank lines left out")
        << piecesLine(16) + "\r\n \r\n" + objectLine + "\r" + piecesLine(20) + "\n\t\n" + " 7 ,b,,1,2,3\n"
        << "2 object lines, 1 light line, 1 ped line" << QList<int>{2, 0, 1, 0, 0, 1} << QString() << QString();
    QTest::newRow("unknown lines stay")
        << "tree\n" + piecesLine(9) + "\n1,tree,tex\n" + objectLine << "1 object line, 1 sun line, 2 unknown"
        << QList<int>{1, 0, 0, 1, 0, 0} << "tree\n1,tree,tex" << unknownFormatText;
    QTest::newRow("one line not latin-1")
        << objectLine + "\n" + cyrillic << "2 object lines" << QList<int>{0, 0, 0, 0, 0, 0}
        << objectLine + "\n" + cyrillic << notStorableText;
}

void PasteLineDialogTest::severalLines()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, caption);
    QFETCH(QList<int>, rows);
    QFETCH(QString, left);
    QFETCH(QString, message);
    Session s(clipboard);
    s.dialog->show();
    QVERIFY(!s.line()->isVisible());
    QString shown = QString(clipboard).replace("\r\n", "\n").replace('\r', '\n');
    while (shown.endsWith('\n'))
        shown.chop(1);
    QCOMPARE(s.box()->toPlainText(), shown);
    QCOMPARE(s.kindCaption(), caption);
    QSignalSpy added(s.dialog.get(), &PasteLineDialog::lineAdded);

    s.click("addLineButton");

    QCOMPARE(s.rowCounts(), rows);
    QCOMPARE(s.platform.messages().size(), message.isEmpty() ? 0 : 1);
    QVERIFY(s.platform.messages().join(QString()).startsWith(message));
    QCOMPARE(added.size(), int(std::count_if(rows.cbegin(), rows.cend(), [](int n) { return n > 0; })));
    // What was not added stays, to be put right.
    QCOMPARE(s.dialog->isVisible(), !left.isEmpty());
    if (!left.isEmpty())
        QCOMPARE(s.box()->toPlainText(), left);

    // One step takes the whole paste back.
    const int pasted = int(std::accumulate(rows.cbegin(), rows.cend(), 0));
    QUndoStack& stack = EditHistory::of(s.document).stack();
    QCOMPARE(stack.count(), pasted > 0 ? 1 : 0);
    if (pasted == 0)
        return;
    QCOMPARE(stack.undoText(), QString("Paste %1 lines").arg(pasted));
    stack.undo();
    QCOMPARE(rowsInAllTables(s.document), 0);
    QVERIFY(!s.document.isModified());
    stack.redo();
    QCOMPARE(s.rowCounts(), rows);
}

QTEST_MAIN(PasteLineDialogTest)
#include "test_paste_dialog.moc"
