#include "mapcommands.h"

#include "commandline.h"
#include "findinglines.h"
#include "inturns.h"
#include "document/filenames.h"
#include "document/freeids.h"
#include "mapreading.h"
#include "map/gamemap.h"
#include "standardoutput.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <thread>

namespace tarnel::cli {

namespace {

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return (count == 1 ? one : many).arg(count);
}

// Files of at least this many lines have their findings worked out by two
// threads, in parts of this many lines.
constexpr qint64 splitFindingLines = 100'000;
constexpr qint64 partLines = 32'768;

} // namespace

int checkMap(QStringList args)
{
    MapOptions options;
    if (const int wrong = takeOptionsOnly(args, options, QStringLiteral("check"), QStringLiteral("FILE..."), true))
        return wrong;
    ReadMap read;
    if (const int failed = read.read(args, options))
        return failed;
    // Written a block at a time as the findings come: a big map has millions,
    // and one text of them all would only be built to be copied once more.
    const GameMap& map = read.map();
    const FindingMessages messages(map.idLimit());
    FindingLines lines(read, messages, true);
    constexpr qint64 every = std::numeric_limits<qint64>::max();
    const bool twoThreads = std::thread::hardware_concurrency() > 1;
    for (qsizetype file = -1; file < map.sources().files.size(); ++file) {
        const qint64 lineCount = file < 0 ? 0 : map.facts(file).lineCount;
        if (!twoThreads || lineCount < splitFindingLines) {
            map.forEachFindingIn(file, 0, every, lines);
            continue;
        }
        const qint64 parts = (lineCount + partLines - 1) / partLines;
        inTurns<FindingLines>(
            parts,
            [&](qint64 part) {
                FindingLines kept(read, messages, false);
                map.forEachFindingIn(file, part * partLines, part + 1 == parts ? every : (part + 1) * partLines,
                                     kept);
                return kept;
            },
            [&lines](FindingLines&& part) { lines.append(std::move(part)); });
    }
    lines.flush();
    const qsizetype errors = lines.errors();
    const qsizetype warnings = lines.warnings();
    const QByteArray count = (counted(errors, texts::cliOneError, texts::cliErrors) + QStringLiteral(", ") +
                              counted(warnings, texts::cliOneWarning, texts::cliWarnings) + QLatin1Char('\n'))
                                 .toUtf8();
    std::fwrite(count.constData(), 1, size_t(count.size()), stderr);
    return errors > 0 ? 1 : 0;
}

int freeIdsOfMap(QStringList args)
{
    constexpr qsizetype blocksShown = 10;
    qint64 count = 10;
    std::optional<qint64> from;
    std::optional<qint64> to;
    bool freeCommented = false;
    MapOptions options;
    while (!args.isEmpty() && isOption(args.first())) {
        QString wrong;
        if (takeMapOption(args, options, wrong)) {
            if (!wrong.isEmpty())
                return usage(wrong);
            continue;
        }
        const QString option = args.takeFirst();
        if (option == QLatin1String("--free-commented")) {
            freeCommented = true;
            continue;
        }
        const bool isCount = option == QLatin1String("--count");
        if (!isCount && option != QLatin1String("--from") && option != QLatin1String("--to"))
            return usage(texts::cliUnknownOption.arg(option));
        if (args.isEmpty())
            return usage(texts::cliMissingValue.arg(option));
        const QString text = args.takeFirst();
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if (!ok || (isCount && value < 1))
            return usage(isCount ? texts::cliBadCount.arg(text) : texts::cliBadBound.arg(option, text));
        if (isCount)
            count = value;
        else
            (option == QLatin1String("--from") ? from : to) = value;
    }
    if (const QString wrong = wrongOperands(QStringLiteral("free-ids"), args, {QStringLiteral("FILE...")});
        !wrong.isEmpty())
        return usage(wrong);
    ReadMap read;
    if (const int failed = read.read(args, options))
        return failed;
    const GameMap& map = read.map();
    QList<qint64> used = map.usedIds();
    // A line commented out to switch it off still holds its ID for when it is switched on.
    if (!freeCommented) {
        const qsizetype defined = used.size();
        used.append(map.commentedIds());
        std::inplace_merge(used.begin(), used.begin() + defined, used.end());
    }
    IdBlock range = defaultIdRange(used, count);
    const std::optional<qint64> limit = map.idLimit();
    if (limit)
        range.last = *limit - 1; // up to the limit, since no ID at or above it is offered
    range.first = from.value_or(range.first);
    range.last = to.value_or(range.last);
    if (limit)
        range.last = std::min(range.last, *limit - 1);
    QByteArray out;
    if (range.first <= range.last) {
        for (const IdBlock& block : freeIdBlocks(used, count, range, blocksShown))
            out += QByteArray::number(block.first) + '-' + QByteArray::number(block.last) + '\n';
    }
    writeOut(out);
    return 0;
}

int listMap(QStringList args)
{
    MapOptions options;
    if (const int wrong = takeOptionsOnly(args, options, QStringLiteral("map"), QStringLiteral("LIST..."), false))
        return wrong;
    ReadMap read;
    if (const int failed = read.read(args, options))
        return failed;
    const GameMap& map = read.map();
    QString out;
    for (qsizetype at = 0; at < map.sources().files.size(); ++at) {
        const MapFile& file = map.sources().files[at];
        const bool ide = file.kind == MapFileKind::Ide;
        out += (ide ? texts::cliIdeKind : texts::cliIplKind) + QLatin1Char('\t');
        if (file.missing()) {
            out += (file.listedAs.isEmpty() ? file.shownPath : file.listedAs) + QLatin1Char('\t') +
                   texts::cliFileMissing + QLatin1Char('\n');
            continue;
        }
        const FileFacts& facts = map.facts(at);
        out += read.shown(file.shownPath) + QLatin1Char('\t');
        if (facts.binary) {
            out += texts::cliBinaryNotRead + QLatin1Char('\n');
            continue;
        }
        out += counted(facts.lineCount, texts::cliOneLine, texts::cliLines) + QLatin1Char('\t');
        const auto placements =
            std::count_if(facts.references.cbegin(), facts.references.cend(),
                          [](const IdReference& r) { return r.kind == ReferenceKind::Placement; });
        out += (ide ? counted(facts.definitions.size(), texts::cliOneDefinition, texts::cliDefinitions)
                    : counted(placements, texts::cliOnePlacement, texts::cliPlacements)) +
               QLatin1Char('\n');
    }
    writeOut(fileNameBytes(out));
    return 0;
}

} // namespace tarnel::cli
