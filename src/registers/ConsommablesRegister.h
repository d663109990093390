#pragma once

#include "registers/RegisterDescription.h"

namespace consommables {

// The consumables inventory: consumables cards, their two-pane form, the
// list's columns and the texts of table "Consommables".
const registers::RegisterDescription& description();

// The level indicator of a stock against its reserve: stock × 10 ÷
// reserve, a reserve of 0 counting as 1.
double stockLevel(float stock, float reserve);

} // namespace consommables
