#include "platform/qtplatform.h"

#include "platform/texteditorcommand.h"
#include "texts/texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tarnel {

namespace {

QStringList patternsOf(const QString& pattern)
{
    QStringList patterns;
    for (const QString& p : pattern.split(u';', Qt::SkipEmptyParts)) {
        if (!p.trimmed().isEmpty())
            patterns << p.trimmed();
    }
    return patterns;
}

// True when the caption ends in "(...)" listing exactly `patterns`; Qt reads the patterns from
// there, so nothing needs adding.
bool captionShowsPatterns(const QString& caption, QStringList patterns)
{
    const qsizetype open = caption.lastIndexOf(u'(');
    if (open < 0 || !caption.endsWith(u')'))
        return false;
    QStringList shown = caption.mid(open + 1, caption.size() - open - 2)
                            .split(QRegularExpression(QStringLiteral("[ ;]")), Qt::SkipEmptyParts);
    shown.sort();
    patterns.sort();
    return shown == patterns;
}

// A box with one OK button, as every notice looks.
// Title, text and icon; the buttons are the caller's.
void setUpBox(QMessageBox& box, const QString& title, const QString& text, Platform::Icon icon)
{
    box.setWindowTitle(title);
    // Plain text: paths and item names may hold '<' and must not be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(icon == Platform::Icon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
}

void setUpNotice(QMessageBox& box, const QString& title, const QString& text, Platform::Icon icon)
{
    setUpBox(box, title, text, icon);
    box.setStandardButtons(QMessageBox::Ok);
}

} // namespace

QString toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString caption = parts[i].trimmed();
        const QStringList patterns = i + 1 < parts.size() ? patternsOf(parts[i + 1]) : QStringList();
        if (patterns.isEmpty() || captionShowsPatterns(caption, patterns)) {
            if (!caption.isEmpty())
                entries << caption;
        } else if (caption.isEmpty()) {
            entries << patterns.join(u' ');
        } else {
            entries << caption + QStringLiteral(" (") + patterns.join(u' ') + u')';
        }
    }
    return entries.join(QStringLiteral(";;"));
}

void QtPlatform::showMessage(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    QMessageBox box(parent);
    setUpNotice(box, title, text, icon);
    box.exec();
}

bool QtPlatform::showMessageWithCheckBox(QWidget* parent, const QString& title, const QString& text,
                                         const QString& checkBoxText, Icon icon)
{
    QMessageBox box(parent);
    setUpNotice(box, title, text, icon);
    // The box owns the check box and deletes it with itself.
    auto* checkBox = new QCheckBox(checkBoxText);
    box.setCheckBox(checkBox);
    box.exec();
    return checkBox->isChecked();
}

Platform::Answer QtPlatform::askYesNoCancel(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(parent);
    setUpBox(box, title, text, Icon::None);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    // Escape and the close button both land on Cancel.
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == box.button(QMessageBox::Yes))
        return Answer::Yes;
    if (clicked == box.button(QMessageBox::No))
        return Answer::No;
    return Answer::Cancel;
}

int QtPlatform::askWithButtons(QWidget* parent, const QString& title, const QString& text,
                               const QStringList& buttons)
{
    QMessageBox box(parent);
    setUpBox(box, title, text, Icon::None);
    QList<QPushButton*> pushes;
    // Roles keep the captions in the given order whatever the desktop's button order.
    for (const QString& caption : buttons)
        pushes << box.addButton(caption, QMessageBox::ActionRole);
    if (pushes.isEmpty())
        return -1;
    box.setDefaultButton(pushes.first());
    box.setEscapeButton(pushes.last());
    box.exec();
    const qsizetype clicked = pushes.indexOf(box.clickedButton());
    return int(clicked < 0 ? pushes.size() - 1 : clicked);
}

