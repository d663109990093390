#pragma once

#include "registers/RegisterDescription.h"

#include <QString>

// Column kinds several registers share.
namespace registercolumns {

// A switch field's column: the localised "Check" (table "Main") in green
// when the switch is on, else empty.
registers::Column checkColumn(const char* field, int fieldIndex);

// A column showing a time of day as "HH:MM", empty for no time.
registers::Column timeColumn(const char* field, int fieldIndex);

// The column title key of a field: "Column <field>".
QString titleKeyOf(const char* field);

} // namespace registercolumns
