#pragma once

#include <QString>
#include <functional>
#include <optional>

class ArchiveReader;

// The checks every document makes on an opened archive before it decodes a
// record: the type id, the one root class, a class version this program
// can read, and a record count the bytes left can hold.
namespace archiveroot {

struct Expected {
    QString typeId;      // "logbook", "wrecks", ...
    QString className;   // "Plongee", "Epaves", ...
    int classVersion;    // the newest version this program writes
    QString document;    // "a logbook", "a wreck repertory"
    QString records;     // "dives", "wreck cards"
    std::function<int(int version)> minimumRecordSize;
};

// Why the archive is refused, or nothing; on success `version` holds the
// class version the records were written under. A refusal is also the
// reader's failure, so that of a damaged file the damage is named.
std::optional<QString> refusal(ArchiveReader& in, const Expected& expected, int* version);

} // namespace archiveroot
