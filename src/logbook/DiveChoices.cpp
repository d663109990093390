#include "logbook/DiveChoices.h"

#include "logbook/Plongee.h"

namespace divechoices {

namespace {

QList<DiveChoice> numbered(std::initializer_list<const char*> texts)
{
    QList<DiveChoice> items;
    int tag = 0;
    for (const char* t : texts)
        items.append({tag++, t});
    return items;
}

} // namespace

const QList<DiveChoice>& items(int field)
{
    using namespace plongee;
    static const QList<DiveChoice> none;
    static const QList<DiveChoice> pmBm = numbered({"Tide none", "High tide", "Low tide"});
    static const QList<DiveChoice> gpsSystem = numbered({"Datum other", "WGS84", "ED50"});
    static const QList<DiveChoice> material = numbered({"Steel", "Aluminum", "Carbon"});
    static const QList<DiveChoice> gaz = numbered({"Air", "Nitrox", "Trimix", "Heliox", "Triox", "Heliair"});
    static const QList<DiveChoice> ppO2 = {{0, "..."},      {10, "0,7 bar"}, {9, "0,8 bar"}, {8, "0,9 bar"},
                                           {7, "1,0 bar"},  {6, "1,1 bar"},  {1, "1,2 bar"}, {2, "1,3 bar"},
                                           {3, "1,4 bar"},  {4, "1,5 bar"},  {5, "1,6 bar"}};
    static const QList<DiveChoice> deco = numbered({"Computer", "Air tables", "Nitrox tables", "Run time"});
    static const QList<DiveChoice> meteo =
        numbered({"Clear", "Cloudy", "Foggy", "Rainy", "Hail", "Snowy", "Thundery", "N/A"});
    static const QList<DiveChoice> ventSecteur = numbered({"N/A", "N", "N-E", "E", "S-E", "S", "S-W", "W", "N-W"});
    static const QList<DiveChoice> ventForce =
        numbered({"N/A", "No wind", "Force 1", "Force 2", "Force 3", "Force 4", "Force 5", "Force 6", "Force 7",
                  "Force 8", "Force 9", "Force 10", "Force 11", "Force 12"});
    static const QList<DiveChoice> visibilite = {{8, "Exceptional"}, {0, "Excellent"}, {1, "Very good"},
                                                 {2, "Good"},        {3, "Medium"},    {4, "Bad"},
                                                 {5, "Very bad"},    {6, "Execrable"}, {7, "N/A"}};
    static const QList<DiveChoice> courant =
        numbered({"None", "Weak", "Moderate", "Strong", "Very strong", "Violent", "N/A"});
    static const QList<DiveChoice> typePlongee = {
        {1, "Recreational"}, {0, "Wreck"},   {3, "Photo dive"},  {4, "Tek"},       {5, "Cave"},
        {6, "Movies"},       {7, "Work"},    {9, "Drift"},       {10, "Under ice"}, {11, "Training"},
        {12, "Biology"},     {13, "Quarry"}, {14, "Recuperation"}, {8, "Other"}};
    static const QList<DiveChoice> inoubliable = numbered({"No mark", "Heart", "Point", "Cross", "Death"});
    static const QList<DiveChoice> combinaison =
        numbered({"Wet suit", "Dry suit", "Shorty", "No suit", "Semi-dry suit", "T-shirt", "Tropical suit"});
    static const QList<DiveChoice> samplingRate = {{6, "1 s"},  {5, "4 s"},  {7, "5 s"},  {0, "10 s"},
                                                   {1, "20 s"}, {2, "30 s"}, {3, "60 s"}, {4, "120 s"}};
    static const QList<DiveChoice> rebreather = numbered({"OC", "SCR", "mCCR", "eCCR", "hCCR"});
    static const QList<DiveChoice> configuration = numbered({"No Tek", "Tek"});

    switch (field) {
    case idx_pmBm: return pmBm;
    case idx_gpsSystem: return gpsSystem;
    case idx_alliageBloc:
    case idx_alliageBloc_2: return material;
    case idx_gaz: return gaz;
    case idx_ppO2: return ppO2;
    case idx_deco: return deco;
    case idx_meteo: return meteo;
    case idx_ventSecteur: return ventSecteur;
    case idx_ventForce: return ventForce;
    case idx_visibilite: return visibilite;
    case idx_courant: return courant;
    case idx_typePlongee: return typePlongee;
    case idx_inoubliable: return inoubliable;
    case idx_combinaison: return combinaison;
    case idx_samplingRate: return samplingRate;
    case idx_rebreather: return rebreather;
    case idx_configuration: return configuration;
    default: return none;
    }
}

bool loadsByPosition(int field)
{
    return field == plongee::idx_gpsSystem || field == plongee::idx_ventSecteur || field == plongee::idx_ventForce;
}

int positionOf(int field, int tag)
{
    const QList<DiveChoice>& list = items(field);
    if (loadsByPosition(field))
        return tag >= 0 && tag < list.size() ? tag : -1;
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list[i].tag == tag)
            return int(i);
    return -1;
}

} // namespace divechoices
