#include "logbook/LogbookToolbar.h"

#include "platform/Localizer.h"
#include "platform/SettingsStore.h"

#include <utility>

const QString LogbookToolbar::separatorId = QStringLiteral("separator");
const QString LogbookToolbar::spaceId = QStringLiteral("space");
const QString LogbookToolbar::flexibleSpaceId = QStringLiteral("flexibleSpace");
const QString LogbookToolbar::customiseId = QStringLiteral("customise");
const QString LogbookToolbar::searchId = QStringLiteral("rechercher");
const QString LogbookToolbar::listToolbarId = QStringLiteral("tableViewToolbar");
const QString LogbookToolbar::editToolbarId = QStringLiteral("editWindowToolbar");

const QList<LogbookToolbar::Item>& LogbookToolbar::items()
{
    using K = Kind;
    static const QList<Item> all = {
        {"saveDocument", K::Command, "Save", "Main", "Save", "enregistrer", "Tip save", "Carnet", "Save the logbook",
         "saveDocument:", false},
        {"imprimer", K::Command, "Print", "Main", "Print", "imprimante", "Tip print", "Carnet", "Print the dive list",
         "printLogbook:", true},
        {"newDive", K::Command, "Add", "Main", "Add", "ajouterPl", "Tip add", "Carnet", "Add a dive to the logbook",
         "newDive:", false},
        {"deleteDive", K::Command, "Delete", "Main", "Delete", "supprimerPl", "Tip delete", "Carnet",
         "Delete the selected dives", "deleteDive:", true},
        {"profil", K::Command, "Profile", "Carnet", "Profile", "ProfilPl", "Tip profile", "Carnet",
         "Show the profile of the dive", "displayProfilWindow:", true},
        {"profilData", K::Command, "Profile datas", "Carnet", "Profile Data", "profilData", "Tip profile datas",
         "Carnet", "Show the samples of the dive's profile", "profilInfo:", true},
        {"importUDCF", K::Command, "Import UDCF", "Carnet", "Import UDCF", "importUDCF", "Tip import UDCF", "Carnet",
         "Import dives from a UDCF file", "importUDCF:", false},
        {"importUDDF", K::Command, "Import UDDF", "Carnet", "Import UDDF", "importUDDF", "Tip import UDDF", "Carnet",
         "Import dives from a UDDF file", "importUDDF:", false},
        {"synthese", K::Command, "Synthesis card", "Main", "Synthesis", "texte", "Tip synthesis card", "Carnet",
         "Show the synthesis card of the dives", "divesForSynthesisWindow:", true},
        {"statistics", K::Command, "Statistics", "Carnet", "Statistics", "statistics", "Tip statistics", "Carnet",
         "Show the statistics of the logbook", "showStatisticsWindow:", true},
        {"rechercher", K::SearchField, "Find", "Carnet", "Find", "", "", "", "", "findTextWithField:", false},
        {"addDiveToList", K::Command, "Add", "Main", "Add", "ajouterPl", "Tip add", "Carnet",
         "Add a dive to the logbook", "addDive:", false},
        {"insertDive", K::Command, "Insert", "Main", "Insert", "insererPl", "Tip insert", "Carnet",
         "Insert the dive of the form before the selected dive", "insertDive:", true},
        {"updateDive", K::Command, "Update", "Main", "Update", "validerPl", "Tip update", "Carnet",
         "Store the form into the selected dive", "updateDive:", true},
        {"blankFields", K::Command, "Erase", "Main", "Erase", "raz", "Tip erase", "Main", "Blank the form",
         "blankFields:", false},
        {"separator", K::Separator, "Separator", "Main", "Separator", "", "", "", "", "", false},
        {"space", K::Space, "Space", "Main", "Space", "", "", "", "", "", false},
        {"flexibleSpace", K::FlexibleSpace, "Flexible Space", "Main", "Flexible Space", "", "", "", "", "", false},
        {"customise", K::Customise, "Customise", "Main", "Customise", "customise", "Tip customise", "Main",
         "Choose the items of this toolbar", "runToolbarCustomizationPalette:", false},
    };
    return all;
}

