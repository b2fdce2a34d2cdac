#include "mapcommands.h"

#include "commandline.h"
#include "document/filenames.h"
#include "document/freeids.h"
#include "inputfiles.h"
#include "map/gamemap.h"
#include "standardoutput.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <optional>

namespace tarnel::cli {

namespace {

// What `--game DIR` and `--id-limit N` say, taken by every map command.
struct MapOptions {
    QString gameFolder;                         // empty: the one the lists tell
    std::optional<std::optional<qint64>> limit; // none given: derived from the inst lines
};

// Takes `--game DIR` or `--id-limit N` off the front of `args` into `options`:
// false when the front is neither. `wrong` tells what is wrong with its value.
bool takeMapOption(QStringList& args, MapOptions& options, QString& wrong, bool withLimit = true)
{
    const QString& option = args.first();
    const bool isGame = option == QLatin1String("--game");
    if (!isGame && (!withLimit || option != QLatin1String("--id-limit")))
        return false;
    args.removeFirst();
    if (args.isEmpty()) {
        wrong = texts::cliMissingValue.arg(option);
        return true;
    }
    const QString value = args.takeFirst();
    if (isGame) {
        if (!QFileInfo(value).isDir())
            wrong = texts::cliNoSuchFolder.arg(value);
        options.gameFolder = value;
        return true;
    }
    bool ok = false;
    const qint64 limit = value.toLongLong(&ok);
    if (!ok || limit < 0)
        wrong = texts::cliBadIdLimit.arg(value);
    options.limit = limit == 0 ? std::optional<qint64>() : std::optional<qint64>(limit);
    return true;
}

// The map of `operands` read. Standard input ("-") is an IDE file: its bytes
// go to a file of that kind in a folder of its own, whose path findings then
// show as "-". An operand that names nothing is a mistake of the command line
// (unlike a file a list names, which the map reports).
class ReadMap {
public:
    // 0, or the exit status when the map cannot be read.
    int read(const QStringList& operands, const MapOptions& options)
    {
        for (const QString& operand : operands) {
            if (!isStandardStream(operand) && !QFileInfo::exists(operand)) {
                complain(texts::cliNoSuchFile.arg(operand));
                return 2;
            }
        }
        QStringList files = distinctFiles(operands);
        if (const qsizetype at = files.indexOf(QStringLiteral("-")); at >= 0) {
            const StandardInput in = readStandardInput();
            m_folder = std::make_unique<QTemporaryDir>();
            m_standardInput = m_folder->filePath(QStringLiteral("standard-input.ide"));
            QFile file(m_standardInput);
            const bool written = in.error.isEmpty() && m_folder->isValid() && file.open(QIODevice::WriteOnly) &&
                                 file.write(in.bytes) == in.bytes.size() && file.flush();
            if (!written) {
                complain(texts::cliCannotRead.arg(texts::cliStandardInput,
                                                  in.error.isEmpty() ? file.errorString() : in.error));
                return 1;
            }
            files[at] = m_standardInput;
        }
        m_map = new GameMap(GameMap::read(collectMapSources(files, options.gameFolder)));
        if (options.limit)
            m_map->setIdLimit(*options.limit);
        return 0;
    }

    const GameMap& map() const { return *m_map; }

    // A path, or a text naming paths, as the output shows it.
    QString shown(QString text) const
    {
        return m_standardInput.isEmpty() ? text : text.replace(m_standardInput, QStringLiteral("-"));
    }

private:
    // Kept to the end of the process, as format keeps its document: freeing a
    // big map's facts one by one only costs time just before the system takes
    // the memory back anyway.
    GameMap* m_map = nullptr;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_standardInput;
};

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return (count == 1 ? one : many).arg(count);
}

// Reads the map options before the operands of `command`, which names
// `operands`; 0, or the exit status of a wrong command line.
int takeOptionsOnly(QStringList& args, MapOptions& options, const QString& command, const QString& operands,
                    bool withLimit)
{
    while (!args.isEmpty() && isOption(args.first())) {
        QString wrong;
        if (!takeMapOption(args, options, wrong, withLimit))
            return usage(texts::cliUnknownOption.arg(args.first()));
        if (!wrong.isEmpty())
            return usage(wrong);
    }
    if (const QString wrong = wrongOperands(command, args, {operands}); !wrong.isEmpty())
        return usage(wrong);
    return 0;
}

} // namespace

int checkMap(QStringList args)
{
    MapOptions options;
    if (const int wrong = takeOptionsOnly(args, options, QStringLiteral("check"), QStringLiteral("FILE..."), true))
        return wrong;
    ReadMap read;
    if (const int failed = read.read(args, options))
        return failed;
    qsizetype errors = 0;
    qsizetype warnings = 0;
    QString out;
    for (const MapFinding& finding : read.map().findings()) {
        (finding.severity == Severity::Error ? errors : warnings) += 1;
        MapFinding shown = finding;
        shown.path = read.shown(finding.path);
        shown.message = read.shown(finding.message);
        out += compilerStyle(shown) + QLatin1Char('\n');
    }
    writeOut(fileNameBytes(out));
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
