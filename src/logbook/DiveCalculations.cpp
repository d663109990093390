#include "logbook/DiveCalculations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace divecalc {

int samplingPeriod(int code)
{
    static constexpr int periods[] = {10, 20, 30, 60, 120, 4, 1, 5};
    return code >= 0 && code < 8 ? periods[code] : 10;
}

double cnsRatePerMinute(double p)
{
    // Upper bound of each bracket (lower bound excluded) and its rate.
    static constexpr struct {
        double upTo;
        double rate;
    } table[] = {
        {0.62, 0.14}, {0.64, 0.15}, {0.66, 0.16}, {0.68, 0.17}, {0.72, 0.18}, {0.74, 0.19}, {0.76, 0.20},
        {0.78, 0.21}, {0.80, 0.22}, {0.82, 0.23}, {0.84, 0.24}, {0.86, 0.25}, {0.88, 0.26}, {0.90, 0.28},
        {0.92, 0.29}, {0.94, 0.30}, {0.96, 0.31}, {0.98, 0.32}, {1.00, 0.33}, {1.02, 0.35}, {1.04, 0.36},
        {1.06, 0.38}, {1.08, 0.40}, {1.10, 0.42}, {1.14, 0.43}, {1.16, 0.44}, {1.18, 0.46}, {1.20, 0.47},
        {1.22, 0.48}, {1.24, 0.51}, {1.26, 0.52}, {1.28, 0.54}, {1.30, 0.56}, {1.32, 0.57}, {1.34, 0.60},
        {1.36, 0.62}, {1.38, 0.63}, {1.40, 0.65}, {1.42, 0.68}, {1.44, 0.71}, {1.46, 0.74}, {1.48, 0.78},
        {1.50, 0.83}, {1.52, 0.93}, {1.54, 1.04}, {1.56, 1.19}, {1.58, 1.47},
    };
    if (std::isnan(p))
        return 0.0;
    for (const auto& bracket : table)
        if (p <= bracket.upTo)
            return bracket.rate;
    return 2.22;
}

double cnsClock(double ppO2, double minutes) { return minutes * cnsRatePerMinute(ppO2); }

int litres(qint64 volume, qint64 pressure)
{
    const qint64 v = volume * pressure;
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Consumption airConsumption(int p0, int p1, int minutes, int volume, float averageDepth)
{
    Consumption c;
    c.pressionConsommee = int(std::clamp<qint64>(qint64(p0) - p1, std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max()));
    c.volumeDisponible = litres(volume, p0);
    c.volumeConsomme = litres(volume, qint64(p0) - p1);
    c.valid = p0 >= 1 && minutes >= 1;
    if (minutes >= 1) {
        const float t = float(minutes);
        const float ambient = averageDepth / 10.0f + 1.0f;
        c.pressionParMinute = float(c.pressionConsommee) / t;
        if (ambient > 0 && std::isfinite(ambient)) {
            c.sac = (float(c.volumeConsomme) / t) / ambient;
            c.sacBar = c.pressionParMinute / ambient;
        }
    }
    return c;
}

float metresPerUnit(bool usUnits) { return usUnits ? 0.3048f : 1.0f; }

bool closedCircuit(int apparatus) { return apparatus >= 2 && apparatus <= 4; }

std::optional<float> setpointOf(int tag)
{
    // Written out, so that each is the float nearest its decimal (the CNS
    // brackets compare against those).
    static constexpr float bySetpointTag[] = {0.0f, 1.2f, 1.3f, 1.4f, 1.5f, 1.6f, 1.1f, 1.0f, 0.9f, 0.8f, 0.7f};
    if (tag >= 1 && tag <= 10)
        return bySetpointTag[tag];
    return std::nullopt;
}

float highestPpO2(float formDepth, const QList<float>& depthSamples, int bottomOxygen,
                  const std::array<StopGas, 5>& stops, const Breathing& breathing)
{
    float bottom = formDepth * breathing.metresPerUnit;
    if (depthSamples.size() >= 2) {
        bottom = 0;
        for (const float d : depthSamples)
            if (d > bottom) // NaN samples are skipped
                bottom = d;
    }
    const auto ambient = [](float metres) { return metres / 10.0f + 1.0f; };
    float highest = breathing.setpoint ? std::min(*breathing.setpoint, ambient(bottom))
                                       : float(bottomOxygen) / 100.0f * ambient(bottom);
    for (const StopGas& stop : stops)
        if (stop.on)
            highest = std::max(highest, float(stop.oxygen) / 100.0f * ambient(stop.depth * breathing.metresPerUnit));
    return highest;
}

} // namespace divecalc
