// tarnel-cli: the editor's loading and saving without a window, for batch work.
#include "document/filenames.h"
#include "document/freeids.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/objectids.h"
#include "document/rowcells.h"
#include "document/statistics.h"
#include "inputfiles.h"
#include "standardoutput.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

using namespace tarnel;
using namespace tarnel::cli;

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// As bytes: a file name in the message comes out as the name's own bytes.
void complain(const QString& message)
{
    err().flush();
    const QByteArray line = fileNameBytes(texts::cliName + QStringLiteral(": ") + message + QLatin1Char('\n'));
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

// Says what is wrong with the command line, then the usage.
int usage(const QString& wrong)
{
    complain(wrong);
    err() << texts::cliUsage;
    err().flush();
    return 2;
}

bool isOption(const QString& arg)
{
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

// What is wrong with the arguments after `command`'s options, which name
// `operands` ("FILE..." for one or more), if anything.
QString wrongOperands(const QString& command, const QStringList& args, const QStringList& operands)
{
    for (const QString& arg : args) {
        if (isOption(arg))
            return texts::cliLateOption.arg(command, arg);
    }
    if (args.size() < operands.size())
        return texts::cliMissingArgument.arg(command, operands[args.size()]);
    if (args.size() > operands.size() && !operands.last().endsWith(QLatin1String("...")))
        return texts::cliExtraArgument.arg(command, args[operands.size()]);
    return {};
}

// How load errors are told on standard error: each as it is met (the line's
// own bytes, so that the report quotes it exactly), or the number of lines
// with any, once for the file.
enum class LoadErrors { EachOne, LinesOfFile };

// Loads `path` ("-": standard input), telling on standard error why it could not.
bool load(IdeDocument& document, const QString& path, LoadErrors told)
{
    qsizetype errorLines = 0;
    qsizetype lastErrorLine = 0;
    const LoadErrorSink onError = [&](const LoadError& error) {
        errorLines += error.lineNumber != lastErrorLine; // a line's errors come together
        lastErrorLine = error.lineNumber;
        if (told == LoadErrors::LinesOfFile)
            return;
        err() << texts::cliErrorLine.arg(error.lineNumber);
        err().flush();
        std::fwrite(error.line.constData(), 1, size_t(error.line.size()), stderr);
        std::fputc('\n', stderr);
    };
    LoadOutcome outcome;
    if (isStandardStream(path)) {
        const StandardInput in = readStandardInput();
        outcome = in.error.isEmpty() ? loadDocumentFromBytes(document, in.bytes, onError)
                                     : LoadOutcome{ReadOutcome::Unreadable, in.error};
    } else {
        outcome = loadDocument(document, path, onError);
    }
    const QString name = isStandardStream(path) ? texts::cliStandardInput : path;
    if (outcome.status == ReadOutcome::Missing)
        complain(texts::cliNoSuchFile.arg(name));
    else if (outcome.status != ReadOutcome::Read)
        complain(texts::cliCannotRead.arg(name, outcome.error));
    else if (told == LoadErrors::LinesOfFile && errorLines > 0)
        complain(errorLines == 1 ? texts::cliLoadErrorLine.arg(path)
                                 : texts::cliLoadErrorLines.arg(path, QString::number(errorLines)));
    return outcome.status == ReadOutcome::Read;
}

int format(QStringList args)
{
    SaveLayout layout = SaveLayout::Fixed;
    for (; !args.isEmpty() && isOption(args.first()); args.removeFirst()) {
        if (args.first() != QLatin1String("--keep-layout"))
            return usage(texts::cliUnknownOption.arg(args.first()));
        layout = SaveLayout::KeepFile;
    }
    if (const QString wrong =
            wrongOperands(QStringLiteral("format"), args, {QStringLiteral("IN"), QStringLiteral("OUT")});
        !wrong.isEmpty())
        return usage(wrong);
    const QString& in = args[0];
    const QString& out = args[1];
    // Kept to the end of the process: freeing a big file's tables one by one
    // only costs time just before the system takes the memory back anyway.
    static IdeDocument* const kept = new IdeDocument;
    IdeDocument& document = *kept;
    if (!load(document, in, LoadErrors::EachOne))
        return 1;
    const QDateTime now = QDateTime::currentDateTime();
    if (isStandardStream(out)) {
        writeOutThrough([&](QIODevice& device) { return writeDocument(document, device, now, layout); });
        if (!standardOutputFailure().isEmpty())
            return 1; // told once the command is done
    } else if (const QString failure = saveDocument(document, out, now, layout); !failure.isEmpty()) {
        complain(texts::cliCannotWrite.arg(out, failure));
        return 1;
    }
    const qsizetype dropped = layout == SaveLayout::Fixed ? document.loadReport().droppedLineCount() : 0;
    if (dropped > 0)
        complain(texts::cliDroppedLines.arg(QString::number(dropped), in));
    return 0;
}

// The arguments of a command without options: what is wrong with them, or nothing.
QString wrongArguments(const QString& command, const QStringList& args, const QStringList& operands)
{
    if (!args.isEmpty() && isOption(args.first()))
        return texts::cliUnknownOption.arg(args.first());
    return wrongOperands(command, args, operands);
}

// The load report: line number, reason and the line's own bytes, one entry a line.
int report(const QStringList& args)
{
    if (const QString wrong = wrongArguments(QStringLiteral("report"), args, {QStringLiteral("FILE")});
        !wrong.isEmpty())
        return usage(wrong);
    IdeDocument document;
    if (!load(document, args[0], LoadErrors::EachOne))
        return 1;
    QByteArray out;
    for (const LoadReportEntry& entry : document.loadReport().entries)
        out +=
            QByteArray::number(entry.lineNumber) + '\t' + reasonText(entry).toLatin1() + '\t' + entry.line + '\n';
    writeOut(out);
    return 0;
}

int stats(const QStringList& args)
{
    if (const QString wrong = wrongArguments(QStringLiteral("stats"), args, {QStringLiteral("FILE")});
        !wrong.isEmpty())
        return usage(wrong);
    IdeDocument document;
    if (!load(document, args[0], LoadErrors::EachOne))
        return 1;
    QString out;
    for (const auto& [caption, value] : documentStatistics(document))
        out += caption + QLatin1Char('\t') + value + QLatin1Char('\n');
    writeOut(out.toUtf8());
    return 0;
}

// The table as the window shows it, rows in file order.
int table(const QStringList& args)
{
    if (const QString wrong =
            wrongArguments(QStringLiteral("table"), args, {QStringLiteral("FILE"), QStringLiteral("SECTION")});
        !wrong.isEmpty())
        return usage(wrong);
    const std::optional<LineKind> kind = kindOfCliSection(args[1]);
    if (!kind)
        return usage(texts::cliUnknownSection.arg(args[1]));
    IdeDocument document;
    if (!load(document, args[0], LoadErrors::EachOne))
        return 1;
    const SectionTable& rows = document.table(*kind);
    QByteArray out = fieldNamesOf(*kind).join(QLatin1Char('\t')).toLatin1() + '\n';
    for (qsizetype row = 0; row < rows.rowCount(); ++row) {
        for (int column = 0; column < rows.columnCount(); ++column) {
            if (column > 0)
                out += '\t';
            out += cellText(rows.rows(), row, *kind, rows.isLaterLayout(), column);
        }
        out += '\n';
    }
    writeOut(out);
    return 0;
}

// Uses of object IDs across files: the ID, then the file (its place among the
// files read) in the upper half and the line in the lower half of the second number.
template <typename Id> using IdUses = std::vector<std::pair<Id, quint64>>;

// Orders IDs beyond 64 bits, written as wideObjectIdOf writes them, by value.
bool wideIdLess(const QByteArray& a, const QByteArray& b)
{
    const bool negative = a.startsWith('-');
    if (negative != b.startsWith('-'))
        return negative;
    if (a.size() != b.size())
        return (a.size() < b.size()) != negative;
    return negative ? b < a : a < b;
}

// The object IDs of every row of the objects and timed objects of the files,
// each sorted by value, or nothing when a file cannot be read.
struct FilesIds {
    IdUses<qint64> ids;
    IdUses<QByteArray> wideIds;
    QList<qint64> commentedIds; // of commented-out lines, ascending
};
std::optional<FilesIds> objectIdsOfFiles(const QStringList& files)
{
    FilesIds out;
    for (qsizetype file = 0; file < files.size(); ++file) {
        // Kept to the end of the process, as format keeps its document.
        IdeDocument& document = *new IdeDocument;
        if (!load(document, files[file], LoadErrors::LinesOfFile))
            return std::nullopt;
        DocumentObjectIds ofFile = objectIdsOf(document);
        out.ids.reserve(out.ids.size() + ofFile.ids.size());
        for (const auto& [id, row] : ofFile.ids)
            out.ids.emplace_back(id, quint64(file) << 32 | row);
        for (auto& [id, row] : ofFile.wideIds)
            out.wideIds.emplace_back(std::move(id), quint64(file) << 32 | row);
        out.commentedIds.append(commentedObjectIds(document));
    }
    std::sort(out.commentedIds.begin(), out.commentedIds.end());
    std::sort(out.ids.begin(), out.ids.end());
    std::sort(out.wideIds.begin(), out.wideIds.end(), [](const auto& a, const auto& b) {
        return wideIdLess(a.first, b.first) || (a.first == b.first && a.second < b.second);
    });
    return out;
}

int check(const QStringList& args)
{
    if (const QString wrong = wrongArguments(QStringLiteral("check"), args, {QStringLiteral("FILE...")});
        !wrong.isEmpty())
        return usage(wrong);
    const QStringList files = distinctFiles(args);
    const std::optional<FilesIds> ids = objectIdsOfFiles(files);
    if (!ids)
        return 2;
    QByteArrayList names;
    for (const QString& path : files)
        names.append('\t' + fileNameBytes(path) + ':');
    QByteArray out;
    // Every ID of the uses from `at` to `end` that more than one uses, by value.
    const auto appendRepeated = [&](auto at, const auto end, const auto& textOf) {
        while (at != end) {
            auto next = at + 1;
            while (next != end && next->first == at->first)
                ++next;
            if (next - at > 1) {
                out += textOf(at->first);
                for (; at != next; ++at)
                    out += names[qsizetype(at->second >> 32)] + QByteArray::number(quint32(at->second));
                out += '\n';
            }
            at = next;
        }
    };
    const auto textOfWide = [](const QByteArray& id) { return id; };
    const auto positive = std::find_if(ids->wideIds.cbegin(), ids->wideIds.cend(),
                                       [](const auto& use) { return !use.first.startsWith('-'); });
    appendRepeated(ids->wideIds.cbegin(), positive, textOfWide);
    appendRepeated(ids->ids.cbegin(), ids->ids.cend(), [](qint64 id) { return QByteArray::number(id); });
    appendRepeated(positive, ids->wideIds.cend(), textOfWide);
    writeOut(out);
    return out.isEmpty() ? 0 : 1;
}

// Reads `--count N`, `--from A`, `--to B` and `--free-commented` (in any order) before the files.
int freeIds(QStringList args)
{
    constexpr qsizetype blocksShown = 10;
    qint64 count = 10;
    std::optional<qint64> from;
    std::optional<qint64> to;
    bool freeCommented = false;
    while (!args.isEmpty() && isOption(args.first())) {
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
    const std::optional<FilesIds> ids = objectIdsOfFiles(distinctFiles(args));
    if (!ids)
        return 2;
    QList<qint64> used;
    used.reserve(qsizetype(ids->ids.size()));
    for (const auto& at : ids->ids)
        used.append(at.first);
    // A line commented out to switch it off still holds its ID for when it is switched on.
    if (!freeCommented) {
        used.append(ids->commentedIds);
        std::inplace_merge(used.begin(), used.end() - ids->commentedIds.size(), used.end());
    }
    IdBlock range = defaultIdRange(used, count);
    range.first = from.value_or(range.first);
    range.last = to.value_or(range.last);
    QByteArray out;
    for (const IdBlock& block : freeIdBlocks(used, count, range, blocksShown))
        out += QByteArray::number(block.first) + '-' + QByteArray::number(block.last) + '\n';
    writeOut(out);
    return 0;
}

// The command line as strings, each argument's bytes kept as a file name
// keeps them (see fileNameFromBytes), so that any name reaches the file.
QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(fileNameFromBytes(argv[i]));
    return arguments;
}

int run(const QStringList& arguments)
{
    // Options go before the command; what follows it is the command's own.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, version});
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return usage(parser.errorText());
        const QString dashes = unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        return usage(texts::cliUnknownOption.arg(dashes + unknown.first()));
    }
    const QStringList args = parser.positionalArguments();
    if (parser.isSet(version) || parser.isSet(help)) {
        const QString option = parser.isSet(version) ? QStringLiteral("--version") : QStringLiteral("--help");
        if (!args.isEmpty())
            return usage(texts::cliExtraArgument.arg(option, args.first()));
        writeOut(parser.isSet(version)
                     ? (texts::cliName + QLatin1Char(' ') + texts::version + QLatin1Char('\n')).toUtf8()
                     : QByteArray(texts::cliUsage));
        return 0;
    }
    if (args.isEmpty())
        return usage(texts::cliNoCommand);
    const QString& command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("format"))
        return format(rest);
    if (command == QLatin1String("report"))
        return report(rest);
    if (command == QLatin1String("stats"))
        return stats(rest);
    if (command == QLatin1String("table"))
        return table(rest);
    if (command == QLatin1String("check"))
        return check(rest);
    if (command == QLatin1String("free-ids"))
        return freeIds(rest);
    return usage(texts::cliUnknownCommand.arg(command));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int status = run(argumentsOf(argc, argv));
    // Output that did not all arrive is a failure, whatever the command found.
    if (const QString failure = standardOutputFailure(); !failure.isEmpty()) {
        complain(texts::cliStandardOutput + QStringLiteral(": ") + failure);
        return 1;
    }
    return status;
}
