#include "document/linekind.h"

namespace tarnel {

namespace {

constexpr bool tableInKindOrder()
{
    for (size_t i = 0; i < lineKinds.size(); ++i) {
        if (lineKinds[i].kind != LineKind(i))
            return false;
        for (size_t j = 0; j < i; ++j) {
            if (lineKinds[j].fieldCount == lineKinds[i].fieldCount)
                return false;
        }
    }
    return true;
}
static_assert(tableInKindOrder(), "lineKinds: one row per kind, in the enum's order, each field count its own");

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

std::optional<LineKind> kindWithFieldCount(qsizetype fieldCount)
{
    for (const LineKindTraits& traits : lineKinds) {
        if (traits.fieldCount == fieldCount)
            return traits.kind;
    }
    return std::nullopt;
}

std::optional<LineKind> effectKindWithFieldCount(qsizetype fieldCount)
{
    const auto kind = kindWithFieldCount(fieldCount);
    if (kind && traitsOf(*kind).section == "2dfx")
        return kind;
    return std::nullopt;
}

const QStringList& fieldNamesOf(LineKind kind)
{
    return *traitsOf(kind).columns;
}

QString tableNameOf(LineKind kind)
{
    return latin1(traitsOf(kind).tableName);
}

std::optional<LineKind> kindOfCliSection(QStringView name)
{
    for (const LineKindTraits& traits : lineKinds) {
        if (name == QLatin1StringView(traits.cliSection.data(), qsizetype(traits.cliSection.size())))
            return traits.kind;
    }
    return std::nullopt;
}

QString namePrefixOf(LineKind kind)
{
    return latin1(traitsOf(kind).namePrefix);
}

} // namespace tarnel
