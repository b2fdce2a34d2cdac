#include "editors/editordesigns.h"

#include "texts/texts.h"

#include <array>

namespace tarnel {

LineEditor::Design editorDesign(LineKind kind)
{
    using namespace texts;
    // Every confirm says what it did, so an earlier command's message never reads as the editor's.
    // clang-format off
    static const std::array<LineEditor::Design, lineKindCount> designs = {{
        {"objectEditor",      objectEditorTitle,      lineFrame.arg(0), addLineButton, newLineAddedStatus,  lineUpdatedStatus},
        {"timedObjectEditor", timedObjectEditorTitle, lineFrame.arg(0), addLineButton, newLineAddedStatus,  lineUpdatedStatus},
        {"lightEditor",       lightEditorTitle,       lightFrame,       addNewButton,  lightAddedStatus,    lightUpdatedStatus},
        {"sunEffectEditor",         sunEditorTitle,         sunFrame,         addLineButton, lineAddedStatus,     lineUpdatedStatus},
        {"particleEditor",    particleEditorTitle,    particleFrame,    addLineButton, particleAddedStatus, lineUpdatedStatus},
        {"pedAreaEditor",         pedEditorTitle,         pedFrame,         addLineButton, newLineAddedStatus,  lineUpdatedStatus},
    }};
    // clang-format on
    return designs[size_t(kind)];
}

int choiceBoxLimit(LineKind kind, int column)
{
    // The column a ChoiceField is bound to, by kind; the light's control box takes four characters.
    constexpr int lightControlColumn = 16;
    constexpr int effectTypeColumn = 9;
    constexpr int lightControlLimit = 4;
    constexpr int boxLimit = 32767;
    if (kind == LineKind::Light)
        return column == lightControlColumn ? lightControlLimit : 0;
    if (kind == LineKind::Particle || kind == LineKind::PedArea)
        return column == effectTypeColumn ? boxLimit : 0;
    return 0;
}

} // namespace tarnel
