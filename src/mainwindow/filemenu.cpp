#include "mainwindow/filemenu.h"

#include "mainwindow/filecommands.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/recentfilesmenu.h"
#include "texts/texts.h"

#include <QMenu>
#include <QMenuBar>

namespace tarnel {

FileMenu::FileMenu(FileCommands& fileCommands, RecentList& recent, QMenuBar& bar, QWidget& window)
    : QObject(&window), m_menu(bar.addMenu(withMnemonic(texts::menuFile)))
{
    QMenu* file = m_menu;
    file->setObjectName(QStringLiteral("fileMenu"));
    const auto fileItem = [&](const QString& name, const QString& caption, QKeySequence key, auto slot) {
        QAction* action = namedAction(&window, name, caption);
        action->setShortcut(key);
        connect(action, &QAction::triggered, &fileCommands, slot);
        file->addAction(action);
        return action;
    };
    fileItem(QStringLiteral("fileNew"), texts::menuNew, QKeySequence(Qt::CTRL | Qt::Key_N),
             &FileCommands::fileNew);
    fileItem(QStringLiteral("fileOpen"), texts::menuOpen, QKeySequence(Qt::CTRL | Qt::Key_O),
             &FileCommands::fileOpen);
    fileItem(QStringLiteral("fileClose"), texts::menuClose, QKeySequence(), &FileCommands::fileClose);
    file->addSeparator()->setObjectName(QStringLiteral("fileSaveSeparator"));
    fileItem(QStringLiteral("fileSave"), texts::menuSave, QKeySequence(Qt::CTRL | Qt::Key_S),
             &FileCommands::fileSave);
    fileItem(QStringLiteral("fileSaveAs"), texts::menuSaveAs, QKeySequence(), &FileCommands::fileSaveAs);
    m_loadReport = namedAction(&window, QStringLiteral("fileLoadReport"), texts::menuLoadReport);
    m_loadReport->setEnabled(false);
    file->addAction(m_loadReport);
    file->addSeparator()->setObjectName(QStringLiteral("fileRecentSeparator"));
    m_recentFiles = new RecentFilesMenu(recent, fileCommands, *file, window);
    connect(&fileCommands, &FileCommands::recentListChanged, m_recentFiles, &RecentFilesMenu::refresh);
    file->addSeparator()->setObjectName(QStringLiteral("fileExitSeparator"));
    QAction* exit = namedAction(&window, QStringLiteral("fileExit"), texts::menuExit);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, &window, &QWidget::close);
    file->addAction(exit);
}

} // namespace tarnel
