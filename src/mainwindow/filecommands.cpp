#include "mainwindow/filecommands.h"

#include "document/idedocument.h"
#include "document/idefile.h"
#include "edits/edithistory.h"
#include "mainwindow/loaderrorprompts.h"
#include "platform/platform.h"
#include "settings/recentlist.h"
#include "texts/texts.h"

#include <QDateTime>
#include <QFileInfo>

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
        // Changes are dropped only once they are safely written.
        return fileSave();
    }
    return false;
}

void FileCommands::fileOpen()
{
    const QString chosen =
        m_platform.openFileName(m_dialogParent, texts::ideFileFilter, m_document.openFileFolder());
    if (chosen.isEmpty())
        return;
    if (!chosen.right(4).toLower().endsWith(QLatin1String(".ide"))) {
        m_platform.showMessage(m_dialogParent, texts::appTitle, texts::notIdeFile + crlf + texts::notIdeFileJoke,
                               Platform::Icon::Information);
        return;
    }
    if (!askToSave())
        return;
    loadFile(chosen, OnFailure::Untitled);
}

void FileCommands::openNamedFile(const QString& path)
{
    if (!askToSave())
        return;
    loadFile(path, OnFailure::KeepDocument);
}

void FileCommands::reloadFile()
{
    if (m_document.isUntitled())
        return;
    if (!askToSave())
        return;
    // Changes kept by a No stay marked should the file be gone: a later Close
    // or Exit must still ask about them.
    if (loadFile(m_document.openFilePath(), OnFailure::KeepDocument))
        emit statusMessage(texts::fileReopened);
}

void FileCommands::fileNew()
{
    if (!askToSave())
        return;
    m_document.clearTables();
    m_document.setOpenFilePath(QString());
    EditHistory::of(m_document).forget();
    forgetLayoutAnswer();
    emit statusMessage(texts::fileCreated);
}

void FileCommands::fileClose()
{
    if (!askToSave())
        return;
    m_document.setOpenFilePath(QString());
    m_document.clearTables();
    EditHistory::of(m_document).forget();
    forgetLayoutAnswer();
    emit statusMessage(texts::fileClosed);
}

bool FileCommands::fileSave()
{
    if (m_document.isUntitled())
        return fileSaveAs();
    return saveFile(m_document.openFilePath());
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
        loadFile(path, OnFailure::Untitled);
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
    case ReadOutcome::Unreadable:
        m_platform.showMessage(m_dialogParent, texts::appTitle,
                               outcome.status == ReadOutcome::Missing
                                   ? path + crlf + texts::fileMissing
                                   : path + crlf + texts::fileUnreadable + outcome.error,
                               Platform::Icon::Information);
        // The old document was given up: an empty one must not carry the
        // failed file's name, or Save would write it over that file.
        if (onFailure == OnFailure::Untitled) {
            m_document.clearTables();
            m_document.setOpenFilePath(QString());
            EditHistory::of(m_document).forget();
            forgetLayoutAnswer();
        }
        return false;
    }
    EditHistory::of(m_document).forget();
    forgetLayoutAnswer();
    emit loaded();
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
    case 0: m_layoutAnswer = LayoutAnswer::KeepThem; return SaveLayout::KeepFile;
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
    emit statusMessage(texts::fileSaved);
    return true;
}

} // namespace tarnel
