#pragma once

#include <QByteArrayView>
#include <cstdint>

// Byte layout of Ondrix document files. All integers are little-endian.
//
//   magic          8 bytes  "ONDRIXAR"
//   format         u32      kArchiveFormatVersion
//   document type  short text (u8 length + ASCII): the stable type id
//   root class     short text: the class of the records in the root array
//   class count    u16, then per class: short text name, i32 version
//   record count   u32
//   records        per record: u16 index into the class table, then the
//                  record's fields in its own order; objects carry a tag
//                  byte (ObjectTag) followed by their bytes, 32-bit scalars
//                  ("i" and "f") are written bare
//   checksum       u64 archiveChecksum() of every byte before it
namespace archive {

inline constexpr QByteArrayView kMagic{"ONDRIXAR", 8};
inline constexpr std::uint32_t kFormatVersion = 1;
inline constexpr int kChecksumBytes = 8;
inline constexpr int kMaxShortText = 64;
inline constexpr int kMaxClasses = 64;
// The most bytes a header can take, from the magic to the record count.
inline constexpr int kMaxHeaderBytes =
    8 + 4 + 2 * (1 + kMaxShortText) + 2 + kMaxClasses * (1 + kMaxShortText + 4) + 4;

// Upper bounds on single objects, on top of the check against the bytes left.
inline constexpr std::uint32_t kMaxStringBytes = 64u * 1024 * 1024;
inline constexpr std::uint32_t kMaxImageBytes = 256u * 1024 * 1024;
inline constexpr std::uint32_t kMaxArrayCount = 64u * 1024 * 1024;

enum class ObjectTag : std::uint8_t {
    Absent = 0,
    String = 1,     // u32 byte count + UTF-8
    Date = 2,       // i64 milliseconds since 1970-01-01T00:00:00Z
    Number = 3,     // f64
    FloatArray = 4, // u32 count + count f32
    IntArray = 5,   // u8 element width (1, 2 or 4) + u32 count + count signed ints
    Image = 6,      // u32 byte count + encoded image bytes
};

} // namespace archive
