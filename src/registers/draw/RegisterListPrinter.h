#pragma once

#include "platform/draw/TablePrinter.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterRecord.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>

class Localizer;

// Printing of a register's list: every column of its description with the
// cell texts and colours of the list window, in landscape with the
// register's page settings.
namespace registerlistprinter {

TablePrinter::PageSettings pageSettings(const registers::RegisterDescription& reg);

// A printer of the records, which must outlive it; the columns as wide as
// their texts need.
TablePrinter printer(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
                     const Localizer& localizer, const QFont& font = QFont());

// The list as a PDF on A4 paper; empty when it could not be made.
QByteArray pdf(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
               const Localizer& localizer, const QString& title);

} // namespace registerlistprinter
