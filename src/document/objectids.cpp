#include "document/objectids.h"

#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/idindex.h"
#include "texts/texts.h"

#include <algorithm>

namespace tarnel {

QList<qint64> commentedObjectIds(const IdeDocument& document)
{
    QList<qint64> ids;
    for (const LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        const RowStore& rows = document.table(kind).rows();
        for (qsizetype row = 0; row < rows.size(); ++row) {
            if (!rows.isCommented(row))
                continue;
            if (const std::optional<qint64> id = commentedIdOf(rows.firstValue(row)))
                ids.append(*id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

DocumentObjectIds objectIdsOf(const IdeDocument& document)
{
    DocumentObjectIds out;
    for (const LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        const RowStore& rows = document.table(kind).rows();
        out.ids.reserve(out.ids.size() + size_t(rows.size()));
        for (qsizetype row = 0; row < rows.size(); ++row) {
            if (const std::optional<qint64> id = objectIdOf(rows, row))
                out.ids.emplace_back(*id, rows.id(row));
            else if (std::optional<QByteArray> wide = wideObjectIdOf(rows, row))
                out.wideIds.emplace_back(std::move(*wide), rows.id(row));
        }
    }
    return out;
}

FileObjectIds objectIdsOfFile(const QString& path)
{
    IdeDocument document;
    // Lines the editor would prompt about are left out of the tables as the editor leaves them.
    const LoadOutcome outcome = loadDocument(document, path, [](const LoadError&) {});
    FileObjectIds out;
    if (outcome.status == ReadOutcome::Missing)
        out.failure = texts::freeIdsNoSuchFile;
    else if (outcome.status != ReadOutcome::Read)
        out.failure = outcome.error;
    if (outcome.status != ReadOutcome::Read)
        return out;
    for (const auto& [id, row] : objectIdsOf(document).ids)
        out.ids.append(id);
    std::sort(out.ids.begin(), out.ids.end());
    out.commentedIds = commentedObjectIds(document);
    return out;
}

} // namespace tarnel
