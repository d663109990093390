#pragma once

#include "platform/StyledText.h"
#include "registers/RegisterRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Localizer;
namespace registers {
struct RegisterDescription;
}

// The synthesis window's text of a whole register: the register's heading,
// then every record's synthesis in list order, then the file it comes from
// and the day it was made, in green.
namespace registersynthesis {

StyledText ofAll(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
                 const Localizer& localizer, const QString& filePath, const QDateTime& madeOn);

} // namespace registersynthesis
