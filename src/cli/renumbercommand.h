#pragma once

#include <QStringList>

namespace tarnel::cli {

// Moves IDs across a whole map: every definition, 2dfx line, path block
// header and inst line naming a moved ID, commented-out lines too, all files
// written together or none. Takes the arguments after its name; returns the
// exit status (1 and nothing written when the map cannot take the move).
int renumberIds(QStringList args);

} // namespace tarnel::cli
