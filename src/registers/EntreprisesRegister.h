#pragma once

#include "registers/RegisterDescription.h"

namespace entreprises {

// The firms address book: the firms a diver deals with, their address,
// contacts, activity, rating and opening hours; texts of table "Entreprises".
const registers::RegisterDescription& description();

} // namespace entreprises
