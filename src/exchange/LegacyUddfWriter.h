#pragma once

#include "exchange/ExportOutput.h"
#include "logbook/Plongee.h"

#include <QDateTime>
#include <QList>

class Localizer;
class QIODevice;

// The logbook's "Export UDDF (Universal Dive Data Format)": a UDDF-style
// header (generator, one gas definition) and the dives in the upper-case
// vocabulary shared with the UDCF export (REPGROUP, DIVE, SAMPLES, D, ALARM),
// element for element as it has always been written. Gas mixes that cannot
// be are left out and reported, never clamped.
class LegacyUddfWriter {
public:
    static const QString& typeName(); // "Export UDDF (Universal Dive Data Format)"

    explicit LegacyUddfWriter(const Localizer& localizer);
    // The moment written in the header comment; the current time by default.
    void setMoment(const QDateTime& moment) { m_moment = moment; }

    ExportOutput write(const QList<Plongee>& dives) const;
    // Writes to a device; returns the report.
    QStringList write(const QList<Plongee>& dives, QIODevice& device) const;

private:
    const Localizer& m_localizer;
    QDateTime m_moment;
};
