#pragma once

#include "editors/effecteditor.h"

namespace tarnel {

// "Sun reflection editor" for the sun reflection lines of 2dfx: nine columns,
// all free text but the colour.
class SunEditor : public EffectEditor {
    Q_OBJECT
public:
    SunEditor(IdeDocument& document, Platform& platform, QWidget* owner);
};

} // namespace tarnel
