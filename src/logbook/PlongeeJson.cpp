#include "logbook/PlongeeJson.h"

#include "logbook/DiveBounds.h"
#include "platform/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace plongeejson {

QString dateText(const QDateTime& date)
{
    const QDateTime local = date.toLocalTime();
    const QDate day = local.date();
    const QTime time = local.time();
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    const QString year = day.year() < 0 ? QStringLiteral("-%1").arg(-qint64(day.year()), 4, 10, QLatin1Char('0'))
                                        : QStringLiteral("%1").arg(day.year(), 4, 10, QLatin1Char('0'));
    return QStringLiteral("%1-%2-%3T%4:%5:%6")
        .arg(year, two(day.month()), two(day.day()), two(time.hour()), two(time.minute()), two(time.second()));
}

std::optional<QDateTime> dateOf(const QString& text)
{
    static const QRegularExpression written(
        QStringLiteral("^(-?\\d{1,9})-(\\d\\d)-(\\d\\d)T(\\d\\d):(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch m = written.match(text);
    if (m.hasMatch()) {
        const auto at = [&m](int i) { return m.capturedView(i).toInt(); };
        const QDateTime d(QDate(at(1), at(2), at(3)), QTime(at(4), at(5), at(6)));
        return d.isValid() ? std::optional<QDateTime>(d) : std::nullopt;
    }
    const QDateTime d = QDateTime::fromString(text, Qt::ISODate);
    return d.isValid() ? std::optional<QDateTime>(d) : std::nullopt;
}

std::optional<qint32> integerOf(const QJsonValue& v)
{
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < std::numeric_limits<qint32>::min() || d > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(d);
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
            out.numbers(*fs);
        } else if (const auto* is = std::get_if<Plongee::IntSamples>(&v)) {
            out.numbers(*is);
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


// At least how many values the top-level array holds, counted on the text:
// the bound on records is kept before the document is built.
qsizetype topLevelValues(const QByteArray& json)
{
    qsizetype commas = 0;
    int depth = 0;
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            --depth;
        } else if (c == ',' && depth == 1) {
            ++commas;
        }
    }
    return commas + 1;
}

template <typename T> using Samples = std::optional<QList<T>>;

// A list of samples; each sample is checked by `take`, which returns false
// for a value of the wrong kind.
template <typename T, typename Take>
std::optional<Samples<T>> samplesOf(const QJsonValue& v, Take take)
{
    if (v.isNull())
        return Samples<T>();
    if (!v.isArray())
        return std::nullopt;
    const QJsonArray a = v.toArray();
    QList<T> samples;
    samples.reserve(a.size());
    for (const QJsonValue& x : a) {
        T value{};
        if (!take(x, &value))
            return std::nullopt;
        samples.append(value);
    }
    return Samples<T>(std::move(samples));
}

bool takeFloat(const QJsonValue& x, float* value)
{
    if (x.isNull())
        *value = std::numeric_limits<float>::quiet_NaN();
    else if (x.isDouble())
        *value = float(x.toDouble());
    else
        return false;
    return true;
}

bool takeShort(const QJsonValue& x, qint16* value)
{
    const auto n = integerOf(x);
    if (!n || *n < std::numeric_limits<qint16>::min() || *n > std::numeric_limits<qint16>::max())
        return false;
    *value = qint16(*n);
    return true;
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
        if (v.isArray() && v.toArray().size() > divebounds::kMaxSamples)
            return R::failure(QStringLiteral("\"%1\" has %2 samples, more than a dive holds (%3)")
                                  .arg(it.key())
                                  .arg(v.toArray().size())
                                  .arg(divebounds::kMaxSamples));
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
                const auto d = v.isString() ? dateOf(v.toString()) : std::nullopt;
                if (!d)
                    return wrong();
                dive.setValue(index, *d);
            }
            break;
        case Plongee::Kind::FloatArray: {
            auto samples = samplesOf<float>(v, takeFloat);
            if (!samples)
                return wrong();
            dive.setValue(index, std::move(*samples));
            break;
        }
        case Plongee::Kind::IntArray: {
            auto samples = samplesOf<qint16>(v, takeShort);
            if (!samples)
                return wrong();
            dive.setValue(index, std::move(*samples));
            break;
        }
        }
    }
    if (const auto problem = divebounds::check(dive))
        return R::failure(problem->text);
    return dive;
}

Result<QList<QJsonObject>> recordObjects(const QByteArray& json, qsizetype maxRecords, const QString& holder)
{
    using R = Result<QList<QJsonObject>>;
    const auto tooMany = [&](qsizetype n) {
        return R::failure(QStringLiteral("%1 records, more than %2 holds (%3)").arg(n).arg(holder).arg(maxRecords));
    };
    if (const qsizetype n = topLevelValues(json); n > maxRecords)
        return tooMany(n);
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
    if (records.size() > maxRecords)
        return tooMany(records.size());
    QList<QJsonObject> objects;
    objects.reserve(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!records[i].isObject())
            return R::failure(QStringLiteral("record %1 is not an object").arg(i));
        objects.append(records[i].toObject());
    }
    return objects;
}

Result<QList<Plongee>> parse(const QByteArray& json)
{
    using R = Result<QList<Plongee>>;
    auto records = recordObjects(json, kMaxRecords, QStringLiteral("a logbook"));
    if (!records)
        return R::failure(records.error());
    QList<Plongee> dives;
    dives.reserve(records->size());
    for (qsizetype i = 0; i < records->size(); ++i) {
        auto dive = read((*records)[i]);
        if (!dive)
            return R::failure(QStringLiteral("record %1: %2").arg(i).arg(dive.error()));
        dives.append(dive.take());
    }
    return dives;
}

} // namespace plongeejson
