#include "registers/RegisterColumns.h"

#include "platform/Localizer.h"
#include "platform/NamedColours.h"
#include "registers/RegisterRecord.h"

namespace registercolumns {

QString titleKeyOf(const char* field) { return QStringLiteral("Column ") + QLatin1String(field); }

registers::Column checkColumn(const char* field, int fieldIndex)
{
    return {QLatin1String(field), titleKeyOf(field),
            [fieldIndex](const RegisterRecord& r, const Localizer& loc) {
                return r.integer(fieldIndex) == 1 ? loc.text(QStringLiteral("Check"), QStringLiteral("Main"),
                                                             QStringLiteral("N/A"))
                                                  : QString();
            },
            [](const RegisterRecord&) { return std::optional(namedcolours::green); }};
}

registers::Column timeColumn(const char* field, int fieldIndex)
{
    return {QLatin1String(field), titleKeyOf(field), [fieldIndex](const RegisterRecord& r, const Localizer&) {
                const QDateTime& t = r.date(fieldIndex);
                return t.isValid() ? t.time().toString(QStringLiteral("HH:mm")) : QString();
            }};
}

} // namespace registercolumns
