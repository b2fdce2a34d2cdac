#include "editors/objecteditor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

namespace {

LineEditor::Design designOf(bool timed)
{
    LineEditor::Design design;
    design.formName = timed ? "timededitor" : "Objectedit";
    design.title =
        timed ? QStringLiteral("Timed object line editor") : QStringLiteral("Object line editor");
    design.frameCaption = QStringLiteral("Parameters for line [ 0 ]");
    design.confirmName = "Command1";
    design.cancelName = "Command2";
    design.addCaption = QStringLiteral("Add line");
    design.addedStatus = QStringLiteral("New line added");
    design.updatedStatus = QStringLiteral("Line updated");
    return design;
}

} // namespace

ObjectEditor::ObjectEditor(bool timed, IdeDocument& document, Platform& platform, QWidget* owner)
    : LineEditor(designOf(timed), document, timed ? LineKind::TimedObject : LineKind::Object,
                 platform, owner)
{
    const QList<LabelledField> left = {
        addTextField(0, "objectid", QStringLiteral("Object ID")),
        addTextField(1, "objectname", QStringLiteral("Object name")),
        addTextField(2, "texturefile", QStringLiteral("Texture file")),
    };
    QList<LabelledField> right = {
        addTextField(3, "objectcount", QStringLiteral("Object count")),
        addTextField(4, "drawdistance", QStringLiteral("Draw distance")),
        addTextField(5, "param", QStringLiteral("Parameters")),
    };
    if (timed) {
        right << addTextField(6, "timeon", QStringLiteral("Time on"))
              << addTextField(7, "timeoff", QStringLiteral("Time off"));
    }

    auto* columns = new QHBoxLayout(frame());
    QGridLayout* leftGrid = captionedRows(left);
    leftGrid->setRowStretch(int(left.size()), 1);
    QGridLayout* rightGrid = captionedRows(right);
    rightGrid->setRowStretch(int(right.size()), 1);
    columns->addLayout(leftGrid, 3);
    columns->addLayout(rightGrid, 2);
    setMinimumWidth(620);
}
