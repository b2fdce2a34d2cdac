#include "editors/colourgroup.h"

#include "editors/colourchannel.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarnel {

ColourGroup::ColourGroup(Platform& platform, bool captioned, QWidget* parent)
    : QWidget(parent), m_platform(platform)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const char* names[] = {"redField", "greenField", "blueField"};
    const QString captions[] = {texts::redCaption, texts::greenCaption, texts::blueCaption};
    for (int i = 0; i < 3; ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(names[i]));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        // An unlabelled field is named in messages by its column's caption.
        m_channels[size_t(i)] = new ColourChannel(field, captions[i], platform, this);
        if (captioned) {
            auto* caption = new QLabel(captions[i], this);
            caption->setBuddy(field);
            grid->addWidget(caption, 0, i);
        }
        grid->addWidget(field, 1, i);
        connect(m_channels[size_t(i)], &ColourChannel::changed, this, &ColourGroup::refreshSwatch);
    }

    m_swatch = new QFrame(this);
    m_swatch->setObjectName(QStringLiteral("colourSwatch"));
    m_swatch->setFrameShape(QFrame::Box);
    m_swatch->setFixedSize(m_channels[0]->field()->sizeHint().height() * 2,
                           m_channels[0]->field()->sizeHint().height());
    m_swatch->setAutoFillBackground(true);
    // Until a colour field changes the swatch shows the plain button face.
    QPalette designed = m_swatch->palette();
    designed.setColor(QPalette::Window, designed.color(QPalette::Button));
    m_swatch->setPalette(designed);
    grid->addWidget(m_swatch, 1, 3);

    m_change = new QPushButton(texts::changeColourButton, this);
    m_change->setObjectName(QStringLiteral("changeColourButton"));
    m_change->setAutoDefault(false);
    grid->addWidget(m_change, 1, 4);
    grid->setColumnStretch(5, 1);
    connect(m_change, &QPushButton::clicked, this, &ColourGroup::chooseColour);
}

QColor ColourGroup::colour() const
{
    return QColor(m_channels[0]->level(), m_channels[1]->level(), m_channels[2]->level());
}

void ColourGroup::refreshSwatch()
{
    QPalette palette = m_swatch->palette();
    palette.setColor(QPalette::Window, colour());
    m_swatch->setPalette(palette);
}

void ColourGroup::chooseColour()
{
    // A cancelled dialog leaves everything as it was.
    const std::optional<QColor> chosen = m_platform.chooseColor(window(), colour(), texts::colourDialogTitle);
    if (!chosen)
        return;
    const int levels[] = {chosen->red(), chosen->green(), chosen->blue()};
    for (int i = 0; i < 3; ++i)
        m_channels[size_t(i)]->load(QString::number(levels[i]));
    refreshSwatch();
}

} // namespace tarnel
