// libFuzzer entry: every input goes through the loader and the writer, and any
// broken invariant (see roundtripcheck.h) aborts with its description.
#include "roundtripcheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString fault = roundTripFault(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "round trip fault: %s\n", fault.toLocal8Bit().constData());
        std::abort();
    }
    return 0;
}
