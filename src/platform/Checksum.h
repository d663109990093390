#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <memory>

// 64-bit content checksum of archive files: XXH64 with seed 0, from the
// system's xxhash library, which checks a hundred megabytes in a few
// milliseconds. It detects damage; it is not meant to resist a forger.
std::uint64_t archiveChecksum(QByteArrayView bytes);

// The same checksum of bytes given piece by piece.
class ChecksumStream {
public:
    ChecksumStream();
    ~ChecksumStream();
    void add(QByteArrayView bytes);
    // The checksum of every piece added so far.
    std::uint64_t value() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
