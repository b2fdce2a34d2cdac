// Core benchmarks of the document layer: loading, saving, sorting and the line
// commands on generated files of 10 thousand to 1 million lines.
#include "idegenerator.h"
#include "support/testeditkey.h"

#include "document/bufferedforms.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/ideparser.h"
#include "document/idewriter.h"
#include "document/idindex.h"
#include "document/linecommands.h"
#include "history/edithistory.h"
#include "history/tableeditcommand.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <map>
#include <memory>

using namespace tarnel;

namespace {

constexpr std::uint64_t seed = 1;

struct Sample {
    QString path;
    QByteArray bytes;
    qint64 lines = 0;
};

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The generated file of about `definitionLines` lines, written once per run.
const Sample& sample(qint64 definitionLines, const idegen::Mix& mix = {}, const char* tag = "mixed")
{
    static std::map<std::pair<qint64, std::string>, std::unique_ptr<Sample>> samples;
    auto& slot = samples[{definitionLines, tag}];
    if (!slot) {
        slot = std::make_unique<Sample>();
        const std::string text = idegen::generate(std::uint64_t(definitionLines), seed, mix);
        slot->bytes = QByteArray(text.data(), qsizetype(text.size()));
        slot->lines = slot->bytes.count('\n');
        slot->path = QDir(workDir().path())
                         .filePath(QStringLiteral("%1-%2.ide").arg(QLatin1String(tag)).arg(definitionLines));
        QFile file(slot->path);
        if (!file.open(QIODevice::WriteOnly) || file.write(slot->bytes) != slot->bytes.size())
            std::fprintf(stderr, "cannot write %s\n", qPrintable(slot->path));
    }
    return *slot;
}

// Hands freed memory back to the system. Every load starts from there, as a
// fresh start of the program does: otherwise a small file's load would reuse
// the pages the run before it touched, while a big file's buffers (mapped
// apart by the allocator) never can, and the sizes would not compare.
void releaseMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

QString outputPath()
{
    return QDir(workDir().path()).filePath(QStringLiteral("out.ide"));
}

const QDateTime& stamp()
{
    static const QDateTime when(QDate(2024, 5, 1), QTime(12, 0));
    return when;
}

void setRates(benchmark::State& state, const Sample& s)
{
    state.SetBytesProcessed(qint64(state.iterations()) * s.bytes.size());
    state.counters["lines/s"] = benchmark::Counter(double(s.lines), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(s.bytes.size()) / 1e6;
}

// Reading a file into a new document, as File > Open and tarnel-cli do.
void load(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    for (auto _ : state) {
        auto document = std::make_unique<IdeDocument>();
        loadDocument(*document, s.path, {});
        benchmark::DoNotOptimize(document->table(LineKind::Object).rowCount());
        state.PauseTiming();
        document.reset();
        releaseMemory();
        state.ResumeTiming();
    }
    setRates(state, s);
}

// Writing a loaded document back, as File > Save does.
void save(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    IdeDocument document;
    loadDocument(document, s.path, {});
    for (auto _ : state) {
        const QString failure = saveDocument(document, outputPath(), stamp());
        if (!failure.isEmpty())
            state.SkipWithError(qPrintable(failure));
        state.PauseTiming();
        QFile::remove(outputPath());
        state.ResumeTiming();
    }
    setRates(state, s);
}

// tarnel-cli format without the process: load, then save.
void loadSave(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    for (auto _ : state) {
        auto document = std::make_unique<IdeDocument>();
        loadDocument(*document, s.path, {});
        saveDocument(*document, outputPath(), stamp());
        state.PauseTiming();
        document.reset();
        QFile::remove(outputPath());
        releaseMemory();
        state.ResumeTiming();
    }
    setRates(state, s);
}

// The two halves without the file system: bytes in memory to tables and back.
void parse(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    for (auto _ : state) {
        DocumentContent content = parseIde(s.bytes);
        benchmark::DoNotOptimize(content.table(LineKind::Object).size());
        state.PauseTiming();
        content = {};
        releaseMemory();
        state.ResumeTiming();
    }
    setRates(state, s);
}

void format(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    IdeDocument document;
    loadDocument(document, s.path, {});
    for (auto _ : state) {
        QByteArray bytes = formatDocument(document, "# header");
        benchmark::DoNotOptimize(bytes.size());
        state.PauseTiming();
        bytes = {};
        state.ResumeTiming();
    }
    setRates(state, s);
}

// Save keeping the file's layout (the editor's "Keep file layout"), of the
// document as loaded (range 1: 0) or with that many rows edited across the
// file: every table's rows, evenly spread, get a changed last value.
void keepLayoutSave(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    IdeDocument document;
    loadDocument(document, s.path, {});
    qsizetype total = 0;
    for (LineKind kind : allLineKinds)
        total += document.table(kind).rowCount();
    const qsizetype edits = state.range(1);
    for (LineKind kind : allLineKinds) {
        SectionTable& table = document.table(kind);
        const qsizetype share = edits * table.rowCount() / qMax<qsizetype>(total, 1);
        for (qsizetype i = 0; i < share; ++i) {
            const qsizetype row = i * (table.rowCount() / share);
            QList<QByteArray> values = table.rows().values(row);
            values.last() += "0";
            table.setRowValues(testKey, row, values);
        }
    }
    for (auto _ : state) {
        const QString failure = saveDocument(document, outputPath(), stamp(), SaveLayout::KeepFile);
        if (!failure.isEmpty())
            state.SkipWithError(qPrintable(failure));
        state.PauseTiming();
        QFile::remove(outputPath());
        state.ResumeTiming();
    }
    setRates(state, s);
}

// What a loaded row costs beyond the file's own bytes: its entry, its identity
// and the line roles a save keeping the layout reads.
void rowMemory(benchmark::State& state)
{
    const Sample& s = sample(state.range(0), idegen::Mix{100, 0, 0, 0}, "objects");
    for (auto _ : state) {
        releaseMemory();
#if defined(__GLIBC__)
        // Small blocks and the big ones the allocator maps apart.
        const auto inUse = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
        const size_t before = inUse();
#endif
        auto document = std::make_unique<IdeDocument>();
        loadDocument(*document, s.path, {});
        const qsizetype rows = document->table(LineKind::Object).rowCount();
#if defined(__GLIBC__)
        const double used = double(inUse() - before) - double(s.bytes.size());
        state.counters["bytes/row"] = used / double(rows);
#endif
        document.reset();
    }
}

constexpr qint64 millionRows = 1000000;

// A table of one million object rows, as a file of nothing but objects gives it.
const RowStore& millionObjects()
{
    static const RowStore rows = [] {
        const Sample& s = sample(millionRows, idegen::Mix{100, 0, 0, 0}, "objects");
        DocumentContent content = parseIde(s.bytes);
        return content.table(LineKind::Object);
    }();
    return rows;
}

// "Sort by object num" switched on over one million rows.
void sortMillion(benchmark::State& state)
{
    SectionTable table(LineKind::Object);
    for (auto _ : state) {
        state.PauseTiming();
        table.setSorted(testKey, false);
        table.replaceAll(testKey, RowStore(millionObjects()));
        state.ResumeTiming();
        table.setSorted(testKey, true);
    }
    state.counters["rows/s"] =
        benchmark::Counter(double(millionRows), benchmark::Counter::kIsIterationInvariantRate);
}

enum Selection { OneRow, Spread1000, Range1000, AllRows };

QList<qsizetype> selection(Selection which, qsizetype rowCount)
{
    QList<qsizetype> rows;
    switch (which) {
    case OneRow: rows.append(rowCount / 2); break;
    case Spread1000:
        for (qsizetype i = 0; i < 1000; ++i)
            rows.append(i * (rowCount / 1000) + 7);
        break;
    case Range1000:
        for (qsizetype i = 0; i < 1000; ++i)
            rows.append(100 + i);
        break;
    case AllRows:
        rows.resize(rowCount);
        for (qsizetype i = 0; i < rowCount; ++i)
            rows[i] = i;
        break;
    }
    return rows;
}

// One command of a table's Actions menu on a selection of a million-row table,
// with "Sort by object num" off or on.
using LineCommand = qsizetype (*)(EditKey, IdeDocument&, LineKind, QList<qsizetype>);
using HistoryCommand = qsizetype (EditHistory::*)(LineKind, const QList<qsizetype>&);

void lineCommand(benchmark::State& state, LineCommand command, Selection which, bool sorted)
{
    IdeDocument document;
    SectionTable& table = document.table(LineKind::Object);
    for (auto _ : state) {
        state.PauseTiming();
        document.setSorted(testKey, false);
        table.replaceAll(testKey, RowStore(millionObjects()));
        // The copy shares its bytes with the original; let a first edit pay for
        // that here, as a table just loaded has bytes of its own.
        table.setRowValues(testKey, 0, table.rows().values(0));
        document.setSorted(testKey, sorted);
        document.setModified(testKey, false);
        QList<qsizetype> rows = selection(which, table.rowCount());
        state.ResumeTiming();
        benchmark::DoNotOptimize(command(testKey, document, LineKind::Object, std::move(rows)));
    }
}

enum class Phase { Command, Undo, Redo };

// The same on all rows as a step of the edit history, and its undo and redo.
void historyStep(benchmark::State& state, HistoryCommand command, bool sorted, Phase phase)
{
    IdeDocument document;
    EditHistory& history = EditHistory::of(document);
    SectionTable& table = document.table(LineKind::Object);
    for (auto _ : state) {
        state.PauseTiming();
        history.forget();
        document.setSorted(testKey, false);
        // As a load does: rows made from now on are numbered past the file's lines.
        DocumentContent content;
        content.table(LineKind::Object) = RowStore(millionObjects());
        content.layout.lineCount = 100 * millionRows; // past every line of the generated file
        document.replaceContent(std::move(content));
        table.setRowValues(testKey, 0, table.rows().values(0));
        document.setSorted(testKey, sorted);
        const QList<qsizetype> rows = selection(AllRows, table.rowCount());
        if (phase == Phase::Command)
            state.ResumeTiming();
        (history.*command)(LineKind::Object, rows);
        if (phase == Phase::Command) {
            // What the step keeps beyond the rows' own bytes, per row it holds.
            const auto* step = static_cast<const TableEditCommand*>(history.stack().command(0));
            const qsizetype rowsHeld = step->before().size() + step->after().size();
            const qint64 rowBytes = step->before().rows.storedSize() + step->after().rows.storedSize();
            const qint64 held = step->before().bytesHeld() + step->after().bytesHeld();
            state.counters["rowsHeld"] = double(rowsHeld);
            state.counters["heldPerRow"] = rowsHeld ? double(held - rowBytes) / double(rowsHeld) : 0.0;
        }
        if (phase == Phase::Undo) {
            state.ResumeTiming();
            history.stack().undo();
        } else if (phase == Phase::Redo) {
            history.stack().undo();
            state.ResumeTiming();
            history.stack().redo();
        }
    }
}

// Working out the duplicate object IDs of a loaded file, as the window does on load.
void duplicateIds(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    IdeDocument document;
    loadDocument(document, s.path, {});
    for (auto _ : state) {
        IdIndex index(document);
        benchmark::DoNotOptimize(index.duplicateCount());
    }
    state.counters["rows"] =
        double(document.table(LineKind::Object).rowCount() + document.table(LineKind::TimedObject).rowCount());
}

// The index following one row's change of ID, back and forth.
void duplicateIdsRowChange(benchmark::State& state)
{
    const Sample& s = sample(state.range(0));
    IdeDocument document;
    loadDocument(document, s.path, {});
    const IdIndex index(document);
    SectionTable& table = document.table(LineKind::Object);
    const qsizetype row = table.rowCount() / 2;
    QList<QByteArray> values[2] = {table.rows().values(row), table.rows().values(row)};
    values[1][0] = "1";
    int which = 0;
    for (auto _ : state) {
        which = 1 - which;
        table.setRowValues(testKey, row, values[which]);
    }
    benchmark::DoNotOptimize(index.duplicateCount());
}

void registerLineCommands()
{
    struct Command {
        const char* name;
        LineCommand run;
        HistoryCommand step;
    };
    const Command commands[] = {{"commentOut", commentOut, &EditHistory::commentOut},
                                {"duplicate", duplicateRows, &EditHistory::duplicate},
                                {"remove", removeRows, &EditHistory::remove}};
    const std::pair<Selection, const char*> selections[] = {
        {OneRow, "1row"}, {Range1000, "range1000"}, {Spread1000, "spread1000"}, {AllRows, "allRows"}};
    for (const Command& command : commands) {
        for (const auto& [which, selectionName] : selections) {
            for (bool sorted : {false, true}) {
                const std::string name =
                    std::string(command.name) + "/" + selectionName + (sorted ? "/sorted" : "");
                // Each run needs a fresh table first, so a few runs are enough.
                benchmark::RegisterBenchmark(name.c_str(), lineCommand, command.run, which, sorted)
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(5);
            }
        }
        const std::pair<Phase, const char*> phases[] = {
            {Phase::Command, "step"}, {Phase::Undo, "undo"}, {Phase::Redo, "redo"}};
        for (bool sorted : {false, true}) {
            for (const auto& [phase, phaseName] : phases) {
                const std::string name =
                    std::string(command.name) + "/allRows" + (sorted ? "/sorted/" : "/") + phaseName;
                benchmark::RegisterBenchmark(name.c_str(), historyStep, command.step, sorted, phase)
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(3);
            }
        }
    }
}

} // namespace

BENCHMARK(load)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(save)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(loadSave)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(parse)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(format)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(keepLayoutSave)->Args({1000000, 0})->Args({1000000, 1000})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(rowMemory)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(duplicateIds)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(duplicateIdsRowChange)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(sortMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    registerLineCommands();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
