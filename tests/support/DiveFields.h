#pragma once

#include "logbook/Plongee.h"

#include <QString>
#include <QStringList>

// A dive's fields as one line of text, so that a test states many values in
// one expected string: "name=value; name=value", in the order asked for.
// Numbers are written as short as they read back exactly, texts as they are
// ("(none)" when absent), dates as "yyyy-MM-dd hh:mm:ss", sample lists as
// "[a,b,c]". Besides the field names:
//   day, start  the date of the dive and its time of day
//   levels      the stop level gases "o2/he", trailing empty levels left out
//   NAME#       the number of samples of a list
//   NAME[i]     sample i, NAME[i:j] samples i to j - 1
//   NAME@       the samples that are not zero, as "i:v i:v"
QString fieldsOf(const Plongee& dive, const QStringList& names);
// The same names as `like`, a string in that form, so that a test compares
// fieldsOf(dive, expected) with expected.
QString fieldsOf(const Plongee& dive, const QString& like);
QStringList fieldNames(const QString& like);
// fieldsOf(dive, like) as a std::string, which failures print as text.
std::string fieldsLike(const Plongee& dive, const QString& like);
// The other way: sets the fields named in "name=value; name=value" from
// their texts, each expected to be taken.
void setFields(Plongee& dive, const QString& fields);
