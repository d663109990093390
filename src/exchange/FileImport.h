#pragma once

#include "exchange/ExchangeSniffer.h"
#include "exchange/ImportProgress.h"

#include <QString>

class Carnet;
class QIODevice;

// Imports an exchange file into a logbook in one step: its format is told
// from its content, every dive is read and built through the dive form (as
// it is read, where the reader can), then all are appended, or none. A
// refused file leaves the logbook as it was.
namespace fileimport {

struct Outcome {
    bool ok = false;
    bool cancelled = false;
    int dives = 0;
    int placeholders = 0; // empty dive elements left out
    QString error; // "line 12, column 7: ..." or why the file could not be opened
    ExchangeFormat format = ExchangeFormat::Unknown; // the file's, as its content shows
};

Outcome importDevice(Carnet& carnet, QIODevice& device, const ImportProgress& progress = {});
Outcome importFile(Carnet& carnet, const QString& path, const ImportProgress& progress = {});

} // namespace fileimport
