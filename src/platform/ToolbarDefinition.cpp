#include "platform/ToolbarDefinition.h"

#include "platform/Localizer.h"
#include "platform/SettingsStore.h"

#include <utility>

const QString ToolbarDefinition::separatorId = QStringLiteral("separator");
const QString ToolbarDefinition::spaceId = QStringLiteral("space");
const QString ToolbarDefinition::flexibleSpaceId = QStringLiteral("flexibleSpace");
const QString ToolbarDefinition::customiseId = QStringLiteral("customise");
const QString ToolbarDefinition::searchId = QStringLiteral("rechercher");

const QList<ToolbarDefinition::Item>& ToolbarDefinition::standardItems()
{
    using K = Kind;
    static const QList<Item> standard = {
        {"separator", K::Separator, "Separator", "Main", "Separator", "", "", "", "", "", false},
        {"space", K::Space, "Space", "Main", "Space", "", "", "", "", "", false},
        {"flexibleSpace", K::FlexibleSpace, "Flexible Space", "Main", "Flexible Space", "", "", "", "", "", false},
        {"customise", K::Customise, "Customise", "Main", "Customise", "customise", "Tip customise", "Main",
         "Choose the items of this toolbar", "runToolbarCustomizationPalette:", false},
    };
    return standard;
}

bool ToolbarDefinition::isRepeatable(const QString& id)
{
    return id == separatorId || id == spaceId || id == flexibleSpaceId;
}

QString ToolbarDefinition::label(const Item& item, const Localizer& localizer)
{
    return localizer.text(QLatin1String(item.labelKey), QLatin1String(item.labelTable),
                          QLatin1String(item.labelEnglish));
}

QString ToolbarDefinition::tooltip(const Item& item, const Localizer& localizer)
{
    if (!*item.tooltipKey)
        return QString();
    return localizer.text(QLatin1String(item.tooltipKey), QLatin1String(item.tooltipTable),
                          QLatin1String(item.tooltipEnglish));
}

ToolbarDefinition::ToolbarDefinition(QString id, QList<Item> items, QStringList allowed, QStringList defaults)
    : m_id(std::move(id)), m_items(std::move(items)), m_allowed(std::move(allowed)), m_defaults(std::move(defaults))
{
}

const ToolbarDefinition::Item* ToolbarDefinition::find(const QString& id) const
{
    for (const Item& i : m_items)
        if (id == QLatin1String(i.id))
            return &i;
    for (const Item& i : standardItems())
        if (id == QLatin1String(i.id))
            return &i;
    return nullptr;
}

bool ToolbarDefinition::enabled(const QString& id, int recordCount) const
{
    const Item* i = find(id);
    return !i || !i->needsDives || recordCount > 0;
}

QString ToolbarDefinition::settingsKey() const { return QStringLiteral("toolbar ") + m_id; }

QStringList ToolbarDefinition::cleaned(const QStringList& ids) const
{
    QStringList kept;
    for (const QString& id : ids) {
        if (!m_allowed.contains(id))
            continue;
        if (!isRepeatable(id) && kept.contains(id))
            continue;
        kept.append(id);
    }
    return kept;
}

QStringList ToolbarDefinition::configuration(const SettingsStore& settings) const
{
    const QString key = settingsKey();
    if (!settings.hasStoredValue(key))
        return m_defaults;
    return cleaned(settings.stringListValue(key));
}

void ToolbarDefinition::setConfiguration(SettingsStore& settings, const QStringList& ids) const
{
    const QStringList kept = cleaned(ids);
    if (kept == m_defaults)
        settings.remove(settingsKey());
    else
        settings.setStringList(settingsKey(), kept);
}

void ToolbarDefinition::restoreDefaults(SettingsStore& settings) const { settings.remove(settingsKey()); }
