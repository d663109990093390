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

void write(JsonWriter& out, const Plongee& dive);
QByteArray dump(const QList<Plongee>& dives);

// Builds a dive from such an object. Fields not given keep the value of a
// fresh record; an unknown key or a value of the wrong kind is refused.
Result<Plongee> read(const QJsonObject& object);
Result<QList<Plongee>> parse(const QByteArray& json);

QString dateText(const QDateTime& date);

} // namespace plongeejson
