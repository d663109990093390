#pragma once

#include "registers/RecordSchema.h"

// The fields of an equipment card, in the order the archive writes them.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking[, dateSinceVersion, oldDatePattern])
#define ONDRIX_MATERIEL_FIELDS(F)                         \
    F(matosNo, Text, 1, 0, false)                         \
    F(typeMatos, Text, 1, 0, false)                       \
    F(marqueMatos, Text, 1, 0, false)                     \
    F(serieMatos, Text, 1, 0, false)                      \
    F(dateAchat, Date, 1, 0, false, 3, "d/M/yyyy")        \
    F(quantiteMatos, Int, 1, 0, false)                    \
    F(prixMatos, Text, 1, 0, false)                       \
    F(lastRevision, Date, 1, 0, false)                    \
    F(nextRevision, Date, 1, 0, false)                    \
    F(firstRequalification, Text, 1, 0, false)            \
    F(nextRequalification, Date, 1, 0, false)             \
    F(noInspection, Int, 1, 0, false)                     \
    F(bloc, Int, 1, 0, false)                             \
    F(tiv, Int, 1, 0, false)                              \
    F(noTIV, Text, 1, 0, false)                           \
    F(nomTIV, Text, 1, 0, false)                          \
    F(capaciteBloc, Float, 1, 0, false)                   \
    F(pressionService, Int, 1, 0, false)                  \
    F(pressionEpreuve, Int, 1, 0, false)                  \
    F(notesMatos, Text, 1, 0, false)                      \
    F(equipState, Int, 2, 0, false)                       \
    F(factureMatos, Int, 2, 0, false)                     \
    F(lieuAchatMatos, Text, 2, 0, false)

namespace materiel {

enum Field : int {
#define ONDRIX_MATERIEL_INDEX(n, ...) n,
    ONDRIX_MATERIEL_FIELDS(ONDRIX_MATERIEL_INDEX)
#undef ONDRIX_MATERIEL_INDEX
        FieldCount
};

inline constexpr int kClassVersion = 3;

const registers::RecordSchema& schema();

} // namespace materiel
