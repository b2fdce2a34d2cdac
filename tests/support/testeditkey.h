#pragma once

#include "document/editkey.h"

namespace tarnel {

// Tests and benchmarks change tables without an edit history.
struct TestEditKey {
    static EditKey make() { return EditKey(); }
};

// The key the tests pass to the tables' and the document's mutators.
inline const EditKey testKey = TestEditKey::make();

} // namespace tarnel
