#pragma once

// The nitrox calculations: maximum operating depth, best mix, equivalent air
// depth, the depth limits of a mix and blending by partial pressure.
// Fractions are in percent (32 for a 32 % mix), depths in metres, pressures
// in bar; the absolute pressure at D metres is D/10 + 1 bar and air holds
// 79 % nitrogen. Nothing is rounded here: a zero divisor gives an infinite
// or undefined number, as the arithmetic does.
class NitroxCalculator {
public:
    // The oxygen partial pressure limit of the limit menu's item: 1.2, 1.3,
    // 1.4, 1.5, 1.6 bar for items 0 to 4, and 1.4 bar for any other index
    // (no selection included).
    static double ppO2Limit(int itemIndex);

    // (P / (F/100) - 1) x 10.
    static double maximumDepth(double fo2Percent, double ppO2);
    // P / (D/10 + 1) x 100, in percent.
    static double bestMix(double depth, double ppO2);
    // (D + 10) x (1 - F/100) / 0.79 - 10, never clamped: a rich mix at a
    // shallow depth gives a negative depth.
    static double equivalentAirDepth(double fo2Percent, double depth);

    struct OxygenWindow {
        double maximumDepth;  // oxygen at 1.6 bar
        double minimumDepth;  // oxygen reaches the minimum partial pressure
        double nitrogenDepth; // nitrogen as in air at the surface
        double limitDepth;    // the smaller of maximumDepth and nitrogenDepth
    };
    static OxygenWindow oxygenWindow(double fo2Percent, double minimumPpO2);

    struct Blend {
        double oxygenToAdd;   // bar of pure oxygen
        double addedFraction; // oxygen percent of all the gas added
        // Whether pure oxygen then air can make the wanted mix: the oxygen
        // to add lies from 0 to the pressure to add. Otherwise the two
        // figures mean nothing (a negative amount of oxygen, more oxygen
        // than the tank takes, or a tank to be emptied).
        bool reachable;
    };
    static Blend blend(double initialPressure, double finalPressure, double initialFo2Percent,
                       double finalFo2Percent);
};
