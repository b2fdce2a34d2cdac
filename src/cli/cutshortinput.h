#pragma once

namespace tarnel::cli {

// tarnel-cli reads its input files through mappings (mapIdeFileUntilExit): a
// file another program cuts short meanwhile raises SIGBUS at the next touch
// of a page past its new end. From this call on, that ends the program with a
// line on standard error and exit status 1, before any file it writes takes
// its target's place; the new file being written beside its target is removed.
void leaveWhenInputCutShort();

} // namespace tarnel::cli
