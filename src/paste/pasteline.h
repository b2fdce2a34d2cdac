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

// A pasted line is read by the rules a loaded line of its section is read by
// (sectionrows.h), trying each section: the object tables in the layout they
// have, or may take while they hold no row.

// Number of comma-separated pieces less one; -1 for empty text. The text is
// taken as it is: empty pieces count, a trailing comma adds one.
int countCommas(const QString& text);

// The layout of an object table as pasted lines see it.
enum class PasteLayout { Undecided, Usual, Later };

// The layouts of the objects and the timed objects tables.
struct PasteLayouts {
    PasteLayout objects = PasteLayout::Undecided;
    PasteLayout timedObjects = PasteLayout::Undecided;
    PasteLayout of(LineKind kind) const { return kind == LineKind::TimedObject ? timedObjects : objects; }
};

// The document's: a table with no row is undecided.
PasteLayouts pasteLayoutsOf(const IdeDocument& document);

// The undecided tables as the active lines among `lines` that fit one object
// table only decide them, as a loaded file's lines decide its tables.
PasteLayouts withPastedLines(PasteLayouts layouts, const QStringList& lines);

// The kinds the line is a complete row of, the likeliest first: the usual
// count before the later layout and a trailing comma, those before extra draw
// distances; the later layout last in an empty table while the other object
// table reads the usual one.
QList<LineKind> pastedLineKinds(const QString& text, const PasteLayouts& layouts = {});

// The first of them, or none.
std::optional<LineKind> pastedLineKind(const QString& text, const PasteLayouts& layouts = {});

// Why the line is no row of any kind: its value count and the counts that fit.
QString unknownLineReason(const QString& text, const PasteLayouts& layouts = {});

// Caption of a kind as the paste dialog shows it; "Unknown" for none.
QString pastedKindLabel(std::optional<LineKind> kind);
// The line's first kind, or for a line of no kind the reason ("Unknown" when empty).
QString pastedLineLabel(const QString& text, const PasteLayouts& layouts = {});

// Splits the text at every comma, trims spaces (and only spaces) off each
// piece, appends the pieces as one row of the table of `kind` (when the line
// is a row of it, else of its first kind) and marks the document changed.
// Returns where the row went; none, and nothing touched, when the line is of
// no kind or cannot be stored.
std::optional<qsizetype> addPastedLine(IdeDocument& document, const QString& text,
                                       std::optional<LineKind> kind = std::nullopt);

// The kind each of several lines goes to: of the kinds it fits, the one that
// most of the lines fitting one kind only take (the likeliest on a tie); the
// tables' layouts decided with the lines.
QList<std::optional<LineKind>> kindsOfLines(const QStringList& lines, const PasteLayouts& layouts);

// The lines of a text pasted as several: split at CR LF, LF or CR, blank
// lines (nothing but white space) left out.
QStringList pastedLines(const QString& text);

// The kinds of the lines counted, in table order, unknown last: "3 object
// lines, 1 unknown". One line is named as pastedLineLabel names it.
QString pastedLinesLabel(const QStringList& lines, const PasteLayouts& layouts = {});

// What addPastedLines did.
struct PastedLines {
    qsizetype added = 0;
    // Per table that took lines: the row where its last line went.
    QList<std::pair<LineKind, qsizetype>> lastRows;
    // The lines of no known kind, in their order; nothing was done with them.
    QStringList unknown;
};

// Adds each line of a known kind to the table of its first kind, the
// document's layouts decided with the lines (withPastedLines), all of them as
// one step "Paste 4 lines". None, and nothing touched, when a line cannot be
// stored.
std::optional<PastedLines> addPastedLines(IdeDocument& document, const QStringList& lines);

} // namespace tarnel
