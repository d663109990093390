#pragma once

#include "registers/AddressBook.h"
#include "registers/RecordSchema.h"

// The fields of a diving structure's card, in the order the archive writes
// them. F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking,
// textSinceVersion)
#define ONDRIX_STRUCTURES_FIELDS(F)                                                           \
    F(nom, Text, 0, 0, false, 0)                                                              \
    F(type, Int, 0, 0, false, 0)                                                              \
    F(affiliation, Text, 0, 0, false, 0)                                                      \
    F(gerant, Text, 0, 0, false, 0)                                                           \
    F(adresse, Text, 0, 0, false, 0)                                                          \
    F(codePostal, Text, 0, 0, false, 1)                                                       \
    F(ville, Text, 0, 0, false, 0)                                                            \
    F(pays, Text, 0, 0, false, 0)                                                             \
    F(telephone, Text, 0, 0, false, 0)                                                        \
    F(portable, Text, 0, 0, false, 0)                                                         \
    F(fax, Text, 0, 0, false, 0)                                                              \
    F(url, Text, 0, 0, false, 0)                                                              \
    F(email, Text, 0, 0, false, 0)                                                            \
    F(cotation, Int, 0, 0, false, 0)                                                          \
    F(miseAJour, Date, 0, 0, false, 0)                                                        \
    F(plongee_1, Text, 0, 0, false, 0)                                                        \
    F(plongee_2, Text, 0, 0, false, 0)                                                        \
    F(plongee_3, Text, 0, 0, false, 0)                                                        \
    F(plongee_4, Text, 0, 0, false, 0)                                                        \
    F(plongee_5, Text, 0, 0, false, 0)                                                        \
    F(bapteme, Float, 0, 0, false, 0)                                                         \
    F(prix_1, Float, 0, 0, false, 0)                                                          \
    F(prix_2, Float, 0, 0, false, 0)                                                          \
    F(prix_3, Float, 0, 0, false, 0)                                                          \
    F(prix_4, Float, 0, 0, false, 0)                                                          \
    F(prix_5, Float, 0, 0, false, 0)                                                          \
    F(formation_1, Text, 0, 0, false, 0)                                                      \
    F(formation_2, Text, 0, 0, false, 0)                                                      \
    F(formation_3, Text, 0, 0, false, 0)                                                      \
    F(formation_4, Text, 0, 0, false, 0)                                                      \
    F(formation_5, Text, 0, 0, false, 0)                                                      \
    F(formation_6, Text, 0, 0, false, 0)                                                      \
    F(prixForm_1, Float, 0, 0, false, 0)                                                      \
    F(prixForm_2, Float, 0, 0, false, 0)                                                      \
    F(prixForm_3, Float, 0, 0, false, 0)                                                      \
    F(prixForm_4, Float, 0, 0, false, 0)                                                      \
    F(prixForm_5, Float, 0, 0, false, 0)                                                      \
    F(prixForm_6, Float, 0, 0, false, 0)                                                      \
    ONDRIX_OPENING_HOURS_FIELDS(F)                                                            \
    F(nbPlongees, Int, 0, 0, false, 0)                                                        \
    F(remarques, Text, 0, 0, false, 0)

namespace structures {

enum Field : int {
#define ONDRIX_STRUCTURES_INDEX(n, k, v, fv, e, t) n,
    ONDRIX_STRUCTURES_FIELDS(ONDRIX_STRUCTURES_INDEX)
#undef ONDRIX_STRUCTURES_INDEX
        FieldCount
};

// Version 0 kept the postcode as a whole number, which lost its leading
// zeros and could not hold letters; version 1 keeps it as a text.
inline constexpr int kClassVersion = 1;

inline constexpr int kDiveKinds = 5;
inline constexpr int kCourses = 6;

const registers::RecordSchema& schema();
// The shared address book fields of a structure's card.
const addressbook::Fields& addressFields();

} // namespace structures
