#pragma once

#include "document/idefile.h"
#include "mainwindow/outsidechangewatch.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace tarnel {

class IdeDocument;
class Platform;
class RecentList;

// The life of the open document: open, reload, new, close, save, and the
// question about unsaved changes that comes before each of them.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(IdeDocument& document, Platform& platform, RecentList& recent, QWidget* dialogParent,
                 QObject* parent = nullptr);

    IdeDocument& document() const { return m_document; }
    // true: go on; false: stop, the document stays as it is. Asks first of
    // what `setEditsCheck` gave, then about unsaved changes.
    bool askToSave();
    // Whether the edits not yet in the document (open editors' fields) may go.
    void setEditsCheck(std::function<bool()> mayDiscardEdits) { m_mayDiscardEdits = std::move(mayDiscardEdits); }
    // Before the document is given up (Open, New, Close, Exit, another map): with a
    // map open, `leaveMap` asks once about all its files and closes it (true: go
    // on); nothing when no map is open, and askToSave() asks as before.
    bool askToLeave();
    void setMapLeave(std::function<std::optional<bool>()> leaveMap) { m_leaveMap = std::move(leaveMap); }
    // What the user said about the lines the fixed layout leaves out, kept per map file.
    enum class LayoutAnswer { None, KeepThem, LeaveThemOut };
    // What is kept of a map file while another is shown: the layout answer,
    // and the file as it was on disk when last loaded or saved (none: not yet shown).
    struct ShownFileState {
        LayoutAnswer answer = LayoutAnswer::None;
        std::optional<OutsideChangeWatch::Identity> disk;
    };
    // Another file of the map is shown in the document, with its `state`;
    // returns the state of the file leaving.
    ShownFileState takeShownFile(const ShownFileState& state);

    void fileOpen();
    // A path from the recent list: no extension check, and a missing file keeps
    // the open document's path.
    void openNamedFile(const QString& path);
    // Files dropped on the window: the first is opened as File > Open would.
    void openDroppedFiles(const QStringList& paths);
    void reloadFile();
    void fileNew();
    void fileClose();
    // Each returns whether the document was written.
    bool fileSave();
    bool fileSaveAs();
    // Start-up with a command line (quotes already removed): load it if named;
    // a file not there yet keeps its name, for the first save to create.
    void startUp(const QString& path);
    // The "Keep file layout" option: Save and Save as follow the file the
    // document was read from.
    // Clearing it also takes back a Keep them answer, which ticked the box.
    void setKeepLayout(bool on);

signals:
    void statusMessage(const QString& text);
    void recentListChanged();
    // Whether the next save keeps the file's layout, for the "Keep file layout"
    // box: a Keep them answer ticks it for this document, the next one untick it.
    void keepLayoutShown(bool on);

private:
    // What a load that fails leaves: the document as it was (reload, a recent
    // file), or an untitled empty one (Open and start-up, which gave it up).
    // A UTF-16 file is refused before either and always keeps the document.
    // NewFile (start-up): a file that is not there is the name of a new one.
    enum class OnFailure { KeepDocument, Untitled, NewFile };
    // The window's load steps for `path`; returns whether the file was read.
    bool loadFile(const QString& path, OnFailure onFailure);
    // Open's steps once a file is chosen: its name checked, the question about changes.
    bool openChosenFile(const QString& chosen);
    bool saveFile(const QString& path);
    // Before Save writes over the open file: whether another program changed
    // it since it was read or written here.
    enum class OutsideAnswer { Save, Reload, Cancel };
    OutsideAnswer askAboutOutsideChange();
    // The file changed on disk: offer to reload it, or tell that a save will ask.
    void tellOutsideChange(OutsideChangeWatch::DiskState state);
    // The layout the next save writes; none when the user cancelled it. In the
    // fixed layout a document whose file has lines that layout leaves out asks
    // first, once.
    std::optional<SaveLayout> layoutForSave();
    // A new document, or another file, starts without an answer about its lines.
    void forgetLayoutAnswer();
    // New, Close and a load that gave the old document up: an untitled empty one.
    void resetDocument();

    IdeDocument& m_document;
    Platform& m_platform;
    RecentList& m_recent;
    QWidget* m_dialogParent;
    bool m_keepLayout = false;
    std::function<bool()> m_mayDiscardEdits;
    std::function<std::optional<bool>()> m_leaveMap;
    // About the open document.
    LayoutAnswer m_layoutAnswer = LayoutAnswer::None;
    OutsideChangeWatch m_watch;
    // A Reload answered before a save: the reload's own question about the
    // changes must not bring the outside change up again.
    bool m_outsideChangeAnswered = false;
    // Inside Reload: Reload answered before its save goes on without saving.
    bool m_reloading = false;
    bool m_reloadWithoutSaving = false;
    bool m_tellingOutsideChange = false;
};

} // namespace tarnel
