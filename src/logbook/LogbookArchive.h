#pragma once

#include "logbook/Plongee.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The logbook file: the archive of the dives, in list order, and nothing else.
namespace logbookarchive {

QByteArray encode(const QList<Plongee>& dives);

// Refuses, with a sentence saying why, anything but a whole logbook archive
// that this version can read; never returns a partial list.
Result<QList<Plongee>> decode(QByteArrayView bytes);

} // namespace logbookarchive
