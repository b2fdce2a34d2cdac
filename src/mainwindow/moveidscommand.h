#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace tarnel {

class IdeDocument;
class OpenMap;
class Platform;
class SectionSwitcher;

// Edit > "Move IDs…" on the objects or timed objects shown: the selected
// rows, else every row the filter shows. Asks
// where they go (MoveIdsDialog), shows every line that changes across the
// map (MoveIdsPreview), then applies the move as one linked step of each
// file's history (applyIdMove). Without a map, the one file.
class MoveIdsCommand : public QObject {
    Q_OBJECT
public:
    MoveIdsCommand(IdeDocument& document, OpenMap& map, SectionSwitcher& sections, Platform& platform,
                   QWidget& window);

    QAction* action() const { return m_action; }
    void run();

signals:
    void statusMessage(const QString& text);

private:
    IdeDocument& m_document;
    OpenMap& m_map;
    SectionSwitcher& m_sections;
    Platform& m_platform;
    QWidget& m_window;
    QAction* m_action;
};

} // namespace tarnel
