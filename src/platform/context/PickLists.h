#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

class SettingsStore;

// The sixteen pick-lists of the application, in the order in which they are
// registered at start-up.
enum class PickListId {
    Lieux,
    Sites,
    Pays,
    CountryCode,
    Partenaires,
    Epaves,
    Structures,
    Ordinateurs,
    SacDePlongee,
    TypeEpave,
    CauseNaufrage,
    TypeMateriel,
    Fabricants,
    Magasins,
    Prestations,
    Activite,
};

// The working copies of the pick-lists, shared by every document and list
// editor of the application context that owns them. Each list is kept in
// the settings store under its key; after every change the whole list is
// written back.
class PickLists {
public:
    static constexpr std::size_t kCount = 16;

    // Every pick-list, in registration order.
    static const std::array<PickListId, kCount>& all();

    QStringList& list(PickListId id);
    const QStringList& list(PickListId id) const;

    // The settings key of a list ("lieux", "sac de plongee"...).
    static QString key(PickListId id);
    // The name of the working list ("tableauDesLieux", "sacDePlongee"...).
    static QString memoryName(PickListId id);

    // Replaces the working list by the list the store holds under its key.
    void reloadFromStore(PickListId id, const SettingsStore& store);
    // Writes the whole working list to the store under its key, as it is.
    void writeBack(PickListId id, SettingsStore& store) const;
    // Sorts a working list in case-sensitive code-unit order, so "Zeta"
    // comes before "alpha".
    void sort(PickListId id);

private:
    std::array<QStringList, kCount> m_lists;
};
