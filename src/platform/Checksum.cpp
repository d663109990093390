#include "platform/Checksum.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr std::uint64_t P1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t P2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t P3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t P4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t P5 = 0x27D4EB2F165667C5ULL;

inline std::uint64_t rotl(std::uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }

inline std::uint64_t load64(const unsigned char* p)
{
    return qFromLittleEndian<quint64>(p);
}

inline std::uint32_t load32(const unsigned char* p)
{
    return qFromLittleEndian<quint32>(p);
}

inline std::uint64_t round(std::uint64_t acc, std::uint64_t input)
{
    acc += input * P2;
    acc = rotl(acc, 31);
    return acc * P1;
}

inline std::uint64_t merge(std::uint64_t acc, std::uint64_t val)
{
    acc ^= round(0, val);
    return acc * P1 + P4;
}

} // namespace

std::uint64_t archiveChecksum(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t len = std::size_t(bytes.size());
    const unsigned char* const end = p + len;
    std::uint64_t h;

    if (len >= 32) {
        std::uint64_t v1 = P1 + P2, v2 = P2, v3 = 0, v4 = 0 - P1;
        const unsigned char* const limit = end - 32;
        do {
            v1 = round(v1, load64(p));
            v2 = round(v2, load64(p + 8));
            v3 = round(v3, load64(p + 16));
            v4 = round(v4, load64(p + 24));
            p += 32;
        } while (p <= limit);
        h = rotl(v1, 1) + rotl(v2, 7) + rotl(v3, 12) + rotl(v4, 18);
        h = merge(h, v1);
        h = merge(h, v2);
        h = merge(h, v3);
        h = merge(h, v4);
    } else {
        h = P5;
    }
    h += len;

    while (p + 8 <= end) {
        h ^= round(0, load64(p));
        h = rotl(h, 27) * P1 + P4;
        p += 8;
    }
    if (p + 4 <= end) {
        h ^= std::uint64_t(load32(p)) * P1;
        h = rotl(h, 23) * P2 + P3;
        p += 4;
    }
    while (p < end) {
        h ^= (*p) * P5;
        h = rotl(h, 11) * P1;
        ++p;
    }
    h ^= h >> 33;
    h *= P2;
    h ^= h >> 29;
    h *= P3;
    h ^= h >> 32;
    return h;
}
