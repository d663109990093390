#include "logbook/LogbookArchive.h"

#include "platform/context/DocumentTypes.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveRoot.h"
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
        // A dive unchanged since it was read goes back as it came.
        if (const QByteArrayView same = d.encodedRecord(); !same.isEmpty()) {
            out.writeEncodedRecord(same);
            continue;
        }
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
    const QString className = QString::fromLatin1(Plongee::kClassName);
    const archiveroot::Expected expected{DocumentTypes::of(DocumentKind::Logbook).id, className,
                                         Plongee::kClassVersion, QStringLiteral("a logbook"),
                                         QStringLiteral("dives"),
                                         [](int) { return Plongee::minimumArchivedSize(); }};
    int version = 0;
    if (const auto refused = archiveroot::refusal(in, expected, &version))
        return R::failure(*refused);
    const quint32 count = in.header().recordCount;
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

Result<QList<Plongee>> decode(const QByteArray& bytes, const FileArrival* arrival)
{
    ArchiveReader in(bytes, arrival);
    return decodeWith(in);
}

} // namespace logbookarchive
