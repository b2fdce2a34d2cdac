#include "platform/scriptedplatform.h"

#include <algorithm>

namespace tarnel {

QStringList ScriptedPlatform::messages() const
{
    QStringList texts;
    for (const Request& r : requests) {
        if (r.kind == u"message" || r.kind == u"checkmessage")
            texts << r.text;
    }
    return texts;
}

int ScriptedPlatform::count(const QString& kind) const
{
    return int(
        std::count_if(requests.cbegin(), requests.cend(), [&](const Request& r) { return r.kind == kind; }));
}

void ScriptedPlatform::clear()
{
    requests.clear();
}

void ScriptedPlatform::record(const QString& kind, const QString& title, const QString& text, Icon icon,
                              const QString& checkBox, const QStringList& buttons, const QString& start)
{
    // The hook gets its own copy: it may cause further requests, which grow the list.
    const Request request{kind, title, text, icon, checkBox, buttons, start};
    requests.append(request);
    if (onRequest)
        onRequest(request);
}

QString ScriptedPlatform::nextFileName()
{
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

void ScriptedPlatform::showMessage(QWidget*, const QString& title, const QString& text, Icon icon)
{
    record(QStringLiteral("message"), title, text, icon);
}

bool ScriptedPlatform::showMessageWithCheckBox(QWidget*, const QString& title, const QString& text,
                                               const QString& checkBoxText, Icon icon)
{
    record(QStringLiteral("checkmessage"), title, text, icon, checkBoxText);
    return !ticks.isEmpty() && ticks.takeFirst();
}

Platform::Answer ScriptedPlatform::askYesNoCancel(QWidget*, const QString& title, const QString& text)
{
    record(QStringLiteral("question"), title, text);
    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
}

int ScriptedPlatform::askWithButtons(QWidget*, const QString& title, const QString& text,
                                     const QStringList& buttons)
{
    record(QStringLiteral("choice"), title, text, Icon::None, QString(), buttons);
    return choices.isEmpty() ? int(buttons.size()) - 1 : choices.takeFirst();
}

Platform::Answer ScriptedPlatform::askYesNo(QWidget*, const QString& title, const QString& text)
{
    record(QStringLiteral("yesno"), title, text);
    const Answer answer = answers.isEmpty() ? Answer::No : answers.takeFirst();
    return answer == Answer::Yes ? Answer::Yes : Answer::No;
}

std::optional<QString> ScriptedPlatform::askText(QWidget*, const QString& title, const QString& label)
{
    record(QStringLiteral("text"), title, label);
    return typedTexts.isEmpty() ? std::nullopt : typedTexts.takeFirst();
}

QString ScriptedPlatform::openFileName(QWidget*, const QString& filter, const QString& start)
{
    record(QStringLiteral("open"), QString(), filter, Icon::None, QString(), {}, start);
    return nextFileName();
}

QString ScriptedPlatform::saveFileName(QWidget*, const QString& filter, const QString& start)
{
    record(QStringLiteral("save"), QString(), filter, Icon::None, QString(), {}, start);
    return nextFileName();
}

QStringList ScriptedPlatform::openFileNames(QWidget*, const QString& filter, const QString& start)
{
    record(QStringLiteral("openmany"), QString(), filter, Icon::None, QString(), {}, start);
    const QString name = nextFileName();
    return name.isEmpty() ? QStringList() : QStringList{name};
}

QString ScriptedPlatform::fileOrFolderName(QWidget*, const QString& filter, const QString& start)
{
    record(QStringLiteral("fileorfolder"), QString(), filter, Icon::None, QString(), {}, start);
    return nextFileName();
}

QString ScriptedPlatform::folderName(QWidget*, const QString& start)
{
    record(QStringLiteral("folder"), QString(), QString(), Icon::None, QString(), {}, start);
    return nextFileName();
}

std::optional<QColor> ScriptedPlatform::chooseColor(QWidget*, const QColor& initial, const QString& title)
{
    record(QStringLiteral("color"), title, initial.name(QColor::HexRgb));
    if (colors.isEmpty())
        return std::nullopt;
    const std::optional<QColor> chosen = colors.takeFirst();
    // An invalid colour is what a cancelled dialog gives back.
    if (chosen && !chosen->isValid())
        return std::nullopt;
    return chosen;
}

QString ScriptedPlatform::clipboardText()
{
    record(QStringLiteral("clipboard"));
    return clipboard;
}

void ScriptedPlatform::setClipboardText(const QString& text)
{
    record(QStringLiteral("copy"), QString(), text);
    clipboard = text;
}

void ScriptedPlatform::beep()
{
    record(QStringLiteral("beep"));
}

bool ScriptedPlatform::openUrl(const QUrl& url)
{
    record(QStringLiteral("url"), QString(), url.toString());
    return urlOpens;
}

void ScriptedPlatform::openInTextEditor(const QString& path, EditorReply reply)
{
    record(QStringLiteral("editor"), QString(), path);
    if (reply)
        reply(editorStarts);
}

} // namespace tarnel
