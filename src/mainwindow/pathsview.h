#pragma once

#include <QPlainTextEdit>

class QLabel;

namespace tarnel {

class IdeDocument;
class Platform;

// The paths sections as editable text. Filled when first shown after the
// document's paths changed, so a big file opens without laying out its paths;
// every edit that the file can hold goes straight back to the document. A line
// below the text tells of text the file cannot hold and of lines that will not
// come back as paths when the file is opened again.
class PathsView : public QPlainTextEdit {
    Q_OBJECT
public:
    PathsView(IdeDocument& document, Platform& platform, QWidget* parent = nullptr);

    // What the line below the text says; empty while it is hidden.
    QString notice() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillFromDocument();
    void storeIntoDocument();
    void showNotice(const QString& text);
    void placeNotice();

    IdeDocument& m_document;
    Platform& m_platform;
    QLabel* m_notice;
    bool m_stale = true;
    bool m_filling = false;
    // The text holds characters the file cannot store; the document keeps its last good paths.
    bool m_unstorable = false;
};

} // namespace tarnel
