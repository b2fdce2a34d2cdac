#include "mainwindow/loaderrorprompts.h"

#include "document/ideparser.h"
#include "mainwindow/shownvalue.h"
#include "platform/platform.h"
#include "texts/texts.h"

namespace tarnel {

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
        m_dialogParent, texts::appTitle, texts::loadErrorLine + texts::lineBreak + shownValue(error.line),
        texts::loadErrorSilence, Platform::Icon::Information);
}

void LoadErrorPrompts::finish()
{
    if (m_unshown == 0)
        return;
    const QString count = m_unshown == 1 ? texts::oneMoreLoadError : texts::moreLoadErrors.arg(m_unshown);
    m_platform.showMessage(m_dialogParent, texts::appTitle, count + texts::lineBreak + texts::loadErrorsListed,
                           Platform::Icon::Information);
    m_unshown = 0;
}

} // namespace tarnel
