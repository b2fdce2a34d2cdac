#include "paste/pasteline.h"

#include "history/edithistory.h"

#include "document/idedocument.h"
#include "document/idetext.h"
#include "document/rowcells.h"
#include "document/sectionrows.h"
#include "document/storabletext.h"
#include "texts/texts.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace tarnel {

int countCommas(const QString& text)
{
    if (text.isEmpty())
        return -1;
    return int(text.count(QLatin1Char(',')));
}

namespace {

// What the paste dialog calls each kind: alone ("Object line") and counted ("3 object lines").
struct KindNames {
    const QString& label;
    const QString& noun;
};
const std::array<KindNames, lineKindCount> kindNames = {{
    {texts::pasteKindObject, texts::pasteCountObject},
    {texts::pasteKindTimedObject, texts::pasteCountTimedObject},
    {texts::pasteKindLight, texts::pasteCountLight},
    {texts::pasteKindSun, texts::pasteCountSun},
    {texts::pasteKindParticle, texts::pasteCountParticle},
    {texts::pasteKindPedArea, texts::pasteCountPedArea},
}};

// How likely a kind is for a line it fits: lower first.
enum class Likeliness { UsualCount, LaterOrTrailingComma, ExtraDrawDistances, LaterInEmptyTable };

struct KindFit {
    LineKind kind;
    Likeliness likeliness;
};

QList<KindFit> kindFits(QByteArrayView line, const PasteLayouts& layouts)
{
    QList<KindFit> fits;
    for (const RowSection section : {RowSection::Objects, RowSection::TimedObjects}) {
        const LineKind kind = section == RowSection::Objects ? LineKind::Object : LineKind::TimedObject;
        const PasteLayout layout = layouts.of(kind);
        if (layout != PasteLayout::Later) {
            if (const auto row = sectionRowOf(line, section, false))
                fits.append({kind, row->valueCount == fieldCountOf(kind) ? Likeliness::UsualCount
                                                                         : Likeliness::ExtraDrawDistances});
        }
        if (layout != PasteLayout::Usual && sectionRowOf(line, section, true)) {
            const LineKind other = kind == LineKind::Object ? LineKind::TimedObject : LineKind::Object;
            const bool likely = layout == PasteLayout::Later || layouts.of(other) != PasteLayout::Usual;
            fits.append({kind, likely ? Likeliness::LaterOrTrailingComma : Likeliness::LaterInEmptyTable});
        }
    }
    if (const auto row = sectionRowOf(line, RowSection::Effects, false))
        fits.append({row->kind, row->valueCount == fieldCountOf(row->kind) ? Likeliness::UsualCount
                                                                           : Likeliness::LaterOrTrailingComma});
    std::stable_sort(fits.begin(), fits.end(),
                     [](const KindFit& a, const KindFit& b) { return a.likeliness < b.likeliness; });
    return fits;
}

PasteLayout layoutOf(const SectionTable& table, LineKind kind)
{
    if (table.rowCount() == 0)
        return PasteLayout::Undecided;
    return laterLayoutOf(kind, table.rows()) ? PasteLayout::Later : PasteLayout::Usual;
}

// The counts a kind takes, as the reason for an unknown line names them.
QString takenCounts(LineKind kind, const PasteLayouts& layouts)
{
    const int usual = fieldCountOf(kind);
    if (kind != LineKind::Object && kind != LineKind::TimedObject)
        return QString::number(usual);
    const QString range = texts::pasteCountRange.arg(usual).arg(usual + maxDrawDistances - 1);
    const QString later = QString::number(usual - 1);
    switch (layouts.of(kind)) {
    case PasteLayout::Usual: return range;
    case PasteLayout::Later: return later;
    case PasteLayout::Undecided: break;
    }
    return texts::pasteCountOr.arg(later, range);
}

} // namespace

PasteLayouts pasteLayoutsOf(const IdeDocument& document)
{
    return {layoutOf(document.table(LineKind::Object), LineKind::Object),
            layoutOf(document.table(LineKind::TimedObject), LineKind::TimedObject)};
}

PasteLayouts withPastedLines(PasteLayouts layouts, const QStringList& lines)
{
    // An active line of the usual count or more makes a table usual, as it
    // does in a file; one that only the later layout takes makes it later.
    std::array<bool, 2> usual{};
    std::array<bool, 2> later{};
    for (const QString& line : lines) {
        const QByteArray bytes = line.toLatin1();
        if (idetext::isCommented(bytes))
            continue;
        const QList<KindFit> fits = kindFits(bytes, layouts);
        if (fits.size() != 1 || (fits[0].kind != LineKind::Object && fits[0].kind != LineKind::TimedObject))
            continue;
        const size_t table = fits[0].kind == LineKind::Object ? 0 : 1;
        const bool laterLine = idetext::fieldCount(bytes) < fieldCountOf(fits[0].kind);
        (laterLine ? later : usual)[table] = true;
    }
    for (const size_t table : {size_t(0), size_t(1)}) {
        PasteLayout& layout = table == 0 ? layouts.objects : layouts.timedObjects;
        if (layout == PasteLayout::Undecided && (usual[table] || later[table]))
            layout = usual[table] ? PasteLayout::Usual : PasteLayout::Later;
    }
    return layouts;
}

