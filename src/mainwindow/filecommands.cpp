#include "mainwindow/filecommands.h"

#include "document/idedocument.h"
#include "document/idefile.h"
#include "history/edithistory.h"
#include "mainwindow/loaderrorprompts.h"
#include "platform/platform.h"
#include "settings/recentlist.h"
#include "texts/texts.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <utility>

namespace tarnel {

namespace {

const QString& crlf = texts::lineBreak;

QString lineCount(qsizetype count)
{
    return (count == 1 ? texts::oneLine : texts::lines).arg(count);
}

// "152 lines of this file are not kept by the Tarnel layout:" and a line per reason.
QString droppedLinesQuestion(const LoadReport& report)
{
    const qsizetype count = report.droppedLineCount();
    return lineCount(count) + (count == 1 ? texts::droppedOne : texts::droppedMany) + texts::droppedByLayout +
           crlf + report.droppedSummary().join(crlf);
}

} // namespace

FileCommands::FileCommands(IdeDocument& document, Platform& platform, RecentList& recent, QWidget* dialogParent,
                           QObject* parent)
    : QObject(parent), m_document(document), m_platform(platform), m_recent(recent), m_dialogParent(dialogParent)
{
    connect(&m_watch, &OutsideChangeWatch::changedOutside, this, &FileCommands::tellOutsideChange);
}

void FileCommands::setKeepLayout(bool on)
{
    m_keepLayout = on;
    if (!on && m_layoutAnswer == LayoutAnswer::KeepThem)
        m_layoutAnswer = LayoutAnswer::None;
}

void FileCommands::forgetLayoutAnswer()
{
    const bool wasKept = m_layoutAnswer == LayoutAnswer::KeepThem;
    m_layoutAnswer = LayoutAnswer::None;
    if (wasKept && !m_keepLayout)
        emit keepLayoutShown(false);
}

void FileCommands::resetDocument()
{
    m_watch.follow(QString());
    m_document.reset(); // its edit history forgets its steps
    forgetLayoutAnswer();
}

bool FileCommands::askToSave()
{
    if (m_mayDiscardEdits && !m_mayDiscardEdits())
        return false;
    if (!m_document.isModified())
        return true;
    const Platform::Answer answer = m_platform.askYesNoCancel(m_dialogParent, texts::saveChangesTitle,
                                                              texts::saveChangesFile + m_document.displayName() +
                                                                  crlf + texts::saveChangesQuestion);
    switch (answer) {
    case Platform::Answer::Cancel: return false;
    case Platform::Answer::No: return true;
    case Platform::Answer::Yes:
        // Changes are dropped only once they are safely written, or when the
        // file changed outside and Reload was chosen over writing them.
        return fileSave() || std::exchange(m_reloadWithoutSaving, false);
    }
    return false;
}

bool FileCommands::askToLeave()
{
    if (m_leaveMap) {
        if (const std::optional<bool> left = m_leaveMap())
            return *left;
    }
    return askToSave();
}

FileCommands::ShownFileState FileCommands::takeShownFile(const ShownFileState& state)
{
    const OutsideChangeWatch::Identity leavingDisk = m_watch.known();
    // A file shown before keeps the disk state it was loaded or saved with, so
    // that a change another program made meanwhile is told, not taken as its own.
    if (state.disk)
        m_watch.follow(m_document.openFilePath(), *state.disk);
    else
        m_watch.follow(m_document.openFilePath());
    const LayoutAnswer leaving = std::exchange(m_layoutAnswer, state.answer);
    if (!m_keepLayout && (leaving == LayoutAnswer::KeepThem) != (state.answer == LayoutAnswer::KeepThem))
        emit keepLayoutShown(state.answer == LayoutAnswer::KeepThem);
    return {leaving, leavingDisk};
}

void FileCommands::fileOpen()
{
    const QString chosen =
        m_platform.openFileName(m_dialogParent, texts::ideFileFilter, m_document.openFileFolder());
    if (!chosen.isEmpty())
        openChosenFile(chosen);
}

void FileCommands::openDroppedFiles(const QStringList& paths)
{
    if (paths.isEmpty() || !openChosenFile(paths.first()) || paths.size() == 1)
        return;
    emit statusMessage(texts::firstDroppedFileOpened.arg(paths.size()));
}

bool FileCommands::openChosenFile(const QString& chosen)
{
    if (!chosen.right(4).toLower().endsWith(QLatin1String(".ide"))) {
        m_platform.showMessage(m_dialogParent, texts::appTitle, texts::notIdeFile + crlf + texts::notIdeFileJoke,
                               Platform::Icon::Information);
        return false;
    }
    return askToLeave() && loadFile(chosen, OnFailure::Untitled);
}

void FileCommands::openNamedFile(const QString& path)
{
    if (!askToLeave())
        return;
    loadFile(path, OnFailure::KeepDocument);
}

void FileCommands::reloadFile()
{
    if (m_document.isUntitled())
        return;
    const QScopedValueRollback reloading(m_reloading, true);
    if (!askToSave())
        return;
    // Changes kept by a No stay marked should the file be gone: a later Close
    // or Exit must still ask about them.
    if (loadFile(m_document.openFilePath(), OnFailure::KeepDocument))
        emit statusMessage(texts::fileReopened);
}

void FileCommands::fileNew()
{
    if (!askToLeave())
        return;
    resetDocument();
    emit statusMessage(texts::fileCreated);
}

void FileCommands::fileClose()
{
    if (!askToLeave())
        return;
    resetDocument();
    emit statusMessage(texts::fileClosed);
}

bool FileCommands::fileSave()
{
    if (m_document.isUntitled())
        return fileSaveAs();
    switch (askAboutOutsideChange()) {
    case OutsideAnswer::Save: break;
    case OutsideAnswer::Cancel: return false;
    case OutsideAnswer::Reload:
        if (m_reloading) {
            m_reloadWithoutSaving = true;
        } else {
            const QScopedValueRollback answered(m_outsideChangeAnswered, true);
            reloadFile();
        }
        return false;
    }
    return saveFile(m_document.openFilePath());
}

FileCommands::OutsideAnswer FileCommands::askAboutOutsideChange()
{
    const OutsideChangeWatch::DiskState state = m_watch.state();
    if (m_outsideChangeAnswered || state == OutsideChangeWatch::DiskState::AsKnown)
        return OutsideAnswer::Save;
    if (state == OutsideChangeWatch::DiskState::Vanished)
        return m_platform.askWithButtons(m_dialogParent, texts::appTitle, texts::fileVanishedBeforeSave,
                                         {texts::saveAnyway, texts::cancel}) == 0
                   ? OutsideAnswer::Save
                   : OutsideAnswer::Cancel;
    switch (m_platform.askWithButtons(m_dialogParent, texts::appTitle, texts::fileChangedBeforeSave,
                                      {texts::reload, texts::saveAnyway, texts::cancel})) {
    case 0: return OutsideAnswer::Reload;
    case 1: return OutsideAnswer::Save;
    default: return OutsideAnswer::Cancel;
    }
}

void FileCommands::tellOutsideChange(OutsideChangeWatch::DiskState state)
{
    // A question already open (this one, or one of a save or load) is answered first.
    if (m_tellingOutsideChange || QApplication::activeModalWidget())
        return;
    const QScopedValueRollback telling(m_tellingOutsideChange, true);
    if (state == OutsideChangeWatch::DiskState::Vanished) {
        emit statusMessage(texts::fileVanished);
    } else if (m_document.isModified()) {
        emit statusMessage(texts::fileChangedKeepingChanges);
    } else if (m_platform.askYesNo(m_dialogParent, texts::appTitle,
                                   m_document.openFilePath() + crlf + texts::fileChangedReload) ==
               Platform::Answer::Yes) {
        reloadFile();
    }
}

bool FileCommands::fileSaveAs()
{
    // Starting at the open file offers its name in its own folder.
    const QString start =
        m_document.isUntitled() ? QString() : QFileInfo(m_document.openFilePath()).absoluteFilePath();
    const QString chosen = m_platform.saveFileName(m_dialogParent, texts::ideFileFilter, start);
    if (chosen.isEmpty())
        return false;
    // The document takes the new name only once it is written there.
    if (!saveFile(chosen))
        return false;
    m_document.setOpenFilePath(chosen);
    return true;
}

void FileCommands::startUp(const QString& path)
{
    if (!path.isEmpty())
        loadFile(path, OnFailure::NewFile);
}

bool FileCommands::loadFile(const QString& path, OnFailure onFailure)
{
    // Each load starts with prompts again, whatever the last one was told.
    LoadErrorPrompts prompts(m_platform, m_dialogParent);
    const LoadOutcome outcome =
        loadDocument(m_document, path, [&prompts](const LoadError& error) { prompts.report(error); });
    switch (outcome.status) {
    case ReadOutcome::Read: break;
    case ReadOutcome::Utf16:
        // Refused before anything is replaced: the open document stays.
        m_platform.showMessage(m_dialogParent, texts::appTitle,
                               path + crlf + texts::fileUtf16 + crlf + texts::fileUtf16Advice,
                               Platform::Icon::Information);
        return false;
    case ReadOutcome::Missing:
        // A folder of that name reads as missing too, but no save could make the file.
        if (onFailure == OnFailure::NewFile && !QFileInfo(path).isDir()) {
            m_document.setOpenFilePath(path);
            m_watch.follow(path);
            emit statusMessage(texts::fileNotThereYet);
            return false;
        }
        [[fallthrough]];
    case ReadOutcome::Unreadable:
        m_platform.showMessage(m_dialogParent, texts::appTitle,
                               outcome.status == ReadOutcome::Missing
                                   ? path + crlf + texts::fileMissing
                                   : path + crlf + texts::fileUnreadable + outcome.error,
                               Platform::Icon::Information);
        // The old document was given up: an empty one must not carry the
        // failed file's name, or Save would write it over that file.
        if (onFailure != OnFailure::KeepDocument)
            resetDocument();
        return false;
    }
    // The document's edit history forgot its steps as the load began.
    forgetLayoutAnswer();
    m_watch.follow(path);
    const qsizetype reported = m_document.loadReport().entries.size();
    emit statusMessage(reported == 0 ? texts::fileOpened
                                     : texts::fileOpenedReport + lineCount(reported) + texts::inLoadReport);
    // The list must reopen the file from any working folder.
    m_recent.recordOpened(QFileInfo(path).absoluteFilePath());
    emit recentListChanged();
    // Shown over the loaded table.
    prompts.finish();
    return true;
}

std::optional<SaveLayout> FileCommands::layoutForSave()
{
    // A new document has no file whose layout it could keep.
    if (m_document.isUntitled())
        return SaveLayout::Fixed;
    if (m_keepLayout || m_layoutAnswer == LayoutAnswer::KeepThem)
        return SaveLayout::KeepFile;
    if (m_layoutAnswer == LayoutAnswer::LeaveThemOut || m_document.loadReport().droppedLineCount() == 0)
        return SaveLayout::Fixed;
    const int chosen = m_platform.askWithButtons(m_dialogParent, texts::saveChangesTitle,
                                                 droppedLinesQuestion(m_document.loadReport()),
                                                 {texts::keepThem, texts::leaveThemOut, texts::cancel});
    switch (chosen) {
    case 0:
        m_layoutAnswer = LayoutAnswer::KeepThem;
        emit keepLayoutShown(true);
        return SaveLayout::KeepFile;
    case 1: m_layoutAnswer = LayoutAnswer::LeaveThemOut; return SaveLayout::Fixed;
    default: return std::nullopt; // asked again at the next save
    }
}

bool FileCommands::saveFile(const QString& path)
{
    const std::optional<SaveLayout> layout = layoutForSave();
    if (!layout)
        return false;
    const QString failure = saveDocument(m_document, path, QDateTime::currentDateTime(), *layout);
    if (!failure.isEmpty()) {
        m_platform.showMessage(m_dialogParent, texts::appTitle, texts::couldNotSave + path + crlf + failure,
                               Platform::Icon::Information);
        return false;
    }
    EditHistory::of(m_document).markSaved();
    m_watch.follow(path);
    emit statusMessage(texts::fileSaved);
    return true;
}

} // namespace tarnel
