#include "editors/pededitor.h"

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
    design.listName = "areaTypeList";
    design.boxName = "customTypeBox";
    design.entries = texts::areaTypes;
    design.boxLabel = texts::areaTypeCaption;
    design.boxText = QStringLiteral("4");
    return design;
}

} // namespace

PedEditor::PedEditor(IdeDocument& document, Platform& platform, QWidget* owner)
    : EffectEditor(editorDesign(LineKind::PedArea), document, LineKind::PedArea, platform, owner, true)
{
    // Fields are made in line order, which is also their tab order.
    const LabelledField unknown1 =
        addTextField(7, "unknown1Field", texts::pedUnknown1Caption, QStringLiteral("120"));
    const LabelledField unknown2 =
        addTextField(8, "unknown2Field", texts::pedUnknown2Caption, QStringLiteral("3"));
    addUnknownsAndType(unknown1, unknown2, typeDesign());

    // Two groups of three directions, each numbered 1 to 3, with a gap between them.
    const char* names[] = {"unknownDirection1Field", "unknownDirection2Field", "unknownDirection3Field",
                           "unknownDirection4Field", "unknownDirection5Field", "unknownDirection6Field"};
    auto* right = new QVBoxLayout;
    for (int group = 0; group < 2; ++group) {
        QList<LabelledField> rows;
        for (int i = 0; i < 3; ++i) {
            const int n = group * 3 + i;
            rows << addTextField(10 + n, names[n], texts::unknownDirectionCaption.arg(i + 1));
        }
        right->addLayout(captionedRows(rows));
        if (group == 0)
            right->addSpacing(12);
    }
    right->addStretch(1);

    auto* columns = new QHBoxLayout(frame());
    columns->addLayout(leftColumn(), 3);
    columns->addLayout(right, 2);
}

} // namespace tarnel
