#pragma once

#include "logbook/Plongee.h"
#include "platform/ArchiveWriter.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

class FileArrival;

// The logbook file: the archive of the dives, in list order, and nothing else.
namespace logbookarchive {

// The archive of the dives, or why it cannot be written (a value too large
// for a document to hold).
Result<QByteArray> encode(const QList<Plongee>& dives);
// The same, handed to `sink` a few megabytes at a time as it is made; the
// result is the last piece (see ArchiveWriter::streamTo).
Result<QByteArray> encode(const QList<Plongee>& dives, const ArchiveWriter::Sink& sink);

// Refuses, with a sentence saying why, anything but a whole logbook archive
// that this version can read; never returns a partial list.
Result<QList<Plongee>> decode(QByteArrayView bytes);
// The same from bytes the dives may share: their texts and profiles stay
// in the archived form, checked, until something reads them. Of bytes
// still arriving (see FileBytes::openArriving), each record is decoded as
// soon as its bytes are in.
Result<QList<Plongee>> decode(const QByteArray& bytes, const FileArrival* arrival = nullptr);

} // namespace logbookarchive
