#pragma once

#include "exchange/ExportOutput.h"
#include "logbook/Plongee.h"

#include <QDateTime>
#include <QList>

class Localizer;

// The logbook's "Export UDCF (Universal Dive Computer Format)": a `PROFILE`
// root with the device that wrote it, then the dives in the upper-case
// vocabulary shared with the older UDDF export. Depths and surface
// intervals are written as the dive holds them, so that the file imports
// back into the same dives; gas mixes that cannot be are left out and
// reported.
class UdcfWriter {
public:
    static const QString& typeName(); // "Export UDCF (Universal Dive Computer Format)"

    explicit UdcfWriter(const Localizer& localizer);
    void setMoment(const QDateTime& moment) { m_moment = moment; }

    ExportOutput write(const QList<Plongee>& dives) const;

private:
    const Localizer& m_localizer;
    QDateTime m_moment;
};
