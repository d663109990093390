#pragma once

#include "platform/Result.h"
#include "registers/RegisterRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace registers {
struct RegisterDescription;
}

// A register file: the archive of its records, in list order, and nothing else.
namespace registerarchive {

Result<QByteArray> encode(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records);

// Refuses, with a sentence saying why, anything but a whole archive of this
// register that this version can read; never returns a partial list.
Result<QList<RegisterRecord>> decode(const registers::RegisterDescription& reg, QByteArrayView bytes);
// The same from bytes the records may share: their pictures are parts of
// `bytes`, not copies, and keep them alive.
Result<QList<RegisterRecord>> decode(const registers::RegisterDescription& reg, const QByteArray& bytes);

} // namespace registerarchive

namespace registerarchive {

// The register a file holds, from its header; nothing for a logbook or for
// a file whose header cannot be read.
const registers::RegisterDescription* registerOfFile(const QString& path);

} // namespace registerarchive
