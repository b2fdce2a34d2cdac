#pragma once

#include "document/linekind.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tarnel {

class IdeDocument;

// A line pasted from elsewhere is told apart by its commas alone: each kind of
// definition line has its own number of fields.

// Number of comma-separated pieces less one; -1 for empty text. The text is
// taken as it is: empty pieces count, a trailing comma adds one.
int countCommas(const QString& text);

// The kind whose field count matches, or none.
std::optional<LineKind> pastedLineKind(const QString& text);

// Caption of a kind as the paste dialog shows it; "Unknown" for none.
QString pastedKindLabel(std::optional<LineKind> kind);
QString pastedLineLabel(const QString& text);

// Every character has a Latin-1 code, so the line can be written to a file.
bool fitsLatin1(const QString& text);

// Latin-1 and free of line breaks: the text can become one line of a file.
bool isStorableLine(const QString& text);

// Splits the text at every comma, trims spaces (and only spaces) off each
// piece, appends the pieces as one row of the matching table and marks the
// document changed. Returns where the row went; none, and nothing touched,
// when the kind is unknown or the text cannot be stored.
std::optional<qsizetype> addPastedLine(IdeDocument& document, const QString& text);

} // namespace tarnel
