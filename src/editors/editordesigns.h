#pragma once

#include "editors/lineeditor.h"

namespace tarnel {

// The window name, title, captions and status messages of each kind's editor,
// side by side so that the six read alike.
LineEditor::Design editorDesign(LineKind kind);

} // namespace tarnel
