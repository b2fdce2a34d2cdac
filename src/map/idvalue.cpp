#include "map/idvalue.h"

#include "document/idetext.h"
#include "document/idindex.h"

namespace tarnel {

std::optional<IdValue> idValueOf(QByteArrayView piece, qsizetype offset)
{
    const qsizetype marks = idetext::commentMarksLength(piece);
    const QByteArrayView rest = piece.sliced(marks);
    const QByteArrayView value = rest.trimmed();
    if (value.isEmpty())
        return std::nullopt;
    const std::optional<qint64> id = idNumberOf(value);
    if (!id)
        return std::nullopt;
    return IdValue{offset + marks + (value.data() - rest.data()), value.size(), *id};
}

bool isPathHeaderWord(QByteArrayView word)
{
    return idetext::isKeyword(word, "ped") || idetext::isKeyword(word, "car");
}

std::optional<IdValue> pathHeaderIdOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return std::nullopt;
    const QByteArrayView word = line.first(comma).sliced(idetext::commentMarksLength(line));
    if (!isPathHeaderWord(word))
        return std::nullopt;
    const qsizetype next = line.indexOf(',', comma + 1);
    return idValueOf(line.sliced(comma + 1, (next < 0 ? line.size() : next) - comma - 1), comma + 1);
}

std::optional<QByteArray> movedLine(QByteArrayView text, const IdValue& value, const IdMapping& mapping)
{
    if (value.id == -1)
        return std::nullopt; // names nothing
    const std::optional<qint64> newId = mapping.newIdOf(value.id);
    if (!newId)
        return std::nullopt;
    QByteArray moved;
    const QByteArray digits = QByteArray::number(*newId);
    moved.reserve(text.size() - value.size + digits.size());
    moved.append(text.first(value.at));
    moved.append(digits);
    moved.append(text.sliced(value.at + value.size));
    return moved;
}

} // namespace tarnel
