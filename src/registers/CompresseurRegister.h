#pragma once

#include "registers/RegisterDescription.h"

namespace compresseur {

// The compressor maintenance log: one record per service of a
// breathing-air compressor, its operations and air analyses, the texts of
// table "Compresseur".
const registers::RegisterDescription& description();

} // namespace compresseur
