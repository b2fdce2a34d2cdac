#include "mainwindow/mapidsearch.h"

#include "document/idedocument.h"
#include "map/gamemap.h"

namespace tarnel {

namespace {

// The sections shown as tables: the only definitions a row can be shown for.
bool inTables(const IdDefinition& definition)
{
    return definition.line > 0 && (definition.section == IdSection::Objs || definition.section == IdSection::Tobj);
}

} // namespace

std::optional<MapPlace> firstDefinitionElsewhere(const GameMap& map, qint64 id, qsizetype shownFile)
{
    for (const auto& [file, definition] : map.definitionsOf(id)) {
        if (file != shownFile && inTables(definition))
            return MapPlace{file, definition.line};
    }
    return std::nullopt;
}

std::optional<MapPlace> nextDuplicateElsewhere(const GameMap& map, qsizetype shownFile)
{
    const qsizetype files = map.sources().files.size();
    for (qsizetype step = 1; step <= files; ++step) {
        const qsizetype file = (shownFile + step) % files;
        if (file == shownFile || map.sources().files[file].kind != MapFileKind::Ide)
            continue;
        for (const IdDefinition& definition : map.facts(file).definitions) {
            if (inTables(definition) && map.definitionsOf(definition.id).size() > 1)
                return MapPlace{file, definition.line};
        }
    }
    return std::nullopt;
}

std::optional<TableRow> rowReadFromLine(const IdeDocument& document, qint64 line)
{
    if (line <= 0)
        return std::nullopt;
    for (LineKind kind : allLineKinds) {
        // A row read from the file keeps its line as its identity (RowIdSource).
        if (const qsizetype position = document.table(kind).rowWithId(RowId(line)); position >= 0)
            return TableRow{kind, position};
    }
    return std::nullopt;
}

} // namespace tarnel
