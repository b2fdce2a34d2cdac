#include "document/bigarrays.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdint>

namespace tarnel {

void preferHugePages(void* data, qsizetype size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    if (size < qsizetype(2 * hugePage))
        return;
    // Only whole 2 MB pages inside the buffer can be huge.
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + std::uintptr_t(size)) & ~(hugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

void keepBigBlocksReturnable()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

} // namespace tarnel
