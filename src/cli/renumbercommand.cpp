#include "renumbercommand.h"

#include "commandline.h"
#include "document/filenames.h"
#include "document/filesreplacement.h"
#include "inputfiles.h"
#include "map/gamemap.h"
#include "map/idmove.h"
#include "mapreading.h"
#include "standardoutput.h"
#include "texts/clitexts.h"
#include "texts/texts.h"
#include "unifieddiff.h"

#include <QDir>

#include <algorithm>
#include <optional>

namespace tarnel::cli {

namespace {

// What the command line asks for besides the map options.
struct MoveRequest {
    QString ids;
    std::optional<qint64> firstNewId;
    bool keepGaps = false;
    bool dryRun = false;
};

// Takes the renumber options off the front of `args`: what is wrong, or nothing.
QString takeOptions(QStringList& args, MapOptions& options, MoveRequest& request)
{
    while (!args.isEmpty() && isOption(args.first())) {
        QString wrong;
        if (takeMapOption(args, options, wrong)) {
            if (!wrong.isEmpty())
                return wrong;
            continue;
        }
        const QString option = args.takeFirst();
        if (option == QLatin1String("--keep-gaps")) {
            request.keepGaps = true;
            continue;
        }
        if (option == QLatin1String("--dry-run")) {
            request.dryRun = true;
            continue;
        }
        const bool isIds = option == QLatin1String("--ids");
        if (!isIds && option != QLatin1String("--to"))
            return texts::cliUnknownOption.arg(option);
        if (args.isEmpty())
            return texts::cliMissingValue.arg(option);
        const QString value = args.takeFirst();
        if (isIds) {
            request.ids = value;
            continue;
        }
        bool ok = false;
        request.firstNewId = value.toLongLong(&ok);
        if (!ok || *request.firstNewId < 0)
            return texts::cliBadFirstId.arg(value);
    }
    const QString command = QStringLiteral("renumber");
    if (request.ids.isEmpty())
        return texts::cliMissingArgument.arg(command, QStringLiteral("--ids"));
    if (!request.firstNewId)
        return texts::cliMissingArgument.arg(command, QStringLiteral("--to"));
    if (const QString wrong = wrongOperands(command, args, {QStringLiteral("LIST|DIR|FILE...")}); !wrong.isEmpty())
        return wrong;
    if (args.contains(QStringLiteral("-")))
        return texts::cliNotWrittenBack.arg(command);
    return {};
}

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return (count == 1 ? one : many).arg(count);
}

// "20 IDs: 45 lines in 6 files", after "Moved" or before the dry run's note.
QString summary(const QString& text, qsizetype ids, const QList<FileIdChanges>& files)
{
    qsizetype lines = 0;
    for (const FileIdChanges& file : files)
        lines += file.changes.size();
    return text.arg(counted(ids, texts::cliOneId, texts::cliIds),
                    counted(lines, texts::cliOneLine, texts::cliLines),
                    counted(files.size(), texts::cliOneFile, texts::cliFiles));
}

} // namespace

int renumberIds(QStringList args)
{
    MapOptions options;
    MoveRequest request;
    if (const QString wrong = takeOptions(args, options, request); !wrong.isEmpty())
        return usage(wrong);
    QString rangesWrong;
    const std::optional<QList<qint64>> ids = parseIdRanges(request.ids, &rangesWrong);
    if (!ids)
        return usage(texts::cliBadIds.arg(rangesWrong));
    ReadMap read;
    if (const int failed = read.read(args, options))
        return failed;
    const GameMap& map = read.map();
    const IdMapping mapping = IdMapping::make(*ids, *request.firstNewId, request.keepGaps);
    if (const QString refusal = idMoveRefusal(map, mapping); !refusal.isEmpty()) {
        complain(refusal);
        // Where the same IDs could go instead, when that is all that stood in the way.
        const qint64 span = mapping.lastNewId() - mapping.firstNewId() + 1;
        const std::optional<qint64> free = firstFreeRun(map, span);
        if (free && idMoveRefusal(map, IdMapping::make(*ids, *free, request.keepGaps)).isEmpty())
            complain(texts::cliFreeRunHint.arg(QString::number(span), QString::number(*free)));
        return 1;
    }
    QList<FileIdChanges> files = idChangesInMap(map, mapping);
    if (request.dryRun) {
        const QDir game(map.sources().gameFolder);
        for (const FileIdChanges& file : files) {
            const QString path = game.relativeFilePath(map.sources().files[file.file].path);
            writeOut(unifiedDiff(fileNameBytes(path), file.bytes, file.changes));
        }
        tell(summary(texts::cliWouldMove, mapping.size(), files));
        return 0;
    }
    QList<std::pair<QString, QByteArray>> written;
    written.reserve(files.size());
    for (FileIdChanges& file : files) {
        written.append({map.sources().files[file.file].path, withLineChanges(file.bytes, file.changes)});
        file.bytes = {}; // one copy of a big map's bytes at a time
    }
    if (const QString failure = replaceFilesTogether(written); !failure.isEmpty()) {
        complain(texts::cliNothingMoved.arg(failure));
        return 1;
    }
    tell(summary(texts::cliMoved, mapping.size(), files));
    return 0;
}

} // namespace tarnel::cli
