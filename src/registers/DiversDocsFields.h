#pragma once

#include "registers/RecordSchema.h"

// The fields of a paper of the document register, in the order the archive
// writes them.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking)
#define ONDRIX_DIVERSDOCS_FIELDS(F)                       \
    F(type, Int, 1, 0, false)                             \
    F(titre, Text, 1, 0, false)                           \
    F(emetteur, Text, 1, 0, false)                        \
    F(date, Date, 1, 0, false)                            \
    F(renouveler, Int, 1, 0, false)                       \
    F(dateRenouvellement, Date, 1, 0, false)              \
    F(photocopy, Image, 1, 0, false)                      \
    F(notes, Text, 1, 0, false)

namespace diversdocs {

enum Field : int {
#define ONDRIX_DIVERSDOCS_INDEX(n, k, v, fv, e) n,
    ONDRIX_DIVERSDOCS_FIELDS(ONDRIX_DIVERSDOCS_INDEX)
#undef ONDRIX_DIVERSDOCS_INDEX
        FieldCount
};

inline constexpr int kClassVersion = 1;

const registers::RecordSchema& schema();

} // namespace diversdocs
