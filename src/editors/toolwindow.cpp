#include "editors/toolwindow.h"

#include <QAction>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace tarnel {

namespace {

// Claims for the tool window every key that one of the owner's actions has as its shortcut.
class OwnerKeysBlocker : public QObject {
public:
    OwnerKeysBlocker(QWidget& window, QWidget* owner) : QObject(&window), m_owner(owner) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride || !m_owner)
            return QObject::eventFilter(watched, event);
        const QKeySequence typed(static_cast<QKeyEvent*>(event)->keyCombination());
        const QList<QAction*> actions = m_owner->findChildren<QAction*>();
        const bool owners = std::any_of(actions.cbegin(), actions.cend(), [this, &typed](const QAction* action) {
            return !isInWindow(action) && action->shortcuts().contains(typed);
        });
        // Accepted, the key goes to the window's focused control as a plain key press.
        if (owners)
            event->accept();
        return owners;
    }

private:
    // The window's own actions (Esc) are the owner's children too.
    bool isInWindow(const QObject* object) const
    {
        while (object && object != parent())
            object = object->parent();
        return object != nullptr;
    }

    QPointer<QWidget> m_owner;
};

} // namespace

void makeToolWindow(QWidget& window)
{
    window.setWindowFlags(Qt::Tool);
    if (QWidget* owner = window.parentWidget())
        window.installEventFilter(new OwnerKeysBlocker(window, owner->window()));
}

} // namespace tarnel
