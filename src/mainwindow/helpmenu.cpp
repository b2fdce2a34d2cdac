#include "mainwindow/helpmenu.h"

#include "mainwindow/aboutdialog.h"
#include "mainwindow/namedaction.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace tarnel {

QMenu* addHelpMenu(QMenuBar& bar, QWidget& window, Platform& platform)
{
    QMenu* help = bar.addMenu(withMnemonic(texts::menuHelp));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction* homepage = namedAction(&window, QStringLiteral("helpHomePage"), texts::homePageHost);
    QObject::connect(homepage, &QAction::triggered, &window,
                     [&platform] { platform.openUrl(QUrl(texts::homePage)); });
    help->addAction(homepage);
    help->addSeparator()->setObjectName(QStringLiteral("helpSeparator"));
    QAction* about = namedAction(&window, QStringLiteral("helpAbout"), texts::menuAbout);
    QObject::connect(about, &QAction::triggered, &window, [&window] {
        AboutDialog dialog(&window);
        dialog.exec();
    });
    help->addAction(about);
    return help;
}

} // namespace tarnel
