#pragma once

#include "registers/RecordSchema.h"

// The fields of a wreck card, in the order the archive writes them.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking)
#define ONDRIX_EPAVES_FIELDS(F)                           \
    F(nom, Text, 1, 0, false)                             \
    F(type, Text, 1, 0, false)                            \
    F(immatriculation, Text, 1, 0, false)                 \
    F(nationalite, Text, 1, 0, false)                     \
    F(longueur, Float, 1, 4, false)                       \
    F(largeur, Float, 1, 4, false)                        \
    F(materiau, Int, 1, 0, false)                         \
    F(jauge, Int, 1, 0, false)                            \
    F(propulsion, Int, 1, 0, false)                       \
    F(dateConstruction, Text, 1, 0, false)                \
    F(lieuConstruction, Text, 1, 0, false)                \
    F(dateNaufrage, Text, 1, 0, false)                    \
    F(causeNaufrage, Text, 1, 0, false)                   \
    F(pointHaut, Float, 1, 0, false)                      \
    F(pointBas, Float, 1, 0, false)                       \
    F(orientationSwitch, Int, 3, 0, false)                \
    F(orientation, Int, 1, 0, false)                      \
    F(inclinaison, Int, 1, 0, false)                      \
    F(dateVisite, Date, 1, 0, false)                      \
    F(aVisiter, Int, 2, 0, false)                         \
    F(lieu, Text, 1, 0, false)                            \
    F(site, Text, 1, 0, false)                            \
    F(pays, Text, 1, 0, false)                            \
    F(gps, Text, 1, 0, false)                             \
    F(gpsSystem, Int, 1, 0, false)                        \
    F(acces, Int, 1, 0, false)                            \
    F(accesBord, Int, 1, 0, false)                        \
    F(localisation, Int, 1, 0, false)                     \
    F(interet, Int, 1, 0, false)                          \
    F(technicite, Int, 1, 0, false)                       \
    F(relevement1, Text, 1, 0, false)                     \
    F(relevement2, Text, 1, 0, false)                     \
    F(relevement3, Text, 1, 0, false)                     \
    F(photo, Image, 1, 0, false)                          \
    F(notes, Text, 1, 0, false)                           \
    F(typeMachine, Text, 5, 0, true)                      \
    F(puissance, Text, 5, 0, true)                        \
    F(natureFond, Text, 5, 0, true)                       \
    F(nomsPrecedents, Text, 5, 0, true)                   \
    F(armateur, Text, 5, 0, true)                         \
    F(ports, Text, 5, 0, true)                            \
    F(capitaine, Text, 5, 0, true)                        \
    F(equipage, Text, 5, 0, true)                         \
    F(chargement, Text, 5, 0, true)                       \
    F(provenance, Text, 5, 0, true)                       \
    F(destination, Text, 5, 0, true)                      \
    F(miseAJour, Date, 5, 0, false)

namespace epaves {

enum Field : int {
#define ONDRIX_EPAVES_INDEX(n, k, v, fv, e) n,
    ONDRIX_EPAVES_FIELDS(ONDRIX_EPAVES_INDEX)
#undef ONDRIX_EPAVES_INDEX
        FieldCount
};

inline constexpr int kClassVersion = 5;

const registers::RecordSchema& schema();

} // namespace epaves
