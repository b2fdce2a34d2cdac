#pragma once

#include <QtGlobal>

namespace tarnel {

class IdeDocument;
class Platform;
class SectionView;

// "Copy lines": puts the view's selected rows on the clipboard as the lines a
// save writes (copiedlines.h), for the paste dialog of this or another file or
// a text editor. Returns how many rows were copied; 0, clipboard untouched,
// when none is selected.
qsizetype copySelectedRows(const IdeDocument& document, const SectionView& view, Platform& platform);

} // namespace tarnel
