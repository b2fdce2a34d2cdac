#pragma once

#include <QObject>

#include <functional>

namespace tarnel {

class IdeDocument;

// Many changes of one command become one call: after schedule(), `done` runs
// when the document's edit history has finished its step, or, for a change
// made outside the history, when the event loop comes back.
class StepBatch : public QObject {
    Q_OBJECT
public:
    StepBatch(IdeDocument& document, std::function<void()> done, QObject* parent);

    void schedule();
    // Runs `done` now, settling what was scheduled.
    void run();

private:
    // The document's history changes when a map's files change places in it.
    void followHistoryOf(IdeDocument& document);

    std::function<void()> m_done;
    QMetaObject::Connection m_steps;
    bool m_pending = false;
};

} // namespace tarnel
