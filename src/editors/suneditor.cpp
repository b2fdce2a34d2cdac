#include "editors/suneditor.h"

#include "editors/editordesigns.h"
#include "texts/texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tarnel {

SunEditor::SunEditor(IdeDocument& document, Platform& platform, QWidget* owner)
    : EffectEditor(editorDesign(LineKind::Sun), document, LineKind::Sun, platform, owner, false)
{
    leftColumn()->addLayout(captionedRows({
        addTextField(7, "sunViewDistanceField", texts::viewDistanceCaption),
        addTextField(8, "unknown1Field", texts::sunUnknown1Caption, QStringLiteral("4")),
    }));
    leftColumn()->addStretch(1);
    // The check takes the last two columns the other way round.
    setCheckOrder({0, 1, 2, 3, 4, 5, 6, 8, 7});

    auto* columns = new QHBoxLayout(frame());
    columns->addLayout(leftColumn());
}

} // namespace tarnel
