#pragma once

#include "texts/texts.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QWidget;

namespace tarnel {

// Everything the program asks of the desktop: message boxes, file and colour
// dialogs, the clipboard, the beep, and handing a file or address to another
// program. The window asks through this interface only, so tests can answer.
class Platform {
public:
    enum class Answer { Yes, No, Cancel };
    enum class Icon { None, Information };

    virtual ~Platform() = default;

    // A notice with an OK button.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    // A notice with an OK button and a check box below the text, left unticked; returns whether
    // the user ticked it.
    virtual bool showMessageWithCheckBox(QWidget* parent, const QString& title, const QString& text,
                                         const QString& checkBoxText, Icon icon) = 0;
    // A question with Yes, No and Cancel and no icon.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question with buttons of its own captions, left to right, and no icon; returns the index
    // of the button clicked. Escape and the close button count as the last button.
    virtual int askWithButtons(QWidget* parent, const QString& title, const QString& text,
                               const QStringList& buttons) = 0;
    // A question with Yes and No and no icon; Escape and the close button answer No.
    virtual Answer askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // A one-line text question with OK and Cancel; none when the user cancels.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label) = 0;
    // Empty when the user cancels. `start` is the folder the dialog opens in, or a file
    // whose folder it opens in and whose name it offers; empty leaves the choice to the desktop.
    virtual QString openFileName(QWidget* parent, const QString& filter, const QString& start) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& start) = 0;
    // Several existing files at once; empty when the user cancels.
    virtual QStringList openFileNames(QWidget* parent, const QString& filter, const QString& start) = 0;
    // An existing folder; empty when the user cancels.
    virtual QString folderName(QWidget* parent, const QString& start) = 0;
    // An existing file matching `filter`, or the folder the dialog shows; empty when the user cancels.
    virtual QString fileOrFolderName(QWidget* parent, const QString& filter, const QString& start) = 0;
    // Empty when the user cancels.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial, const QString& title) = 0;
    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void beep() = 0;
    // Opens an address in the browser; the answer is not looked at by callers.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts the desktop's text editor on a file without waiting for it.
    // `reply(started)` runs once it is known whether the editor started: at
    // once, or later from the event loop when a helper program has to say.
    using EditorReply = std::function<void(bool started)>;
    virtual void openInTextEditor(const QString& path, EditorReply reply) = 0;
};

} // namespace tarnel
