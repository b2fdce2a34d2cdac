#pragma once

#include "editors/effecteditor.h"

namespace tarnel {

// "Particle editor" for the particle lines of 2dfx: fourteen columns, the
// particle type offered as a list of the known effects.
class ParticleEditor : public EffectEditor {
    Q_OBJECT
public:
    ParticleEditor(IdeDocument& document, Platform& platform, QWidget* owner);
};

} // namespace tarnel
