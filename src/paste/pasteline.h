#pragma once

#include "document/linekind.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <utility>

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

// The lines of a text pasted as several: split at CR LF, LF or CR, blank
// lines (nothing but white space) left out.
QStringList pastedLines(const QString& text);

// The kinds of the lines counted, in table order, unknown last: "3 object
// lines, 1 unknown". One line is named as pastedLineLabel names it.
QString pastedLinesLabel(const QStringList& lines);

// What addPastedLines did.
struct PastedLines {
    qsizetype added = 0;
    // Per table that took lines: the row where its last line went.
    QList<std::pair<LineKind, qsizetype>> lastRows;
    // The lines of no known kind, in their order; nothing was done with them.
    QStringList unknown;
};

// Adds each line of a known kind to its table, as addPastedLine does, all of
// them as one step "Paste 4 lines". None, and nothing touched, when a line
// cannot be stored.
std::optional<PastedLines> addPastedLines(IdeDocument& document, const QStringList& lines);

} // namespace tarnel
