#include "platform/LargePages.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

void preferLargePages(char* data, qint64 size)
{
    // From twice a large page on, the buffer holds at least one whole large
    // page wherever it starts: the 5.6 MB of a 10,000-dive list already
    // saves a thousand page faults, each dear on a virtual machine.
    constexpr qint64 kWorthIt = qint64(4) << 20;
    if (size < kWorthIt)
        return;
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (std::uintptr_t(data) + page - 1) & ~(page - 1);
    const std::uintptr_t end = (std::uintptr_t(data) + std::uintptr_t(size)) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}
