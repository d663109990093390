#include "logbook/PlongeeJson.h"

#include "platform/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <limits>

namespace plongeejson {

QString dateText(const QDateTime& date)
{
    return date.toLocalTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
}

void write(JsonWriter& out, const Plongee& dive)
{
    out.raw("{");
    for (int i = 0; i < Plongee::FieldCount; ++i) {
        if (i > 0)
            out.separator();
        out.key(Plongee::field(i).name);
        const Plongee::Value v = dive.value(i);
        if (const auto* n = std::get_if<qint32>(&v)) {
            out.integer(*n);
        } else if (const auto* f = std::get_if<float>(&v)) {
            out.number(*f);
        } else if (const auto* t = std::get_if<Plongee::Text>(&v)) {
            if (*t)
                out.string(**t);
            else
                out.null();
        } else if (const auto* d = std::get_if<QDateTime>(&v)) {
            if (d->isValid())
                out.string(dateText(*d));
            else
                out.null();
        } else if (const auto* fs = std::get_if<Plongee::FloatSamples>(&v)) {
            if (!*fs) {
                out.null();
                continue;
            }
            out.raw("[");
            bool first = true;
            for (const float x : **fs) {
                if (!first)
                    out.separator();
                first = false;
                out.number(x);
            }
            out.raw("]");
        } else if (const auto* is = std::get_if<Plongee::IntSamples>(&v)) {
            if (!*is) {
                out.null();
                continue;
            }
            out.raw("[");
            bool first = true;
            for (const qint16 x : **is) {
                if (!first)
                    out.separator();
                first = false;
                out.integer(x);
            }
            out.raw("]");
        }
    }
    out.raw("}");
}

QByteArray dump(const QList<Plongee>& dives)
{
    QByteArray bytes;
    JsonWriter out(bytes);
    out.raw("[");
    for (qsizetype i = 0; i < dives.size(); ++i) {
        out.raw(i == 0 ? "\n" : ",\n");
        write(out, dives[i]);
    }
    out.raw("\n]\n");
    return bytes;
}

namespace {

std::optional<qint32> integerOf(const QJsonValue& v)
{
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < std::numeric_limits<qint32>::min() || d > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(d);
}

} // namespace

Result<Plongee> read(const QJsonObject& object)
{
    using R = Result<Plongee>;
    Plongee dive;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const int index = Plongee::fieldIndex(it.key());
        if (index < 0)
            return R::failure(QStringLiteral("no dive field is named \"%1\"").arg(it.key()));
        const QJsonValue v = it.value();
        const auto wrong = [&] {
            return R::failure(QStringLiteral("the value of \"%1\" is not of the field's kind").arg(it.key()));
        };
        switch (Plongee::field(index).kind) {
        case Plongee::Kind::Int: {
            const auto n = integerOf(v);
            if (!n)
                return wrong();
            dive.setValue(index, *n);
            break;
        }
        case Plongee::Kind::Float:
        case Plongee::Kind::FloatBits:
            if (!v.isDouble() && !v.isNull())
                return wrong();
            dive.setValue(index, v.isNull() ? std::numeric_limits<float>::quiet_NaN() : float(v.toDouble()));
            break;
        case Plongee::Kind::String:
            if (v.isNull())
                dive.setValue(index, Plongee::Text());
            else if (v.isString())
                dive.setValue(index, Plongee::Text(v.toString()));
            else
                return wrong();
            break;
        case Plongee::Kind::Date:
            if (v.isNull()) {
                dive.setValue(index, QDateTime());
            } else {
                const QDateTime d = QDateTime::fromString(v.toString(), Qt::ISODate);
                if (!v.isString() || !d.isValid())
                    return wrong();
                dive.setValue(index, d);
            }
            break;
        case Plongee::Kind::FloatArray: {
            if (v.isNull()) {
                dive.setValue(index, Plongee::FloatSamples());
                break;
            }
            if (!v.isArray())
                return wrong();
            const QJsonArray a = v.toArray();
            QList<float> samples;
            samples.reserve(a.size());
            for (const QJsonValue& x : a) {
                if (x.isNull())
                    samples.append(std::numeric_limits<float>::quiet_NaN());
                else if (x.isDouble())
                    samples.append(float(x.toDouble()));
                else
                    return wrong();
            }
            dive.setValue(index, Plongee::FloatSamples(std::move(samples)));
            break;
        }
        case Plongee::Kind::IntArray: {
            if (v.isNull()) {
                dive.setValue(index, Plongee::IntSamples());
                break;
            }
            if (!v.isArray())
                return wrong();
            const QJsonArray a = v.toArray();
            QList<qint16> samples;
            samples.reserve(a.size());
            for (const QJsonValue& x : a) {
                const auto n = integerOf(x);
                if (!n || *n < std::numeric_limits<qint16>::min() || *n > std::numeric_limits<qint16>::max())
                    return wrong();
                samples.append(qint16(*n));
            }
            dive.setValue(index, Plongee::IntSamples(std::move(samples)));
            break;
        }
        }
    }
    return dive;
}

Result<QList<Plongee>> parse(const QByteArray& json)
{
    using R = Result<QList<Plongee>>;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        // Report the line and column of the offset the parser gives.
        const QByteArray before = json.left(error.offset);
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = error.offset - (before.lastIndexOf('\n') + 1) + 1;
        return R::failure(QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(error.errorString()));
    }
    if (!doc.isArray())
        return R::failure(QStringLiteral("expected an array of records"));
    const QJsonArray records = doc.array();
    QList<Plongee> dives;
    dives.reserve(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!records[i].isObject())
            return R::failure(QStringLiteral("record %1 is not an object").arg(i));
        auto dive = read(records[i].toObject());
        if (!dive)
            return R::failure(QStringLiteral("record %1: %2").arg(i).arg(dive.error()));
        dives.append(dive.take());
    }
    return dives;
}

} // namespace plongeejson
