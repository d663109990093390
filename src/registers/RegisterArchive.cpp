#include "registers/RegisterArchive.h"

#include "platform/ArchiveFormat.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveRoot.h"
#include "platform/ArchiveWriter.h"
#include "registers/RegisterDescription.h"

#include <QFile>

namespace registerarchive {

Result<QByteArray> encode(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records)
{
    const registers::RecordSchema& schema = reg.schema;
    ArchiveWriter out(DocumentTypes::of(reg.kind).id, {{QString::fromLatin1(schema.className), schema.classVersion}},
                      quint32(records.size()), 256 + records.size() * 64 * schema.fieldCount());
    for (const RegisterRecord& r : records) {
        out.beginRecord(0);
        r.write(out);
    }
    return out.finish();
}

namespace {
Result<QList<RegisterRecord>> decodeWith(const registers::RegisterDescription& reg, ArchiveReader& in)
{
    using R = Result<QList<RegisterRecord>>;
    if (!in.open())
        return R::failure(in.error());
    const registers::RecordSchema& schema = reg.schema;
    const archiveroot::Expected expected{DocumentTypes::of(reg.kind).id, QString::fromLatin1(schema.className),
                                         schema.classVersion, reg.documentNoun, reg.recordsNoun,
                                         [&schema](int v) { return schema.minimumArchivedSize(v); }};
    int version = 0;
    if (const auto refused = archiveroot::refusal(in, expected, &version))
        return R::failure(*refused);
    const quint32 count = in.header().recordCount;
    QList<RegisterRecord> records;
    records.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        in.beginRecord();
        RegisterRecord& r = records.emplace_back(schema);
        r.read(in, version);
        if (!in.ok())
            return R::failure(in.error());
    }
    if (!in.finish())
        return R::failure(in.error());
    return records;
}
} // namespace

Result<QList<RegisterRecord>> decode(const registers::RegisterDescription& reg, QByteArrayView bytes)
{
    ArchiveReader in(bytes);
    return decodeWith(reg, in);
}

Result<QList<RegisterRecord>> decode(const registers::RegisterDescription& reg, const QByteArray& bytes)
{
    ArchiveReader in(bytes);
    return decodeWith(reg, in);
}

} // namespace registerarchive

namespace registerarchive {

const registers::RegisterDescription* registerOfFile(const QString& path)
{
    // The header names the type: the file is read whole only by its reader.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray head = file.read(archive::kMaxHeaderBytes);
    ArchiveReader reader{QByteArrayView(head)};
    return reader.peekHeader() ? registers::descriptionOf(reader.header().documentType) : nullptr;
}

} // namespace registerarchive
