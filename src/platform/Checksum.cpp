#include "platform/Checksum.h"

#define XXH_STATIC_LINKING_ONLY // the state's layout, to hold it by value
#include <xxhash.h>

std::uint64_t archiveChecksum(QByteArrayView bytes)
{
    return XXH64(bytes.data(), size_t(bytes.size()), 0);
}

struct ChecksumStream::State {
    XXH64_state_t xxh;
};

ChecksumStream::ChecksumStream() : m_state(std::make_unique<State>())
{
    XXH64_reset(&m_state->xxh, 0);
}

ChecksumStream::~ChecksumStream() = default;

void ChecksumStream::add(QByteArrayView bytes)
{
    XXH64_update(&m_state->xxh, bytes.data(), size_t(bytes.size()));
}

std::uint64_t ChecksumStream::value() const { return XXH64_digest(&m_state->xxh); }
