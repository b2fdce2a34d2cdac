#pragma once

#include "document/linekind.h"

#include <QString>

namespace tarnel {

// Object names of a table's view, its Actions menu and the menu's items start with the table's name.
QString tableNamePrefix(LineKind kind);

} // namespace tarnel
