#pragma once

#include "logbook/Plongee.h"

#include <QString>
#include <QStringList>

class QXmlStreamWriter;

// One dive in the upper-case vocabulary that the UDCF export and the older
// UDDF export share (DIVE, PLACE, MAXDEPTH, GASES / MIX / TANK, SAMPLES with
// D and ALARM), element for element.
namespace uppercasedive {

struct Style {
    // DATE / YEAR ... and TIME / HOUR, MINUTE instead of the lower-case names.
    bool upperCaseDates = false;
    // The depth with its fraction and the real surface interval, so that the
    // dive reads back unchanged, instead of a whole depth and "infinity".
    bool exact = false;
};

// Writes the DIVE element of the dive at `row`; a mix that cannot be is
// left out, with a line in `problems`.
void write(QXmlStreamWriter& w, const Plongee& d, int row, const Style& style, const QString& airText,
           QStringList& problems);

// An element holding a text, and a number in a printf format.
void element(QXmlStreamWriter& w, const char* name, const QString& value);
QString fixed(const char* format, double value);
// The line reporting a dive's mix that cannot be written.
QString mixReport(int row, const Plongee& dive, const QString& problem);

} // namespace uppercasedive
