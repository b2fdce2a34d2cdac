#include "document/bigarrays.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/programend.h"
#include "platform/qtplatform.h"
#include "settings/settingsfile.h"
#include "texts/texts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTextStream>

#include <memory>
#include <optional>

using namespace tarnel;

namespace {

// --help and --version, answered without a window (and without a display) before the
// editor starts. Anything else, a path starting with "-" included, is the file to open.
std::optional<int> answerOptions(int argc, char* argv[])
{
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        asked = asked || argv[i][0] == '-';
    if (!asked)
        return std::nullopt;

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnel"));
    QCoreApplication::setApplicationVersion(texts::version);
    QCommandLineParser parser;
    parser.setApplicationDescription(texts::appDescription);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(texts::fileArgument, texts::fileArgumentHelp, QStringLiteral("[file]"));
    if (!parser.parse(app.arguments()))
        return std::nullopt;
    if (parser.isSet(version)) {
        QTextStream(stdout) << QCoreApplication::applicationName() << ' ' << texts::version << '\n';
        return 0;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        QTextStream(stdout) << parser.helpText() << '\n'
                            << texts::settingsWhere.arg(SettingsFile::defaultPath()) << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    keepBigBlocksReturnable();
    if (const std::optional<int> status = answerOptions(argc, argv))
        return *status;

    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(texts::appTitle);
    QApplication::setApplicationVersion(texts::version);
    // Ties the window to the installed desktop entry, for its name and icon in the desktop.
    QApplication::setDesktopFileName(QStringLiteral("io.github.tarnel.Tarnel"));
    // The icon the package installs in the icon theme; none when run from the build.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tarnel")));
    // The command line names one file; a path with spaces may arrive split.
    QStringList words = QApplication::arguments().mid(1);
    const QString commandLine = words.join(QLatin1Char(' '));

    // Never destroyed: endProgram leaves them to the operating system.
    auto* platform = new QtPlatform;
    auto* settings = new SettingsFile(SettingsFile::defaultPath());
    auto* window = new MainWindow(*platform, *settings);
    window->startUp(commandLine);
    window->show();
    const int status = QApplication::exec();
    endProgram(std::move(app), status);
}
