#pragma once

#include <QString>
#include <QStringView>
#include <span>

// The fields of one kind of register record, in the order the archive
// writes them, with the class version that first archives each field and
// how an older version wrote it. Registers differ only by their schemas:
// storage, archive, JSON, form and table code is shared.
namespace registers {

enum class FieldKind { Int, Float, Text, Date, Image, List };

struct FieldInfo {
    const char* name;
    FieldKind kind;
    int sinceVersion;      // first class version that archives the field
    int floatSinceVersion; // a Float field archived as "i" by versions below this one
    bool emptyWhenLacking; // a Text field that a version lacks reads as "" (else absent or 0)
    // A Date field archived by versions below this one as the day typed,
    // a text read with `oldDatePattern` (no date when it does not parse).
    int dateSinceVersion = 0;
    const char* oldDatePattern = nullptr;
    // A Text field archived as an "i" whole number by versions below this
    // one (a postcode kept as a number); it reads as that number's decimal text.
    int textSinceVersion = 0;

    // Whether a version archives the field as a scalar ("i" or "f").
    bool scalarIn(int version) const
    {
        return kind == FieldKind::Int || kind == FieldKind::Float || (kind == FieldKind::Text && version < textSinceVersion);
    }
};

struct RecordSchema {
    const char* className;
    int classVersion;
    std::span<const FieldInfo> fields;

    int fieldCount() const { return int(fields.size()); }
    const FieldInfo& field(int index) const { return fields[size_t(index)]; }
    // -1 for a name that is no field.
    int fieldIndex(QStringView name) const;
    // The fewest bytes one record archived under a version can take.
    int minimumArchivedSize(int version) const;
};

} // namespace registers
