#include "registers/RegisterJson.h"

#include "logbook/PlongeeJson.h"
#include "platform/JsonWriter.h"

#include <QJsonArray>
#include <QJsonObject>
#include <limits>

using registers::FieldKind;

namespace registerjson {

namespace {

void writeValue(JsonWriter& out, const RegisterRecord::Value& v)
{
    if (const auto* n = std::get_if<qint32>(&v)) {
        out.integer(*n);
    } else if (const auto* f = std::get_if<float>(&v)) {
        out.number(*f);
    } else if (const auto* t = std::get_if<RegisterRecord::Text>(&v)) {
        *t ? out.string(**t) : out.null();
    } else if (const auto* d = std::get_if<QDateTime>(&v)) {
        d->isValid() ? out.string(plongeejson::dateText(*d)) : out.null();
    } else if (const auto* image = std::get_if<RegisterRecord::Image>(&v)) {
        if (!*image) {
            out.null();
            return;
        }
        out.raw("{\"image-bytes\":");
        out.integer((*image)->size());
        out.raw("}");
    } else if (const auto* list = std::get_if<RegisterRecord::List>(&v)) {
        out.numbers(*list);
    }
}

std::optional<RegisterRecord::Value> valueOf(FieldKind kind, const QJsonValue& v)
{
    using Value = RegisterRecord::Value;
    switch (kind) {
    case FieldKind::Int:
        if (const auto n = plongeejson::integerOf(v))
            return Value(*n);
        return std::nullopt;
    case FieldKind::Float:
        if (v.isNull())
            return Value(std::numeric_limits<float>::quiet_NaN());
        return v.isDouble() ? std::optional<Value>(float(v.toDouble())) : std::nullopt;
    case FieldKind::Text:
        if (v.isNull())
            return Value(RegisterRecord::Text());
        return v.isString() ? std::optional<Value>(RegisterRecord::Text(v.toString())) : std::nullopt;
    case FieldKind::Date:
        if (v.isNull())
            return Value(QDateTime());
        if (const auto d = v.isString() ? plongeejson::dateOf(v.toString()) : std::nullopt)
            return Value(*d);
        return std::nullopt;
    case FieldKind::Image:
        // A dump gives the size of a picture, not the picture.
        if (v.isNull())
            return Value(RegisterRecord::Image());
        if (v.isObject() && v.toObject().value(QStringLiteral("image-bytes")).toInteger(-1) == 0)
            return Value(RegisterRecord::Image(QByteArray()));
        return std::nullopt;
    case FieldKind::List: {
        if (v.isNull())
            return Value(RegisterRecord::List());
        if (!v.isArray())
            return std::nullopt;
        QList<qint32> list;
        for (const QJsonValue& x : v.toArray()) {
            const auto n = plongeejson::integerOf(x);
            if (!n)
                return std::nullopt;
            list.append(*n);
        }
        return Value(RegisterRecord::List(std::move(list)));
    }
    }
    return std::nullopt;
}

Result<RegisterRecord> read(const registers::RecordSchema& schema, const QJsonObject& object)
{
    using R = Result<RegisterRecord>;
    RegisterRecord record(schema);
    for (auto it = object.begin(); it != object.end(); ++it) {
        const int index = schema.fieldIndex(it.key());
        if (index < 0)
            return R::failure(QStringLiteral("no %1 field is named \"%2\"").arg(QLatin1String(schema.className), it.key()));
        auto value = valueOf(schema.field(index).kind, it.value());
        if (!value)
            return R::failure(QStringLiteral("the value of \"%1\" is not of the field's kind").arg(it.key()));
        record.setValue(index, std::move(*value));
    }
    return record;
}

} // namespace

QByteArray dump(const QList<RegisterRecord>& records)
{
    QByteArray bytes;
    JsonWriter out(bytes);
    out.raw("[");
    for (qsizetype i = 0; i < records.size(); ++i) {
        out.raw(i == 0 ? "\n" : ",\n");
        out.raw("{");
        const registers::RecordSchema& schema = records[i].schema();
        for (int f = 0; f < schema.fieldCount(); ++f) {
            if (f > 0)
                out.separator();
            out.key(schema.field(f).name);
            writeValue(out, records[i].value(f));
        }
        out.raw("}");
    }
    out.raw("\n]\n");
    return bytes;
}

Result<QList<RegisterRecord>> parse(const registers::RecordSchema& schema, const QByteArray& json)
{
    using R = Result<QList<RegisterRecord>>;
    auto objects = plongeejson::recordObjects(json, kMaxRecords, QStringLiteral("a register"));
    if (!objects)
        return R::failure(objects.error());
    QList<RegisterRecord> records;
    records.reserve(objects->size());
    for (qsizetype i = 0; i < objects->size(); ++i) {
        auto record = read(schema, (*objects)[i]);
        if (!record)
            return R::failure(QStringLiteral("record %1: %2").arg(i).arg(record.error()));
        records.append(record.take());
    }
    return records;
}

} // namespace registerjson
