#pragma once

#include "platform/StyledText.h"
#include "registers/RegisterRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

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

// The same text piece by piece (the heading, each record, the closing
// lines), for a writer that need not hold the whole text at once.
void writePieces(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
                 const Localizer& localizer, const QString& filePath, const QDateTime& madeOn,
                 const std::function<void(const StyledText&)>& write);

} // namespace registersynthesis
