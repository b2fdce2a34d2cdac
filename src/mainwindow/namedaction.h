#pragma once

#include <QAction>

namespace tarnel {

// An action found by its object name, as the tests and menus find them.
inline QAction* namedAction(QObject* owner, const QString& name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    return action;
}

// A menu bar caption whose first letter is its mnemonic: Alt and the letter.
inline QString withMnemonic(const QString& caption)
{
    return QLatin1Char('&') + caption;
}

} // namespace tarnel
