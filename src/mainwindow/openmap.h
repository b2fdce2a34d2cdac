#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace tarnel {

class GameMap;
class IdeDocument;

// The map open in the window, if any: its files (GameMap), one document per IDE
// file with its own undo history and layout choice, and which of them the
// tables show. The shown file's content lives in the window's one document;
// the others wait in documents of their own and change places with it when shown.
class OpenMap : public QObject {
    Q_OBJECT
public:
    // `shown` is the window's document, which the tables show.
    explicit OpenMap(IdeDocument& shown, QObject* parent = nullptr);
    ~OpenMap() override;

    bool isOpen() const;
    // The open map; an empty one when none is open.
    const GameMap& map() const;
    // The IDE file shown in the tables (index into map().sources().files), -1 when none / no map.
    qsizetype shownFile() const;
    // Shows that IDE file's document in the tables (its own undo history and layout choice kept).
    void showFile(qsizetype file);
    // The document of an IDE file of the map, loaded on first use; nullptr for IPL or missing files.
    IdeDocument* documentOf(qsizetype file);

    // What was opened (lists, a folder or files) and the game folder given (empty: found from the lists).
    const QStringList& operands() const;
    QString gameFolder() const;

signals:
    void opened();
    void closed();
    void shownFileChanged(qsizetype file);
    // The map's facts changed (an edit, undo or redo of any of its documents, a save, the ID limit): findings and marks are to be read again.
    void mapChanged();

private:
    struct State;
    IdeDocument& m_shown;
    std::unique_ptr<State> m_state;
};

} // namespace tarnel
