#pragma once

#include "editors/effecteditor.h"

class ChoiceField;

// "Light editor" for the light lines of 2dfx: twenty columns, the control
// column offered as a list of the known light behaviours.
class LightEditor : public EffectEditor {
    Q_OBJECT
public:
    LightEditor(IdeDocument& document, Platform& platform, QWidget* owner);

private:
    ChoiceField* m_control = nullptr;
};
