#include "mainwindow/recentfilesmenu.h"

#include "mainwindow/filecommands.h"
#include "mainwindow/namedaction.h"
#include "texts/texts.h"

#include <QMenu>

namespace tarnel {

namespace {

QString menuCaption(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

RecentFilesMenu::RecentFilesMenu(RecentList& recent, FileCommands& fileCommands, QMenu& fileMenu, QWidget& window)
    : QObject(&window), m_recent(recent), m_fileCommands(fileCommands)
{
    QMenu* menu = fileMenu.addMenu(texts::menuOpenRecent);
    menu->setObjectName(QStringLiteral("recentMenu"));
    for (int n = 1; n <= RecentList::slotCount; ++n) {
        QAction* item = namedAction(&window, QStringLiteral("recentFile%1").arg(n), QString());
        item->setShortcut(QKeySequence(Qt::Key_F1 + (n - 1)));
        connect(item, &QAction::triggered, this, [this, n] { open(n); });
        menu->addAction(item);
        m_items[size_t(n - 1)] = item;
    }
}

void RecentFilesMenu::refresh()
{
    const QStringList entries = m_recent.readSlots();
    for (int n = 1; n <= RecentList::slotCount; ++n) {
        QAction* item = m_items[size_t(n - 1)];
        const QString caption = entries.value(n - 1);
        item->setText(menuCaption(caption));
        item->setData(caption);
        // An empty slot's name, its own or one moved down from above, names no file: nothing to offer.
        bool placeholder = false;
        for (int slot = 1; slot <= RecentList::slotCount; ++slot)
            placeholder = placeholder || RecentList::isPlaceholder(slot, caption);
        item->setVisible(!placeholder);
    }
}

void RecentFilesMenu::open(int slot)
{
    const QString caption = m_items[size_t(slot - 1)]->data().toString();
    // Only a slot's own name marks it empty; a name pushed down from the slot
    // above reads as a file name and is reported missing when chosen.
    if (RecentList::isPlaceholder(slot, caption))
        return;
    m_fileCommands.openNamedFile(caption);
}

} // namespace tarnel
