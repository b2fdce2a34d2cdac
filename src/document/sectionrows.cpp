#include "document/sectionrows.h"

#include "document/idetext.h"
#include "document/rowcells.h"

namespace tarnel {

bool isLoadedObjectRow(LineKind kind, qsizetype valueCount, bool laterLayoutTable)
{
    if (laterLayoutTable)
        return isLaterLayoutRow(kind, valueCount, true);
    return valueCount >= fieldCountOf(kind);
}

bool isCompleteObjectRow(LineKind kind, qsizetype valueCount, bool laterLayoutTable)
{
    if (laterLayoutTable)
        return isLaterLayoutRow(kind, valueCount, true);
    const qsizetype usual = fieldCountOf(kind);
    return valueCount >= usual && valueCount <= usual + maxDrawDistances - 1;
}

std::optional<LineKind> effectKindOf(QByteArrayView line, qsizetype pieces)
{
    // The last piece is empty only when the last byte that is not a space is a comma.
    const QByteArrayView trimmed = idetext::trimSpaces(line);
    if (trimmed.endsWith(',')) {
        if (const auto kind = effectKindWithFieldCount(idetext::fieldCountWithoutTrailingEmpties(line)))
            return kind;
    }
    return effectKindWithFieldCount(pieces);
}

std::optional<SectionRow> sectionRowOf(QByteArrayView line, RowSection section, bool laterLayoutTable)
{
    const qsizetype pieces = idetext::fieldCount(line);
    const bool commented = idetext::isCommented(line);
    switch (section) {
    case RowSection::Objects:
    case RowSection::TimedObjects: {
        const LineKind kind = section == RowSection::Objects ? LineKind::Object : LineKind::TimedObject;
        if (!isCompleteObjectRow(kind, pieces, laterLayoutTable))
            return std::nullopt;
        return SectionRow{kind, pieces, commented};
    }
    case RowSection::Effects:
        if (const auto kind = effectKindOf(line, pieces))
            return SectionRow{*kind, pieces, commented};
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace tarnel
