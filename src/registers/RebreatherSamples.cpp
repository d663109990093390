#include "registers/RebreatherSamples.h"

#include "registers/RebreatherFields.h"

namespace rebreather {

QList<registers::SampleValues> samples()
{
    using registers::SampleValues;
    QList<SampleValues> s;
    s.append({date, {}, 2016, 2026});
    s.append({rebreatherTime, {QStringLiteral("12"), QStringLiteral("48.5"), QStringLiteral("96"),
                               QStringLiteral("151"), QStringLiteral("230.5"), QStringLiteral("318"),
                               QStringLiteral("402"), QStringLiteral("575")}});
    s.append({mpO2Value, {}, 7, 10.5, 0.1});
    for (const int fitted : {cell1_in, cell2_in, cell3_in, cell4_in, cell5_in})
        s.append({fitted, {}, 2023, 2026});
    s.append({notes, {QStringLiteral("Absorbent canister packed and checked for channelling."),
                      QStringLiteral("Loop negative and positive tests passed."),
                      QStringLiteral("Cell 2 reading slow in calibration: to watch."),
                      QStringLiteral("Mouthpiece valve membranes replaced.\nCounterlungs rinsed."),
                      QStringLiteral("Handset battery changed before the trip."),
                      QStringLiteral("Oxygen regulator serviced by the dealer.")}});
    return s;
}

} // namespace rebreather
