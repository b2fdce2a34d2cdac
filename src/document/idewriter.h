#pragma once

#include "document/documentcontent.h"

#include <QByteArray>
#include <QDateTime>

#include <array>
#include <functional>

class QIODevice;

namespace tarnel {

// Read-only view of the stores a file is written from.
struct ContentView {
    std::array<const RowStore*, lineKindCount> tables{};
    QByteArrayView pathText;

    const RowStore& table(LineKind kind) const { return *tables[size_t(kind)]; }
};

// "# Generated from Tarnel by Quorbin  " and the date and time in the user's
// short formats, without commas so that the line reads back as nothing.
QByteArray headerLine(const QDateTime& when);

using PieceSink = std::function<void(QByteArrayView)>;

// The whole file in its one layout handed to `out` piece by piece, as writeIde writes it.
void writeIde(const ContentView& content, QByteArrayView header, const PieceSink& out);

// Slightly more than the bytes writeIde writes, to reserve a buffer by.
qsizetype ideSizeHint(const ContentView& content, QByteArrayView header);

// Writes the whole file in its one layout to `device` in large blocks, without
// holding it in memory: header, objs, tobj, Path, then 2dfx with lights, ped
// animations, particles and sun reflections; every line ends in CR LF.
// Returns false when a write fails.
bool writeIde(const ContentView& content, QByteArrayView header, QIODevice& device);

// Pieces handed to the function `produce` is given, written to `device` in
// large blocks like writeIde's. A piece must stay valid until this returns:
// big ones go to the device as they are. Returns false when a write fails.
bool writePieces(QIODevice& device, qsizetype expectedSize, const std::function<void(const PieceSink&)>& produce);

} // namespace tarnel
