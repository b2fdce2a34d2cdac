#include "platform/texteditorcommand.h"

#include <QProcess>

namespace tarnel {

namespace {

// The desktop entry this program's package installs.
const QString ownDesktopId = QStringLiteral("io.github.tarnel.Tarnel.desktop");

// A command line as the shell would split it ("code --wait"), the file last.
std::optional<TextEditorCommand> fromVariable(const QString& value, const QString& path,
                                              const TextEditorSetup& setup)
{
    QStringList words = QProcess::splitCommand(value);
    if (words.isEmpty() || !setup.installed(words.first()))
        return std::nullopt;
    const QString program = words.takeFirst();
    return TextEditorCommand{program, words << path, false};
}

} // namespace

std::optional<TextEditorCommand> textEditorCommand(const QString& path, const TextEditorSetup& setup)
{
    QString id = setup.defaultTextApp.trimmed();
    if (!id.isEmpty() && !id.endsWith(QLatin1String(".desktop")))
        id += QLatin1String(".desktop");
    if (!id.isEmpty() && id != ownDesktopId) {
        if (setup.installed(QStringLiteral("gtk-launch")))
            return TextEditorCommand{QStringLiteral("gtk-launch"), {id, path}, true};
        if (!setup.defaultTextAppFile.isEmpty() && setup.installed(QStringLiteral("gio")))
            return TextEditorCommand{
                QStringLiteral("gio"), {QStringLiteral("launch"), setup.defaultTextAppFile, path}, true};
    }
    if (auto visual = fromVariable(setup.visual, path, setup))
        return visual;
    // $EDITOR is meant for a terminal, which a click on a button does not have.
    const QString terminal = QStringLiteral("x-terminal-emulator");
    if (!setup.installed(terminal))
        return std::nullopt;
    if (auto editor = fromVariable(setup.editor, path, setup))
        return TextEditorCommand{terminal, QStringList{QStringLiteral("-e"), editor->program} + editor->arguments,
                                 false};
    return std::nullopt;
}

} // namespace tarnel
