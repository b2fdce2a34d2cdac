#include "editors/particleeditor.h"

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

ChoiceField::Design typeDesign()
{
    ChoiceField::Design design;
    design.listName = "ptype";
    design.boxName = "custType";
    design.entries = {
        QStringLiteral("0 - white steam medium"), QStringLiteral("1 - white steam small"),
        QStringLiteral("2 - white steam big"),    QStringLiteral("3 - Fire"),
        QStringLiteral("4 - black smoke"),        QStringLiteral("5 - water spray up"),
        QStringLiteral("6 - water fall down"),    QStringLiteral("x - Custom"),
    };
    design.boxLabel = QStringLiteral("Particle type");
    design.boxText = QStringLiteral("7");
    return design;
}

} // namespace

ParticleEditor::ParticleEditor(IdeDocument& document, Platform& platform, QWidget* owner)
    : EffectEditor(editorDesign(LineKind::Particle), document, LineKind::Particle, platform, owner, true)
{
    // Fields are made in line order, which is also their tab order.
    const LabelledField unknown1 = addTextField(7, "uk1", QStringLiteral("Unknown 1 (Usually 200)"), QStringLiteral("200"));
    const LabelledField unknown2 = addTextField(8, "uk2", QStringLiteral("Unknown 2 (Usually 1)"), QStringLiteral("1"));
    addUnknownsAndType(unknown1, unknown2, typeDesign());

    QGridLayout* right = captionedRows({
        addTextField(10, "ukOut1", QStringLiteral("Unknown out 1")),
        addTextField(11, "ukOut2", QStringLiteral("Unknown out 2")),
        addTextField(12, "ukOut3", QStringLiteral("Unknown out 3")),
        addTextField(13, "psize", QStringLiteral("Size")),
    });
    right->setRowStretch(4, 1);

    auto* columns = new QHBoxLayout(frame());
    columns->addLayout(leftColumn(), 3);
    columns->addLayout(right, 2);
}
