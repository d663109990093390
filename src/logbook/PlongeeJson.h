#pragma once

#include "logbook/Plongee.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>

class JsonWriter;

// The JSON form of dives used by the command line: one object per dive, the
// keys being the field names in archive order. Texts are strings (null when
// absent), dates local time "YYYY-MM-DDTHH:MM:SS" (or null), numbers are
// numbers, profile lists arrays (a sample that is not a number prints null).
namespace plongeejson {

// More records than any diver's logbook holds: a longer array is refused
// before any dive is built (each one takes a couple of kilobytes).
inline constexpr qsizetype kMaxRecords = 200'000;

void write(JsonWriter& out, const Plongee& dive);
QByteArray dump(const QList<Plongee>& dives);

// Builds a dive from such an object. Fields not given keep the value of a
// fresh record; an unknown key, a value of the wrong kind, more samples than
// a dive holds, and a dive that a logbook cannot hold (see divebounds) are
// refused. A null sample or float field reads as NaN, and is refused so.
Result<Plongee> read(const QJsonObject& object);
// Refusals name the record, counting from 0.
Result<QList<Plongee>> parse(const QByteArray& json);
// The record objects of such an array, refusing malformed JSON (with its
// line and column), anything but an array of objects, and more than
// maxRecords records (`holder` names what would hold them: "a logbook").
Result<QList<QJsonObject>> recordObjects(const QByteArray& json, qsizetype maxRecords, const QString& holder);

// "YYYY-MM-DDTHH:MM:SS" in local time; a year of more digits or before
// year 0 is written as it is ("12345-01-01T00:00:00"), for the reader to
// refuse by its year.
QString dateText(const QDateTime& date);
// Reads what dateText writes, any year, or another ISO form; nothing for
// any other text.
std::optional<QDateTime> dateOf(const QString& text);
// A JSON number that is a whole 32-bit integer.
std::optional<qint32> integerOf(const QJsonValue& value);

} // namespace plongeejson
