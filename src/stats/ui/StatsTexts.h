#pragma once

#include "platform/Localizer.h"

#include <QString>

// The statistics windows' texts, from the "Carnet" table.
namespace statstexts {

inline QString text(const Localizer& loc, const char* key) { return loc.text(QLatin1String(key), QStringLiteral("Carnet")); }

// A label of the statistics text ("\nBiology : ") as a window label
// ("Biology").
inline QString label(const Localizer& loc, const QString& key)
{
    QString t = loc.text(key, QStringLiteral("Carnet")).trimmed();
    if (t.endsWith(u':'))
        t.chop(1);
    return t.trimmed();
}

} // namespace statstexts
