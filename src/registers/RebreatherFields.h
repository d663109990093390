#pragma once

#include "registers/RecordSchema.h"

// The fields of a rebreather intervention, in the order the archive writes
// them: the operations of version 1, the oxygen pressure of version 2, the
// fitted cells of version 3, the remarks last.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking)
#define ONDRIX_REBREATHER_FIELDS(F)  \
    F(date, Date, 1, 0, false)           \
    F(rebreatherTime, Text, 1, 0, false) \
    F(sofnoTime, Date, 1, 0, false)      \
    F(sofnolime, Int, 1, 0, false)       \
    F(disinfection, Int, 1, 0, false)    \
    F(battery, Int, 1, 0, false)         \
    F(cells, Int, 1, 0, false)           \
    F(nbCells, Int, 1, 0, false)         \
    F(injector, Int, 1, 0, false)        \
    F(valve, Int, 1, 0, false)           \
    F(oRing, Int, 1, 0, false)           \
    F(electronicHead, Int, 1, 0, false)  \
    F(scrubber, Int, 1, 0, false)        \
    F(mpO2, Int, 2, 0, false)            \
    F(mpO2Value, Float, 2, 0, false)     \
    F(cell1, Int, 3, 0, false)           \
    F(cell2, Int, 3, 0, false)           \
    F(cell3, Int, 3, 0, false)           \
    F(cell4, Int, 3, 0, false)           \
    F(cell5, Int, 3, 0, false)           \
    F(cell1_in, Date, 3, 0, false)       \
    F(cell2_in, Date, 3, 0, false)       \
    F(cell3_in, Date, 3, 0, false)       \
    F(cell4_in, Date, 3, 0, false)       \
    F(cell5_in, Date, 3, 0, false)       \
    F(notes, Text, 1, 0, false)

namespace rebreather {

enum Field : int {
#define ONDRIX_REBREATHER_INDEX(n, k, v, fv, e) n,
    ONDRIX_REBREATHER_FIELDS(ONDRIX_REBREATHER_INDEX)
#undef ONDRIX_REBREATHER_INDEX
        FieldCount
};

inline constexpr int kClassVersion = 3;
inline constexpr int kCellCount = 5;

const registers::RecordSchema& schema();

} // namespace rebreather
