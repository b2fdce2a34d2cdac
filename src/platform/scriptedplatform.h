#pragma once

#include "platform/platform.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace tarnel {

// A desktop that answers from lists filled beforehand and writes down every request, in order.
// Needs no display: a QCoreApplication is enough.
class ScriptedPlatform : public Platform {
public:
    struct Request {
        // "message", "checkmessage" (a message with a check box), "question", "yesno", "choice" (a question
        // with buttons of its own), "text" (a text question), "open", "openmany" (several files), "folder",
        // "fileorfolder", "save", "color", "clipboard", "copy" (text put on the clipboard), "beep", "url",
        // "editor".
        QString kind;
        // Messages and questions: the title. Colour: the dialog title.
        QString title;
        // Messages and questions: the text. Open and save: the filter. Copy: the text copied. Colour: the initial
        // colour as "#rrggbb". Url: the address. Editor: the path.
        QString text;
        Platform::Icon icon = Platform::Icon::None;
        // Messages with a check box: the check box's text.
        QString checkBox;
        // Choices: the buttons' captions, left to right.
        QStringList buttons;
        // Open and save: the folder or file the dialog starts at.
        QString start;
    };

    QList<Request> requests;

    // Answers, taken from the front. Open, open-many (one name each), folder and save share one
    // list in call order; an empty list, or an empty name, reads as cancelled. Questions with no answer left are
    // cancelled (a Yes/No question answers No).
    QList<Platform::Answer> answers;
    // The index of the button clicked in each choice; none left reads as the last button.
    QList<int> choices;
    // Whether the check box of each message that has one is ticked; none left reads as unticked.
    QList<bool> ticks;
    QStringList fileNames;
    // Typed into each text question; none left reads as cancelled.
    QList<std::optional<QString>> typedTexts;
    QList<std::optional<QColor>> colors;
    QString clipboard;
    bool editorStarts = true;
    bool urlOpens = true;

    // Runs after a request is written down and before its answer is taken, as if while the
    // dialog were open; it may still fill the lists for that request.
    std::function<void(const Request&)> onRequest;

    // The texts of all messages, with a check box or without.
    QStringList messages() const;
    int count(const QString& kind) const;
    void clear();

    void showMessage(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    bool showMessageWithCheckBox(QWidget* parent, const QString& title, const QString& text,
                                 const QString& checkBoxText, Icon icon) override;
    Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) override;
    int askWithButtons(QWidget* parent, const QString& title, const QString& text,
                       const QStringList& buttons) override;
    Answer askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label) override;
    QString openFileName(QWidget* parent, const QString& filter, const QString& start) override;
    QString saveFileName(QWidget* parent, const QString& filter, const QString& start) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial, const QString& title) override;
    QStringList openFileNames(QWidget* parent, const QString& filter, const QString& start) override;
    QString folderName(QWidget* parent, const QString& start) override;
    QString fileOrFolderName(QWidget* parent, const QString& filter, const QString& start) override;
    QString clipboardText() override;
    // Records "copy" and keeps the text in `clipboard`.
    void setClipboardText(const QString& text) override;
    void beep() override;
    bool openUrl(const QUrl& url) override;
    // Replies at once with `editorStarts`.
    void openInTextEditor(const QString& path, EditorReply reply) override;

private:
    void record(const QString& kind, const QString& title = QString(), const QString& text = QString(),
                Icon icon = Icon::None, const QString& checkBox = QString(), const QStringList& buttons = {},
                const QString& start = QString());
    QString nextFileName();
};

} // namespace tarnel
