#include "mainwindow/loaderrorprompts.h"

#include "document/ideparser.h"
#include "mainwindow/shownvalue.h"
#include "platform/platform.h"

namespace {

const QString appTitle = QStringLiteral("Tarnel");
const QString crlf = QStringLiteral("\r\n");

} // namespace

LoadErrorPrompts::LoadErrorPrompts(Platform& platform, QWidget* dialogParent)
    : m_platform(platform), m_dialogParent(dialogParent)
{
}

void LoadErrorPrompts::report(const LoadError& error)
{
    if (m_silenced) {
        ++m_unshown;
        return;
    }
    m_silenced = m_platform.showMessageWithCheckBox(
        m_dialogParent, appTitle,
        QStringLiteral("The below line caused and error. Please correct or further errors could occur") + crlf +
            shownValue(error.line),
        QStringLiteral("Do not show again for this file"), Platform::Icon::Information);
}

void LoadErrorPrompts::finish()
{
    if (m_unshown == 0)
        return;
    const QString count = m_unshown == 1 ? QStringLiteral("There was 1 more load error in this file.")
                                         : QStringLiteral("There were %1 more load errors in this file.")
                                               .arg(m_unshown);
    m_platform.showMessage(m_dialogParent, appTitle,
                           count + crlf + QStringLiteral("tarnel-cli format lists every one."),
                           Platform::Icon::Information);
    m_unshown = 0;
}
