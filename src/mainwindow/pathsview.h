#pragma once

#include <QPlainTextEdit>

class IdeDocument;

// The paths sections as editable text. Filled when first shown after the
// document's paths changed, so a big file opens without laying out its paths;
// every edit goes straight back to the document.
class PathsView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PathsView(IdeDocument& document, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillFromDocument();
    void storeIntoDocument();

    IdeDocument& m_document;
    bool m_stale = true;
    bool m_filling = false;
};
