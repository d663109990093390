#pragma once

#include "registers/SampleValues.h"

#include <QList>

namespace consommables {

// The values of generated consumables cards.
QList<registers::SampleValues> samples();

} // namespace consommables
