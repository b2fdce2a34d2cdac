#include "mainwindow/idsafterpaint.h"

#include "history/documentids.h"

#include <QEvent>
#include <QWidget>

namespace tarnel {

namespace {

class PaintWatch : public QObject {
public:
    explicit PaintWatch(DocumentIds& ids) : QObject(&ids), m_ids(ids) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The paint is under way: the index is built once it is on screen.
        if (event->type() == QEvent::Paint)
            m_ids.buildSoon();
        return QObject::eventFilter(watched, event);
    }

private:
    DocumentIds& m_ids;
};

} // namespace

void buildIdsAfterPaintOf(DocumentIds& ids, const QList<QWidget*>& views)
{
    auto* watch = new PaintWatch(ids);
    for (QWidget* view : views)
        view->installEventFilter(watch);
    ids.setBuildDelay(250);
}

} // namespace tarnel
