#include "history/stepbatch.h"

#include "history/edithistory.h"

#include <QTimer>

namespace tarnel {

StepBatch::StepBatch(IdeDocument& document, std::function<void()> done, QObject* parent)
    : QObject(parent), m_done(std::move(done))
{
    // A step is done when the stack's index moves.
    connect(&EditHistory::of(document).stack(), &QUndoStack::indexChanged, this, [this] {
        if (m_pending)
            run();
    });
}

void StepBatch::schedule()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_pending)
            run();
    });
}

void StepBatch::run()
{
    m_pending = false;
    m_done();
}

} // namespace tarnel
