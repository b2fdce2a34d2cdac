#include "editors/editordesigns.h"

#include "texts/texts.h"

namespace tarnel {

LineEditor::Design editorDesign(LineKind kind)
{
    using namespace texts;
    // Every confirm says what it did, so an earlier command's message never reads as the editor's.
    switch (kind) {
    case LineKind::Object:
        return {"objectEditor", objectEditorTitle,  lineFrame.arg(0),
                addLineButton,  newLineAddedStatus, lineUpdatedStatus};
    case LineKind::TimedObject:
        return {"timedObjectEditor", timedObjectEditorTitle, lineFrame.arg(0),
                addLineButton,       newLineAddedStatus,     lineUpdatedStatus};
    case LineKind::Light:
        return {"lightEditor", lightEditorTitle, lightFrame, addNewButton, lightAddedStatus, lightUpdatedStatus};
    case LineKind::Sun:
        return {"sunEditor", sunEditorTitle, sunFrame, addLineButton, lineAddedStatus, lineUpdatedStatus};
    case LineKind::Particle:
        return {"particleEditor", particleEditorTitle, particleFrame,
                addLineButton,    particleAddedStatus, lineUpdatedStatus};
    case LineKind::PedArea:
        return {"pedEditor", pedEditorTitle, pedFrame, addLineButton, newLineAddedStatus, lineUpdatedStatus};
    }
    return {};
}

} // namespace tarnel
