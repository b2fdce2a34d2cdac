#pragma once

#include "map/idmapping.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace tarnel {

// An ID written in a line: where its value stands (behind any comment marks,
// without the white space around it) and the ID it reads as.
struct IdValue {
    qsizetype at = 0;
    qsizetype size = 0;
    qint64 id = 0;
};

// The ID of a value piece starting at `offset` in its line, read as rowIdOf reads it.
std::optional<IdValue> idValueOf(QByteArrayView piece, qsizetype offset);

// Whether a line's first value opens a path block (`ped` or `car`, any case).
bool isPathHeaderWord(QByteArrayView word);

// The ID a path block's header names (`ped, ID, name` or `car, ID, name`,
// commented or not: its second value); nullopt for any other line.
std::optional<IdValue> pathHeaderIdOf(QByteArrayView line);

// `text` with the value's ID replaced by its new one in plain digits, every
// other byte kept; nullopt when that ID does not move.
std::optional<QByteArray> movedLine(QByteArrayView text, const IdValue& value, const IdMapping& mapping);

} // namespace tarnel
