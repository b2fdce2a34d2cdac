#pragma once

#include "editors/choicefield.h"
#include "editors/lineeditor.h"

class QVBoxLayout;

namespace tarnel {

// The 2dfx editors (light, particle, sun reflection, ped area) all begin their
// line with the object ID, the X, Y, Z position and the colour: columns 0 to 6.
// They stand at the top of the frame's left-hand column, which each editor
// then continues with its own fields.
class EffectEditor : public LineEditor {
    Q_OBJECT
protected:
    EffectEditor(const Design& design, IdeDocument& document, LineKind kind, Platform& platform, QWidget* owner,
                 bool captionedColours);

    // The particle and ped area lines go on alike: two unknowns (columns 7 and
    // 8), then a type chosen from a list (column 9), captioned by the design's
    // box label. Adds their rows to the left-hand column.
    void addUnknownsAndType(const LabelledField& unknown1, const LabelledField& unknown2,
                            const ChoiceField::Design& type);
    // Not yet placed in the frame: the editor lays it out beside its other columns.
    QVBoxLayout* leftColumn() const { return m_left; }

private:
    QVBoxLayout* m_left = nullptr;
};

} // namespace tarnel
