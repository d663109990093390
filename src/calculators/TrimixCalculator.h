#pragma once

#include <optional>

// The trimix calculations: equivalent air and narcotic depths, the minimum
// depth of a hypoxic mix and the best trimix for a depth. Fractions in
// percent, depths in metres, pressures in bar, as for nitrox.
class TrimixCalculator {
public:
    struct EquivalentDepths {
        double airDepth;      // EAD, raised to 0 when negative
        double narcoticDepth; // END, never clamped
    };
    // EAD = (D + 10) x ((100 - O - He) / 100) / 0.79 - 10, at least 0;
    // END = (D + 10) x (1 - He/100) - 10 (only helium is not narcotic).
    static EquivalentDepths equivalentDepths(double depth, double fo2Percent, double fhePercent);

    // The depth from which the mix gives 0.16 bar of oxygen,
    // (16 / O - 1) x 10; nothing for a fraction below 1 or above 16 percent.
    static std::optional<double> minimumDepth(double fo2Percent);

    struct BestMix {
        double oxygen;   // 100 P / (D/10 + 1)
        double helium;   // what is left beside oxygen and nitrogen
        double nitrogen; // 79 (E/10 + 1) / (D/10 + 1)
        // Whether such a gas exists: every part is a finite number of at
        // least 0 (so none is above 100). A negative helium part means the
        // oxygen and nitrogen allowed already make more than the whole gas.
        bool reachable;
    };
    static BestMix bestMix(double depth, double narcoticDepth, double ppO2);
};
