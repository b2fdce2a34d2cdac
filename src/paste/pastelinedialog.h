#pragma once

#include "document/linekind.h"
#include "paste/pasteline.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarnel {

class IdeDocument;
class Platform;

// "Paste line": shows the clipboard's text, names the kind of line it makes
// as the user edits it (or why it makes none), and adds it to the matching
// table; when several kinds fit, a list beside the kind offers them. Several lines on
// the clipboard go into a box of several lines instead, their kinds counted,
// and each line of a known kind goes to its table.
class PasteLineDialog : public QDialog {
    Q_OBJECT
public:
    PasteLineDialog(IdeDocument& document, Platform& platform, QWidget* parent = nullptr);

    // Of the text now in the line edit, or of the one line in the box; none
    // (-1) for several lines.
    int commaCount() const { return m_commaCount; }
    std::optional<LineKind> lineKind() const { return m_kind; }
    // How many lines the dialog added to the tables.
    qsizetype addedCount() const { return m_added; }

signals:
    // A row was added at `row` of the kind's table; for several lines, the
    // row of the last line each table took.
    void lineAdded(LineKind kind, qsizetype row);

private:
    void classify(const QString& text);
    void choose(int index);
    void classifyLines();
    void addLine();
    void addLines();

    IdeDocument& m_document;
    Platform& m_platform;
    PasteLayouts m_layouts;
    QLabel* m_kindLabel = nullptr;
    QComboBox* m_kindChoice = nullptr; // shown while several kinds fit
    QList<LineKind> m_kinds;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_lines = nullptr; // only while several lines are pasted
    QPushButton* m_add = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_commaCount = -1;
    qsizetype m_added = 0;
    std::optional<LineKind> m_kind;
};

} // namespace tarnel