QList<std::optional<LineKind>> kindsOfLines(const QStringList& lines, const PasteLayouts& layouts)
{
    // Lines pasted together mostly come from one table, as "Copy lines" puts
    // them: a line that fits several kinds takes the one most lines of one
    // kind only take.
    const PasteLayouts decided = withPastedLines(layouts, lines);
    QList<QList<LineKind>> fits;
    std::array<qsizetype, lineKindCount> only{};
    for (const QString& line : lines) {
        fits.append(pastedLineKinds(line, decided));
        if (fits.last().size() == 1)
            ++only[size_t(fits.last().first())];
    }
    QList<std::optional<LineKind>> kinds;
    for (const QList<LineKind>& kindsOfLine : fits) {
        const auto most = std::max_element(kindsOfLine.cbegin(), kindsOfLine.cend(), [&](LineKind a, LineKind b) {
            return only[size_t(a)] < only[size_t(b)];
        });
        kinds.append(most == kindsOfLine.cend() ? std::nullopt : std::optional<LineKind>(*most));
    }
    return kinds;
}

QList<LineKind> pastedLineKinds(const QString& text, const PasteLayouts& layouts)
{
    QList<LineKind> kinds;
    if (text.isEmpty())
        return kinds;
    for (const KindFit& fit : kindFits(text.toLatin1(), layouts)) {
        if (!kinds.contains(fit.kind))
            kinds.append(fit.kind);
    }
    return kinds;
}

std::optional<LineKind> pastedLineKind(const QString& text, const PasteLayouts& layouts)
{
    const QList<LineKind> kinds = pastedLineKinds(text, layouts);
    return kinds.isEmpty() ? std::nullopt : std::optional<LineKind>(kinds.first());
}

QString unknownLineReason(const QString& text, const PasteLayouts& layouts)
{
    if (text.isEmpty())
        return texts::pasteKindUnknown;
    const int values = countCommas(text) + 1;
    return texts::pasteUnknownReason.arg(
        values == 1 ? texts::pasteOneValue : texts::pasteValues.arg(values),
        takenCounts(LineKind::Object, layouts), takenCounts(LineKind::TimedObject, layouts),
        takenCounts(LineKind::Sun, layouts), takenCounts(LineKind::Particle, layouts),
        takenCounts(LineKind::PedArea, layouts), takenCounts(LineKind::Light, layouts));
}

QString pastedKindLabel(std::optional<LineKind> kind)
{
    if (!kind)
        return texts::pasteKindUnknown;
    return kindNames[size_t(*kind)].label;
}

QString pastedLineLabel(const QString& text, const PasteLayouts& layouts)
{
    const std::optional<LineKind> kind = pastedLineKind(text, layouts);
    return kind ? pastedKindLabel(kind) : unknownLineReason(text, layouts);
}

namespace {

// The trimmed pieces of a storable line.
QList<QByteArray> valuesOf(const QString& text)
{
    const QByteArray line = text.toLatin1();
    QList<QByteArray> values;
    values.reserve(countCommas(text) + 1);
    idetext::forEachValue(line, [&](QByteArrayView value) { values.append(value.toByteArray()); });
    return values;
}

QString countedKind(qsizetype count, const QString& noun, bool plural)
{
    return texts::pasteCounted.arg(count).arg(noun, plural && count != 1 ? texts::pasteCountPlural : QString());
}

} // namespace

std::optional<qsizetype> addPastedLine(IdeDocument& document, const QString& text, std::optional<LineKind> kind)
{
    if (!isStorableValue(text))
        return std::nullopt;
    const QList<LineKind> kinds = pastedLineKinds(text, pasteLayoutsOf(document));
    if (kinds.isEmpty())
        return std::nullopt;
    return EditHistory::of(document).pasteLine(kind && kinds.contains(*kind) ? *kind : kinds.first(),
                                               valuesOf(text));
}

QStringList pastedLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    QStringList lines = text.split(lineBreak);
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    return lines;
}

QString pastedLinesLabel(const QStringList& lines, const PasteLayouts& layouts)
{
    if (lines.size() <= 1)
        return pastedLineLabel(lines.value(0), layouts);
    std::array<qsizetype, lineKindCount> counts{};
    qsizetype unknown = 0;
    for (const std::optional<LineKind> kind : kindsOfLines(lines, layouts)) {
        if (kind)
            ++counts[size_t(*kind)];
        else
            ++unknown;
    }
    QStringList parts;
    for (LineKind kind : allLineKinds) {
        if (counts[size_t(kind)] > 0)
            parts << countedKind(counts[size_t(kind)], kindNames[size_t(kind)].noun, true);
    }
    if (unknown > 0)
        parts << countedKind(unknown, texts::pasteCountUnknown, false);
    return parts.join(QStringLiteral(", "));
}

std::optional<PastedLines> addPastedLines(IdeDocument& document, const QStringList& lines)
{
    if (!std::all_of(lines.cbegin(), lines.cend(), [](const QString& line) { return isStorableValue(line); }))
        return std::nullopt;
    PastedLines result;
    const QList<std::optional<LineKind>> kinds = kindsOfLines(lines, pasteLayoutsOf(document));
    EditHistory::RowsByKind rows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (const std::optional<LineKind> kind = kinds[i]) {
            rows[size_t(*kind)].append(valuesOf(line));
            ++result.added;
        } else {
            result.unknown.append(line);
        }
    }
    result.lastRows = EditHistory::of(document).pasteLines(rows);
    return result;
}

} // namespace tarnel
