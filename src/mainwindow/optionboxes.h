#pragma once

#include <QObject>

class QCheckBox;
class QWidget;

namespace tarnel {

class IdeDocument;
class SettingsFile;

// The four option boxes of the left panel and their keys in tarnel.ini:
// grid lines ("lines"), catching Ctrl+V for the paste dialog ("paste"),
// sorting by object ("sort", a step of the edit history) and keeping the
// file's layout on save ("keepLayout"). Each change is written at once.
class OptionBoxes : public QObject {
    Q_OBJECT
public:
    OptionBoxes(IdeDocument& document, SettingsFile& settings, QWidget& panel);

    QCheckBox* showLines() const { return m_showLines; }
    QCheckBox* catchPaste() const { return m_catchPaste; }
    QCheckBox* objectSort() const { return m_objectSort; }
    QCheckBox* keepLayout() const { return m_keepLayout; }

    // Ticks the boxes as the settings say; sorting first, which the caller
    // then leaves out of the edit history.
    void restore();
    // Shows the layout kept for this document only: neither the setting nor
    // the option changes.
    void showKeepLayout(bool on);

signals:
    void gridLinesChanged(bool on);
    void pasteCatchingChanged(bool on);
    void keepLayoutChanged(bool on);

private:
    void applySort(bool on);
    void write(const QString& key, bool on);

    IdeDocument& m_document;
    SettingsFile& m_settings;
    QCheckBox* m_showLines;
    QCheckBox* m_catchPaste;
    QCheckBox* m_objectSort;
    QCheckBox* m_keepLayout;
};

} // namespace tarnel
