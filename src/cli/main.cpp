// tarnel-cli: the editor's loading and saving without a window, for batch work.
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/rowcells.h"
#include "document/statistics.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

#include <cstdio>

using namespace tarnel;

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usage()
{
    err() << "usage: tarnel-cli format [--keep-layout] IN OUT\n"
             "                                  load IN and write it as the editor saves it;\n"
             "                                  --keep-layout: in the layout of IN, every line\n"
             "                                  kept as it is\n"
             "       tarnel-cli report FILE     print the lines of FILE worth a look: line number,\n"
             "                                  what it is and the line, tab-separated\n"
             "       tarnel-cli stats FILE      print the statistics of FILE\n"
             "       tarnel-cli table FILE SECTION\n"
             "                                  print a table's captions and cells, tab-separated;\n"
             "                                  SECTION: objs, tobj, lights, part, sun or ani\n";
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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
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
    return usage();
}
