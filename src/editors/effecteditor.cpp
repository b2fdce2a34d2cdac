#include "editors/effecteditor.h"

#include "editors/colourchannel.h"
#include "editors/colourgroup.h"
#include "texts/texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarnel {

EffectEditor::EffectEditor(const Design& design, IdeDocument& document, LineKind kind, Platform& platform,
                           QWidget* owner, bool captionedColours)
    : LineEditor(design, document, kind, platform, owner)
{
    m_left = new QVBoxLayout;
    m_left->addLayout(captionedRows({addTextField(0, "objectIdField", texts::objectIdCaption)}));

    // X, Y and Z side by side, each under its caption.
    auto* position = new QGridLayout;
    const LabelledField axes[] = {
        addTextField(1, "xField", texts::xCaption),
        addTextField(2, "yField", texts::yCaption),
        addTextField(3, "zField", texts::zCaption),
    };
    for (int i = 0; i < 3; ++i) {
        position->addWidget(axes[i].label, 0, i);
        position->addWidget(axes[i].field, 1, i);
    }
    m_left->addLayout(position);

    auto* colours = new ColourGroup(platform, captionedColours, frame());
    for (int i = 0; i < 3; ++i)
        bind(4 + i, colours->channel(i));
    // The colour dialog is reached from the colour fields.
    tabAfterColumn(6, colours->changeButton());
    m_left->addWidget(colours);
}

void EffectEditor::addUnknownsAndType(const LabelledField& unknown1, const LabelledField& unknown2,
                                      const ChoiceField::Design& type)
{
    QGridLayout* rows = captionedRows({unknown1, unknown2});
    auto* choice = new ChoiceField(type, frame());
    bind(9, choice);
    auto* caption = new QLabel(type.boxLabel, frame());
    caption->setBuddy(choice->list());
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(choice->list(), 3);
    typeRow->addWidget(choice->box(), 1);
    rows->addWidget(caption, 2, 0);
    rows->addLayout(typeRow, 2, 1);
    leftColumn()->addLayout(rows);
    leftColumn()->addStretch(1);
}

} // namespace tarnel
