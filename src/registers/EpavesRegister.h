#pragma once

#include "registers/RegisterDescription.h"

namespace epaves {

// The wreck repertory: wreck cards, their five-pane form, the list's
// columns and the texts of table "Epaves".
const registers::RegisterDescription& description();

} // namespace epaves
