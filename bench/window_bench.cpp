// tarnel-bench-window: the real main window, started offscreen on a file the way
// `tarnel FILE` starts (MainWindow::startUp, so FileCommands loads it), ending as soon
// as the section table has been painted. Process start to that first paint is
// the "open in the window" figure.
//
//   tarnel-bench-window [--unsorted] [--command remove|comment|uncomment|duplicate] [--undo] [--redo]
//                       [--filter TEXT] [--ids] [--set-column] [--move-ids N] [--save | --save-keep-layout]
//                       [--quit] [--map LIST [--id-limit N] | FILE]
//
// Settings live in a fresh temporary folder, so every run starts like a first
// start (the rebuilt settings switch "Sort by object num" on); --unsorted
// switches it off first. With --command, every row of the objects table is
// selected once the table is shown, and the figure is from triggering that
// Actions menu command until the table has been painted again. With --filter,
// TEXT is typed into the filter field a letter at a time once the table is
// shown, and each keystroke's figure is the time the table took to follow it;
// with --command as well, the command then runs on the rows left shown.
// With --ids, the duplicate object IDs: the time the marks of the loaded file
// take to be worked out (as the load does) and painted, then one row's ID
// changed to another row's through the edit path, until painted again, twice.
// With --map, the level list (or folder) LIST is opened as File > "Open map…"
// opens it, and the first paint is that of its first IDE file; with --ids as
// well, the changed ID's step includes the map's findings following it.
// --id-limit sets the map's ID limit as the Map panel's field does (0: none).
// With --move-ids, the first N rows of the objects table (as many as it has)
// are selected and Edit > "Move IDs…" runs on them, its dialog taking the
// first new ID it offers and its preview answered with Apply as they come up:
// the figures are the time to each and to the move made in every file, then painted.
// With --set-column, every object row's texture set to a new value as Set
// column's dialog does it: the rule, the undo step, and until painted again.
// With --save or --save-keep-layout, FILE is copied into the temporary folder
// and the copy opened; once shown, the first object row's texture is changed
// through the edit path and File > Save writes the copy in the fixed layout
// (the question about lines it leaves out answered "Leave them out") or with
// "Keep file layout" on: the figure is the trigger until the save returned.
// With --quit, once the duplicate-ID marks of the loaded file are in and
// painted too, the process's memory (its peak and what it holds now), then the
// window closed as the user closes it (nothing unsaved) and the time from that
// close request to the end of the process, as its parent sees it end.
// --command uncomment first comments out every row (not timed), then times
// Un-comment. With --undo, after --command or --set-column, Edit > Undo is
// triggered and timed until painted ("undo painted after 123.4 ms"); --redo
// then times Edit > Redo the same way (an undo, also printed, comes first).
#include "document/bigarrays.h"
#include "document/columnedit.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "document/idindex.h"
#include "history/edithistory.h"
#include "history/documentids.h"
#include "mainwindow/filecommands.h"
#include "mainwindow/filterbar.h"
#include "mainwindow/mapcommands.h"
#include "mainwindow/openmap.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/moveidsdialog.h"
#include "mainwindow/moveidspreview.h"
#include "mainwindow/programend.h"
#include "mainwindow/sectionview.h"
#include "platform/qtplatform.h"
#include "settings/settingsfile.h"
#include "texts/texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QItemSelection>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using namespace tarnel;

namespace {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// A figure of /proc/self/status in kB ("VmHWM:", the peak resident memory; "VmRSS:", now).
double statusKb(const char* name)
{
    double kb = 0;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            if (std::strncmp(line, name, std::strlen(name)) == 0)
                kb = std::atof(line + std::strlen(name));
        }
        std::fclose(status);
    }
    return kb;
}

// With --quit the window runs in a child process, which sends the monotonic
// clock's reading at its close request down a pipe; this parent tells how long
// after it the child was gone (its memory given back included) and ends with
// the child's status. Returns the pipe's writing end, in the child.
int runInChildTimingQuit()
{
    int ends[2];
    if (pipe(ends) != 0) {
        std::perror("tarnel-bench-window: pipe");
        std::exit(2);
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        return ends[1];
    }
    close(ends[1]);
    qint64 requested = 0;
    const bool told = read(ends[0], &requested, sizeof requested) == sizeof requested;
    int status = 0;
    waitpid(child, &status, 0);
    const qint64 ended = monotonicNs();
    if (told)
        std::fprintf(stderr, "tarnel-bench-window: quit: process ended %.1f ms after the close request\n",
                     double(ended - requested) / 1e6);
    std::exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
}

