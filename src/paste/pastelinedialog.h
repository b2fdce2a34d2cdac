#pragma once

#include "document/linekind.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnel {

class IdeDocument;
class Platform;

// "Paste line": shows the clipboard's text, names the kind of line it makes
// as the user edits it, and adds it to the matching table.
class PasteLineDialog : public QDialog {
    Q_OBJECT
public:
    PasteLineDialog(IdeDocument& document, Platform& platform, QWidget* parent = nullptr);

    // Of the text now in the line edit.
    int commaCount() const { return m_commaCount; }
    std::optional<LineKind> lineKind() const { return m_kind; }

signals:
    // A row was added at `row` of the kind's table.
    void lineAdded(LineKind kind, qsizetype row);

private:
    void classify(const QString& text);
    void addLine();

    IdeDocument& m_document;
    Platform& m_platform;
    QLabel* m_kindLabel = nullptr;
    QLineEdit* m_line = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_commaCount = -1;
    std::optional<LineKind> m_kind;
};

} // namespace tarnel
