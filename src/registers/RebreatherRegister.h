#pragma once

#include "registers/RegisterDescription.h"

namespace rebreather {

// The rebreather service log: one record per intervention on a
// closed-circuit rebreather, its oxygen cells and their life, the texts of
// table "Rebreather".
const registers::RegisterDescription& description();

} // namespace rebreather
