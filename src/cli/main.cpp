// tarnel-cli: the editor's loading and saving without a window, for batch work.
#include "document/filenames.h"
#include "document/freeids.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/objectids.h"
#include "document/rowcells.h"
#include "document/statistics.h"
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

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Every command and option; --help prints it on standard output, a wrong command line on
// standard error.
const char* const usageText =
    "usage: tarnel-cli format [--keep-layout] IN OUT\n"
    "                                  load IN and write it as the editor saves it;\n"
    "                                  --keep-layout: in the layout of IN, every line\n"
    "                                  kept as it is\n"
    "       tarnel-cli report FILE     print the lines of FILE worth a look: line number,\n"
    "                                  what it is and the line, tab-separated\n"
    "       tarnel-cli stats FILE      print the statistics of FILE\n"
    "       tarnel-cli table FILE SECTION\n"
    "                                  print a table's captions and cells, tab-separated;\n"
    "                                  SECTION: objs, tobj, lights, part, sun or ani\n"
    "       tarnel-cli check FILE...   print every object ID more than one line uses:\n"
    "                                  the ID and file:line of each use, tab-separated;\n"
    "                                  exit status 1 when there is any\n"
    "       tarnel-cli free-ids [--count N] [--from A] [--to B] FILE...\n"
    "                                  print the first runs of at least N (10) unused\n"
    "                                  object IDs from A to B (the lowest ID to one\n"
    "                                  above the highest), one start-end a line\n"
    "       tarnel-cli --help          print this text\n"
    "       tarnel-cli --version       print the version\n";

int usage()
{
    err() << usageText;
    err().flush();
    return 2;
}

// Loads `path`, reporting every load error prompt on standard error.
bool load(IdeDocument& document, const QString& path)
{
    const LoadOutcome outcome = loadDocument(document, path, [](const LoadError& error) {
        // The line's own bytes, so that the report quotes it exactly.
        err() << "line " << error.lineNumber << ": ";
        err().flush();
        std::fwrite(error.line.constData(), 1, size_t(error.line.size()), stderr);
        std::fputc('\n', stderr);
    });
    if (outcome.status == ReadOutcome::Missing)
        err() << "tarnel-cli: " << path << ": no such file\n";
    else if (outcome.status != ReadOutcome::Read)
        err() << "tarnel-cli: " << path << ": cannot read: " << outcome.error << '\n';
    err().flush();
    return outcome.status == ReadOutcome::Read;
}

int format(const QString& in, const QString& out, SaveLayout layout)
{
    // Kept to the end of the process: freeing a big file's tables one by one
    // only costs time just before the system takes the memory back anyway.
    static IdeDocument* const kept = new IdeDocument;
    IdeDocument& document = *kept;
    if (!load(document, in))
        return 1;
    const QString failure = saveDocument(document, out, QDateTime::currentDateTime(), layout);
    if (!failure.isEmpty()) {
        err() << "tarnel-cli: " << out << ": cannot write: " << failure << '\n';
        err().flush();
        return 1;
    }
    return 0;
}

// The load report: line number, reason and the line's own bytes, one entry a line.
int report(const QString& path)
{
    IdeDocument document;
    if (!load(document, path))
        return 1;
    QByteArray out;
    for (const LoadReportEntry& entry : document.loadReport().entries)
        out +=
            QByteArray::number(entry.lineNumber) + '\t' + reasonText(entry).toLatin1() + '\t' + entry.line + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}

int stats(const QString& path)
{
    IdeDocument document;
    if (!load(document, path))
        return 1;
    QTextStream out(stdout);
    for (const auto& [caption, value] : documentStatistics(document))
        out << caption << '\t' << value << '\n';
    return 0;
}

std::optional<LineKind> kindOfSection(const QString& name)
{
    static const std::pair<const char*, LineKind> names[] = {
        {"objs", LineKind::Object},   {"tobj", LineKind::TimedObject}, {"lights", LineKind::Light},
        {"part", LineKind::Particle}, {"sun", LineKind::Sun},          {"ani", LineKind::PedArea}};
    for (const auto& [caption, kind] : names) {
        if (name == QLatin1String(caption))
            return kind;
    }
    return std::nullopt;
}

