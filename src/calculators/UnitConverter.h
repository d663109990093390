#pragma once

#include <QList>

// Conversions between metric and United States units. Each quantity has a
// fixed list of units (its fields, in order); the chosen unit's tag names
// the value typed in, and the others are computed from it:
//   pressure:    bar, psi                       (tag 1 bar, any other psi)
//   volume:      litres, ft3 US, in3 US         (tag 1 L, 2 ft3, any other in3)
//   length:      metres, feet (US survey foot)  (tag 1 m, any other ft)
//   mass:        kilograms, pounds              (tag 1 kg, any other lb)
//   temperature: Celsius, Fahrenheit, kelvin    (tag 1 C, 2 F, any other K)
class UnitConverter {
public:
    enum class Quantity { Pressure, Volume, Length, Mass, Temperature };

    // How many units (fields) the quantity has.
    static int unitCount(Quantity quantity);
    // The position of the unit that the tag names in the quantity's list.
    static int sourceIndex(Quantity quantity, int tag);
    // The values with every unit but the source computed from the source;
    // `values` holds one value per unit (missing ones read as 0).
    static QList<double> convert(Quantity quantity, int tag, QList<double> values);
};
