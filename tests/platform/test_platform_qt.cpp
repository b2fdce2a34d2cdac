#include "platform/qtplatform.h"
#include "platform/texteditorcommand.h"
#include "support/testfiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace tarnel;

using Answer = Platform::Answer;
using Icon = Platform::Icon;

namespace {

// Hands the first modal dialog of type T to `act` from inside the loop that runs it. `act` must
// close the dialog and only note what it sees: a failed check there would leave the dialog open.
// Polls still pending die with the watcher.
template <typename T> class ModalWatcher : public QObject {
public:
    explicit ModalWatcher(std::function<void(T*)> act) : m_act(std::move(act)) { poll(); }
    bool seen = false;

private:
    void poll()
    {
        QTimer::singleShot(0, this, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                seen = true;
                m_act(dialog);
            } else {
                poll();
            }
        });
    }
    std::function<void(T*)> m_act;
};

} // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

public:
    // Qt's own dialogs are what these tests can find and drive, whatever the desktop.
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

private slots:
    void filter_data();
    void filter();
    void messageShowsOneOkButton_data();
    void messageShowsOneOkButton();
    void questionMapsButtons_data();
    void questionMapsButtons();
    void saveDialogNeitherAsksNorAddsExtension();
    void openDialogReturnsChoice();
    void colorDialog();
    void clipboardText();
    void textEditorCommandChoice_data();
    void textEditorCommandChoice();
    void editorGetsPathAsOneArgument_data();
    void editorGetsPathAsOneArgument();

private:
    QTemporaryDir m_dir;
    QtPlatform m_platform;
};

void QtPlatformTest::filter_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("caption shows pattern") << texts::ideFileFilter << "IDE Files (*.ide)";
    QTest::newRow("bare caption") << "Text|*.txt"
                                  << "Text (*.txt)";
    QTest::newRow("two pairs") << "IDE Files (*.ide)|*.ide|All Files (*.*)|*.*"
                               << "IDE Files (*.ide);;All Files (*.*)";
    QTest::newRow("several patterns") << "Maps|*.ide;*.ipl"
                                      << "Maps (*.ide *.ipl)";
    QTest::newRow("caption lists them in other order") << "Maps (*.ipl;*.ide)|*.ide; *.ipl"
                                                       << "Maps (*.ipl;*.ide)";
    QTest::newRow("caption shows other pattern") << "IDE Files (*.ide)|*.txt"
                                                 << "IDE Files (*.ide) (*.txt)";
    QTest::newRow("no caption") << "|*.ide"
                                << "*.ide";
    QTest::newRow("already Qt form") << "IDE Files (*.ide)"
                                     << "IDE Files (*.ide)";
    QTest::newRow("empty") << ""
                           << "";
}

void QtPlatformTest::filter()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(toQtFilter(input), expected);
}

void QtPlatformTest::messageShowsOneOkButton_data()
{
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<QMessageBox::Icon>("shown");
    QTest::addColumn<QString>("checkBox"); // empty: a message without one
    QTest::addColumn<bool>("tick");
    QTest::newRow("information") << Icon::Information << QMessageBox::Information << QString() << false;
    QTest::newRow("none") << Icon::None << QMessageBox::NoIcon << QString() << false;
    QTest::newRow("check box ticked") << Icon::Information << QMessageBox::Information << "Do not show again"
                                      << true;
    QTest::newRow("check box left") << Icon::Information << QMessageBox::Information << "Do not show again"
                                    << false;
}

