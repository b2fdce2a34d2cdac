#include "mainwindow/mainwindow.h"
#include "platform/qtplatform.h"
#include "settings/settingsfile.h"
#include "texts/texts.h"

#include <QApplication>

using namespace tarnel;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(texts::appTitle);
    // The command line names one file; a path with spaces may arrive split.
    QStringList words = app.arguments().mid(1);
    const QString commandLine = words.join(QLatin1Char(' '));

    QtPlatform platform;
    SettingsFile settings(SettingsFile::defaultPath());
    MainWindow window(platform, settings);
    window.startUp(commandLine);
    window.show();
    return app.exec();
}
