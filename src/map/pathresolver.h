#pragma once

#include <QHash>
#include <QString>

namespace tarnel {

// Finds the files a level list names below the game folder. The lists were
// written on a case-free file system, so each part of a path is matched
// without regard to case (the exact name first, else one listing of the
// folder, kept for the next paths); `\` and `/` both separate parts.
class PathResolver {
public:
    explicit PathResolver(QString gameFolder);

    enum class Outcome { Found, Missing, LeavesGameFolder };
    struct Resolved {
        Outcome outcome = Outcome::Missing;
        QString path; // absolute, when found
    };
    Resolved resolve(const QString& listed);

private:
    QString childOf(const QString& folder, const QString& part);

    QString m_gameFolder;
    // folder -> case-folded name -> the name on disk
    QHash<QString, QHash<QString, QString>> m_listings;
};

} // namespace tarnel
