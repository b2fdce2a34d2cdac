#pragma once

#include <QWidget>

class QPushButton;

namespace tarnel {

class IdeDocument;
class OptionBoxes;
class Platform;
class SectionSelector;
class SettingsFile;
class StatisticsPanel;

// The panel left of the sections, laid out on the designed row pitches: the
// section selector, the statistics, the option boxes, the Notepad button
// (the open file in a text editor) and the reload button.
class LeftPanel : public QWidget {
    Q_OBJECT
public:
    LeftPanel(IdeDocument& document, Platform& platform, SettingsFile& settings, QWidget* parent = nullptr);

    SectionSelector* selector() const { return m_selector; }
    StatisticsPanel* statistics() const { return m_statistics; }
    OptionBoxes* options() const { return m_options; }
    QPushButton* reloadButton() const { return m_reload; }

private:
    void openInTextEditor();

    IdeDocument& m_document;
    Platform& m_platform;
    SectionSelector* m_selector;
    StatisticsPanel* m_statistics;
    OptionBoxes* m_options;
    QPushButton* m_reload = nullptr;
};

} // namespace tarnel