// The table as the window shows it, rows in file order.
int table(const QString& path, LineKind kind)
{
    IdeDocument document;
    if (!load(document, path))
        return 1;
    const SectionTable& rows = document.table(kind);
    QByteArray out = fieldNamesOf(kind).join(QLatin1Char('\t')).toLatin1() + '\n';
    for (qsizetype row = 0; row < rows.rowCount(); ++row) {
        for (int column = 0; column < rows.columnCount(); ++column) {
            if (column > 0)
                out += '\t';
            out += cellText(rows.rows(), row, kind, rows.isLaterLayout(), column);
        }
        out += '\n';
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}

// One object ID's use: the ID, then the file (its place among the arguments)
// in the upper half and the line in the lower half of the second number.
using IdAt = std::pair<qint64, quint64>;

// The object IDs of every row of the objects and timed objects of the files,
// sorted, or nothing when a file cannot be read.
std::optional<std::vector<IdAt>> objectIdsOf(const QStringList& paths)
{
    std::vector<IdAt> ids;
    for (qsizetype file = 0; file < paths.size(); ++file) {
        // Kept to the end of the process, as format keeps its document.
        IdeDocument& document = *new IdeDocument;
        if (!load(document, paths[file]))
            return std::nullopt;
        const std::vector<std::pair<qint64, RowId>> ofFile = objectIdsOf(document);
        ids.reserve(ids.size() + ofFile.size());
        for (const auto& [id, row] : ofFile)
            ids.emplace_back(id, quint64(file) << 32 | row);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

int check(const QStringList& paths)
{
    const std::optional<std::vector<IdAt>> ids = objectIdsOf(paths);
    if (!ids)
        return 2;
    QByteArrayList names;
    for (const QString& path : paths)
        names.append('\t' + path.toLocal8Bit() + ':');
    QByteArray out;
    for (auto at = ids->cbegin(); at != ids->cend();) {
        auto end = at + 1;
        while (end != ids->cend() && end->first == at->first)
            ++end;
        if (end - at > 1) {
            out += QByteArray::number(at->first);
            for (; at != end; ++at) {
                out += names[qsizetype(at->second >> 32)];
                out += QByteArray::number(quint32(at->second));
            }
            out += '\n';
        }
        at = end;
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return out.isEmpty() ? 0 : 1;
}

// Reads `--count N`, `--from A` and `--to B` (in any order) before the files.
int freeIds(QStringList args)
{
    constexpr qsizetype blocksShown = 10;
    qint64 count = 10;
    std::optional<qint64> from;
    std::optional<qint64> to;
    while (args.size() >= 2 && args[0].startsWith(QLatin1String("--"))) {
        bool ok = false;
        const qint64 value = args[1].toLongLong(&ok);
        if (!ok)
            return usage();
        if (args[0] == QLatin1String("--count") && value > 0)
            count = value;
        else if (args[0] == QLatin1String("--from"))
            from = value;
        else if (args[0] == QLatin1String("--to"))
            to = value;
        else
            return usage();
        args = args.mid(2);
    }
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--")))
        return usage();
    const std::optional<std::vector<IdAt>> ids = objectIdsOf(args);
    if (!ids)
        return 2;
    QList<qint64> used;
    used.reserve(qsizetype(ids->size()));
    for (const IdAt& at : *ids)
        used.append(at.first);
    IdBlock range = defaultIdRange(used, count);
    range.first = from.value_or(range.first);
    range.last = to.value_or(range.last);
    QByteArray out;
    for (const IdBlock& block : freeIdBlocks(used, count, range, blocksShown))
        out += QByteArray::number(block.first) + '-' + QByteArray::number(block.last) + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Options go before the command; what follows it is the command's own.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, version});
    if (!parser.parse(argumentsOf(argc, argv)))
        return usage();
    if (parser.isSet(version) || parser.isSet(help)) {
        if (!parser.positionalArguments().isEmpty())
            return usage();
        QTextStream out(stdout);
        if (parser.isSet(version))
            out << texts::cliName << ' ' << texts::version << '\n';
        else
            out << usageText;
        return 0;
    }
    const QStringList args = parser.positionalArguments();
    if (args.size() == 3 && args[0] == QLatin1String("format") && !args[1].startsWith(QLatin1String("--")))
        return format(args[1], args[2], SaveLayout::Fixed);
    if (args.size() == 4 && args[0] == QLatin1String("format") && args[1] == QLatin1String("--keep-layout"))
        return format(args[2], args[3], SaveLayout::KeepFile);
    if (args.size() == 2 && args[0] == QLatin1String("report"))
        return report(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("stats"))
        return stats(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("table")) {
        if (const std::optional<LineKind> kind = kindOfSection(args[2]))
            return table(args[1], *kind);
    }
    if (args.size() >= 2 && args[0] == QLatin1String("check"))
        return check(args.mid(1));
    if (args.size() >= 2 && args[0] == QLatin1String("free-ids"))
        return freeIds(args.mid(1));
    return usage();
}
