#include "editors/effecteditor.h"

#include "editors/colourchannel.h"
#include "editors/colourgroup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

EffectEditor::EffectEditor(const Design& design, IdeDocument& document, LineKind kind,
                           Platform& platform, QWidget* owner, bool captionedColours)
    : LineEditor(design, document, kind, platform, owner)
{
    m_left = new QVBoxLayout;
    m_left->addLayout(captionedRows({addTextField(0, "objectid", QStringLiteral("Object ID"))}));

    // X, Y and Z side by side, each under its caption.
    auto* position = new QGridLayout;
    const LabelledField axes[] = {
        addTextField(1, "xpos", QStringLiteral("X")),
        addTextField(2, "ypos", QStringLiteral("Y")),
        addTextField(3, "zpos", QStringLiteral("Z")),
    };
    for (int i = 0; i < 3; ++i) {
        position->addWidget(axes[i].label, 0, i);
        position->addWidget(axes[i].field, 1, i);
    }
    m_left->addLayout(position);

    m_colours = new ColourGroup(platform, captionedColours, frame());
    for (int i = 0; i < 3; ++i)
        bind(4 + i, colours()->channel(i));
    m_left->addWidget(m_colours);
}
