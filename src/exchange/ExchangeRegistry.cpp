#include "exchange/ExchangeRegistry.h"

#include "exchange/LegacyUddfWriter.h"
#include "exchange/TextExport.h"
#include "exchange/Uddf32Writer.h"
#include "exchange/UdcfReader.h"
#include "exchange/UdcfWriter.h"
#include "exchange/UddfReader.h"
#include "platform/SettingsStore.h"
#include "platform/context/AppContext.h"

#include <QIODevice>
#include <functional>

namespace {

using Writer = std::function<ExportOutput(const QList<Plongee>&, const AppContext&)>;

struct ExportType {
    QString name;
    Writer writer;
};

ExportOutput legacyUddf(const QList<Plongee>& dives, const AppContext& context)
{
    return LegacyUddfWriter(context.localizer()).write(dives);
}

ExportOutput udcf(const QList<Plongee>& dives, const AppContext& context)
{
    return UdcfWriter(context.localizer()).write(dives);
}

ExportOutput uddf32(const QList<Plongee>& dives, const AppContext& context)
{
    return Uddf32Writer(context.localizer(), context.settings().boolValue(QStringLiteral("us units"))).write(dives);
}

const QList<ExportType>& exportTypes()
{
    static const QList<ExportType> types = [] {
        QList<ExportType> all;
        const QList<TextExport::Type>& text = TextExport::types();
        // The Mac OS Roman text types first, as they have always been
        // offered; their UTF-8 forms after the XML formats.
        const auto textType = [](const TextExport::Type& t) {
            return ExportType{t.name, [t](const QList<Plongee>& dives, const AppContext& context) {
                                  return TextExport(context.localizer()).write(t, dives);
                              }};
        };
        for (const TextExport::Type& t : text)
            if (t.encoding == TextExport::Encoding::MacRoman)
                all.append(textType(t));
        all.append({UdcfWriter::typeName(), udcf});
        all.append({LegacyUddfWriter::typeName(), legacyUddf});
        all.append({Uddf32Writer::typeName(), uddf32});
        for (const TextExport::Type& t : text)
            if (t.encoding == TextExport::Encoding::Utf8)
                all.append(textType(t));
        return all;
    }();
    return types;
}

} // namespace

ExchangeRegistry::ExchangeRegistry(const AppContext& context) : m_context(context) {}

const QStringList& ExchangeRegistry::exportTypeNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const ExportType& t : exportTypes())
            all.append(t.name);
        return all;
    }();
    return names;
}

Result<ExportOutput> ExchangeRegistry::exportDives(const QString& type, const QList<Plongee>& dives) const
{
    for (const ExportType& t : exportTypes()) {
        if (t.name != type)
            continue;
        return t.writer(dives, m_context);
    }
    return Result<ExportOutput>::failure(QStringLiteral("unknown save type \"%1\"").arg(type));
}

Result<QByteArray> ExchangeRegistry::write(const QString& type, const QList<Plongee>& dives, QStringList* report) const
{
    auto written = exportDives(type, dives);
    if (!written)
        return Result<QByteArray>::failure(written.error());
    if (report)
        *report = written->report;
    return std::move(written->bytes);
}

ExchangeFormat ExchangeRegistry::recognise(QIODevice& device) { return ExchangeSniffer::sniff(device); }

QString ExchangeRegistry::formatName(ExchangeFormat format)
{
    switch (format) {
    case ExchangeFormat::UddfLegacy:
    case ExchangeFormat::Uddf3: return QStringLiteral("UDDF");
    case ExchangeFormat::Udcf: return QStringLiteral("UDCF");
    case ExchangeFormat::Handheld: return QStringLiteral("handheld logbook");
    case ExchangeFormat::Unknown: break;
    }
    return QStringLiteral("unknown");
}

ExchangeRegistry::Read ExchangeRegistry::read(QIODevice& device, const ImportProgress& progress, ImportSink* sink)
{
    const ExchangeFormat format = recognise(device);
    if (format == ExchangeFormat::Udcf || format == ExchangeFormat::Handheld) {
        UdcfReader reader(format == ExchangeFormat::Udcf ? UdcfReader::Layout::Udcf : UdcfReader::Layout::Handheld,
                          progress);
        auto dives = reader.read(device);
        return Read{std::move(dives), reader.cancelled(), 0, format};
    }
    // The reader hands dives over only when it can read the file again,
    // should a definition after them change them.
    UddfReader reader(progress);
    const qint64 start = device.pos();
    auto dives = reader.read(device, device.isSequential() ? nullptr : sink);
    if (reader.readAgain())
        dives = device.seek(start) ? reader.read(device)
                                   : Result<QList<ImportedDive>>::failure(
                                         QStringLiteral("the file could not be read again: %1").arg(device.errorString()));
    return Read{std::move(dives), reader.cancelled(), reader.placeholders(), format};
}
