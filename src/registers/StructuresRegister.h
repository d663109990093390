#pragma once

#include "registers/RegisterDescription.h"

namespace structures {

// The structures address book: the clubs and dive centres a diver knows,
// their kind, address, contacts, prices, opening hours and the dives made
// there; texts of table "Structures".
const registers::RegisterDescription& description();

} // namespace structures
