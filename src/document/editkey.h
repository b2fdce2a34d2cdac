#pragma once

namespace tarnel {

// Proof that a change comes along the edit path: the mutators of the tables
// and of the document take one, and only the edit history (src/history) can
// make one, so the compiler keeps every change a step of the history. The
// history hands copies to its commands and to the table commands it runs.
class EditKey {
    friend class EditHistory;
    friend class IdeDocument;  // its load and reset replace every table
    friend struct TestEditKey; // tests/support/testeditkey.h: tests and benchmarks drive the tables directly
    EditKey() = default;
};

} // namespace tarnel
