#include "map/pathresolver.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace tarnel {

PathResolver::PathResolver(QString gameFolder) : m_gameFolder(std::move(gameFolder)) {}

PathResolver::Resolved PathResolver::resolve(const QString& listed)
{
    QStringList parts;
    for (const QString& part : QString(listed).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (parts.isEmpty())
                return {Outcome::LeavesGameFolder, {}};
            parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    if (parts.isEmpty())
        return {};
    QString path = m_gameFolder;
    for (const QString& part : parts) {
        path = childOf(path, part);
        if (path.isEmpty())
            return {};
    }
    if (!QFileInfo(path).isFile())
        return {};
    return {Outcome::Found, path};
}

QString PathResolver::childOf(const QString& folder, const QString& part)
{
    const QString exact = folder + u'/' + part;
    if (QFileInfo::exists(exact))
        return exact;
    auto listing = m_listings.find(folder);
    if (listing == m_listings.end()) {
        QHash<QString, QString> names;
        const QStringList entries = QDir(folder).entryList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString& name : entries)
            names.insert(name.toCaseFolded(), name); // a later name of the same letters wins: any will do
        listing = m_listings.insert(folder, names);
    }
    const auto found = listing->constFind(part.toCaseFolded());
    return found == listing->cend() ? QString() : folder + u'/' + *found;
}

} // namespace tarnel
