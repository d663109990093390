#pragma once

#include "exchange/ExportOutput.h"
#include "logbook/Plongee.h"
#include "platform/Result.h"

#include <QList>
#include <QString>

class AppContext;

// The logbook's UDDF save types, by type name: "Export UDDF (Universal Dive
// Data Format)" and "Export UDDF 3.2". Each writes a copy of the dives; the
// document stays bound to its logbook file.
namespace uddfexport {

// The type names this module writes.
const QStringList& typeNames();
bool handles(const QString& type);

// The file's bytes and report for a type, with the context's texts ("Air")
// and units; a failure for a type that is not UDDF.
Result<ExportOutput> exportDives(const QString& type, const QList<Plongee>& dives, const AppContext& context);

} // namespace uddfexport
