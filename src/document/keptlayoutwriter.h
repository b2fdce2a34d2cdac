#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

class QIODevice;

namespace tarnel {

class IdeDocument;

// Saving a document in the layout of the file it was read from
// (IdeDocument::hasFileLayout()): every line no edit touched comes back byte
// for byte, and only the lines of changed, removed and added rows and of an
// edited paths text differ. Rows find their lines by their identities
// (RowStore::id), so the tables' order does not matter.

// How the file's first line ends (CR LF when it has no line end), which
// every line written anew copies.
QByteArrayView firstLineEnd(QByteArrayView bytes);

// The file's bytes, handed to `out` piece by piece, in order. The pieces point
// into the document and stay valid while it is not changed.
void writeKeepingLayout(const IdeDocument& document, const std::function<void(QByteArrayView)>& out);

// Writes the file's bytes to `device` in large blocks. Returns false when a write fails.
bool writeKeepingLayout(const IdeDocument& document, QIODevice& device);

} // namespace tarnel