void QtPlatformTest::messageShowsOneOkButton()
{
    QFETCH(Icon, icon);
    QFETCH(QMessageBox::Icon, shown);
    QFETCH(QString, checkBox);
    QFETCH(bool, tick);
    QWidget parent;
    QString title, text, checkBoxText;
    bool startsTicked = false;
    QMessageBox::Icon boxIcon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    qsizetype buttonCount = -1;
    QWidget* boxParent = nullptr;
    ModalWatcher<QMessageBox> watcher([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        boxIcon = box->icon();
        buttons = box->standardButtons();
        buttonCount = box->buttons().size();
        boxParent = box->parentWidget();
        if (QCheckBox* shownBox = box->checkBox()) {
            checkBoxText = shownBox->text();
            startsTicked = shownBox->isChecked();
            if (tick)
                shownBox->click();
        }
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
    const QString sent = "Line one\r\nLine <two>\r\n\r\nend";
    if (checkBox.isEmpty())
        m_platform.showMessage(&parent, "Notice", sent, icon);
    else
        QCOMPARE(m_platform.showMessageWithCheckBox(&parent, "Notice", sent, checkBox, icon), tick);
    QVERIFY(watcher.seen);
    QCOMPARE(title, QString("Notice"));
    QCOMPARE(text, QString("Line one\nLine <two>\n\nend"));
    QCOMPARE(boxIcon, shown);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(buttonCount, 1);
    QCOMPARE(boxParent, &parent);
    QCOMPARE(checkBoxText, checkBox);
    QVERIFY(!startsTicked);
}

void QtPlatformTest::questionMapsButtons_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<Answer>("expected");
    // Whether the question offers Cancel or is Yes/No only.
    QTest::addColumn<bool>("cancellable");
    QTest::newRow("yes") << "yes" << Answer::Yes << true;
    QTest::newRow("no") << "no" << Answer::No << true;
    QTest::newRow("cancel") << "cancel" << Answer::Cancel << true;
    QTest::newRow("escape") << "escape" << Answer::Cancel << true;
    QTest::newRow("close") << "close" << Answer::Cancel << true;
    QTest::newRow("yes/no yes") << "yes" << Answer::Yes << false;
    QTest::newRow("yes/no escape") << "escape" << Answer::No << false;
}

void QtPlatformTest::questionMapsButtons()
{
    QFETCH(QString, action);
    QFETCH(Answer, expected);
    QFETCH(bool, cancellable);
    QString title, text;
    QMessageBox::Icon boxIcon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    ModalWatcher<QMessageBox> watcher([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        boxIcon = box->icon();
        buttons = box->standardButtons();
        if (action == u"escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else if (action == u"close")
            box->close();
        else if (QAbstractButton* b = box->button(action == u"yes"  ? QMessageBox::Yes
                                                  : action == u"no" ? QMessageBox::No
                                                                    : QMessageBox::Cancel))
            b->click();
        // Whatever is left open is closed by hand; the answer then shows the fault.
        if (box->isVisible())
            box->done(-1);
    });
    const Answer answer = cancellable ? m_platform.askYesNoCancel(nullptr, "Save?", "Save changes\r\nnow?")
                                      : m_platform.askYesNo(nullptr, "Save?", "Save changes\r\nnow?");
    QVERIFY(watcher.seen);
    QCOMPARE(answer, expected);
    QCOMPARE(title, QString("Save?"));
    QCOMPARE(text, QString("Save changes\nnow?"));
    QCOMPARE(boxIcon, QMessageBox::NoIcon);
    QCOMPARE(buttons,
             QMessageBox::Yes | QMessageBox::No | (cancellable ? QMessageBox::Cancel : QMessageBox::NoButton));
}

void QtPlatformTest::saveDialogNeitherAsksNorAddsExtension()
{
    const QString existing = m_dir.filePath("existing.ide");
    QVERIFY(support::putFile(existing, ""));
    for (const QString& target : {existing, m_dir.filePath("noextension")}) {
        QStringList filters;
        QString suffix = "unset";
        bool saving = false;
        bool asked = false;
        QStringList offered;
        ModalWatcher<QFileDialog> dialogWatcher([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            offered = dialog->selectedFiles();
            suffix = dialog->defaultSuffix();
            saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            // Should the dialog ask before replacing, note it and let it go on.
            ModalWatcher<QMessageBox> askWatcher([](QMessageBox* box) { box->done(QMessageBox::Yes); });
            dialog->selectFile(target);
            static_cast<QDialog*>(dialog)->accept();
            asked = askWatcher.seen;
            if (dialog->isVisible())
                dialog->reject();
        });
        QCOMPARE(m_platform.saveFileName(nullptr, texts::ideFileFilter, m_dir.filePath("offered.ide")), target);
        QCOMPARE(offered, QStringList{m_dir.filePath("offered.ide")});
        QVERIFY(dialogWatcher.seen);
        QVERIFY(!asked);
        QCOMPARE(filters, QStringList{"IDE Files (*.ide)"});
        QCOMPARE(suffix, QString());
        QVERIFY(saving);
    }
}

void QtPlatformTest::openDialogReturnsChoice()
{
    const QString file = m_dir.filePath("to open.ide");
    QVERIFY(support::putFile(file, ""));
    QStringList filters;
    QString folder;
    ModalWatcher<QFileDialog> accepting([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        folder = dialog->directory().absolutePath();
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(m_platform.openFileName(nullptr, "Maps|*.ide;*.ipl", m_dir.path()), file);
    QCOMPARE(folder, QDir(m_dir.path()).absolutePath());
    QVERIFY(accepting.seen);
    QCOMPARE(filters, QStringList{"Maps (*.ide *.ipl)"});

    ModalWatcher<QFileDialog> cancelling([](QFileDialog* dialog) { dialog->reject(); });
    QCOMPARE(m_platform.openFileName(nullptr, texts::ideFileFilter, QString()), QString());
    QVERIFY(cancelling.seen);
}

void QtPlatformTest::colorDialog()
{
    const QColor initial(0x20, 0x40, 0x60);
    const QColor picked(0xc0, 0x10, 0x05);
    QString title;
    QColor shown;
    ModalWatcher<QColorDialog> accepting([&](QColorDialog* dialog) {
        title = dialog->windowTitle();
        shown = dialog->currentColor();
        dialog->setCurrentColor(picked);
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(m_platform.chooseColor(nullptr, initial, "Row colour"), std::optional<QColor>(picked));
    QVERIFY(accepting.seen);
    QCOMPARE(title, QString("Row colour"));
    QCOMPARE(shown, initial);

    ModalWatcher<QColorDialog> cancelling([&](QColorDialog* dialog) { dialog->reject(); });
    QVERIFY(!m_platform.chooseColor(nullptr, initial, "Row colour").has_value());
    QVERIFY(cancelling.seen);
}

void QtPlatformTest::clipboardText()
{
    QGuiApplication::clipboard()->setText("first\r\nsecond");
    QCOMPARE(m_platform.clipboardText(), QString("first\r\nsecond"));
    QGuiApplication::clipboard()->clear();
    QCOMPARE(m_platform.clipboardText(), QString());
}

void QtPlatformTest::textEditorCommandChoice_data()
{
    // "text/plain application|its file|VISUAL|EDITOR|programs installed=the command", F the file.
    QTest::addColumn<QString>("row");
    const QString all = "|gtk-launch gio kate vim x-terminal-emulator=";
    QTest::newRow("default app, gtk-launch")
        << "ed.desktop|/a/ed.desktop|kate|vim" + all + "gtk-launch ed.desktop F";
    QTest::newRow("id without .desktop") << "ed|||" + all + "gtk-launch ed.desktop F";
    QTest::newRow("gio, no gtk-launch") << "ed.desktop|/a/ed.desktop|kate||gio kate=gio launch /a/ed.desktop F";
    QTest::newRow("gio needs the file") << "ed.desktop||kate -n||gio kate=kate -n F";
    QTest::newRow("own entry skipped") << "io.github.tarnel.Tarnel.desktop||kate|" + all + "kate F";
    QTest::newRow("VISUAL missing, EDITOR") << "||gedit|vim -p" + all + "x-terminal-emulator -e vim -p F";
    QTest::newRow("EDITOR, no terminal") << "|||vim|vim=";
    QTest::newRow("nothing") << "|||" + all;
}

void QtPlatformTest::textEditorCommandChoice()
{
    QFETCH(QString, row);
    const QString command = row.section(u'=', 1);
    const QStringList given = row.section(u'=', 0, 0).split(u'|');
    const QStringList installed = given[4].split(u' ');
    const auto chosen = textEditorCommand(
        "F", {given[0], given[1], given[2], given[3], [&](const QString& p) { return installed.contains(p); }});
    QCOMPARE(chosen ? (QStringList{chosen->program} + chosen->arguments).join(u' ') : QString(), command);
}

void QtPlatformTest::editorGetsPathAsOneArgument_data()
{
    QTest::addColumn<QString>("ending"); // how the stand-in helper ends; none: no helper on PATH
    QTest::addColumn<bool>("started");
    QTest::newRow("editor started") << "exit 0" << true;
    QTest::newRow("no editor set up") << "exit 3" << false;
    QTest::newRow("helper killed") << "kill -9 $$" << false;
    QTest::newRow("no helper") << QString() << false;
}

void QtPlatformTest::editorGetsPathAsOneArgument()
{
#ifndef Q_OS_LINUX
    QSKIP("The editor is started through the desktop's launcher on Linux only");
#endif
    QFETCH(QString, ending);
    QFETCH(bool, started);
    // Stand-ins first on PATH: xdg-mime names the text editor, gtk-launch writes
    // down its arguments and ends as told.
    const QString bin = m_dir.filePath("bin");
    const QString log = m_dir.filePath("args.txt");
    QFile::remove(log);
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(support::putFile(bin + "/xdg-mime", "#!/bin/sh\necho texteditor.desktop\n"));
    QVERIFY(QFile(bin + "/xdg-mime").setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    QFile script(bin + "/gtk-launch");
    QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '%1'\n%2\n").arg(log, ending).toUtf8());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    const QString empty = m_dir.filePath("empty");
    QVERIFY(QDir().mkpath(empty));

    const QByteArray oldPath = qgetenv("PATH");
    const auto restore = qScopeGuard([&] { qputenv("PATH", oldPath); });
    qunsetenv("VISUAL"); // no fallback editor when no launcher is found
    qunsetenv("EDITOR");
    qputenv("PATH", ending.isNull() ? empty.toLocal8Bit() : bin.toLocal8Bit() + ':' + oldPath);

    const QString path = m_dir.filePath("my maps/item defs.ide");
    std::optional<bool> reply;
    m_platform.openInTextEditor(path, [&reply](bool s) { reply = s; });
    QTRY_VERIFY(reply.has_value());
    QCOMPARE(*reply, started);
    if (!ending.isNull())
        QCOMPARE(support::fileBytes(log), QByteArray("2\ntexteditor.desktop\n") + path.toUtf8() + '\n');
}

QTEST_MAIN(QtPlatformTest)
#include "test_platform_qt.moc"
