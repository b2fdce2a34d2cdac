#include "mainwindow/statuspanels.h"

#include "texts/texts.h"

#include <QLabel>
#include <QStatusBar>

namespace tarnel {

StatusPanels::StatusPanels(QStatusBar& bar) : m_message(new QLabel(texts::ready)), m_version(new QLabel)
{
    m_message->setObjectName(QStringLiteral("statusMessage"));
    m_version->setObjectName(QStringLiteral("statusVersion"));
    m_version->setMinimumWidth(100);
    bar.setObjectName(QStringLiteral("statusBar"));
    bar.addWidget(m_message, 1);
    bar.addPermanentWidget(m_version);
    bar.setSizeGripEnabled(true);
    // Each panel draws its own sunken frame inside itself, so it is whole at any
    // height; the style's frames around the bar's items are not drawn by every style
    // and reach past the panels, where the bar cuts them.
    for (QLabel* panel : {m_message, m_version})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar.setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
}

QString StatusPanels::message() const
{
    return m_message->text();
}

void StatusPanels::setMessage(const QString& text)
{
    m_message->setText(text);
}

QString StatusPanels::version() const
{
    return m_version->text();
}

void StatusPanels::setVersion(const QString& text)
{
    m_version->setText(text);
}

} // namespace tarnel
