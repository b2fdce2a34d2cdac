// tarnel-cli: the editor's loading and saving without a window, for batch work.
#include "document/filenames.h"
#include "document/filereplacement.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/rowcells.h"
#include "document/statistics.h"
#include "commandline.h"
#include "convertcommand.h"
#include "cutshortinput.h"
#include "inputfiles.h"
#include "inturns.h"
#include "mapcommands.h"
#include "renumbercommand.h"
#include "standardoutput.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

#include <cstdio>
#include <thread>

using namespace tarnel;
using namespace tarnel::cli;

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Loads `path` ("-": standard input), telling on standard error why it could not.
// A file is mapped (see leaveWhenInputCutShort) unless `access` says to read it.
bool load(IdeDocument& document, const QString& path, FileAccess access = FileAccess::MapUntilExit)
{
    const LoadErrorSink onError = [](const LoadError& error) {
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
        outcome = loadDocument(document, path, onError, access);
    }
    const QString name = isStandardStream(path) ? texts::cliStandardInput : path;
    if (outcome.status == ReadOutcome::Missing)
        complain(texts::cliNoSuchFile.arg(name));
    else if (outcome.status != ReadOutcome::Read)
        complain(texts::cliCannotRead.arg(name, outcome.error));
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
    // A file written in place would be left half written if the mapped input
    // were cut short: its input is read instead.
    if (!load(document, in,
              !isStandardStream(out) && isWrittenInPlace(out) ? FileAccess::Read : FileAccess::MapUntilExit))
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

// The load report: line number, reason and the line's own bytes, one entry a line.
int report(const QStringList& args)
{
    if (const QString wrong = wrongArguments(QStringLiteral("report"), args, {QStringLiteral("FILE")});
        !wrong.isEmpty())
        return usage(wrong);
    IdeDocument document;
    if (!load(document, args[0]))
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
    if (!load(document, args[0]))
        return 1;
    QString out;
    for (const auto& [caption, value] : documentStatistics(document))
        out += caption + QLatin1Char('\t') + value + QLatin1Char('\n');
    writeOut(out.toUtf8());
    return 0;
}

// Rows [first, last) of a table as `table` prints them.
QByteArray tableRows(const SectionTable& rows, LineKind kind, qsizetype first, qsizetype last)
{
    QByteArray out;
    out.reserve(64 * (last - first));
    for (qsizetype row = first; row < last; ++row) {
        appendRowCells(rows.rows(), row, kind, rows.isLaterLayout(), '\t', out);
        out += '\n';
    }
    return out;
}

// Tables of at least this many rows are put together by two threads, in parts of this many rows.
constexpr qsizetype splitTableRows = 100'000;
constexpr qsizetype partRows = 16'384;

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
    if (!load(document, args[0]))
        return 1;
    const SectionTable& rows = document.table(*kind);
    writeOut(fieldNamesOf(*kind).join(QLatin1Char('\t')).toLatin1() + '\n');
    const qsizetype count = rows.rowCount();
    const bool twoThreads = count >= splitTableRows && std::thread::hardware_concurrency() > 1;
    const qsizetype parts = twoThreads ? (count + partRows - 1) / partRows : 1;
    const qsizetype rowsInPart = twoThreads ? partRows : count;
    inTurns<QByteArray>(
        parts,
        [&](qsizetype part) {
            return tableRows(rows, *kind, part * rowsInPart, std::min(count, (part + 1) * rowsInPart));
        },
        [](const QByteArray& part) { writeOut(part); });
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
        return checkMap(rest);
    if (command == QLatin1String("free-ids"))
        return freeIdsOfMap(rest);
    if (command == QLatin1String("map"))
        return listMap(rest);
    if (command == QLatin1String("renumber"))
        return renumberIds(rest);
    if (command == QLatin1String("convert"))
        return convertLayout(rest);
    return usage(texts::cliUnknownCommand.arg(command));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    leaveWhenInputCutShort();
    const int status = run(argumentsOf(argc, argv));
    // Output that did not all arrive is a failure, whatever the command found.
    if (const QString failure = standardOutputFailure(); !failure.isEmpty()) {
        complain(texts::cliStandardOutput + QStringLiteral(": ") + failure);
        return 1;
    }
    return status;
}
