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
    design.listName = "control";
    design.boxName = "custControl";
    design.entries = texts::lightControls;
    design.boxLabel = texts::customControlCaption;
    design.boxText = QStringLiteral("12");
    design.boxLimit = 4;
    return design;
}

} // namespace

LightEditor::LightEditor(IdeDocument& document, Platform& platform, QWidget* owner)
    : EffectEditor(editorDesign(LineKind::Light), document, LineKind::Light, platform, owner, true)
{
    leftColumn()->addLayout(captionedRows({
        addTextField(7, "uk1", texts::lightUnknown1Caption, QStringLiteral("200")),
        addTextField(8, "uk2", texts::lightUnknown2Caption, QStringLiteral("0")),
        addTextField(9, "shape", texts::coronaShapeCaption),
        addTextField(10, "shade", texts::shadeCaption),
        addTextField(11, "viewdis", texts::viewDistanceCaption),
        addTextField(12, "outrange", texts::outRangeCaption),
    }));
    leftColumn()->addStretch(1);

    const QList<LabelledField> right = {
        addTextField(13, "lampsize", texts::lampSizeCaption),
        addTextField(14, "inrange", texts::inRangeCaption),
        addTextField(15, "corsize", texts::coronaSizeCaption),
        addTextField(17, "wet", texts::wetReflectionsCaption),
        addTextField(18, "flare", texts::lensFlareCaption),
        addTextField(19, "dust", texts::dustCaption),
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
