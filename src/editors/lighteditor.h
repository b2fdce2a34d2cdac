#pragma once

#include "editors/effecteditor.h"

namespace tarnel {

// "Light editor" for the light lines of 2dfx: twenty columns, the control
// column offered as a list of the known light behaviours.
class LightEditor : public EffectEditor {
    Q_OBJECT
public:
    LightEditor(IdeDocument& document, Platform& platform, QWidget* owner);
};

} // namespace tarnel
