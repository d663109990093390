#pragma once

#include <QList>
#include <array>
#include <optional>

// The figures the edit form derives for a dive and never stores: air
// consumption, the highest oxygen partial pressure and the oxygen (CNS)
// clock. Pure functions, in the single precision the logbook has always
// shown them with.
namespace divecalc {

// Seconds between two profile samples for a sampling-rate code.
int samplingPeriod(int code);

// The CNS clock's per cent per minute at an oxygen partial pressure (bar).
double cnsRatePerMinute(double ppO2);
// Per cent of the CNS clock used by `minutes` at `ppO2`: the whole time is
// taken at that pressure.
double cnsClock(double ppO2, double minutes);

struct Consumption {
    int pressionConsommee = 0;    // start minus end pressure, bar
    float pressionParMinute = 0;  // bar per minute
    int volumeDisponible = 0;     // litres available at the start
    int volumeConsomme = 0;       // litres used
    float sac = 0;                // surface consumption, litres per minute
    float sacBar = 0;             // surface consumption, bar per minute
    bool valid = false;           // start pressure and dive time at least 1
};

// Tank 1 from p0 to p1 bar over `minutes`, volume in litres, at an average
// depth in metres. With a dive time below 1 minute nothing is divided: the
// per-minute figures stay 0.
Consumption airConsumption(int p0, int p1, int minutes, int volume, float averageDepth);

struct StopGas {
    bool on = false;
    float depth = 0;
    int oxygen = 0; // per cent
};

// How the diver breathed: the unit of the form's depths (the profile is
// kept in metres), and on a closed circuit the loop's oxygen set-point.
struct Breathing {
    float metresPerUnit = 1.0f; // 0.3048 for the form's depths in feet
    // Bar; a closed-circuit loop holds this pressure, or the ambient
    // pressure when that is lower. Nothing on open and semi-closed circuits.
    std::optional<float> setpoint;
};

// Metres per unit of the form's depths: feet with "us units" on.
float metresPerUnit(bool usUnits);
// Whether the apparatus code (`rebreather`) is a closed circuit: mCCR,
// eCCR or hCCR.
bool closedCircuit(int apparatus);
// The set-point of the `ppO2` tag, bar: 10 to 6 for 0.7 to 1.1, 1 to 5 for
// 1.2 to 1.6; nothing for any other tag (no set-point).
std::optional<float> setpointOf(int tag);

// The highest oxygen partial pressure of the dive: the bottom gas at the
// deepest sample (the form's depth when the profile has fewer than two
// samples), and the gas of each stop level switched on at its depth. On a
// closed circuit the bottom gas is the loop at its set-point, at most the
// ambient pressure. The form's depth and the stop depths are in the
// breathing's unit, the samples in metres.
float highestPpO2(float formDepth, const QList<float>& depthSamples, int bottomOxygen,
                  const std::array<StopGas, 5>& stops, const Breathing& breathing = {});

// A whole number of litres from whole numbers, saturated instead of
// overflowing on absurd input.
int litres(qint64 volume, qint64 pressure);

} // namespace divecalc
