#pragma once

// One main window on a scripted desktop, with tarnel.ini and any test files in
// a temporary folder of its own: what every window test starts from.

#include "mainwindow/mainwindow.h"
#include "platform/scriptedplatform.h"
#include "settings/settingsfile.h"
#include "support/childlookup.h"
#include "support/testfiles.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace support {

// tarnel.ini as a fresh start writes it.
inline const QByteArray defaultSettings =
    "[tarnel]\r\nrecent1=recent1\r\nrecent2=recent2\r\nrecent3=recent3\r\nrecent4=recent4\r\n"
    "recent5=recent5\r\nrecent6=recent6\r\nrecent7=recent7\r\nlines=1\r\npaste=1\r\nsort=1\r\nkeepLayout=0\r\n";

struct WindowSession {
    QTemporaryDir dir;
    tarnel::ScriptedPlatform platform;
    tarnel::SettingsFile settings{dir.filePath(QStringLiteral("tarnel.ini"))};
    std::unique_ptr<tarnel::MainWindow> window;
    ChildLookup children;

    QString path(const QString& name) const { return dir.filePath(name); }

    void useSettings(const QByteArray& contents = defaultSettings) { QVERIFY(putFile(settings.path(), contents)); }

    // A window on a fresh settings file, started on `commandLine`.
    tarnel::MainWindow& init(const QString& commandLine = QString())
    {
        useSettings();
        return start(commandLine);
    }

    // A copy of a corpus file under `name` in the session's folder, writable.
    QString copyOfCorpus(const QString& corpusName, const QString& name)
    {
        const QString target = path(name);
        QFile::remove(target);
        if (!QFile::copy(corpusPath(corpusName), target))
            return QString();
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        return target;
    }

    // A window on a fresh settings file, opened on a copy of a corpus file.
    tarnel::MainWindow& openCorpus(const QString& corpusName)
    {
        const QString copy = copyOfCorpus(corpusName, corpusName);
        if (copy.isEmpty())
            QTest::qFail(qPrintable(QStringLiteral("no corpus file ") + corpusName), __FILE__, __LINE__);
        return init(copy);
    }

    tarnel::MainWindow& start(const QString& commandLine = QString())
    {
        window = std::make_unique<tarnel::MainWindow>(platform, settings);
        window->startUp(commandLine);
        return *window;
    }

    // Started and on screen: the views only fill and show once the window is up.
    tarnel::MainWindow& startShown(const QString& commandLine = QString())
    {
        start(commandLine);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the window was not exposed");
        return *window;
    }

    // A control of the window by object name; see ChildLookup for a name that is not there.
    template <typename T>
    T* child(const char* name, const std::source_location& where = std::source_location::current()) const
    {
        return children.find<T>(window.get(), name, where);
    }

    QAction* action(const char* name, const std::source_location& where = std::source_location::current()) const
    {
        return child<QAction>(name, where);
    }
};

} // namespace support
