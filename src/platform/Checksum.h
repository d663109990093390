#pragma once

#include <QByteArrayView>
#include <cstdint>

// 64-bit content checksum of archive files: a word-wise multiply-rotate hash
// with four independent lanes (the XXH64 construction), fast enough to check
// a hundred megabytes in a few tens of milliseconds. It detects damage; it is
// not meant to resist a forger.
std::uint64_t archiveChecksum(QByteArrayView bytes);
