#pragma once

// Shared by the paste tests.

#include "document/idedocument.h"

namespace tarnel {

namespace pkit {

// How many rows a pasted line may have landed in, all tables together.
inline int rowsInAllTables(const IdeDocument& document)
{
    int rows = 0;
    for (LineKind kind : allLineKinds)
        rows += int(document.table(kind).rowCount());
    return rows;
}

} // namespace pkit

} // namespace tarnel
