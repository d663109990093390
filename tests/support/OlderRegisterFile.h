#pragma once

#include "platform/ArchiveWriter.h"
#include "platform/context/DocumentTypes.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterRecord.h"

#include <QByteArray>
#include <functional>

// A value distinct per field for an older file to hold: the field's index
// as a number or text ("t7"), `when` as a date; lists and pictures absent.
inline RegisterRecord::Value distinctValue(const registers::RecordSchema& schema, int field, const QDateTime& when)
{
    switch (schema.field(field).kind) {
    case registers::FieldKind::Int: return qint32(field);
    case registers::FieldKind::Float: return float(field) + 0.25f;
    case registers::FieldKind::Text: return RegisterRecord::Text(QStringLiteral("t%1").arg(field));
    case registers::FieldKind::Date: return when;
    default: return RegisterRecord::freshValue(schema.field(field).kind);
    }
}

// A register file of one record as an older class version wrote it: only
// the fields that version archived, each holding valueOf(field) in the form
// that version archived it (a whole number where the field was then an "i").
inline QByteArray olderRegisterFile(const registers::RegisterDescription& reg, int version,
                                    const std::function<RegisterRecord::Value(int)>& valueOf)
{
    using registers::FieldKind;
    const registers::RecordSchema& schema = reg.schema;
    ArchiveWriter out(DocumentTypes::of(reg.kind).id, {{QString::fromLatin1(schema.className), version}}, 1);
    out.beginRecord(0);
    for (int f = 0; f < schema.fieldCount(); ++f) {
        const registers::FieldInfo& info = schema.field(f);
        if (info.sinceVersion > version)
            continue;
        const RegisterRecord::Value v = valueOf(f);
        switch (info.kind) {
        case FieldKind::Int: out.writeInt(std::get<qint32>(v)); break;
        case FieldKind::Float:
            version < info.floatSinceVersion ? out.writeInt(qint32(std::get<float>(v))) : out.writeFloat(std::get<float>(v));
            break;
        case FieldKind::Text:
            info.scalarIn(version) ? out.writeInt(std::get<RegisterRecord::Text>(v).value_or(QString()).toInt())
                                   : out.writeString(std::get<RegisterRecord::Text>(v));
            break;
        case FieldKind::Date: out.writeDate(std::get<QDateTime>(v)); break;
        case FieldKind::Image: out.writeImage(std::get<RegisterRecord::Image>(v)); break;
        case FieldKind::List: out.writeIntArray32(std::get<RegisterRecord::List>(v)); break;
        }
    }
    return out.finish().take();
}
