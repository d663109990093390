#include "logbook/ColumnSettings.h"

#include "platform/SettingsStore.h"

namespace columnsettings {

const QStringList& shownByDefault()
{
    static const QStringList keys = {
        QStringLiteral("column numero"),     QStringLiteral("column date"),
        QStringLiteral("column lieu"),       QStringLiteral("column site"),
        QStringLiteral("column heure"),      QStringLiteral("column profondeur"),
        QStringLiteral("column temps"),      QStringLiteral("column temp eau"),
        QStringLiteral("column deco"),       QStringLiteral("column coeff"),
        QStringLiteral("column visibilite"), QStringLiteral("column_epave"),
        QStringLiteral("column inoubliable"), QStringLiteral("column gaz"),
    };
    return keys;
}

void writeFirstRunDefaults(SettingsStore& settings)
{
    if (settings.boolValue(kWrittenKey))
        return;
    // Before the marker existed, a shown number column was the sign that
    // the column settings had been written.
    if (!settings.boolValue(QStringLiteral("column numero"))) {
        for (const QString& key : shownByDefault())
            settings.setValue(key, true);
        settings.setValue(kHiddenByDefault, false);
    }
    settings.setValue(kWrittenKey, true);
}

} // namespace columnsettings
