#pragma once

#include <QtGlobal>

class QWidget;

namespace tarnel {

struct LoadError;
class Platform;

// The load error prompts of one load. Each error is shown with a check box; once the user ticks
// it, the rest of the load's errors are only counted, and finish() tells how many there were.
// Nothing here depends on when the loader reports: only on one call per error, in file order.
class LoadErrorPrompts {
public:
    LoadErrorPrompts(Platform& platform, QWidget* dialogParent);

    void report(const LoadError& error);
    // After the load: the one message about the errors not shown, if there were any.
    void finish();

private:
    Platform& m_platform;
    QWidget* m_dialogParent;
    bool m_silenced = false;
    qsizetype m_unshown = 0;
};

} // namespace tarnel
