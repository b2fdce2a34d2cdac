#include "document/layoutconversion.h"

#include "document/idetext.h"
#include "document/rowcells.h"
#include "document/sectiontable.h"

#include <array>

namespace tarnel {

namespace {

bool meshCountIsOne(QByteArrayView value)
{
    bool ok = false;
    return idetext::trimSpaces(value).toLongLong(&ok) == 1 && ok;
}

// What happens to a line of `count` values, the mesh count `meshCount`, going to `to`.
enum class Change { Keep, AddMeshCount, DropMeshCount, Cannot };

Change changeFor(LineKind kind, qsizetype count, QByteArrayView meshCount, ObjectLayout to)
{
    const qsizetype usual = fieldCountOf(kind);
    const qsizetype later = usual - 1;
    if (count < later)
        return Change::Cannot;
    if (to == ObjectLayout::Counted)
        return count == later ? Change::AddMeshCount : Change::Keep;
    if (count == later)
        return Change::Keep;
    return count == usual && meshCountIsOne(meshCount) ? Change::DropMeshCount : Change::Cannot;
}

// What a line without commas may be: a keyword opening objs or tobj, another
// section's keyword or `end` (no section of ours), or no keyword at all.
enum class Keyword { None, Objects, TimedObjects, Other };

Keyword keywordOf(QByteArrayView line)
{
    if (line.contains(','))
        return Keyword::None;
    const QByteArrayView word = idetext::trimSpacesAndTabs(line);
    if (idetext::isKeyword(word, "objs"))
        return Keyword::Objects;
    if (idetext::isKeyword(word, "tobj"))
        return Keyword::TimedObjects;
    static constexpr std::array<const char*, 10> others = {"end",  "path", "2dfx", "hier", "cars",
                                                           "peds", "weap", "anim", "txdp", "hand"};
    for (const char* keyword : others) {
        if (idetext::isKeyword(word, keyword))
            return Keyword::Other;
    }
    return Keyword::None;
}

// Where each comma of the line is.
QList<qsizetype> commasOf(QByteArrayView line)
{
    QList<qsizetype> commas;
    for (qsizetype at = line.indexOf(','); at >= 0; at = line.indexOf(',', at + 1))
        commas.append(at);
    return commas;
}

// The line in the other layout, only the mesh count and its separator touched.
QByteArray convertedLine(QByteArrayView line, const QList<qsizetype>& commas, Change change)
{
    QByteArray out;
    out.reserve(line.size() + 4);
    const qsizetype before = commas[meshCountColumn - 1];
    out.append(line.first(before));
    if (change == Change::AddMeshCount) {
        // The separator the line uses before its fourth value: ", " or ",".
        qsizetype valueStart = before + 1;
        while (valueStart < line.size() && line[valueStart] == ' ')
            ++valueStart;
        out.append(line.sliced(before, valueStart - before));
        out.append('1');
        out.append(line.sliced(before));
    } else {
        out.append(line.sliced(commas[meshCountColumn]));
    }
    return out;
}

} // namespace

std::optional<QList<QByteArray>> convertedObjectValues(LineKind kind, const QList<QByteArray>& values,
                                                       ObjectLayout to)
{
    if (kind != LineKind::Object && kind != LineKind::TimedObject)
        return std::nullopt;
    const QByteArrayView meshCount = values.size() > meshCountColumn ? values[meshCountColumn] : QByteArrayView();
    switch (changeFor(kind, values.size(), meshCount, to)) {
    case Change::Keep: return values;
    case Change::Cannot: return std::nullopt;
    case Change::AddMeshCount: {
        QList<QByteArray> converted = values;
        converted.insert(meshCountColumn, QByteArrayLiteral("1"));
        return converted;
    }
    case Change::DropMeshCount: {
        QList<QByteArray> converted = values;
        converted.remove(meshCountColumn);
        return converted;
    }
    }
    return std::nullopt;
}

QByteArray convertLayoutOfFile(const QByteArray& bytes, ObjectLayout to, QList<qint64>* leftLines)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::optional<LineKind> section;
    qint64 lineNumber = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        ++lineNumber;
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < bytes.size())
            next += bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n' ? 2 : 1;
        const QByteArrayView line(bytes.constData() + start, end - start);
        const QByteArrayView lineEnd(bytes.constData() + end, next - end);
        start = next;

        if (const Keyword keyword = keywordOf(line); keyword != Keyword::None) {
            section = keyword == Keyword::Objects        ? std::optional(LineKind::Object)
                      : keyword == Keyword::TimedObjects ? std::optional(LineKind::TimedObject)
                                                         : std::nullopt;
            out.append(line).append(lineEnd);
            continue;
        }
        const QList<qsizetype> commas = section ? commasOf(line) : QList<qsizetype>();
        const qsizetype count = commas.size() + 1;
        // A comment shorter than a row of either layout is a comment, no row.
        if (!section || idetext::isBlank(line) ||
            (idetext::isCommented(line) && count < fieldCountOf(*section) - 1)) {
            out.append(line).append(lineEnd);
            continue;
        }
        const QByteArrayView meshCount =
            count > meshCountColumn
                ? line.sliced(commas[meshCountColumn - 1] + 1,
                              (count > meshCountColumn + 1 ? commas[meshCountColumn] : line.size()) -
                                  commas[meshCountColumn - 1] - 1)
                : QByteArrayView();
        const Change change = changeFor(*section, count, meshCount, to);
        if (change == Change::Cannot && leftLines)
            leftLines->append(lineNumber);
        if (change == Change::AddMeshCount || change == Change::DropMeshCount)
            out.append(convertedLine(line, commas, change));
        else
            out.append(line);
        out.append(lineEnd);
    }
    return out;
}

TableLayoutChange layoutChangeOfTable(const SectionTable& table, ObjectLayout to)
{
    TableLayoutChange change;
    const RowStore& rows = table.rows();
    for (qsizetype row = 0; row < rows.size(); ++row) {
        QList<QByteArray> values = rows.values(row);
        std::optional<QList<QByteArray>> converted = convertedObjectValues(table.kind(), values, to);
        if (!converted) {
            change.leftRows.append(row);
        } else if (*converted != values) {
            change.rows.append(row);
            change.values.append(std::move(*converted));
        }
    }
    return change;
}

} // namespace tarnel
