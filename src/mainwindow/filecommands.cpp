#include "mainwindow/filecommands.h"

#include "document/idedocument.h"
#include "document/idefile.h"
#include "edits/edithistory.h"
#include "mainwindow/loaderrorprompts.h"
#include "platform/platform.h"
#include "settings/recentlist.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

const QString appTitle = QStringLiteral("Tarnel");
const QString crlf = QStringLiteral("\r\n");

QString lineCount(qsizetype count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" line") : QStringLiteral(" lines"));
}

// "152 lines of this file are not kept by the Tarnel layout:" and a line per reason.
QString droppedLinesQuestion(const LoadReport& report)
{
    const qsizetype count = report.droppedLineCount();
    return lineCount(count) + (count == 1 ? QStringLiteral(" of this file is") : QStringLiteral(" of this file are")) +
           QStringLiteral(" not kept by the Tarnel layout:") + crlf + report.droppedSummary().join(crlf);
}

} // namespace

FileCommands::FileCommands(IdeDocument& document, Platform& platform, RecentList& recent,
                           QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_document(document), m_platform(platform), m_recent(recent),
      m_dialogParent(dialogParent)
{
}

bool FileCommands::askToSave()
{
    if (!m_document.isModified())
        return true;
    const Platform::Answer answer = m_platform.askYesNoCancel(
        m_dialogParent, QStringLiteral("Save changes?"),
        QStringLiteral("File: ") + m_document.openFilePath() + crlf +
            QStringLiteral("Do you want to save changes?"));
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
    const QString chosen = m_platform.openFileName(m_dialogParent, ideFileFilter);
    if (chosen.isEmpty())
        return;
    if (!chosen.right(4).toLower().endsWith(QLatin1String(".ide"))) {
        m_platform.showMessage(m_dialogParent, appTitle,
                               QStringLiteral("This is not an IDE file.") + crlf +
                                   QStringLiteral("This is an Tarnel. Try and guess why it wont open this file."),
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
        emit statusMessage(QStringLiteral("File reopened"));
}

void FileCommands::fileNew()
{
    if (!askToSave())
        return;
    m_document.clearTables();
    m_document.setOpenFilePath(IdeDocument::untitledPath);
    EditHistory::of(m_document).forget();
    forgetLayoutAnswer();
    emit statusMessage(QStringLiteral("New file created"));
}

void FileCommands::fileClose()
{
    if (!askToSave())
        return;
    m_document.setOpenFilePath(IdeDocument::untitledPath);
    m_document.clearTables();
    EditHistory::of(m_document).forget();
    forgetLayoutAnswer();
    emit statusMessage(QStringLiteral("File closed"));
}

bool FileCommands::fileSave()
{
    if (m_document.isUntitled())
        return fileSaveAs();
    return saveFile(m_document.openFilePath());
}

bool FileCommands::fileSaveAs()
{
    const QString chosen = m_platform.saveFileName(m_dialogParent, ideFileFilter);
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
    if (path.isEmpty()) {
        m_document.setOpenFilePath(IdeDocument::untitledPath);
        return;
    }
    loadFile(path, OnFailure::Untitled);
}

bool FileCommands::loadFile(const QString& path, OnFailure onFailure)
{
    // Each load starts with prompts again, whatever the last one was told.
    LoadErrorPrompts prompts(m_platform, m_dialogParent);
    const LoadOutcome outcome =
        ::loadFile(m_document, path, [&prompts](const LoadError& error) { prompts.report(error); });
    switch (outcome.status) {
    case ReadOutcome::Read: break;
    case ReadOutcome::Utf16:
        // Refused before anything is replaced: the open document stays.
        m_platform.showMessage(m_dialogParent, appTitle,
                               path + crlf + QStringLiteral("Could not be read: it is UTF-16 text.") + crlf +
                                   QStringLiteral("Save it as ANSI or UTF-8 text and open it again."),
                               Platform::Icon::Information);
        return false;
    case ReadOutcome::Missing:
    case ReadOutcome::Unreadable:
        m_platform.showMessage(m_dialogParent, appTitle,
                               outcome.status == ReadOutcome::Missing
                                   ? path + crlf + QStringLiteral("Does not exsist")
                                   : path + crlf + QStringLiteral("Could not be read: ") + outcome.error,
                               Platform::Icon::Information);
        // The old document was given up: an empty one must not carry the
        // failed file's name, or Save would write it over that file.
        if (onFailure == OnFailure::Untitled) {
            m_document.clearTables();
            m_document.setOpenFilePath(IdeDocument::untitledPath);
            EditHistory::of(m_document).forget();
            forgetLayoutAnswer();
        }
        return false;
    }
    EditHistory::of(m_document).forget();
    forgetLayoutAnswer();
    emit loaded();
    const qsizetype reported = m_document.loadReport().entries.size();
    emit statusMessage(reported == 0 ? QStringLiteral("IDE File opened")
                                     : QStringLiteral("IDE File opened - ") + lineCount(reported) +
                                           QStringLiteral(" in the load report"));
    // The list must reopen the file from any working folder.
    m_recent.sortRecent(QFileInfo(path).absoluteFilePath());
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
    const int chosen = m_platform.askWithButtons(
        m_dialogParent, QStringLiteral("Save changes?"), droppedLinesQuestion(m_document.loadReport()),
        {QStringLiteral("Keep them"), QStringLiteral("Leave them out"), QStringLiteral("Cancel")});
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
    const QString failure = ::saveFile(m_document, path, QDateTime::currentDateTime(), *layout);
    if (!failure.isEmpty()) {
        m_platform.showMessage(m_dialogParent, appTitle,
                               QStringLiteral("Could not save ") + path + crlf + failure,
                               Platform::Icon::Information);
        return false;
    }
    EditHistory::of(m_document).markSaved();
    emit statusMessage(QStringLiteral("IDE File saved"));
    return true;
}
