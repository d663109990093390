#pragma once

#include "registers/RecordSchema.h"

// The fields of a consumables card, in the order the archive writes them.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking)
#define ONDRIX_CONSOMMABLES_FIELDS(F)                     \
    F(reference, Text, 1, 0, false)                       \
    F(marque, Text, 1, 0, false)                          \
    F(utilisation, Text, 1, 0, false)                     \
    F(stock, Float, 1, 2, false)                          \
    F(reserve, Float, 1, 2, false)                        \
    F(rangement, Text, 1, 0, false)                       \
    F(noInventaire, Int, 1, 0, false)                     \
    F(dateInventaire, Date, 1, 0, false)                  \
    F(notes, Text, 1, 0, false)

namespace consommables {

enum Field : int {
#define ONDRIX_CONSOMMABLES_INDEX(n, ...) n,
    ONDRIX_CONSOMMABLES_FIELDS(ONDRIX_CONSOMMABLES_INDEX)
#undef ONDRIX_CONSOMMABLES_INDEX
        FieldCount
};

inline constexpr int kClassVersion = 2;

const registers::RecordSchema& schema();

} // namespace consommables
