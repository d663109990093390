#pragma once

#include "platform/ArchiveWriter.h"
#include "registers/RecordSchema.h"
#include "registers/RegisterRecord.h"

#include <QByteArray>
#include <QList>
#include <functional>

// A register file as an older version wrote it: each record holds only the
// fields that version archived, in archive order, a Float field written as
// "i" before the version its schema names.
inline QByteArray olderRegisterFile(const registers::RecordSchema& schema, const QString& typeId, int version,
                                    const QList<std::function<RegisterRecord::Value(int)>>& records)
{
    ArchiveWriter out(typeId, {{QString::fromLatin1(schema.className), version}}, int(records.size()));
    for (qsizetype i = 0; i < records.size(); ++i) {
        out.beginRecord(0);
        for (int f = 0; f < schema.fieldCount(); ++f) {
            const registers::FieldInfo& info = schema.field(f);
            if (info.sinceVersion > version)
                continue;
            const RegisterRecord::Value v = records[i](f);
            if (const auto* n = std::get_if<qint32>(&v))
                out.writeInt(*n);
            else if (const auto* x = std::get_if<float>(&v))
                version < info.floatSinceVersion ? out.writeInt(qint32(*x)) : out.writeFloat(*x);
            else if (const auto* t = std::get_if<RegisterRecord::Text>(&v))
                out.writeString(*t);
            else if (const auto* d = std::get_if<QDateTime>(&v))
                out.writeDate(*d);
            else if (const auto* image = std::get_if<RegisterRecord::Image>(&v))
                out.writeImage(*image);
        }
    }
    return out.finish().take();
}
