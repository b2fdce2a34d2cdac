#pragma once

#include "editors/effecteditor.h"

namespace tarnel {

// "Ped animation area editor" for the ped area lines of 2dfx: sixteen
// columns, the area type offered as a list, six direction values.
class PedEditor : public EffectEditor {
    Q_OBJECT
public:
    PedEditor(IdeDocument& document, Platform& platform, QWidget* owner);
};

} // namespace tarnel
