#include "editors/lighteditor.h"

#include "editors/choicefield.h"
#include "editors/editordesigns.h"
#include "texts/texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarnel {

namespace {

ChoiceField::Design controlDesign()
{
    ChoiceField::Design design;
    design.listName = "controlList";
    design.boxName = "customControlBox";
    design.entries = texts::lightControls;
    design.boxLabel = texts::customControlCaption;
    design.boxText = QStringLiteral("12");
    design.boxLimit = choiceBoxLimit(LineKind::Light, 16);
    return design;
}

} // namespace

LightEditor::LightEditor(IdeDocument& document, Platform& platform, QWidget* owner)
    : EffectEditor(editorDesign(LineKind::Light), document, LineKind::Light, platform, owner, true)
{
    leftColumn()->addLayout(captionedRows({
        addTextField(7, "unknown1Field", texts::lightUnknown1Caption, QStringLiteral("200")),
        addTextField(8, "unknown2Field", texts::lightUnknown2Caption, QStringLiteral("0")),
        addTextField(9, "coronaShapeField", texts::coronaShapeCaption),
        addTextField(10, "shadeField", texts::shadeCaption),
        addTextField(11, "viewDistanceField", texts::viewDistanceCaption),
        addTextField(12, "outRangeField", texts::outRangeCaption),
    }));
    leftColumn()->addStretch(1);

    const QList<LabelledField> right = {
        addTextField(13, "lampSizeField", texts::lampSizeCaption),
        addTextField(14, "inRangeField", texts::inRangeCaption),
        addTextField(15, "coronaSizeField", texts::coronaSizeCaption),
        addTextField(17, "wetReflectionsField", texts::wetReflectionsCaption),
        addTextField(18, "lensFlareField", texts::lensFlareCaption),
        addTextField(19, "dustField", texts::dustCaption),
    };
    auto* control = new ChoiceField(controlDesign(), frame());
    bind(16, control);
    QGridLayout* rightGrid = captionedRows(right);
    const int controlRow = int(right.size());
    auto* controlCaption = new QLabel(texts::controlCaption, frame());
    controlCaption->setBuddy(control->list());
    auto* customCaption = new QLabel(control->label(), frame());
    customCaption->setBuddy(control->box());
    rightGrid->addWidget(controlCaption, controlRow, 0);
    rightGrid->addWidget(control->list(), controlRow, 1);
    rightGrid->addWidget(customCaption, controlRow + 1, 0);
    rightGrid->addWidget(control->box(), controlRow + 1, 1);
    rightGrid->setRowStretch(controlRow + 2, 1);

    auto* columns = new QHBoxLayout(frame());
    columns->addLayout(leftColumn(), 1);
    columns->addLayout(rightGrid, 1);
}

} // namespace tarnel
