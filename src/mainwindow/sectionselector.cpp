#include "mainwindow/sectionselector.h"

#include "mainwindow/pitchedrows.h"
#include "texts/texts.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include <iterator>

namespace tarnel {

static_assert(std::size(texts::sectionCaptions) == SectionSelector::labelCount);

SectionSelector::SectionSelector(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sectionSelector"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    auto* rows = new PitchedRows(this);
    // Room below the captions, as the box was drawn: 169 pixels high in the designed face.
    rows->setContentsMargins(8, 8, 8, 33);
    for (int k = 0; k < labelCount; ++k) {
        auto* label = new QLabel(texts::sectionCaptions[k], this);
        label->setObjectName(QStringLiteral("sectionCaption%1").arg(k));
        label->setFont(font);
        rows->addRow(label, 16);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        m_labels.append(label);
    }
    rows->endRows();
    markShown(0);
}

void SectionSelector::markShown(int index)
{
    for (int k = 0; k < labelCount; ++k)
        m_labels[k]->setStyleSheet(k == index ? QStringLiteral("color: #ff0000")
                                              : QStringLiteral("color: #000000"));
}

bool SectionSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const int index = m_labels.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0 && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            emit sectionClicked(index);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tarnel
