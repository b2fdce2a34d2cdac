#pragma once

#include "document/documentcontent.h"

#include <QByteArrayView>

#include <functional>

namespace tarnel {

// A step of reading a line that failed: a value the line does not have.
struct LoadError {
    qsizetype lineNumber; // 1-based, in the file
    QByteArray line;      // exactly as read
};

using LoadErrorSink = std::function<void(const LoadError&)>;

// Classifies every line of an IDE file into tables and path lines. Lines end at
// CR LF, a lone LF or a lone CR; a last line without an end is read too.
// `onError` is called once for every value a short object or timed object
// line lacks, in file order, once the whole file is read: a table read in the
// later object layout (rowcells.h) reports no line of that layout.
// A comment line is a commented row exactly when it is a complete line of the
// section it lies in (objects and timed objects by the layout of their table,
// 2dfx lines by the count of a kind); any other comment is reported.
// Every row carries the number of its line as its identity; the content also
// holds the file's layout (filelayout.h) and its load report, in file order:
// the short object lines and every line the fixed layout leaves out (the
// keyword and `end` lines of other sections and stray lines included).
// The tables keep a reference to `bytes` and their rows point into it wherever
// a line already reads as its values joined with ", ", so a big file is not
// copied line by line.
DocumentContent parseIdeKeepingBytes(const QByteArray& bytes, const LoadErrorSink& onError = {});

} // namespace tarnel
