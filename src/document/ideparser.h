#pragma once

#include "document/documentcontent.h"

#include <QByteArrayView>

#include <functional>

// A step of reading a line that failed: a value the line does not have.
struct LoadError {
    qsizetype lineNumber; // 1-based, in the file
    QByteArray line;      // exactly as read
};

using LoadErrorSink = std::function<void(const LoadError&)>;

// Classifies every line of an IDE file into tables and path lines. Lines end at
// CR LF, a lone LF or a lone CR; a last line without an end is read too.
// `onError` is called once for every value a short object or timed object
// line lacks.
DocumentContent parseIde(QByteArrayView bytes, const LoadErrorSink& onError = {});
