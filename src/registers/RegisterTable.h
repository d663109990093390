#pragma once

#include "registers/RegisterDescription.h"
#include "registers/RegisterRecord.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

class Localizer;

// The list window's table of a register: one row per record, the columns of
// its description, each cell a text and a text colour.
namespace registertable {

// A column showing a field as plain text, titled by the key "Column <id>".
registers::Column fieldColumn(const char* id);

QString title(const registers::RegisterDescription& reg, const registers::Column& column, const Localizer& localizer);
QString text(const registers::Column& column, const RegisterRecord& record, const Localizer& localizer);
std::optional<RgbaColour> colour(const registers::Column& column, const RegisterRecord& record);

// A field's value as plain text: numbers in their shortest form, texts as
// they stand, dates "DD/MM/YYYY", nothing for pictures and lists.
QString plainText(const RegisterRecord& record, int field);
// A date as the list and the syntheses show it, "DD/MM/YYYY" in local
// time; empty for no date.
QString dayText(const QDateTime& date);

// A rating column of a field 0 to 5: the localised "Cotation 0" to
// "Cotation 5" (table "Main"), brown once rated.
registers::Column ratingColumn(const QString& id, const QString& titleKey, int field);

// The row order of a sort on a field's raw value (texts by code units,
// absent texts and dates first when ascending); equal values keep their order.
std::vector<int> sortOrder(const QList<RegisterRecord>& records, int field, bool ascending);
// The row order of a sort on a computed column's values.
std::vector<int> sortOrder(const QList<RegisterRecord>& records, const registers::Column& column, bool ascending);
// The computed column of that id, or nothing.
const registers::Column* computedColumn(const registers::RegisterDescription& reg, const QString& id);

} // namespace registertable
