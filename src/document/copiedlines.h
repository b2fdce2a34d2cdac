#pragma once

#include "document/linekind.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace tarnel {

class IdeDocument;

// Rows copied as text, so they move between files and text editors.

// The line end of the open file (as a save keeping its layout writes new
// lines); CR LF for a new document.
QByteArrayView lineEndOf(const IdeDocument& document);

// The rows of the kind's table at `rows` (any order) as the lines a save
// writes, in table order, each followed by the document's line end.
QByteArray rowsAsLines(const IdeDocument& document, LineKind kind, QList<qsizetype> rows);

} // namespace tarnel
