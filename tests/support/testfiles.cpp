#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <unistd.h>

namespace support {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool putOrRemoveFile(const QString& path, const QByteArray& bytes)
{
    if (bytes.isNull())
        return QFile::remove(path) || !QFile::exists(path);
    return putFile(path, bytes);
}

QString corpusPath(const QString& name)
{
    return QDir(QStringLiteral(TARNEL_CORPUS_DIR)).filePath(name);
}

QStringList corpusFiles()
{
    return QDir(QStringLiteral(TARNEL_CORPUS_DIR)).entryList({QStringLiteral("*.ide")}, QDir::Files, QDir::Name);
}

QStringList allCorpusPaths()
{
    QStringList paths;
    for (const char* folder : {TARNEL_CORPUS_DIR, TARNEL_SHARED_CORPUS_DIR})
        for (QDirIterator it(folder, {"*.ide"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            paths << it.next();
    return paths;
}

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

bool runningAsRoot()
{
    return geteuid() == 0;
}

} // namespace support
