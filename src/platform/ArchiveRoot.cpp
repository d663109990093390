#include "platform/ArchiveRoot.h"

#include "platform/ArchiveReader.h"
#include "platform/context/DocumentTypes.h"

namespace archiveroot {

namespace {
std::optional<QString> why(const ArchiveReader& in, const Expected& expected, int* version)
{
    const QString& type = in.header().documentType;
    if (type != expected.typeId) {
        if (DocumentTypes::byId(type))
            return QStringLiteral("this is a \"%1\" document, not %2").arg(type, expected.document);
        return QStringLiteral("unknown document type \"%1\"").arg(type);
    }
    if (in.header().rootClass != expected.className)
        return QStringLiteral("the file holds \"%1\" records, not %2").arg(in.header().rootClass, expected.records);
    if (in.header().classes.size() != 1)
        return QStringLiteral("the file holds records of unknown classes");
    const int v = in.classVersion(expected.className);
    if (v > expected.classVersion || v < 0)
        return QStringLiteral("the %1 were written by a newer version of Ondrix (record version %2)")
            .arg(expected.records)
            .arg(v);
    const quint32 count = in.header().recordCount;
    if (qint64(count) * expected.minimumRecordSize(v) > in.bytesLeft())
        return QStringLiteral("the file is damaged: it claims %1 %2 in %3 bytes")
            .arg(count)
            .arg(expected.records)
            .arg(in.bytesLeft());
    *version = v;
    return std::nullopt;
}
} // namespace

std::optional<QString> refusal(ArchiveReader& in, const Expected& expected, int* version)
{
    const std::optional<QString> refused = why(in, expected, version);
    if (!refused)
        return std::nullopt;
    in.fail(*refused);
    return in.error();
}

} // namespace archiveroot
