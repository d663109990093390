#include "exchange/FileImport.h"

#include "exchange/DiveImporter.h"
#include "exchange/ExchangeRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace fileimport {

Outcome importDevice(Carnet& carnet, QIODevice& device, const ImportProgress& progress)
{
    Outcome out;
    // Progress in thousandths: reading the file takes the first nine
    // hundred, building the dives the rest.
    const ImportProgress reading = progress ? ImportProgress([&progress](qint64 done, qint64 total) {
        return progress(total > 0 ? std::min<qint64>(900, done * 900 / total) : 0, 1000);
    })
                                            : ImportProgress();
    ExchangeRegistry::Read read = ExchangeRegistry::read(device, reading);
    auto& dives = read.dives;
    if (!dives) {
        out.cancelled = read.cancelled;
        out.error = dives.error();
        return out;
    }
    const qint64 count = dives->size();
    const ImportProgress building = progress ? ImportProgress([&progress, count](qint64 done, qint64) {
        return progress(900 + done * 100 / std::max<qint64>(1, count), 1000);
    })
                                             : ImportProgress();
    QString error;
    if (!diveimport::importDives(carnet, *dives, building, &error)) {
        out.cancelled = true;
        out.error = error;
        return out;
    }
    out.ok = true;
    out.dives = int(count);
    out.placeholders = read.placeholders;
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
