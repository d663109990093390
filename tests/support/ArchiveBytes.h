#pragma once

#include "platform/ArchiveFormat.h"
#include "platform/Checksum.h"

#include <QByteArray>
#include <QtEndian>

// Recomputes an archive's checksum after a deliberate change, so that the
// decoder itself (not only the checksum) is put to the test. Bytes too short
// to hold a checksum are left as they are.
inline void resign(QByteArray& bytes)
{
    if (bytes.size() < archive::kChecksumBytes)
        return;
    const qsizetype body = bytes.size() - archive::kChecksumBytes;
    qToLittleEndian(quint64(archiveChecksum(QByteArrayView(bytes).first(body))), bytes.data() + body);
}
