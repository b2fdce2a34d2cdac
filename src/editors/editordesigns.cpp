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

} // namespace tarnel
