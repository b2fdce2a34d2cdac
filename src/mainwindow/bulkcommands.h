#pragma once

#include <QObject>

class QMenu;
class QWidget;

namespace tarnel {

class IdeDocument;
class Platform;
class SectionSwitcher;

// The Edit menu's commands on many rows at once: "Set column…" (Ctrl+E) on
// the shown table's selected rows, or on all rows it shows when none is
// selected, and "Convert table layout…".
class BulkCommands : public QObject {
    Q_OBJECT
public:
    BulkCommands(IdeDocument& document, Platform& platform, SectionSwitcher& sections, QWidget& window);

    void addEditItems(QMenu& edit);

signals:
    void statusMessage(const QString& text);

private:
    void openSetColumn();
    void openConvertLayout();

    IdeDocument& m_document;
    Platform& m_platform;
    SectionSwitcher& m_sections;
    QWidget& m_window;
};

} // namespace tarnel
