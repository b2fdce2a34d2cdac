#pragma once

#include "editors/lineeditor.h"

// "Object line editor" for the objs table, or, timed, "Timed object line
// editor" for the tobj table with its two more fields: every column free text.
class ObjectEditor : public LineEditor {
    Q_OBJECT
public:
    ObjectEditor(bool timed, IdeDocument& document, Platform& platform, QWidget* owner);
};