Platform::Answer QtPlatform::askYesNo(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(parent);
    setUpBox(box, title, text, Icon::None);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

QString QtPlatform::openFileName(QWidget* parent, const QString& filter, const QString& start)
{
    return QFileDialog::getOpenFileName(parent, QString(), start, toQtFilter(filter));
}

QString QtPlatform::saveFileName(QWidget* parent, const QString& filter, const QString& start)
{
    // The editor takes the name as typed and replaces an existing file without asking.
    return QFileDialog::getSaveFileName(parent, QString(), start, toQtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QStringList QtPlatform::openFileNames(QWidget* parent, const QString& filter, const QString& start)
{
    return QFileDialog::getOpenFileNames(parent, QString(), start, toQtFilter(filter));
}

QString QtPlatform::fileOrFolderName(QWidget* parent, const QString& filter, const QString& start)
{
    // Qt's own dialog, for a button of ours beside Open that takes the folder shown.
    QFileDialog dialog(parent, QString(), start, toQtFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QString folder;
    auto* takeFolder = new QPushButton(texts::chooseMapFolder, &dialog);
    QObject::connect(takeFolder, &QPushButton::clicked, &dialog, [&dialog, &folder] {
        folder = dialog.directory().absolutePath();
        dialog.reject();
    });
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(takeFolder, grid->rowCount(), 0);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        return dialog.selectedFiles().constFirst();
    return folder;
}

QString QtPlatform::folderName(QWidget* parent, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, QString(), start);
}

std::optional<QColor> QtPlatform::chooseColor(QWidget* parent, const QColor& initial, const QString& title)
{
    const QColor chosen = QColorDialog::getColor(initial, parent, title);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

QString QtPlatform::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void QtPlatform::setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtPlatform::beep()
{
    QApplication::beep();
}

bool QtPlatform::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

namespace {

#ifdef Q_OS_LINUX
// The desktop's default application for plain text, as xdg-mime tells it; empty when none.
QString defaultTextApplication()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        return {};
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    // A shell script reading a few small files: a stuck one counts as no answer.
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

TextEditorSetup desktopTextEditorSetup()
{
    TextEditorSetup setup;
    setup.defaultTextApp = defaultTextApplication();
    if (!setup.defaultTextApp.isEmpty())
        setup.defaultTextAppFile =
            QStandardPaths::locate(QStandardPaths::ApplicationsLocation, setup.defaultTextApp);
    setup.visual = qEnvironmentVariable("VISUAL");
    setup.editor = qEnvironmentVariable("EDITOR");
    setup.installed = [](const QString& program) {
        return program.contains(u'/') ? QFileInfo(program).isExecutable()
                                      : !QStandardPaths::findExecutable(program).isEmpty();
    };
    return setup;
}
#endif

} // namespace

void QtPlatform::openInTextEditor(const QString& path, EditorReply reply)
{
    const auto tell = [reply](bool started) {
        if (reply)
            reply(started);
    };
#ifdef Q_OS_LINUX
    // Not xdg-open: it hands an .ide file to its handler, which is this program.
    const std::optional<TextEditorCommand> command = textEditorCommand(path, desktopTextEditorSetup());
    if (!command) {
        tell(false);
        return;
    }
    if (!command->launcher) {
        tell(QProcess::startDetached(command->program, command->arguments));
        return;
    }
    // The launcher starts the editor and ends; its exit status tells whether it could.
    auto* helper = new QProcess;
    helper->setProgram(command->program);
    // The path goes as its own argument, so spaces in it need no quoting.
    helper->setArguments(command->arguments);
    helper->setStandardInputFile(QProcess::nullDevice());
    helper->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(helper, &QProcess::finished, helper,
                     [helper, tell](int exitCode, QProcess::ExitStatus status) {
                         helper->deleteLater();
                         tell(status == QProcess::NormalExit && exitCode == 0);
                     });
    QObject::connect(helper, &QProcess::errorOccurred, helper, [helper, tell](QProcess::ProcessError error) {
        // A crash is reported by finished() as well.
        if (error != QProcess::FailedToStart)
            return;
        helper->deleteLater();
        tell(false);
    });
    helper->start();
#else
    tell(QDesktopServices::openUrl(QUrl::fromLocalFile(path)));
#endif
}

std::optional<QString> QtPlatform::askText(QWidget* parent, const QString& title, const QString& label)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

} // namespace tarnel
