#include "platform/context/PickLists.h"

#include "platform/SettingsStore.h"

#include <algorithm>

namespace {

struct PickListNames {
    const char* key;
    const char* memoryName;
};

// Indexed by PickListId.
constexpr std::array<PickListNames, PickLists::kCount> kNames{{
    {"lieux", "tableauDesLieux"},
    {"sites", "tableauDesSites"},
    {"pays", "tableauDesPays"},
    {"countryCode", "countryCodeArray"},
    {"partenaires", "tableauDesPalanquees"},
    {"epaves", "tableauDesEpaves"},
    {"structures", "tableauDesStructures"},
    {"ordinateurs", "tableauDesOrdis"},
    {"sac de plongee", "sacDePlongee"},
    {"type epave", "tableauDesTypesEpaves"},
    {"cause naufrage", "tableauDesCausesNaufrages"},
    {"type materiel", "tableauDesTypesMatos"},
    {"fabricants", "tableauDesMarques"},
    {"magasins", "tableauDesMagasins"},
    {"prestations", "tableauDesPrestations"},
    {"activite", "tableauDesActivites"},
}};

std::size_t indexOf(PickListId id)
{
    return static_cast<std::size_t>(id);
}

} // namespace

const std::array<PickListId, PickLists::kCount>& PickLists::all()
{
    static constexpr std::array<PickListId, kCount> ids{
        PickListId::Lieux,        PickListId::Sites,         PickListId::Pays,
        PickListId::CountryCode,  PickListId::Partenaires,   PickListId::Epaves,
        PickListId::Structures,   PickListId::Ordinateurs,   PickListId::SacDePlongee,
        PickListId::TypeEpave,    PickListId::CauseNaufrage, PickListId::TypeMateriel,
        PickListId::Fabricants,   PickListId::Magasins,      PickListId::Prestations,
        PickListId::Activite,
    };
    return ids;
}

QStringList& PickLists::list(PickListId id)
{
    return m_lists.at(indexOf(id));
}

const QStringList& PickLists::list(PickListId id) const
{
    return m_lists.at(indexOf(id));
}

QString PickLists::key(PickListId id)
{
    return QString::fromLatin1(kNames.at(indexOf(id)).key);
}

QString PickLists::memoryName(PickListId id)
{
    return QString::fromLatin1(kNames.at(indexOf(id)).memoryName);
}

void PickLists::reloadFromStore(PickListId id, const SettingsStore& store)
{
    list(id) = store.stringListValue(key(id));
}

void PickLists::writeBack(PickListId id, SettingsStore& store) const
{
    store.setStringList(key(id), list(id));
}

void PickLists::sort(PickListId id)
{
    QStringList& entries = list(id);
    std::sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
}
