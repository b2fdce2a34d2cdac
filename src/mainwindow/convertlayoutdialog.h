#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tarnel {

class IdeDocument;

// Edit > "Convert table layout…": the objects and timed objects tables to the
// layout with a mesh count or the later one without it, as one step. Shows the
// layout they are in, and after converting, the lines left as they were.
class ConvertLayoutDialog : public QDialog {
    Q_OBJECT
public:
    ConvertLayoutDialog(IdeDocument& document, QWidget* parent);

private:
    void convert();
    void showCurrentLayout();

    IdeDocument& m_document;
    QLabel* m_current;
    QRadioButton* m_toCounted;
    QRadioButton* m_toLater;
    QPlainTextEdit* m_result;
    QPushButton* m_convert;
};

} // namespace tarnel