// Ends the process once the watched viewport has been painted: the figure is
// process start to table shown, and tearing down a window over a million rows
// is not part of it. With a command, the table is first painted, then every
// row selected and the command triggered, and the paint after it ends the run.
class PaintWatcher : public QObject {
public:
    PaintWatcher(const QElapsedTimer& clock, MainWindow& window, QAction* command, const QString& filter, bool ids,
                 bool setColumn, qsizetype moveIds, int quitPipe)
        : m_clock(clock), m_window(window), m_command(command), m_filter(filter), m_ids(ids),
          m_setColumn(setColumn), m_moveIds(moveIds), m_quitPipe(quitPipe)
    {
    }
    // Comment out run first, untimed (for --command uncomment).
    void setPrelude(QAction* prelude) { m_prelude = prelude; }
    // Undo, and then redo, timed after the command (--undo, --redo).
    void setUndoRedo(bool undo, bool redo)
    {
        m_undo = undo || redo;
        m_redo = redo;
    }

    void setSave(std::optional<SaveLayout> layout) { m_save = layout; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_waiting) {
            m_waiting = false;
            // Right after this paint has run.
            QTimer::singleShot(0, qApp, [this] { painted(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void painted()
    {
        if (m_afterPaint) {
            const auto next = std::exchange(m_afterPaint, {});
            return next();
        }
        if (m_commandClock.isValid()) {
            std::fprintf(
                stderr,
                "tarnel-bench-window: %s on all %lld selected rows painted after %.1f ms (%lld rows now)\n",
                qPrintable(m_command->text()), static_cast<long long>(m_selectedRows),
                m_commandClock.nsecsElapsed() / 1e6, static_cast<long long>(objects().rowCount()));
            return undoRedo();
        }
        std::fprintf(stderr, "tarnel-bench-window: table shown after %.1f ms (%lld object rows)\n",
                     m_clock.nsecsElapsed() / 1e6, static_cast<long long>(objects().rowCount()));
        if (!m_filter.isEmpty())
            typeFilter();
        if (m_ids)
            return markIds();
        if (m_setColumn)
            return setColumn();
        if (m_moveIds > 0)
            return moveIds();
        if (m_save)
            return save();
        if (m_quitPipe >= 0)
            return quitOnceIdsAreIn();
        if (!m_command)
            done();
        SectionView* view = m_window.view(LineKind::Object);
        view->selectAll();
        m_selectedRows = view->selectedRowNumbers().size();
        if (m_prelude) {
            QTimer::singleShot(0, qApp, [this] {
                QElapsedTimer clock;
                clock.start();
                std::exchange(m_prelude, nullptr)->trigger();
                afterPaint([this, clock] {
                    std::fprintf(stderr, "tarnel-bench-window: first commented out, painted after %.1f ms\n",
                                 clock.nsecsElapsed() / 1e6);
                    startCommand();
                });
            });
            return;
        }
        startCommand();
    }

    void startCommand()
    {
        SectionView* view = m_window.view(LineKind::Object);
        // The command runs from the event loop, as a menu click would; the
        // figure ends with the next paint of the table.
        QTimer::singleShot(0, qApp, [this, view] {
            m_commandClock.start();
            m_command->trigger();
            m_waiting = true;
            view->viewport()->update();
        });
    }

    void typeFilter()
    {
        for (qsizetype length = 1; length <= m_filter.size(); ++length) {
            QElapsedTimer keystroke;
            keystroke.start();
            m_window.filterBar()->setText(m_filter.left(length));
            std::fprintf(stderr, "tarnel-bench-window: filter \"%s\" shows %d rows after %.1f ms\n",
                         qPrintable(m_filter.left(length)), m_window.view(LineKind::Object)->model()->rowCount(),
                         keystroke.nsecsElapsed() / 1e6);
        }
        // With --command too, it runs on the rows left shown.
    }

    // Each figure ends with the next paint of the table.
    void afterPaint(std::function<void()> next)
    {
        m_afterPaint = std::move(next);
        m_waiting = true;
        m_window.view(LineKind::Object)->viewport()->update();
    }

    void markIds()
    {
        QElapsedTimer clock;
        clock.start();
        const qsizetype duplicates = IdIndex(m_window.document()).duplicateCount();
        std::fprintf(stderr, "tarnel-bench-window: %lld duplicate IDs worked out in %.1f ms\n",
                     static_cast<long long>(duplicates), clock.nsecsElapsed() / 1e6);
        clock.restart();
        emit DocumentIds::of(m_window.document()).changed();
        afterPaint([this, clock] {
            std::fprintf(stderr, "tarnel-bench-window: marks painted after %.1f ms\n", clock.nsecsElapsed() / 1e6);
            changeOneId();
        });
    }

    void setColumn()
    {
        SectionView* view = m_window.view(LineKind::Object);
        view->selectAll();
        const QList<qsizetype> rows = view->selectedRowNumbers();
        QTimer::singleShot(0, qApp, [this, rows] {
            QElapsedTimer clock;
            clock.start();
            ColumnEdit edit;
            edit.column = 2;
            edit.value = QStringLiteral("bench_txd");
            const ColumnEditResult result = editColumn(objects(), rows, edit);
            const double rule = clock.nsecsElapsed() / 1e6;
            const qsizetype changed =
                EditHistory::of(m_window.document())
                    .setRows(LineKind::Object, {result.rows, result.values}, QStringLiteral("Set"));
            std::fprintf(stderr,
                         "tarnel-bench-window: Set column on %lld rows: rule %.1f ms, step done after %.1f ms\n",
                         static_cast<long long>(changed), rule, clock.nsecsElapsed() / 1e6);
            afterPaint([this, clock] {
                std::fprintf(stderr, "tarnel-bench-window: and painted after %.1f ms\n",
                             clock.nsecsElapsed() / 1e6);
                undoRedo();
            });
        });
    }

    // Edit > Undo, then Edit > Redo, each from the event loop until painted.
    void undoRedo()
    {
        const bool undo = std::exchange(m_undo, false);
        if (!undo && !std::exchange(m_redo, false))
            done();
        QTimer::singleShot(0, qApp, [this, undo] {
            QElapsedTimer clock;
            clock.start();
            m_window.findChild<QAction*>(QString::fromLatin1(undo ? "editUndo" : "editRedo"))->trigger();
            afterPaint([this, clock, undo] {
                std::fprintf(stderr, "tarnel-bench-window: %s painted after %.1f ms (%lld rows now)\n",
                             undo ? "undo" : "redo", clock.nsecsElapsed() / 1e6,
                             static_cast<long long>(objects().rowCount()));
                undoRedo();
            });
        });
    }

    void moveIds()
    {
        SectionView* view = m_window.view(LineKind::Object);
        const int rows = int(std::min<qsizetype>(m_moveIds, view->model()->rowCount()));
        view->selectionModel()->select(
            QItemSelection(view->model()->index(0, 0), view->model()->index(rows - 1, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QElapsedTimer clock;
        // The dialogs are answered as soon as they are up.
        std::function<void()> answer = [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (qobject_cast<MoveIdsDialog*>(modal)) {
                std::fprintf(stderr, "tarnel-bench-window: Move IDs dialog on %d rows up after %.1f ms\n", rows,
                             clock.nsecsElapsed() / 1e6);
                clock.restart();
                QPushButton* preview = modal->findChild<QPushButton*>(QStringLiteral("movePreviewButton"));
                if (!preview->isEnabled()) {
                    std::fprintf(stderr, "tarnel-bench-window: the move is refused: %s\n",
                                 qPrintable(modal->findChild<QLabel*>(QStringLiteral("moveSummary"))->text()));
                    static_cast<QDialog*>(modal)->reject();
                    return;
                }
                preview->click();
            } else if (auto* preview = qobject_cast<MoveIdsPreview*>(modal)) {
                std::fprintf(stderr, "tarnel-bench-window: preview of %lld lines in %lld files up after %.1f ms\n",
                             static_cast<long long>(preview->model()->lineCount()),
                             static_cast<long long>(preview->model()->fileCount()), clock.nsecsElapsed() / 1e6);
                clock.restart();
                preview->findChild<QPushButton*>(QStringLiteral("moveApplyButton"))->click();
                return;
            }
            QTimer::singleShot(0, qApp, answer);
        };
        QTimer::singleShot(0, qApp, answer);
        clock.start();
        m_window.findChild<QAction*>(QStringLiteral("editMoveIds"))->trigger();
        std::fprintf(stderr, "tarnel-bench-window: moved in every file after %.1f ms (%s)\n",
                     clock.nsecsElapsed() / 1e6, qPrintable(m_window.statusText()));
        clock.restart();
        afterPaint([clock] {
            std::fprintf(stderr, "tarnel-bench-window: and painted after %.1f ms\n", clock.nsecsElapsed() / 1e6);
            done();
        });
    }

    void save()
    {
        QList<QByteArray> values = objects().rows().values(0);
        values[2] = "bench_txd";
        EditHistory::of(m_window.document()).setRow(LineKind::Object, 0, values);
        const bool keep = *m_save == SaveLayout::KeepFile;
        m_window.fileCommands().setKeepLayout(keep);
        std::function<void()> answer = [&answer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                for (QAbstractButton* button : box->buttons()) {
                    if (button->text() == texts::leaveThemOut)
                        return button->click();
                }
            }
            QTimer::singleShot(0, qApp, answer);
        };
        if (!keep)
            QTimer::singleShot(0, qApp, answer);
        QElapsedTimer clock;
        clock.start();
        m_window.findChild<QAction*>(QStringLiteral("fileSave"))->trigger();
        std::fprintf(stderr,
                     "tarnel-bench-window: File > Save (%s layout) of %lld object rows done after %.1f ms (%s)\n",
                     keep ? "kept" : "fixed", static_cast<long long>(objects().rowCount()),
                     clock.nsecsElapsed() / 1e6, qPrintable(m_window.statusText()));
        done();
    }

    void changeOneId()
    {
        IdeDocument& document = m_window.document();
        SectionTable& table = document.table(LineKind::Object);
        // The second time another row: a first edit may build what later ones reuse.
        const qsizetype row = table.rowCount() / 2 + m_changes;
        QList<QByteArray> values = table.rows().values(row);
        values[0] = table.rows().firstValue(0).toByteArray();
        QElapsedTimer clock;
        clock.start();
        EditHistory::of(document).setRow(LineKind::Object, row, values);
        std::fprintf(stderr,
                     "tarnel-bench-window: one row's ID changed (the whole step) in %.2f ms, %lld duplicate IDs\n",
                     clock.nsecsElapsed() / 1e6, static_cast<long long>(DocumentIds::of(document).count()));
        afterPaint([this, clock] {
            std::fprintf(stderr, "tarnel-bench-window: and painted after %.2f ms\n", clock.nsecsElapsed() / 1e6);
            if (++m_changes == 2)
                done();
            changeOneId();
        });
    }

    // The marks come after the first paint (idsafterpaint.h), or came already.
    void quitOnceIdsAreIn()
    {
        const DocumentIds& ids = DocumentIds::of(m_window.document());
        if (ids.isBuilt())
            return afterPaint([this] { reportMemoryAndClose(); });
        connect(
            &ids, &DocumentIds::changed, this, [this] { afterPaint([this] { reportMemoryAndClose(); }); },
            Qt::SingleShotConnection);
    }

    void reportMemoryAndClose()
    {
        std::fprintf(stderr, "tarnel-bench-window: memory with the marks in: peak %.1f MB, resident %.1f MB\n",
                     statusKb("VmHWM:") / 1024, statusKb("VmRSS:") / 1024);
        std::fflush(stderr);
        const qint64 requested = monotonicNs();
        if (write(m_quitPipe, &requested, sizeof requested) != sizeof requested)
            std::perror("tarnel-bench-window: write");
        // As the window's close button does; nothing is unsaved, so it closes.
        m_window.close();
    }

    const SectionTable& objects() const { return m_window.document().table(LineKind::Object); }

    [[noreturn]] static void done()
    {
        std::fflush(stderr);
        std::_Exit(0);
    }

    const QElapsedTimer& m_clock;
    MainWindow& m_window;
    QAction* m_command;
    QString m_filter;
    bool m_ids;
    bool m_setColumn;
    qsizetype m_moveIds;
    int m_quitPipe; // -1 without --quit
    std::function<void()> m_afterPaint;
    QElapsedTimer m_commandClock;
    QAction* m_prelude = nullptr;
    bool m_undo = false;
    bool m_redo = false;
    qsizetype m_selectedRows = 0;
    int m_changes = 0;
    bool m_waiting = true;
    std::optional<SaveLayout> m_save;
};

// The objects table's Actions menu item for a --command word, or null.
QAction* objectsCommand(MainWindow& window, const QString& word)
{
    const char* name = word == QLatin1String("remove")      ? "objectsRemove"
                       : word == QLatin1String("comment")   ? "objectsCommentOut"
                       : word == QLatin1String("uncomment") ? "objectsUnComment"
                       : word == QLatin1String("duplicate") ? "objectsDuplicate"
                                                            : nullptr;
    return name ? window.findChild<QAction*>(QString::fromLatin1(name)) : nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    keepBigBlocksReturnable(); // as the program's main() does
    int quitPipe = -1;
    if (std::any_of(argv + 1, argv + argc, [](const char* word) { return std::strcmp(word, "--quit") == 0; }))
        quitPipe = runInChildTimingQuit();
    QElapsedTimer clock;
    clock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnel"));
    QStringList words = QApplication::arguments().mid(1);
    const bool unsorted = words.removeAll(QStringLiteral("--unsorted")) > 0;
    QString commandWord;
    if (const qsizetype at = words.indexOf(QStringLiteral("--command")); at >= 0 && at + 1 < words.size()) {
        commandWord = words.takeAt(at + 1);
        words.removeAt(at);
    }
    QString filter;
    if (const qsizetype at = words.indexOf(QStringLiteral("--filter")); at >= 0 && at + 1 < words.size()) {
        filter = words.takeAt(at + 1);
        words.removeAt(at);
    }
    const bool ids = words.removeAll(QStringLiteral("--ids")) > 0;
    const bool setColumn = words.removeAll(QStringLiteral("--set-column")) > 0;
    words.removeAll(QStringLiteral("--quit"));
    const bool undo = words.removeAll(QStringLiteral("--undo")) > 0;
    const bool redo = words.removeAll(QStringLiteral("--redo")) > 0;
    qsizetype moveIds = 0;
    if (const qsizetype at = words.indexOf(QStringLiteral("--move-ids")); at >= 0 && at + 1 < words.size()) {
        moveIds = words.takeAt(at + 1).toLongLong();
        words.removeAt(at);
    }
    QString mapList;
    if (const qsizetype at = words.indexOf(QStringLiteral("--map")); at >= 0 && at + 1 < words.size()) {
        mapList = words.takeAt(at + 1);
        words.removeAt(at);
    }
    std::optional<std::optional<qint64>> idLimit;
    if (const qsizetype at = words.indexOf(QStringLiteral("--id-limit")); at >= 0 && at + 1 < words.size()) {
        const qint64 limit = words.takeAt(at + 1).toLongLong();
        idLimit = limit > 0 ? std::optional<qint64>(limit) : std::nullopt;
        words.removeAt(at);
    }
    std::optional<SaveLayout> save;
    if (words.removeAll(QStringLiteral("--save")) > 0)
        save = SaveLayout::Fixed;
    if (words.removeAll(QStringLiteral("--save-keep-layout")) > 0)
        save = SaveLayout::KeepFile;
    QString commandLine = words.join(QLatin1Char(' '));

    QTemporaryDir settingsDir;
    if (save) { // the file saved is a copy
        const QString copy = QDir(settingsDir.path()).filePath(QStringLiteral("saved.ide"));
        if (!QFile::copy(commandLine, copy)) {
            std::fprintf(stderr, "tarnel-bench-window: cannot copy %s\n", qPrintable(commandLine));
            return 2;
        }
        commandLine = copy;
    }
    SettingsFile settings(QDir(settingsDir.path()).filePath(QStringLiteral("tarnel.ini")));
    if (unsorted) {
        settings.rebuildSettings();
        settings.writeSetting(QStringLiteral("sort"), QStringLiteral("0"));
    }

    QtPlatform platform;
    MainWindow window(platform, settings);
    QAction* command = nullptr;
    if (!commandWord.isEmpty() && !(command = objectsCommand(window, commandWord))) {
        std::fprintf(stderr, "tarnel-bench-window: no command %s (remove, comment, uncomment or duplicate)\n",
                     qPrintable(commandWord));
        return 2;
    }
    PaintWatcher watcher(clock, window, command, filter, ids, setColumn, moveIds, quitPipe);
    watcher.setSave(save);
    if (commandWord == QLatin1String("uncomment"))
        watcher.setPrelude(objectsCommand(window, QStringLiteral("comment")));
    watcher.setUndoRedo(undo, redo);
    window.view(LineKind::Object)->viewport()->installEventFilter(&watcher);
    window.startUp(commandLine);
    if (!mapList.isEmpty())
        window.mapCommands().openMap({mapList});
    if (idLimit)
        window.openMap().setIdLimit(*idLimit);
    std::fprintf(stderr, "tarnel-bench-window: start-up with the file done after %.1f ms\n",
                 clock.nsecsElapsed() / 1e6);
    window.show();
    const int status = QApplication::exec();
    // As `tarnel` ends (--quit times it), its settings folder gone first.
    settingsDir.remove();
    endProgram(std::move(app), status);
}
