#include "logbook/LogbookArchive.h"

#include "platform/context/DocumentTypes.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/LargePages.h"

namespace logbookarchive {

namespace {
// Rough size of one record, to reserve the output once.
qsizetype estimatedSize(const Plongee& d)
{
    return 700 + d.sampleCount() * 13;
}
} // namespace

namespace {
Result<QByteArray> encodeWith(const QList<Plongee>& dives, const ArchiveWriter::Sink* sink)
{
    qsizetype expected = 256;
    if (!sink)
        for (const Plongee& d : dives)
            expected += estimatedSize(d);
    const QString className = QString::fromLatin1(Plongee::kClassName);
    ArchiveWriter out(DocumentTypes::of(DocumentKind::Logbook).id, {{className, Plongee::kClassVersion}},
                      quint32(dives.size()), sink ? 0 : expected);
    if (sink)
        out.streamTo(*sink);
    for (const Plongee& d : dives) {
        out.beginRecord(0);
        d.write(out);
    }
    return out.finish();
}
} // namespace

Result<QByteArray> encode(const QList<Plongee>& dives) { return encodeWith(dives, nullptr); }

Result<QByteArray> encode(const QList<Plongee>& dives, const ArchiveWriter::Sink& sink)
{
    return encodeWith(dives, &sink);
}

namespace {
Result<QList<Plongee>> decodeWith(ArchiveReader& in)
{
    using R = Result<QList<Plongee>>;
    if (!in.open())
        return R::failure(in.error());
    const DocumentType& logbook = DocumentTypes::of(DocumentKind::Logbook);
    const QString& type = in.header().documentType;
    if (type != logbook.id) {
        if (DocumentTypes::byId(type))
            return R::failure(QStringLiteral("this is a \"%1\" document, not a logbook").arg(type));
        return R::failure(QStringLiteral("unknown document type \"%1\"").arg(type));
    }
    const QString className = QString::fromLatin1(Plongee::kClassName);
    if (in.header().rootClass != className)
        return R::failure(QStringLiteral("the file holds \"%1\" records, not dives").arg(in.header().rootClass));
    if (in.header().classes.size() != 1)
        return R::failure(QStringLiteral("the file holds records of unknown classes"));
    const int version = in.classVersion(className);
    if (version > Plongee::kClassVersion || version < 0)
        return R::failure(QStringLiteral("the dives were written by a newer version of Ondrix (record version %1)")
                              .arg(version));
    const quint32 count = in.header().recordCount;
    if (qint64(count) * Plongee::minimumArchivedSize() > in.bytesLeft())
        return R::failure(QStringLiteral("the file is damaged: it claims %1 dives in %2 bytes")
                              .arg(count)
                              .arg(in.bytesLeft()));
    QList<Plongee> dives;
    dives.reserve(count);
    preferLargePages(reinterpret_cast<char*>(dives.data()), qint64(count) * qint64(sizeof(Plongee)));
    for (quint32 i = 0; i < count; ++i) {
        in.beginRecord();
        Plongee& d = dives.emplace_back();
        d.read(in, version);
        if (!in.ok())
            return R::failure(in.error());
    }
    if (!in.finish())
        return R::failure(in.error());
    return dives;
}
} // namespace

Result<QList<Plongee>> decode(QByteArrayView bytes)
{
    ArchiveReader in(bytes);
    return decodeWith(in);
}

Result<QList<Plongee>> decode(const QByteArray& bytes)
{
    ArchiveReader in(bytes);
    return decodeWith(in);
}

} // namespace logbookarchive
