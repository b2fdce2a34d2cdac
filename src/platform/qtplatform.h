#pragma once

#include "platform/platform.h"

namespace tarnel {

// Turns the "caption|pattern" filter form into the form Qt's file dialogs take: pairs become
// "caption (patterns)" joined by ";;". A caption that already ends in its own patterns is kept.
QString toQtFilter(const QString& filter);

// The desktop as Qt offers it. Needs a QApplication.
class QtPlatform : public Platform {
public:
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
    QStringList openFileNames(QWidget* parent, const QString& filter, const QString& start) override;
    QString folderName(QWidget* parent, const QString& start) override;
    QString fileOrFolderName(QWidget* parent, const QString& filter, const QString& start) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial, const QString& title) override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void beep() override;
    bool openUrl(const QUrl& url) override;
    void openInTextEditor(const QString& path, EditorReply reply) override;
};

} // namespace tarnel
