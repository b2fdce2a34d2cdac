#include "paste/pasteline.h"

#include "edits/edithistory.h"

#include "document/idedocument.h"
#include "document/idetext.h"
#include "texts/texts.h"

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

std::optional<qsizetype> addPastedLine(IdeDocument& document, const QString& text)
{
    const std::optional<LineKind> kind = pastedLineKind(text);
    if (!kind || !isStorableLine(text))
        return std::nullopt;

    const QByteArray line = text.toLatin1();
    QList<QByteArray> values;
    values.reserve(countCommas(text) + 1);
    idetext::forEachValue(line, [&](QByteArrayView value) { values.append(value.toByteArray()); });

    qsizetype row = -1;
    EditHistory::of(document).changeRows(*kind, {}, texts::pasteTitle, [&] {
        row = document.table(*kind).appendRow(values);
        return true;
    });
    return row;
}

} // namespace tarnel
