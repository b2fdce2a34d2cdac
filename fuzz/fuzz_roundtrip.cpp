// libFuzzer entry: every input goes through the loader and the writer, and
// through the map's readers as a level list, an IDE and an IPL file; any
// broken invariant (see roundtripcheck.h, mapreaderscheck.h) aborts with its description.
#include "mapreaderscheck.h"
#include "roundtripcheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    QString fault = roundTripFault(input);
    if (fault.isEmpty())
        fault = mapReadersFault(input);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "round trip fault: %s\n", fault.toLocal8Bit().constData());
        std::abort();
    }
    return 0;
}
