#include "paste/pasteline.h"

#include "edits/edithistory.h"

#include "document/idedocument.h"
#include "document/idetext.h"
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

std::optional<LineKind> pastedLineKind(const QString& text)
{
    const int commas = countCommas(text);
    if (commas < 0)
        return std::nullopt;
    return kindWithFieldCount(qsizetype(commas) + 1);
}

QString pastedKindLabel(std::optional<LineKind> kind)
{
    if (!kind)
        return texts::pasteKindUnknown;
    switch (*kind) {
    case LineKind::Object: return texts::pasteKindObject;
    case LineKind::TimedObject: return texts::pasteKindTimedObject;
    case LineKind::Light: return texts::pasteKindLight;
    case LineKind::Sun: return texts::pasteKindSun;
    case LineKind::Particle: return texts::pasteKindParticle;
    case LineKind::PedArea: return texts::pasteKindPedArea;
    }
    return texts::pasteKindUnknown;
}

QString pastedLineLabel(const QString& text)
{
    return pastedKindLabel(pastedLineKind(text));
}

bool fitsLatin1(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xff)
            return false;
    }
    return true;
}

bool isStorableLine(const QString& text)
{
    // The row store keeps '\n' as its own separator, and a file line ends at either break.
    return fitsLatin1(text) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
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

// Appends the rows to the kind's table as one step; where the last one went.
qsizetype appendRows(IdeDocument& document, LineKind kind, const QList<QList<QByteArray>>& rows)
{
    qsizetype row = -1;
    EditHistory::of(document).changeRows(kind, {}, texts::pasteTitle, [&] {
        for (const QList<QByteArray>& values : rows)
            row = document.table(kind).appendRow(values);
        return true;
    });
    return row;
}

QString countedKind(qsizetype count, const QString& noun, bool plural)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(noun, plural && count != 1 ? QStringLiteral("s") : QString());
}

QString kindNoun(LineKind kind)
{
    switch (kind) {
    case LineKind::Object: return texts::pasteCountObject;
    case LineKind::TimedObject: return texts::pasteCountTimedObject;
    case LineKind::Light: return texts::pasteCountLight;
    case LineKind::Sun: return texts::pasteCountSun;
    case LineKind::Particle: return texts::pasteCountParticle;
    case LineKind::PedArea: return texts::pasteCountPedArea;
    }
    return texts::pasteCountUnknown;
}

} // namespace

std::optional<qsizetype> addPastedLine(IdeDocument& document, const QString& text)
{
    const std::optional<LineKind> kind = pastedLineKind(text);
    if (!kind || !isStorableLine(text))
        return std::nullopt;
    return appendRows(document, *kind, {valuesOf(text)});
}

QStringList pastedLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    QStringList lines = text.split(lineBreak);
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    return lines;
}

QString pastedLinesLabel(const QStringList& lines)
{
    if (lines.size() <= 1)
        return pastedLineLabel(lines.value(0));
    std::array<qsizetype, lineKindCount> counts{};
    qsizetype unknown = 0;
    for (const QString& line : lines) {
        if (const std::optional<LineKind> kind = pastedLineKind(line))
            ++counts[size_t(*kind)];
        else
            ++unknown;
    }
    QStringList parts;
    for (LineKind kind : allLineKinds) {
        if (counts[size_t(kind)] > 0)
            parts << countedKind(counts[size_t(kind)], kindNoun(kind), true);
    }
    if (unknown > 0)
        parts << countedKind(unknown, texts::pasteCountUnknown, false);
    return parts.join(QStringLiteral(", "));
}

std::optional<PastedLines> addPastedLines(IdeDocument& document, const QStringList& lines)
{
    if (!std::all_of(lines.cbegin(), lines.cend(), isStorableLine))
        return std::nullopt;
    PastedLines result;
    std::array<QList<QList<QByteArray>>, lineKindCount> rows;
    for (const QString& line : lines) {
        if (const std::optional<LineKind> kind = pastedLineKind(line)) {
            rows[size_t(*kind)].append(valuesOf(line));
            ++result.added;
        } else {
            result.unknown.append(line);
        }
    }
    if (result.added == 0)
        return result;
    EditHistory::of(document).changeAsOneStep(EditHistory::linesText(texts::pasteCommand, result.added), [&] {
        for (LineKind kind : allLineKinds) {
            if (!rows[size_t(kind)].isEmpty())
                result.lastRows.append({kind, appendRows(document, kind, rows[size_t(kind)])});
        }
    });
    return result;
}

} // namespace tarnel
