// tarnel-bench-window: the real main window, started offscreen on a file the way
// `tarnel FILE` starts (Form1::startUp, so FileCommands loads it), ending as soon
// as the section table has been painted. Process start to that first paint is
// the "open in the window" figure.
//
//   tarnel-bench-window [--unsorted] [FILE]
//
// Settings live in a fresh temporary folder, so every run starts like a first
// start (the rebuilt settings switch "Sort by object num" on); --unsorted
// switches it off first.
#include "document/idedocument.h"
#include "mainwindow/form1.h"
#include "mainwindow/sectionview.h"
#include "platform/qtplatform.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// Ends the process once the watched viewport has been painted: the figure is
// process start to table shown, and tearing down a window over a million rows
// is not part of it.
class FirstPaint : public QObject {
public:
    FirstPaint(const QElapsedTimer& clock, Form1& window) : m_clock(clock), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Right after this paint has run.
            QTimer::singleShot(0, qApp, [this] { done(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void done()
    {
        std::fprintf(stderr, "tarnel-bench-window: table shown after %.1f ms (%lld object rows)\n",
                     m_clock.nsecsElapsed() / 1e6,
                     static_cast<long long>(m_window.document().table(LineKind::Object).rowCount()));
        std::fflush(stderr);
        std::_Exit(0);
    }

    const QElapsedTimer& m_clock;
    Form1& m_window;
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnel"));
    QStringList words = app.arguments().mid(1);
    const bool unsorted = words.removeAll(QStringLiteral("--unsorted")) > 0;
    const QString commandLine = words.join(QLatin1Char(' '));

    QTemporaryDir settingsDir;
    SettingsFile settings(QDir(settingsDir.path()).filePath(QStringLiteral("tarnel.ini")));
    if (unsorted) {
        settings.rebuildSettings();
        settings.writeSetting(QStringLiteral("sort"), QStringLiteral("0"));
    }

    QtPlatform platform;
    Form1 window(platform, settings);
    FirstPaint watcher(clock, window);
    window.view(LineKind::Object)->viewport()->installEventFilter(&watcher);
    window.startUp(commandLine);
    std::fprintf(stderr, "tarnel-bench-window: start-up with the file done after %.1f ms\n", clock.nsecsElapsed() / 1e6);
    window.show();
    return app.exec();
}
