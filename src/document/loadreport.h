#pragma once

#include "document/linekind.h"
#include "document/rowid.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarnel {

// One line of a file worth telling the user about once it is read: a load
// error, or a line that the fixed layout leaves out when saving.
struct LoadReportEntry {
    enum class Reason : quint8 {
        MissingValues,   // a short object line: `count` values missing
        OtherSection,    // a line of a section of another keyword (`section`)
        Comment,         // a comment line that is no commented row
        OutsideSections, // a line outside every section
        EffectFields,    // a 2dfx line of `count` fields, which no kind has
    };
    qsizetype lineNumber = 0; // 1-based
    Reason reason = Reason::Comment;
    qsizetype count = 0;
    QByteArray section; // the other section's keyword, in lower case
    QByteArray line;    // exactly as read
    // The row a short object line became, to find it again in its table.
    std::optional<LineKind> kind;
    RowId row = 0;
};

// Moved as its bytes when a list of entries grows: a big file's report is built fast.
} // namespace tarnel
Q_DECLARE_TYPEINFO(tarnel::LoadReportEntry, Q_RELOCATABLE_TYPE);
namespace tarnel {

// "1 value missing", "3 values missing", "section cars", "comment",
// "outside sections", "2dfx line of 12 fields".
QString reasonText(const LoadReportEntry& entry);

// Everything one load found to report, in file order.
struct LoadReport {
    QList<LoadReportEntry> entries;

    bool isEmpty() const { return entries.isEmpty(); }
    // Lines the fixed layout does not keep: every entry but the load errors.
    qsizetype droppedLineCount() const;
    // One line per reason with its count, the other sections named in file
    // order: "sections hier, cars, peds: 149 lines", "comments: 3 lines",
    // "lines outside sections: 2 lines", "2dfx lines of other field counts: 1 line".
    QStringList droppedSummary() const;
};

} // namespace tarnel
