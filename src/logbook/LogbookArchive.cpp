#include "logbook/LogbookArchive.h"

#include "platform/context/DocumentTypes.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveRoot.h"
#include "platform/ArchiveWriter.h"

namespace logbookarchive {

namespace {
// Rough size of one record, to reserve the output once.
qsizetype estimatedSize(const Plongee& d)
{
    qsizetype n = 700;
    if (d.profilProfondeur())
        n += d.profilProfondeur()->size() * 13;
    return n;
}
} // namespace

Result<QByteArray> encode(const QList<Plongee>& dives)
{
    qsizetype expected = 256;
    for (const Plongee& d : dives)
        expected += estimatedSize(d);
    const QString className = QString::fromLatin1(Plongee::kClassName);
    ArchiveWriter out(DocumentTypes::of(DocumentKind::Logbook).id, {{className, Plongee::kClassVersion}},
                      quint32(dives.size()), expected);
    for (const Plongee& d : dives) {
        out.beginRecord(0);
        d.write(out);
    }
    return out.finish();
}

Result<QList<Plongee>> decode(QByteArrayView bytes)
{
    using R = Result<QList<Plongee>>;
    ArchiveReader in(bytes);
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

} // namespace logbookarchive
