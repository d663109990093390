#pragma once

#include "platform/Result.h"
#include "registers/RegisterRecord.h"

#include <QByteArray>
#include <QList>

// The JSON form of register records used by the command line, shaped as the
// logbook's: one object per record, keys the field names in archive order,
// texts as strings (null when absent), dates "YYYY-MM-DDTHH:MM:SS" local
// time (or null), images {"image-bytes": N} (or null), lists as arrays.
namespace registerjson {

inline constexpr qsizetype kMaxRecords = 200'000;

QByteArray dump(const QList<RegisterRecord>& records);

// Records of a schema from such an array. Fields not given keep the value
// of a fresh record. An unknown key or a value of the wrong kind is refused;
// an image, whose bytes a dump does not carry, is given as null or as an
// object of zero image bytes.
Result<QList<RegisterRecord>> parse(const registers::RecordSchema& schema, const QByteArray& json);

} // namespace registerjson
