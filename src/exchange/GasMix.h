#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// A breathing gas as the dive record holds it: whole per cents of oxygen
// and helium, the rest nitrogen. Knows the record's gas code for the mix,
// the name the logbook gives each code, and when per cents cannot describe
// a gas at all.
class GasMix {
public:
    // The dive record's `gaz` codes.
    enum Code { Air = 0, Nitrox = 1, Trimix = 2, Heliox = 3, Triox = 4, Heliair = 5 };

    GasMix(int oxygen, int helium) : m_oxygen(oxygen), m_helium(helium) {}

    // From volume fractions (0 to 1) as exchange files write them, rounded
    // to whole per cents that never add up to more than 100. Nothing when
    // the fractions are no gas (negative, not numbers, or adding up to more
    // than 100 % beyond rounding).
    static std::optional<GasMix> fromFractions(double oxygen, double helium);

    int oxygen() const { return m_oxygen; }
    int helium() const { return m_helium; }
    int nitrogen() const { return 100 - m_oxygen - m_helium; }

    // False when the per cents leave no room for a gas: a negative share,
    // or oxygen and helium together above 100.
    bool isPossible() const;
    // Why the mix is impossible, for reports ("80 % oxygen and 30 % helium
    // make more than 100 %"); empty for a possible mix.
    QString problem() const;

    // The code the composition calls for: air, nitrox, heliox (no
    // nitrogen) or trimix. Triox and heliair are trimixes by composition;
    // only a name makes them so.
    int code() const;
    // The code a name gives ("EANx 32", "Trimix 18/45", "Heliair 17/20",
    // "air"), when the name fits the composition; otherwise code().
    int codeForName(QStringView name) const;
    // True when a code can name this composition (air is 21 % oxygen and
    // nothing else, nitrox has no helium, heliox no nitrogen, trimix, triox
    // and heliair have all three).
    bool fitsCode(int code) const;

    // The name of a code with these per cents: the air text (localised by
    // the caller) for air, "Nitrox 32", "Trimix 18/45", "Heliox 21",
    // "Triox 30/30", "Heliair 17/20". A code outside the table is named
    // by the composition's code.
    QString nameForCode(int code, const QString& airText) const;

    friend bool operator==(const GasMix&, const GasMix&) = default;

private:
    int m_oxygen;
    int m_helium;
};
