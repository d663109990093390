#include "exchange/FileImport.h"

#include "exchange/ExchangeRegistry.h"
#include "exchange/ImportBuilder.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace fileimport {

Outcome importDevice(Carnet& carnet, QIODevice& device, const ImportProgress& progress)
{
    Outcome out;
    // Progress in thousandths: reading the file takes the first nine
    // hundred, building the dives not built while reading the rest. A file
    // read twice (see ExchangeRegistry::read) does not go back.
    qint64 reached = 0;
    const ImportProgress reading = progress ? ImportProgress([&progress, &reached](qint64 done, qint64 total) {
        reached = std::max(reached, total > 0 ? std::min<qint64>(900, done * 900 / total) : 0);
        return progress(reached, 1000);
    })
                                            : ImportProgress();
    // The dives are built as the reader hands them over. A file the reader
    // refuses is refused for that, even after a dive the form refused.
    ImportBuilder builder(carnet);
    ExchangeRegistry::Read read = ExchangeRegistry::read(device, reading, &builder);
    auto& dives = read.dives;
    out.format = read.format;
    if (!dives) {
        out.cancelled = read.cancelled;
        out.error = dives.error();
        return out;
    }
    const qint64 rest = dives->size();
    const auto cancelled = [&out] {
        out.cancelled = true;
        out.error = QStringLiteral("the import was cancelled");
        return out;
    };
    // One refused dive refuses the import: the logbook stays as it was.
    for (qint64 i = 0; i < rest && builder.add(dives->at(i)); ++i)
        if (progress && !progress(900 + (i + 1) * 100 / rest, 1000))
            return cancelled();
    if (rest == 0 && progress && !progress(1000, 1000))
        return cancelled();
    if (!builder.error().isEmpty()) {
        out.error = builder.error();
        return out;
    }
    out.ok = true;
    out.dives = int(builder.count());
    out.placeholders = read.placeholders;
    builder.commit();
    return out;
}

Outcome importFile(Carnet& carnet, const QString& path, const ImportProgress& progress)
{
    if (QFileInfo(path).isDir())
        return Outcome{false, false, 0, 0, QStringLiteral("is a folder, not a file")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome{false, false, 0, 0, file.errorString()};
    return importDevice(carnet, file, progress);
}

} // namespace fileimport
