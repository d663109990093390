#pragma once

#include "registers/RecordSchema.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

// One card of a register: a plain value record whose fields are those of
// its schema. A fresh record holds 0 in its numbers and nothing in its
// texts, dates, images and lists.
class RegisterRecord {
public:
    using Text = std::optional<QString>;
    using Image = std::optional<QByteArray>;
    using List = std::optional<QList<qint32>>;
    using Value = std::variant<qint32, float, Text, QDateTime, Image, List>;

    explicit RegisterRecord(const registers::RecordSchema& schema);

    const registers::RecordSchema& schema() const { return *m_schema; }

    // The value must be of the field's kind (see FieldKind and Value).
    const Value& value(int field) const { return m_values[size_t(field)]; }
    void setValue(int field, Value value) { m_values[size_t(field)] = std::move(value); }

    qint32 integer(int field) const { return std::get<qint32>(value(field)); }
    float decimal(int field) const { return std::get<float>(value(field)); }
    const Text& text(int field) const { return std::get<Text>(value(field)); }
    const QDateTime& date(int field) const { return std::get<QDateTime>(value(field)); }
    const Image& image(int field) const { return std::get<Image>(value(field)); }

    // Writes every field in the current class version.
    void write(ArchiveWriter& out) const;
    // Reads the fields a class version wrote; the others take the value the
    // schema gives a lacking field.
    void read(ArchiveReader& in, int classVersion);

    // Field by field, floats compared by their bits, dates to the millisecond.
    bool identical(const RegisterRecord& other) const;

    static Value freshValue(registers::FieldKind kind);

private:
    const registers::RecordSchema* m_schema;
    std::vector<Value> m_values;
};
