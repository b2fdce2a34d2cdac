#include "mainwindow/filecommands.h"

#include "document/idedocument.h"
#include "document/idefile.h"
#include "platform/platform.h"
#include "settings/recentlist.h"

#include <QDateTime>

namespace {

const QString appTitle = QStringLiteral("Tarnel");
const QString crlf = QStringLiteral("\r\n");

// A message quotes at most this much of a line: a message box needs seconds
// to lay out a line of a megabyte, and minutes for one of fifty.
constexpr qsizetype quotedLineLength = 1000;

QString quotedLine(const QByteArray& line)
{
    if (line.size() <= quotedLineLength)
        return QString::fromLatin1(line);
    return QString::fromLatin1(line.first(quotedLineLength)) + QChar(0x2026);
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
    if (!m_document.fileChanges())
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
    m_document.setOpenFilePath(chosen);
    m_document.clearTables();
    // The old document was settled above; should the chosen file fail to
    // load, the empty one left has no changes that a save could write over it.
    m_document.setFileChanges(false);
    loadFile(chosen);
}

void FileCommands::openNamedFile(const QString& path)
{
    if (!askToSave())
        return;
    loadFile(path);
}

void FileCommands::reloadFile()
{
    if (m_document.isUntitled())
        return;
    if (!askToSave())
        return;
    m_document.setFileChanges(false);
    if (loadFile(m_document.openFilePath()))
        emit statusMessage(QStringLiteral("File reopened"));
}

void FileCommands::fileNew()
{
    if (!askToSave())
        return;
    m_document.clearTables();
    m_document.setOpenFilePath(IdeDocument::untitledPath);
    m_document.setFileChanges(false);
    emit statusMessage(QStringLiteral("New file created"));
}

void FileCommands::fileClose()
{
    if (!askToSave())
        return;
    m_document.setOpenFilePath(IdeDocument::untitledPath);
    m_document.clearTables();
    m_document.setFileChanges(false);
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
    m_document.setOpenFilePath(path);
    loadFile(path);
}

bool FileCommands::loadFile(const QString& path)
{
    const LoadOutcome outcome = ::loadFile(m_document, path, [this](const LoadError& error) {
        m_platform.showMessage(
            m_dialogParent, appTitle,
            QStringLiteral("The below line caused and error. Please correct or further errors could occur") +
                crlf + quotedLine(error.line),
            Platform::Icon::Information);
    });
    switch (outcome.status) {
    case ReadOutcome::Missing:
        m_platform.showMessage(m_dialogParent, appTitle, path + crlf + QStringLiteral("Does not exsist"),
                               Platform::Icon::Information);
        return false;
    case ReadOutcome::Unreadable:
        m_platform.showMessage(m_dialogParent, appTitle,
                               path + crlf + QStringLiteral("Could not be read: ") + outcome.error,
                               Platform::Icon::Information);
        return false;
    case ReadOutcome::Read: break;
    }
    emit loaded();
    emit statusMessage(QStringLiteral("IDE File opened"));
    m_recent.sortRecent(path);
    emit recentListChanged();
    return true;
}

bool FileCommands::saveFile(const QString& path)
{
    const QString failure = ::saveFile(m_document, path, QDateTime::currentDateTime());
    if (!failure.isEmpty()) {
        m_platform.showMessage(m_dialogParent, appTitle,
                               QStringLiteral("Could not save ") + path + crlf + failure,
                               Platform::Icon::Information);
        return false;
    }
    m_document.setFileChanges(false);
    emit statusMessage(QStringLiteral("IDE File saved"));
    return true;
}
