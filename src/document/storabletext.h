#pragma once

#include <QStringView>

// What typed or pasted text an IDE file can hold. The file is read and written
// byte for byte, one character a byte, so a character must have a Latin-1 code.

namespace tarnel {

// Every character has a Latin-1 code.
bool isLatin1(QStringView text);

// Latin-1 and free of line breaks: the text can be one value or one line of a
// file (a row keeps '\n' as its own separator, and a line ends at either break).
bool isStorableValue(QStringView text);

} // namespace tarnel
