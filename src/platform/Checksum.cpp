#include "platform/Checksum.h"

#include <xxhash.h>

std::uint64_t archiveChecksum(QByteArrayView bytes)
{
    return XXH64(bytes.data(), size_t(bytes.size()), 0);
}
