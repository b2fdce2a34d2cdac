#include "history/stepbatch.h"

#include "document/idedocument.h"
#include "history/edithistory.h"

#include <QTimer>

namespace tarnel {

StepBatch::StepBatch(IdeDocument& document, std::function<void()> done, QObject* parent)
    : QObject(parent), m_done(std::move(done))
{
    followHistoryOf(document);
    connect(&document, &IdeDocument::contentReplaced, this, [this, &document] { followHistoryOf(document); });
}

void StepBatch::followHistoryOf(IdeDocument& document)
{
    // A step is done when the stack's index moves.
    disconnect(m_steps);
    m_steps = connect(&EditHistory::of(document).stack(), &QUndoStack::indexChanged, this, [this] {
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
