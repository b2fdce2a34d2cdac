#pragma once

class QMenu;

namespace tarnel {

// Gives each item of `menu` whose caption has no mnemonic yet one of its own
// (the `&` before a letter, the caption otherwise unchanged): the first letter
// of a word not yet taken in the menu, else any letter not taken. Items with
// the same caption (alternatives shown one at a time) share one.
void giveMnemonics(QMenu& menu);

} // namespace tarnel
