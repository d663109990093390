#pragma once

#include "registers/AddressBook.h"
#include "registers/RecordSchema.h"

// The fields of a firm's card, in the order the archive writes them.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking, textSinceVersion)
#define ONDRIX_ENTREPRISES_FIELDS(F)                                                          \
    F(entreprise, Text, 0, 0, false, 0)                                                       \
    F(adresse, Text, 0, 0, false, 0)                                                          \
    F(codePostal, Text, 0, 0, false, 2)                                                       \
    F(ville, Text, 0, 0, false, 0)                                                            \
    F(pays, Text, 0, 0, false, 0)                                                             \
    F(telephone, Text, 0, 0, false, 0)                                                        \
    F(fax, Text, 0, 0, false, 0)                                                              \
    F(email, Text, 0, 0, false, 0)                                                            \
    F(url, Text, 0, 0, false, 0)                                                              \
    F(activite, Text, 0, 0, false, 0)                                                         \
    F(miseAJour, Date, 0, 0, false, 0)                                                        \
    ONDRIX_OPENING_HOURS_FIELDS(F)                                                            \
    F(remarques, Text, 0, 0, false, 0)                                                        \
    F(cotation, Int, 3, 0, false, 0)

namespace entreprises {

enum Field : int {
#define ONDRIX_ENTREPRISES_INDEX(n, k, v, fv, e, t) n,
    ONDRIX_ENTREPRISES_FIELDS(ONDRIX_ENTREPRISES_INDEX)
#undef ONDRIX_ENTREPRISES_INDEX
        FieldCount
};

// Version 2 keeps the postcode as a text, version 3 adds the rating.
inline constexpr int kClassVersion = 3;

const registers::RecordSchema& schema();
// The shared address book fields of a firm's card.
const addressbook::Fields& addressFields();

} // namespace entreprises
