#pragma once

#include <QString>

#include <optional>

// The editors read a few columns as numbers (the colour channels and the
// choice columns); everything else stays text. Spaces around a number are
// allowed, anything else makes the text not a number.

namespace tarnel {

// A decimal number such as "12", "12.5", ".5" or "1e3"; none for "", ".", "a".
std::optional<double> decimalNumber(const QString& text);

// An optional sign and digits only: "015" and " 7" are whole numbers, "1.0" is not.
std::optional<qint64> wholeNumber(const QString& text);

// Halves go to the even neighbour: 12.5 gives 12, 13.5 gives 14.
qint64 roundHalfEven(double value);

// A colour channel's text as a swatch takes it: rounded to a whole number
// from 0 to 255; text that is no number counts as 0.
int colourLevel(const QString& text);

} // namespace tarnel
