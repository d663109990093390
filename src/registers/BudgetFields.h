#pragma once

#include "registers/RecordSchema.h"

// The fields of an offer of the budget forecast, in the order the archive
// writes them. Line 0 is the service itself, lines 1 to 4 the supplements;
// line 5 is kept but counted nowhere.
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking)
#define ONDRIX_BUDGET_FIELDS(F)                           \
    F(prestation, Text, 1, 0, false)                      \
    F(quantite_0, Int, 1, 0, false)                       \
    F(quantite_1, Int, 1, 0, false)                       \
    F(quantite_2, Int, 1, 0, false)                       \
    F(quantite_3, Int, 1, 0, false)                       \
    F(quantite_4, Int, 1, 0, false)                       \
    F(quantite_5, Int, 1, 0, false)                       \
    F(prixUnitaire_0, Float, 1, 0, false)                 \
    F(prixUnitaire_1, Float, 1, 0, false)                 \
    F(prixUnitaire_2, Float, 1, 0, false)                 \
    F(prixUnitaire_3, Float, 1, 0, false)                 \
    F(prixUnitaire_4, Float, 1, 0, false)                 \
    F(prixUnitaire_5, Float, 1, 0, false)                 \
    F(supplement_1, Text, 1, 0, false)                    \
    F(supplement_2, Text, 1, 0, false)                    \
    F(supplement_3, Text, 1, 0, false)                    \
    F(supplement_4, Text, 1, 0, false)                    \
    F(prixDegressif, Int, 1, 0, false)                    \
    F(unitesCarte_1, Int, 1, 0, false)                    \
    F(unitesCarte_2, Int, 1, 0, false)                    \
    F(unitesCarte_3, Int, 1, 0, false)                    \
    F(unitesCarte_4, Int, 1, 0, false)                    \
    F(prixCarte_1, Float, 1, 0, false)                    \
    F(prixCarte_2, Float, 1, 0, false)                    \
    F(prixCarte_3, Float, 1, 0, false)                    \
    F(prixCarte_4, Float, 1, 0, false)                    \
    F(prevDepense, Int, 1, 0, false)                      \
    F(entreprise, Text, 1, 0, false)                      \
    F(qualitePrix, Int, 1, 0, false)                      \
    F(delai, Int, 1, 0, false)                            \
    F(miseAJour, Date, 1, 0, false)                       \
    F(notes, Text, 1, 0, false)

namespace budget {

enum Field : int {
#define ONDRIX_BUDGET_INDEX(n, k, v, fv, e) n,
    ONDRIX_BUDGET_FIELDS(ONDRIX_BUDGET_INDEX)
#undef ONDRIX_BUDGET_INDEX
        FieldCount
};

inline constexpr int kClassVersion = 1;
// The priced lines (0 the service, 1 to 4 the supplements, 5 kept aside)
// and the card formulas (1 to 4).
inline constexpr int kLines = 6;
inline constexpr int kCards = 4;

inline constexpr int quantityOf(int line) { return quantite_0 + line; }
inline constexpr int unitPriceOf(int line) { return prixUnitaire_0 + line; }
inline constexpr int supplementOf(int line) { return supplement_1 + line - 1; }
inline constexpr int cardUnitsOf(int card) { return unitesCarte_1 + card - 1; }
inline constexpr int cardPriceOf(int card) { return prixCarte_1 + card - 1; }

const registers::RecordSchema& schema();

} // namespace budget
