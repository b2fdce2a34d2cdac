#pragma once

#include "document/idefile.h"

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

    // true: go on; false: stop, the document stays as it is. Asks first of
    // what `setEditsCheck` gave, then about unsaved changes.
    bool askToSave();
    // Whether the edits not yet in the document (open editors' fields) may go.
    void setEditsCheck(std::function<bool()> mayDiscardEdits) { m_mayDiscardEdits = std::move(mayDiscardEdits); }

    void fileOpen();
    // A path from the recent list: no extension check, and a missing file keeps
    // the open document's path.
    void openNamedFile(const QString& path);
    void reloadFile();
    void fileNew();
    void fileClose();
    // Each returns whether the document was written.
    bool fileSave();
    bool fileSaveAs();
    // Start-up with a command line (quotes already removed): load it if named.
    void startUp(const QString& path);
    // The "Keep file layout" option: Save and Save as follow the file the
    // document was read from.
    void setKeepLayout(bool on) { m_keepLayout = on; }

signals:
    void statusMessage(const QString& text);
    // A file was read in; the statistics and the recent menu follow.
    void loaded();
    void recentListChanged();

private:
    // What a load that fails leaves: the document as it was (reload, a recent
    // file), or an untitled empty one (Open and start-up, which gave it up).
    // A UTF-16 file is refused before either and always keeps the document.
    enum class OnFailure { KeepDocument, Untitled };
    // The window's load steps for `path`; returns whether the file was read.
    bool loadFile(const QString& path, OnFailure onFailure);
    bool saveFile(const QString& path);
    // The layout the next save writes; none when the user cancelled it. In the
    // fixed layout a document whose file has lines that layout leaves out asks
    // first, once.
    std::optional<SaveLayout> layoutForSave();
    // A new document, or another file, starts without an answer about its lines.
    void forgetLayoutAnswer() { m_layoutAnswer = LayoutAnswer::None; }

    IdeDocument& m_document;
    Platform& m_platform;
    RecentList& m_recent;
    QWidget* m_dialogParent;
    bool m_keepLayout = false;
    std::function<bool()> m_mayDiscardEdits;
    // What the user said about the lines the fixed layout leaves out of the open document.
    enum class LayoutAnswer { None, KeepThem, LeaveThemOut };
    LayoutAnswer m_layoutAnswer = LayoutAnswer::None;
};

} // namespace tarnel
