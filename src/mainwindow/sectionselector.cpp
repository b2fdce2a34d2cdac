#include "mainwindow/sectionselector.h"

#include "mainwindow/twips.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

SectionSelector::SectionSelector(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    static const char* const captions[labelCount] = {
        "Objects",          "Timed objects",      "Paths", "2DFX",  "  :... Lights",
        "  :... Particles", "  :... Sun",         "  :... Ped areas"};
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    for (int k = 0; k < labelCount; ++k) {
        auto* label = new QLabel(QString::fromLatin1(captions[k]), this);
        label->setObjectName(QStringLiteral("showHide%1").arg(k));
        label->setFont(font);
        label->setGeometry(twips(120), twips(120 + 240 * k), twips(1935 - 240), twips(195));
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        m_labels.append(label);
    }
    markShown(0);
}

void SectionSelector::markShown(int index)
{
    for (int k = 0; k < labelCount; ++k)
        m_labels[k]->setStyleSheet(k == index ? QStringLiteral("color: #ff0000") : QStringLiteral("color: #000000"));
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
