#include "document/storabletext.h"

#include <algorithm>

namespace tarnel {

bool isLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xff; });
}

bool isStorableValue(QStringView text)
{
    return isLatin1(text) && !text.contains(u'\n') && !text.contains(u'\r');
}

} // namespace tarnel