const LogbookToolbar::Item* LogbookToolbar::item(const QString& id)
{
    for (const Item& i : items())
        if (id == QLatin1String(i.id))
            return &i;
    return nullptr;
}

bool LogbookToolbar::isRepeatable(const QString& id)
{
    return id == separatorId || id == spaceId || id == flexibleSpaceId;
}

bool LogbookToolbar::isEnabled(const QString& id, int diveCount)
{
    const Item* i = item(id);
    return !i || !i->needsDives || diveCount > 0;
}

QString LogbookToolbar::label(const Item& item, const Localizer& localizer)
{
    return localizer.text(QLatin1String(item.labelKey), QLatin1String(item.labelTable),
                          QLatin1String(item.labelEnglish));
}

QString LogbookToolbar::tooltip(const Item& item, const Localizer& localizer)
{
    if (!*item.tooltipKey)
        return QString();
    return localizer.text(QLatin1String(item.tooltipKey), QLatin1String(item.tooltipTable),
                          QLatin1String(item.tooltipEnglish));
}

LogbookToolbar::LogbookToolbar(QString toolbarId) : m_id(std::move(toolbarId))
{
    const QString& sep = separatorId;
    const QString& space = spaceId;
    const QString& flexible = flexibleSpaceId;
    const QString& customise = customiseId;
    if (m_id == listToolbarId) {
        m_allowed = {QStringLiteral("saveDocument"), QStringLiteral("imprimer"), QStringLiteral("newDive"),
                     QStringLiteral("deleteDive"),   QStringLiteral("profil"),   QStringLiteral("profilData"),
                     QStringLiteral("importUDCF"),   QStringLiteral("importUDDF"), QStringLiteral("synthese"),
                     QStringLiteral("statistics"),   space,                       flexible,
                     sep,                            customise,                   searchId};
        m_defaults = {QStringLiteral("saveDocument"), QStringLiteral("imprimer"),  sep,
                      QStringLiteral("newDive"),      QStringLiteral("deleteDive"), QStringLiteral("profil"),
                      QStringLiteral("importUDCF"),   QStringLiteral("importUDDF"), QStringLiteral("synthese"),
                      QStringLiteral("statistics"),   sep,                          customise,
                      flexible,                       searchId};
    } else if (m_id == editToolbarId) {
        // The two import items are offered too: they are in the default set,
        // and an item taken away must be able to come back.
        m_allowed = {QStringLiteral("addDiveToList"), QStringLiteral("insertDive"), QStringLiteral("updateDive"),
                     QStringLiteral("blankFields"),   QStringLiteral("profil"),     QStringLiteral("profilData"),
                     QStringLiteral("importUDCF"),    QStringLiteral("importUDDF"), space,
                     flexible,                        sep,                          customise};
        m_defaults = {QStringLiteral("addDiveToList"), QStringLiteral("insertDive"), QStringLiteral("updateDive"),
                      QStringLiteral("blankFields"),   QStringLiteral("profil"),     QStringLiteral("profilData"),
                      QStringLiteral("importUDCF"),    QStringLiteral("importUDDF"), sep,
                      customise,                       flexible};
    }
}

QString LogbookToolbar::settingsKey() const { return QStringLiteral("toolbar ") + m_id; }

QStringList LogbookToolbar::cleaned(const QStringList& ids) const
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

QStringList LogbookToolbar::configuration(const SettingsStore& settings) const
{
    const QString key = settingsKey();
    if (!settings.hasStoredValue(key))
        return m_defaults;
    return cleaned(settings.stringListValue(key));
}

void LogbookToolbar::setConfiguration(SettingsStore& settings, const QStringList& ids) const
{
    const QStringList kept = cleaned(ids);
    if (kept == m_defaults)
        settings.remove(settingsKey());
    else
        settings.setStringList(settingsKey(), kept);
}

void LogbookToolbar::restoreDefaults(SettingsStore& settings) const { settings.remove(settingsKey()); }
