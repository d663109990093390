#pragma once

#include "platform/ToolbarDefinition.h"

namespace registers {
struct RegisterDescription;
}

// A register's two customisable toolbars, from the items its description
// names: the list window's (save, print, new, delete, synthesis) and the
// edit window's (add, insert, update, erase, synthesis), each with a
// separator, the customise button and a flexible space. Their texts are
// those of the table "Main".
namespace registertoolbars {

ToolbarDefinition listToolbar(const registers::RegisterDescription& reg);
ToolbarDefinition editToolbar(const registers::RegisterDescription& reg);

// The identifiers of the commands every register shares.
inline constexpr const char* saveId = "saveDocument";
inline constexpr const char* printId = "imprimer";
inline constexpr const char* synthesisId = "synthese";
inline constexpr const char* blankId = "blankFields";

} // namespace registertoolbars
