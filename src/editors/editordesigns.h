#pragma once

#include "editors/lineeditor.h"

namespace tarnel {

// The window name, title, captions and status messages of each kind's editor,
// side by side so that the six read alike.
LineEditor::Design editorDesign(LineKind kind);

// How long a custom value of a choice column (a light's control, a particle's
// or ped area's type) may be, as its editor's box takes it; 0 for other columns.
int choiceBoxLimit(LineKind kind, int column);

} // namespace tarnel
