#pragma once

#include <QByteArrayView>
#include <cstdint>

// 64-bit content checksum of archive files: XXH64 with seed 0, from the
// system's xxhash library, which checks a hundred megabytes in a few
// milliseconds. It detects damage; it is not meant to resist a forger.
std::uint64_t archiveChecksum(QByteArrayView bytes);
