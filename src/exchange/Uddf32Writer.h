#pragma once

#include "exchange/ExportOutput.h"
#include "logbook/Plongee.h"

#include <QDateTime>
#include <QList>

class Localizer;
class QIODevice;

// The logbook's "Export UDDF 3.2": standard UDDF 3.2 (valid against the
// 3.2.3 schema), in SI units whatever units the logbook is kept in, with
// everything of a dive that UDDF can say: date and time, number, site with
// its position and wreck, buddies, dive base, computer, conditions
// (current, visibility), kind of dive, suit, rebreather and set-point,
// notes, the bottom gas and the stop levels' gases with their tanks, tank
// 2 and the bail-out cylinders, the stops made, and the profile with its
// pressures, alarms and gas switches. What the importer reads back is what
// was written. Gas mixes that cannot be, and dives without a date, are left
// out and reported.
class Uddf32Writer {
public:
    static const QString& typeName(); // "Export UDDF 3.2"
    static constexpr const char* kNamespace = "http://www.streit.cc/uddf/3.2/";

    // usUnits: the logbook's depths are in feet and its temperatures in
    // degrees Fahrenheit (the setting "us units").
    Uddf32Writer(const Localizer& localizer, bool usUnits);
    // The moment written as the generator's date; the current time by default.
    void setMoment(const QDateTime& moment) { m_moment = moment; }

    ExportOutput write(const QList<Plongee>& dives) const;
    QStringList write(const QList<Plongee>& dives, QIODevice& device) const;

private:
    const Localizer& m_localizer;
    bool m_usUnits;
    QDateTime m_moment;
};
