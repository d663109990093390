#include "exchange/UddfExport.h"

#include "platform/context/AppContext.h"
#include "exchange/LegacyUddfWriter.h"
#include "exchange/Uddf32Writer.h"
#include "platform/SettingsStore.h"

namespace uddfexport {

const QStringList& typeNames()
{
    static const QStringList names = {LegacyUddfWriter::typeName(), Uddf32Writer::typeName()};
    return names;
}

bool handles(const QString& type) { return typeNames().contains(type); }

Result<ExportOutput> exportDives(const QString& type, const QList<Plongee>& dives, const AppContext& context)
{
    if (type == LegacyUddfWriter::typeName())
        return LegacyUddfWriter(context.localizer()).write(dives);
    if (type == Uddf32Writer::typeName())
        return Uddf32Writer(context.localizer(), context.settings().boolValue(QStringLiteral("us units"))).write(dives);
    return Result<ExportOutput>::failure(QStringLiteral("\"%1\" is not a UDDF export").arg(type));
}

} // namespace uddfexport
