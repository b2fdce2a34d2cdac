#pragma once

#include "editors/lineeditor.h"

class QLabel;
class QLineEdit;

namespace tarnel {

// "Object line editor" for the objs table, or, timed, "Timed object line
// editor" for the tobj table with its two more fields: every column free text.
// "Draw distance" holds every draw distance of the line, separated by commas;
// a line of the later layout has no "Object count".
class ObjectEditor : public LineEditor {
    Q_OBJECT
public:
    ObjectEditor(bool timed, IdeDocument& document, Platform& platform, QWidget* owner);

protected:
    void layoutChanged() override;

private:
    void showMeshWarning();

    QLineEdit* m_meshCount = nullptr;
    QLineEdit* m_drawDistances = nullptr;
    QLabel* m_meshWarning = nullptr;
};

} // namespace tarnel
