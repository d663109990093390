#include "platform/context/DefaultSettings.h"

#include "platform/context/PickLists.h"
#include "platform/RgbaColour.h"
#include "platform/SettingsStore.h"

#include <QVariantMap>

namespace {

QVariantMap scalarAndColourDefaults()
{
    // 1. The colours of the colour keys.
    const RgbaColour blue = RgbaColour::rgb(0, 0, 1, 1);
    const RgbaColour red = RgbaColour::rgb(1, 0, 0, 1);
    const RgbaColour grey = RgbaColour::grey(0.5, 1);
    const RgbaColour yellow = RgbaColour::rgb(1, 1, 0, 1);

    // 2. Scalar and colour defaults. Some are registered as text ("3",
    // "0.5", ""): readers take their numeric value. "coloured theme" holds a
    // theme number but is registered as the boolean false.
    QVariantMap defaults;
    defaults.insert(QStringLiteral("depth time in color"), true);
    defaults.insert(QStringLiteral("color item"), false);
    defaults.insert(QStringLiteral("coloured text"), QStringLiteral(""));
    defaults.insert(QStringLiteral("coloured theme"), false);
    defaults.insert(QStringLiteral("display units"), true);
    defaults.insert(QStringLiteral("low temperature in color"), false);
    defaults.insert(QStringLiteral("low temperature value"), QStringLiteral(""));
    defaults.insert(QStringLiteral("low temperature color"), blue.toText());
    defaults.insert(QStringLiteral("depth color"), blue.toText());
    defaults.insert(QStringLiteral("time color"), blue.toText());
    defaults.insert(QStringLiteral("fill plot"), true);
    defaults.insert(QStringLiteral("plot color"), red.toText());
    defaults.insert(QStringLiteral("fill color"), blue.toText());
    defaults.insert(QStringLiteral("alpha fill color"), QStringLiteral("0.5"));
    defaults.insert(QStringLiteral("background color"), grey.toText());
    defaults.insert(QStringLiteral("alpha background color"), QStringLiteral("0.5"));
    defaults.insert(QStringLiteral("ASC color"), yellow.toText());
    defaults.insert(QStringLiteral("SLOW color"), blue.toText());
    defaults.insert(QStringLiteral("x minor ticks"), true);
    defaults.insert(QStringLiteral("y minor ticks"), true);
    defaults.insert(QStringLiteral("stop interval"), QStringLiteral("3"));
    return defaults;
}

} // namespace

QStringList registeredSettingKeys()
{
    QStringList keys = scalarAndColourDefaults().keys();
    for (const PickListId id : PickLists::all())
        if (id != PickListId::SacDePlongee)
            keys.append(PickLists::key(id));
    return keys;
}

void registerDefaultSettings(SettingsStore& store, PickLists& pickLists)
{
    QVariantMap defaults = scalarAndColourDefaults();

    // 3. Load every pick-list but "activite" from the store, in order; an
    // empty list when nothing is stored.
    for (const PickListId id : PickLists::all()) {
        if (id == PickListId::Activite)
            continue;
        pickLists.list(id) = store.hasStoredValue(PickLists::key(id))
            ? store.stringListValue(PickLists::key(id))
            : QStringList();
    }

    // 4. Each loaded list is also the default of its key, except the dive
    // bag, which has none. "activite" is registered with the list stored
    // under it, but its working list is left for the firms address book to
    // fill.
    for (const PickListId id : PickLists::all()) {
        if (id == PickListId::SacDePlongee || id == PickListId::Activite)
            continue;
        defaults.insert(PickLists::key(id), pickLists.list(id));
    }
    const QString activite = PickLists::key(PickListId::Activite);
    defaults.insert(activite,
                    store.hasStoredValue(activite) ? store.stringListValue(activite)
                                                   : QStringList());

    // 5. Hand the table to the store.
    store.registerDefaults(defaults);
}
