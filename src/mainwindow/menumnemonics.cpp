#include "mainwindow/menumnemonics.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QSet>

namespace tarnel {

namespace {

// Where the mnemonic goes in `caption`: a word's first letter not in `taken`,
// else any such letter; -1 when every letter is taken.
qsizetype freeLetterIn(const QString& caption, const QSet<QChar>& taken)
{
    qsizetype anyFree = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (!c.isLetterOrNumber() || taken.contains(c.toLower()))
            continue;
        if (i == 0 || !caption[i - 1].isLetterOrNumber())
            return i;
        if (anyFree < 0)
            anyFree = i;
    }
    return anyFree;
}

} // namespace

void giveMnemonics(QMenu& menu)
{
    QSet<QChar> taken;
    QList<QAction*> without;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        // An `&&` is a plain ampersand, so Qt's own reading decides.
        const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
        if (mnemonic.isEmpty())
            without << action;
        else
            taken.insert(QChar(char16_t(mnemonic[0].key())).toLower()); // a letter's key is its capital
    }
    QHash<QString, QString> given; // by caption, for alternatives
    for (QAction* action : without) {
        const QString caption = action->text();
        if (!given.contains(caption)) {
            const qsizetype at = freeLetterIn(caption, taken);
            if (at < 0) {
                given.insert(caption, caption);
                continue;
            }
            taken.insert(caption[at].toLower());
            given.insert(caption, QString(caption).insert(at, QLatin1Char('&')));
        }
        action->setText(given.value(caption));
    }
}

} // namespace tarnel
