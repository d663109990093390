#pragma once

#include "registers/RecordSchema.h"

// The fields of a compressor service, in the order the archive writes them.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking)
#define ONDRIX_COMPRESSEUR_FIELDS(F) \
    F(marque, Text, 1, 0, false)     \
    F(modele, Text, 1, 0, false)     \
    F(cumulTemps, Text, 1, 0, false) \
    F(date, Date, 1, 0, false)       \
    F(temps, Date, 1, 0, false)      \
    F(vidange, Int, 1, 0, false)     \
    F(typeHuile, Int, 1, 0, false)   \
    F(filtreAir, Int, 1, 0, false)   \
    F(operationFiltre, Int, 1, 0, false) \
    F(cartouche, Int, 1, 0, false)   \
    F(charbon, Int, 1, 0, false)     \
    F(alumine, Int, 1, 0, false)     \
    F(tamis, Int, 1, 0, false)       \
    F(depoussierage, Int, 1, 0, false) \
    F(controles, Int, 1, 0, false)   \
    F(soupapes, Int, 1, 0, false)    \
    F(intSoupape, Int, 1, 0, false)  \
    F(anHuile, Float, 1, 0, false)   \
    F(anCO2, Float, 1, 0, false)     \
    F(anCO, Float, 1, 0, false)      \
    F(anH2O, Float, 1, 0, false)     \
    F(anCO2Unit, Int, 1, 0, false)   \
    F(anCOUnit, Int, 1, 0, false)    \
    F(notes, Text, 1, 0, false)

namespace compresseur {

enum Field : int {
#define ONDRIX_COMPRESSEUR_INDEX(n, k, v, fv, e) n,
    ONDRIX_COMPRESSEUR_FIELDS(ONDRIX_COMPRESSEUR_INDEX)
#undef ONDRIX_COMPRESSEUR_INDEX
        FieldCount
};

inline constexpr int kClassVersion = 1;

const registers::RecordSchema& schema();

} // namespace compresseur
