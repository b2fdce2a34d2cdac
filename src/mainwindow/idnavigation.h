#pragma once

#include "document/linekind.h"

#include <QObject>

class QAction;
class QWidget;

namespace tarnel {

class IdeDocument;
class OpenMap;
class Platform;
class SectionSwitcher;

// Edit > "Go to ID…" and "Next duplicate ID" (F8): both find their rows
// through the document's ID index and show them in their table.
class IdNavigation : public QObject {
    Q_OBJECT
public:
    IdNavigation(IdeDocument& document, Platform& platform, SectionSwitcher& sections, QWidget& window);

    // The Edit menu's items: "Go to ID…" (Ctrl+G) and "Next duplicate ID" (F8).
    QAction* goToIdItem() const { return m_goToId; }
    QAction* nextDuplicateItem() const { return m_nextDuplicate; }

    // With a map open, both go on to the map's other files, switching file.
    void followMap(OpenMap& map) { m_map = &map; }

    // Asks for an ID and shows the first row of the shown table holding it
    // (commented rows too); the paths look in the objects, then the timed
    // objects; then the first other file of the map defining it.
    void goToId();
    // Selects the next shown row of the objects or timed objects whose ID
    // another row uses too: the shown table first, from its current row on.
    // With a map open, the rest of the shown file, then the next files.
    void goToNextDuplicate();

signals:
    void statusMessage(const QString& text);

private:
    // The first row of the table holding `id`, or -1.
    qsizetype firstRowWithId(LineKind kind, qint64 id) const;
    // F8 over the map: true when it went to a row after the shown one.
    bool goToNextDuplicateInMap();
    // Shows the map's IDE file `file` and its row read from `line`.
    void showMapRow(qsizetype file, qint64 line);

    IdeDocument& m_document;
    Platform& m_platform;
    SectionSwitcher& m_sections;
    QWidget& m_window;
    OpenMap* m_map = nullptr;
    QAction* m_goToId;
    QAction* m_nextDuplicate;
};

} // namespace tarnel
