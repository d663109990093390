#pragma once

#include "registers/RegisterRecord.h"

#include <QList>

namespace registers {
struct RegisterDescription;
}

// Synthetic registers for trials and benchmarks: records with every field
// filled from the register's sample values and the kinds and controls of
// its fields, a picture on one record in ten where the record has one. The
// same seed always gives the same records.
namespace registergenerator {

QList<RegisterRecord> generate(const registers::RegisterDescription& reg, int records, quint64 seed);

// A small seascape with a hull, as PNG bytes, varied by the generator.
QByteArray picture(quint32 variant);

} // namespace registergenerator
