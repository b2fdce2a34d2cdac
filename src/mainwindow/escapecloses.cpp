#include "mainwindow/escapecloses.h"

#include <QAction>
#include <QWidget>

namespace tarnel {

void closeOnEscape(QWidget& window)
{
    auto* escape = new QAction(&window);
    escape->setObjectName(QStringLiteral("closeOnEscape"));
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    // Only while the focus is in this window: the main window's Esc stays its own.
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QAction::triggered, &window, &QWidget::close);
    window.addAction(escape);
}

} // namespace tarnel
