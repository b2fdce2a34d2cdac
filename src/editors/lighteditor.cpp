#include "editors/lighteditor.h"

#include "editors/choicefield.h"
#include "editors/editordesigns.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

ChoiceField::Design controlDesign()
{
    ChoiceField::Design design;
    design.listName = "control";
    design.boxName = "custControl";
    design.entries = {
        QStringLiteral("0- light day/night"),
        QStringLiteral("1- light night"),
        QStringLiteral("2- flicker day/night"),
        QStringLiteral("3- flicker night"),
        QStringLiteral("4- blink 1 sec, day/night"),
        QStringLiteral("5- blink 1 sec, night"),
        QStringLiteral("6- blink 2 sec, day/night"),
        QStringLiteral("7- blink 2 sec, night"),
        QStringLiteral("8- light day"),
        QStringLiteral("9- blink 3 sec, night"),
        QStringLiteral("10- blink 3 sec, day/night"),
        QStringLiteral("11- random flicker at night"),
        QStringLiteral("12- And higher unknown"),
    };
    design.boxLabel = QStringLiteral("Custum control");
    design.boxText = QStringLiteral("12");
    design.boxLimit = 4;
    return design;
}

} // namespace

LightEditor::LightEditor(IdeDocument& document, Platform& platform, QWidget* owner)
    : EffectEditor(editorDesign(LineKind::Light), document, LineKind::Light, platform, owner, true)
{
    leftColumn()->addLayout(captionedRows({
        addTextField(7, "uk1", QStringLiteral("Unknown 1 (Usually 200)"), QStringLiteral("200")),
        addTextField(8, "uk2", QStringLiteral("Unknown 2 (Usually 0)"), QStringLiteral("0")),
        addTextField(9, "shape", QStringLiteral("Corona shape")),
        addTextField(10, "shade", QStringLiteral("Shade thingy")),
        addTextField(11, "viewdis", QStringLiteral("View distance")),
        addTextField(12, "outrange", QStringLiteral("Out range")),
    }));
    leftColumn()->addStretch(1);

    const QList<LabelledField> right = {
        addTextField(13, "lampsize", QStringLiteral("Lamp size")),
        addTextField(14, "inrange", QStringLiteral("In range")),
        addTextField(15, "corsize", QStringLiteral("Corona size")),
        addTextField(17, "wet", QStringLiteral("Reflections on wet")),
        addTextField(18, "flare", QStringLiteral("Lens flare")),
        addTextField(19, "dust", QStringLiteral("Dust")),
    };
    auto* control = new ChoiceField(controlDesign(), frame());
    bind(16, control);
    QGridLayout* rightGrid = captionedRows(right);
    const int controlRow = int(right.size());
    auto* controlCaption = new QLabel(QStringLiteral("Control"), frame());
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
