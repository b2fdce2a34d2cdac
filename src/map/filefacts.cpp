#include "map/filefacts.h"

namespace tarnel {

FileFacts readIdeFacts(const QByteArray& bytes)
{
    Q_UNUSED(bytes);
    return {};
}

FileFacts readIplFacts(const QByteArray& bytes)
{
    Q_UNUSED(bytes);
    return {};
}

FileFacts ideFactsOfDocument(const IdeDocument& document, const FileFacts& asRead)
{
    Q_UNUSED(document);
    return asRead;
}

} // namespace tarnel
