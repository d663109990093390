#pragma once

#include <QList>

#include <optional>

// The semi-closed rebreather calculations: absorbent endurance, the oxygen
// fraction breathed with a constant flow of nitrox, and the flow needed for
// a wanted fraction, with the safety of each table row.
class RebreatherCalculator {
public:
    // W x K / M minutes of absorbent.
    static double absorbentMinutes(double mass, double capacity, double production);

    struct HoursMinutes {
        int hours;   // minutes / 60, truncated toward zero
        int minutes; // what is left, truncated toward zero
    };
    // Nothing when the time is infinite, undefined, or too long for whole
    // hours to fit 32 bits.
    static std::optional<HoursMinutes> splitMinutes(double minutes);

    // (Q x Fs/100 - V) / (Q - V) x 100, in percent.
    static double breathedFraction(double supplyFo2Percent, double flow, double consumption);
    // V x (1 - Fi/100) / (Fs/100 - Fi/100), litres per minute.
    static double idealFlow(double supplyFo2Percent, double consumption, double wantedFo2Percent);

    // The eleven consumptions of the tables, 0.8 to 1.8 L/min by tenths.
    static QList<double> tableConsumptions();

    enum class Safety {
        Safe,
        Danger,
        Impossible, // no such loop or flow exists: no figure, coloured as danger
        Undefined,  // an undefined value: no figure, the row keeps the colour it had
    };
    // The row of a consumption, from the fraction as shown: impossible for
    // a consumption at or above the supply flow (the loop cannot keep
    // it), for an infinite fraction and for one below 0 or above 100 %;
    // danger below 20.9 % (less oxygen than air); safe from 20.9 to 100
    // inclusive.
    static Safety breathedFractionSafety(double shownPercent, double flow, double consumption);
    // The flow as shown, for a supply and a wanted fraction: impossible
    // unless the supply is richer than the loop wanted (and the flow finite
    // and not negative); danger below 3 or above 20 L/min; safe from 3 to
    // 20 inclusive.
    static Safety flowSafety(double shownFlow, double supplyFo2Percent, double wantedFo2Percent);
};
