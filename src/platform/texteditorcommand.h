#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tarnel {

// What the desktop says about text editors, gathered before choosing one.
struct TextEditorSetup {
    QString defaultTextApp;     // desktop id of the default application for text/plain; empty: none
    QString defaultTextAppFile; // its .desktop file; empty when it was not found
    QString visual;             // $VISUAL
    QString editor;             // $EDITOR
    std::function<bool(const QString& program)> installed; // whether a program can be run
};

// A program to run for the text editor.
struct TextEditorCommand {
    QString program;
    QStringList arguments;
    // true: a launcher that starts the editor and ends, its exit status telling
    // whether it did; false: the editor itself, left running.
    bool launcher = false;

    bool operator==(const TextEditorCommand&) const = default;
};

// Which command opens `path` in the desktop's text editor: the default
// application for text/plain through the desktop's own launcher, else $VISUAL,
// else $EDITOR in a terminal; none when there is no such editor. Never the
// handler of IDE files, which is this program.
std::optional<TextEditorCommand> textEditorCommand(const QString& path, const TextEditorSetup& setup);

} // namespace tarnel
