#include "document/idefile.h"

#include "document/idedocument.h"
#include "document/idewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

ReadOutcome readIdeFile(const QString& path)
{
    ReadOutcome outcome;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        return outcome;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.status = ReadOutcome::Unreadable;
        outcome.error = file.errorString();
        return outcome;
    }
    outcome.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        outcome.status = ReadOutcome::Unreadable;
        outcome.error = file.errorString();
        outcome.bytes.clear();
        return outcome;
    }
    outcome.status = ReadOutcome::Read;
    return outcome;
}

QString writeIdeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

LoadOutcome loadFile(IdeDocument& document, const QString& path, const LoadErrorSink& onError)
{
    ReadOutcome read = readIdeFile(path);
    if (read.status != ReadOutcome::Read)
        return {read.status, read.error};
    DocumentContent content = parseIde(read.bytes, onError);
    read.bytes = {}; // the rows hold their own copy; free the file's bytes early
    content.markComments();
    document.replaceContent(std::move(content));
    document.setOpenFilePath(path);
    document.setFileChanges(false);
    return {ReadOutcome::Read, {}};
}

QString saveFile(const IdeDocument& document, const QString& path, const QDateTime& when)
{
    return writeIdeFile(path, document.toFileBytes(headerLine(when)));
}
