#include "editors/particleeditor.h"

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

ChoiceField::Design typeDesign()
{
    ChoiceField::Design design;
    design.listName = "particleTypeList";
    design.boxName = "customTypeBox";
    design.entries = texts::particleTypes;
    design.boxLabel = texts::particleTypeCaption;
    design.boxText = QStringLiteral("7");
    return design;
}

} // namespace

ParticleEditor::ParticleEditor(IdeDocument& document, Platform& platform, QWidget* owner)
    : EffectEditor(editorDesign(LineKind::Particle), document, LineKind::Particle, platform, owner, true)
{
    // Fields are made in line order, which is also their tab order.
    const LabelledField unknown1 =
        addTextField(7, "unknown1Field", texts::particleUnknown1Caption, QStringLiteral("200"));
    const LabelledField unknown2 =
        addTextField(8, "unknown2Field", texts::particleUnknown2Caption, QStringLiteral("1"));
    addUnknownsAndType(unknown1, unknown2, typeDesign());

    QGridLayout* right = captionedRows({
        addTextField(10, "unknownOut1Field", texts::unknownOut1Caption),
        addTextField(11, "unknownOut2Field", texts::unknownOut2Caption),
        addTextField(12, "unknownOut3Field", texts::unknownOut3Caption),
        addTextField(13, "particleSizeField", texts::particleSizeCaption),
    });
    right->setRowStretch(4, 1);

    auto* columns = new QHBoxLayout(frame());
    columns->addLayout(leftColumn(), 3);
    columns->addLayout(right, 2);
}

} // namespace tarnel
