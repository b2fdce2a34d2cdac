#include "mainwindow/escapecloses.h"

#include <QKeyEvent>
#include <QWidget>

namespace tarnel {

namespace {

// Sees the key presses the window's controls leave to the window.
class EscapeCloser : public QObject {
public:
    explicit EscapeCloser(QWidget& window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                m_window.close();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
};

} // namespace

void closeOnEscape(QWidget& window)
{
    window.installEventFilter(new EscapeCloser(window));
}

} // namespace tarnel
