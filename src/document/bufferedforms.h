#pragma once

// Reading and writing whole files in one buffer (bufferedforms.cpp). The
// program itself streams (idefile.h: loadDocument, saveDocument,
// writeDocument); these forms serve the tests, benchmarks and fuzzing that
// check the streamed saves against them. Not for use by the layers above.

#include "document/documentcontent.h"
#include "document/ideparser.h"
#include "document/idewriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarnel {

class IdeDocument;

// parseIdeKeepingBytes on a copy: the content does not depend on `bytes` afterwards.
DocumentContent parseIde(QByteArrayView bytes, const LoadErrorSink& onError = {});

// The stores and paths text of content read by the parser, for the writers.
ContentView contentViewOf(const DocumentContent& content);

// What writeIde writes, in one buffer.
QByteArray formatIde(const ContentView& content, QByteArrayView header);

// The document saved in the fixed layout with this header line, in one buffer.
QByteArray formatDocument(const IdeDocument& document, QByteArrayView header);

// What a save keeping the file's layout writes (keptlayoutwriter.h), in one buffer.
QByteArray formatKeepingLayout(const IdeDocument& document);

// Writes beside the target and replaces it only once the new file is complete,
// so a failed write leaves the old file whole. Returns the reason on failure.
QString writeIdeFile(const QString& path, const QByteArray& bytes);

} // namespace tarnel
