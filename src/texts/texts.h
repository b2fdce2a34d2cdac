#pragma once

// Every text the user reads: the title, captions, messages and the version.
// They are kept here, exactly as shown, so that wording is changed in one
// place and a test can compare against the same constant the program shows.

#include <QString>

namespace texts {

// ---- The program -----------------------------------------------------------


// ---- Files: open, load, save -----------------------------------------------


// ---- Main window -----------------------------------------------------------


// ---- Line editors ----------------------------------------------------------


// ---- Paste line ------------------------------------------------------------


// ---- Settings --------------------------------------------------------------


} // namespace texts
