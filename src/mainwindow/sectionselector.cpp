#include "mainwindow/sectionselector.h"

#include "mainwindow/pitchedrows.h"
#include "texts/texts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <iterator>

namespace tarnel {

static_assert(std::size(texts::sectionCaptions) == SectionSelector::labelCount);

namespace {

// The pitch of the captions, in pixels at 96 dpi.
constexpr int captionPitch = 16;

} // namespace

SectionSelector::SectionSelector(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sectionSelector"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
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
        rows->addRow(label, captionPitch);
        label->installEventFilter(this);
        m_labels.append(label);
    }
    rows->endRows();
    markShown(Section::Objects);
}

void SectionSelector::markShown(Section section)
{
    const int index = int(section);
    for (int k = 0; k < labelCount; ++k)
        m_labels[k]->setStyleSheet(k == index ? QStringLiteral("color: #ff0000")
                                              : QStringLiteral("color: #000000"));
    m_shown = index;
    update();
}

QRect SectionSelector::rowRect(int index) const
{
    const QLabel* label = m_labels[index];
    const int height = std::max(captionPitch, label->height());
    return QRect(0, label->y(), width(), height);
}

int SectionSelector::indexAt(const QPoint& point) const
{
    // Rows are tried from the bottom: a tall caption's row ends where the next begins.
    for (int k = labelCount - 1; k >= 0; --k) {
        if (rowRect(k).contains(point))
            return k;
    }
    return -1;
}

int SectionSelector::stepFrom(int index, int step) const
{
    int next = std::clamp(index + step, 0, labelCount - 1);
    if (shownBy(Section(next)).marked != Section(next))
        next = std::clamp(next + step, 0, labelCount - 1);
    return next;
}

bool SectionSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const int index = m_labels.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0 && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            emit sectionClicked(Section(index));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SectionSelector::mousePressEvent(QMouseEvent* event)
{
    const int index = indexAt(event->position().toPoint());
    if (index >= 0 && event->button() == Qt::LeftButton) {
        event->accept();
        emit sectionClicked(Section(index));
        return;
    }
    QWidget::mousePressEvent(event);
}

void SectionSelector::keyPressEvent(QKeyEvent* event)
{
    int index = -1;
    switch (event->key()) {
    case Qt::Key_Up: index = stepFrom(m_shown, -1); break;
    case Qt::Key_Down: index = stepFrom(m_shown, 1); break;
    case Qt::Key_Home: index = 0; break;
    case Qt::Key_End: index = labelCount - 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
    if (index != m_shown)
        emit sectionClicked(Section(index));
}

void SectionSelector::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!hasFocus())
        return;
    // The shown caption's row carries the focus frame.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rowRect(m_shown).adjusted(3, 0, -3, 0);
    option.backgroundColor = palette().color(QPalette::Base);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void SectionSelector::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void SectionSelector::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace tarnel
