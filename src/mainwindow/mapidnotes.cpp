#include "mainwindow/mapidnotes.h"

#include "map/gamemap.h"
#include "mainwindow/openmap.h"
#include "texts/texts.h"

#include <QFileInfo>

namespace tarnel {

namespace {

// The shown document's own tables hold its objects and timed objects; every
// other definition lies outside them.
bool outsideTables(const OpenMap& map, qsizetype file, const IdDefinition& definition)
{
    return file != map.shownFile() ||
           (definition.section != IdSection::Objs && definition.section != IdSection::Tobj);
}

QString fileNameOf(const GameMap& map, qsizetype file)
{
    return QFileInfo(map.sources().files[file].shownPath).fileName();
}

} // namespace

bool MapIdNotes::definesElsewhere(qint64 id) const
{
    if (!m_map.isOpen())
        return false;
    for (const auto& [file, definition] : m_map.map().definitionsOf(id)) {
        if (outsideTables(m_map, file, definition))
            return true;
    }
    return false;
}

QStringList MapIdNotes::notesOn(qint64 id) const
{
    if (!m_map.isOpen())
        return {};
    const GameMap& map = m_map.map();
    QStringList notes;
    for (const auto& [file, definition] : map.definitionsOf(id)) {
        if (outsideTables(m_map, file, definition))
            notes.append(texts::alsoDefinedAt.arg(fileNameOf(map, file)).arg(definition.line));
    }
    QStringList places;
    qsizetype placed = 0;
    for (const auto& [file, reference] : map.referencesOf(id)) {
        if (reference.kind != ReferenceKind::Placement)
            continue;
        if (++placed <= placesNamed)
            places.append(texts::placeAt.arg(fileNameOf(map, file)).arg(reference.line));
    }
    if (placed == 1)
        notes.append(texts::placedOnce.arg(places.first()));
    else if (placed > 1)
        notes.append(texts::placedTimes.arg(placed).arg(places.join(QStringLiteral(", ")) +
                                                        (placed > placesNamed ? texts::placedMore : QString())));
    return notes;
}

} // namespace tarnel
