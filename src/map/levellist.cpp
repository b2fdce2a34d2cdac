#include "map/levellist.h"

#include "document/filenames.h"
#include "document/idetext.h"
#include "map/linewalk.h"

namespace tarnel {

QList<ListedFile> readLevelList(QByteArrayView bytes)
{
    QList<ListedFile> listed;
    forEachLine(bytes, [&](QByteArrayView line, qint64 number) {
        line = idetext::trimSpacesAndTabs(line);
        qsizetype space = 0;
        while (space < line.size() && line[space] != ' ' && line[space] != '\t')
            ++space;
        const QByteArrayView keyword = line.first(space);
        const bool ide = idetext::isKeyword(keyword, "ide");
        if (!ide && !idetext::isKeyword(keyword, "ipl"))
            return;
        listed.append(ListedFile{ide ? MapFileKind::Ide : MapFileKind::Ipl,
                                 fileNameFromBytes(idetext::trimSpacesAndTabs(line.sliced(space))), number});
    });
    return listed;
}

} // namespace tarnel
