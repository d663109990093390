#include "logbook/LogbookToolbar.h"

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
    };
    static const QList<Item> withStandard = all + standardItems();
    return withStandard;
}

const LogbookToolbar::Item* LogbookToolbar::item(const QString& id)
{
    for (const Item& i : items())
        if (id == QLatin1String(i.id))
            return &i;
    return nullptr;
}

bool LogbookToolbar::isEnabled(const QString& id, int diveCount)
{
    const Item* i = item(id);
    return !i || !i->needsDives || diveCount > 0;
}

namespace {

struct Layout {
    QStringList allowed;
    QStringList defaults;
};

Layout layoutOf(const QString& id)
{
    const QString& searchId = ToolbarDefinition::searchId;
    Layout l;
    const QString& sep = ToolbarDefinition::separatorId;
    const QString& space = ToolbarDefinition::spaceId;
    const QString& flexible = ToolbarDefinition::flexibleSpaceId;
    const QString& customise = ToolbarDefinition::customiseId;
    if (id == LogbookToolbar::listToolbarId) {
        l.allowed = {QStringLiteral("saveDocument"), QStringLiteral("imprimer"), QStringLiteral("newDive"),
                     QStringLiteral("deleteDive"),   QStringLiteral("profil"),   QStringLiteral("profilData"),
                     QStringLiteral("importUDCF"),   QStringLiteral("importUDDF"), QStringLiteral("synthese"),
                     QStringLiteral("statistics"),   space,                       flexible,
                     sep,                            customise,                   searchId};
        l.defaults = {QStringLiteral("saveDocument"), QStringLiteral("imprimer"),  sep,
                      QStringLiteral("newDive"),      QStringLiteral("deleteDive"), QStringLiteral("profil"),
                      QStringLiteral("importUDCF"),   QStringLiteral("importUDDF"), QStringLiteral("synthese"),
                      QStringLiteral("statistics"),   sep,                          customise,
                      flexible,                       searchId};
    } else if (id == LogbookToolbar::editToolbarId) {
        // The two import items are offered too: they are in the default set,
        // and an item taken away must be able to come back.
        l.allowed = {QStringLiteral("addDiveToList"), QStringLiteral("insertDive"), QStringLiteral("updateDive"),
                     QStringLiteral("blankFields"),   QStringLiteral("profil"),     QStringLiteral("profilData"),
                     QStringLiteral("importUDCF"),    QStringLiteral("importUDDF"), space,
                     flexible,                        sep,                          customise};
        l.defaults = {QStringLiteral("addDiveToList"), QStringLiteral("insertDive"), QStringLiteral("updateDive"),
                      QStringLiteral("blankFields"),   QStringLiteral("profil"),     QStringLiteral("profilData"),
                      QStringLiteral("importUDCF"),    QStringLiteral("importUDDF"), sep,
                      customise,                       flexible};
    }
    return l;
}

} // namespace

LogbookToolbar::LogbookToolbar(const QString& toolbarId)
    : ToolbarDefinition(toolbarId, items(), layoutOf(toolbarId).allowed, layoutOf(toolbarId).defaults)
{
}
