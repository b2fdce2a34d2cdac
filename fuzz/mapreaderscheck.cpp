#include "mapreaderscheck.h"

#include "map/gamemap.h"
#include "map/levellist.h"
#include "map/linewalk.h"
#include "texts/maptexts.h"

using namespace tarnel;

namespace {

template <typename Items> QString lineFault(const Items& items, qint64 lineCount, const char* what)
{
    qint64 previous = 0;
    for (const auto& item : items) {
        if (item.line < 0 || item.line > lineCount || item.line < previous)
            return QStringLiteral("%1 on line %2 of %3 lines, after line %4")
                .arg(QLatin1String(what))
                .arg(item.line)
                .arg(lineCount)
                .arg(previous);
        previous = item.line;
    }
    return {};
}

QStringList described(const QList<MapFinding>& findings)
{
    QStringList lines;
    for (const MapFinding& finding : findings)
        lines.append(compilerStyle(finding));
    return lines;
}

} // namespace

QString mapReadersFault(QByteArrayView input)
{
    const QByteArray bytes = input.toByteArray();
    const qint64 lineCount = forEachLine(bytes, [](QByteArrayView, qint64) {});
    QString fault = lineFault(readLevelList(bytes), lineCount, "listed file");
    const FileFacts ide = readIdeFacts(bytes);
    const FileFacts ipl = readIplFacts(bytes);
    for (const FileFacts* facts : {&ide, &ipl}) {
        if (fault.isEmpty() && !facts->binary && facts->lineCount != lineCount)
            fault = QStringLiteral("%1 lines read of %2").arg(facts->lineCount).arg(lineCount);
        if (fault.isEmpty())
            fault = lineFault(facts->definitions, lineCount, "definition");
        if (fault.isEmpty())
            fault = lineFault(facts->references, lineCount, "reference");
        if (fault.isEmpty())
            fault = lineFault(facts->findings, lineCount, "finding");
    }
    if (!fault.isEmpty() || (ipl.instCount > 0) != (ipl.instValueCount > 0))
        return fault.isEmpty() ? QStringLiteral("inst lines without a value count") : fault;

    MapSources sources;
    for (const MapFileKind kind : {MapFileKind::Ide, MapFileKind::Ipl, MapFileKind::Ide})
        sources.files.append(MapFile{kind, QStringLiteral("/f"), QStringLiteral("f"), {}, {}, 0});
    GameMap map = GameMap::fromFacts(sources, {ide, ipl, ide});
    const QStringList found = described(map.findings());
    const QString definedAgain =
        texts::mapIdDefinedAgain.section(u'%', 1, 1).mid(1); // between the ID and the place
    const qsizetype again = found.filter(definedAgain).size();
    if (again < ide.definitions.size())
        return QStringLiteral("%1 definitions read twice, %2 found defined again")
            .arg(ide.definitions.size())
            .arg(again);
    for (qsizetype file = 0; file < 3; ++file) {
        const FileFacts facts = map.facts(file);
        map.replaceFacts(file, {});
        map.replaceFacts(file, facts);
        if (described(map.findings()) != found)
            return QStringLiteral("the findings changed as file %1 was taken out and put back").arg(file);
    }
    return {};
}
