#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace tarnel {

class GameMap;
class IdeDocument;

// The map open in the window, if any: its files (GameMap), one document per IDE
// file with its own undo history and layout choice, and which of them the
// tables show. The shown file's content lives in the window's one document;
// the others wait in documents of their own and change places with it when
// shown (IdeDocument::exchangeContent), each history going with its content.
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

    // Reads the map of `operands` (level lists, folders, IDE and IPL files) and
    // shows its first IDE file found, or empties the window's document when
    // there is none. `gameFolder` empty: found from the lists. The caller has
    // asked about changes; a map open before is closed without a word.
    void open(const QStringList& operands, const QString& gameFolder = {});
    // Forgets the map and every document but the shown one, whose content stays.
    void close();
    // What was opened and the game folder given (empty: found from the lists).
    const QStringList& operands() const;
    const QString& gameFolder() const;
    // nullopt: derived from the inst lines; an empty optional<qint64>: no limit.
    void setIdLimit(std::optional<std::optional<qint64>> limit);
    // The files whose documents differ from their files, in load order.
    QList<qsizetype> changedFiles() const;
    bool isChanged(qsizetype file) const;
    // Placement files of the map at `paths` written since they were read: their facts are read
    // again (placementFileRead for each, findingsChanged, mapChanged); paths of no file of the map are passed
    // over.
    void rereadPlacementFiles(const QStringList& paths);
    // Asked before another file is shown; false keeps the shown one (open editors' fields, say).
    void setLeaveCheck(std::function<bool()> mayLeave) { m_mayLeave = std::move(mayLeave); }

signals:
    void opened();
    void closed();
    void shownFileChanged(qsizetype file);
    // The map's facts changed (an edit, undo or redo of any of its documents, a save, the ID limit): findings and
    // marks are to be read again.
    void mapChanged();
    // Sent just before mapChanged when findings may have changed: those of
    // `files` (GameMap::findingsIn; -1, the level lists, is never among them).
    void findingsChanged(const QList<qsizetype>& files);
    // A placement file's facts were read again from disk.
    void placementFileRead(const QString& path);

private:
    struct State;
    // The document's facts as edited into the map, then told.
    void refreshFacts(qsizetype file);
    // Each step, undo, redo and save of the file's history refreshes its facts.
    void followHistoryOf(qsizetype file, IdeDocument& document);
    void stopFollowing();

    IdeDocument& m_shown;
    std::unique_ptr<State> m_state;
    std::function<bool()> m_mayLeave;
};

} // namespace tarnel
