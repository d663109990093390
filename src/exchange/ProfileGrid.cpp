#include "exchange/ProfileGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// Sampling periods of the record, by code, and the same sorted.
constexpr int kPeriodOfCode[] = {10, 20, 30, 60, 120, 4, 1, 5};
constexpr int kAscending[] = {1, 4, 5, 10, 20, 30, 60, 120};
constexpr double kSameTime = 1e-6;

} // namespace

int ProfileGrid::codeOfPeriod(int seconds)
{
    for (int code = 0; code < 8; ++code)
        if (kPeriodOfCode[code] == seconds)
            return code;
    return -1;
}

int ProfileGrid::nearestPeriod(double seconds)
{
    int best = kAscending[0];
    for (const int p : kAscending)
        if (std::abs(p - seconds) < std::abs(best - seconds))
            best = p;
    return best;
}

std::optional<ProfileGrid::Profile> ProfileGrid::build(std::vector<Point>& points, QString* error)
{
    Profile out;
    for (Point& p : points)
        if (!std::isfinite(p.time) || p.time < 0)
            p.time = 0;
    // Waypoints almost always come in time order: then there is nothing to sort.
    const auto earlier = [](const Point& a, const Point& b) { return a.time < b.time; };
    if (!std::is_sorted(points.begin(), points.end(), earlier))
        std::stable_sort(points.begin(), points.end(), earlier);
    if (points.empty())
        return out;

    // The period: the spacing itself when every step is one period of the
    // record; otherwise the period nearest to the typical (median) step.
    std::vector<double> steps;
    steps.reserve(points.size());
    for (size_t i = 1; i < points.size(); ++i) {
        const double d = points[i].time - points[i - 1].time;
        if (d > kSameTime)
            steps.push_back(d);
    }
    int period = 10;
    if (!steps.empty()) {
        const bool regular = std::all_of(steps.begin(), steps.end(),
                                         [&](double d) { return std::abs(d - steps.front()) <= kSameTime; });
        const int nearest = nearestPeriod(steps.front());
        if (regular && std::abs(nearest - steps.front()) <= kSameTime) {
            period = nearest;
        } else {
            std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
            period = nearestPeriod(steps[steps.size() / 2]);
        }
    }
    const double last = points.back().time;
    // A few waypoints far apart must not swell into a huge profile: the
    // period grows until the samples stay within reach of the waypoints.
    const double reach = 2.0 * double(points.size()) + 64;
    for (const int p : kAscending) {
        if (p < period)
            continue;
        period = p;
        if (last / p + 1 <= reach)
            break;
    }
    const double count = std::round(last / period) + 1;
    if (count > kMaxSamples) {
        if (error)
            *error = QStringLiteral("the profile would need %1 samples, more than a dive can hold (%2)")
                         .arg(qint64(count))
                         .arg(kMaxSamples);
        return std::nullopt;
    }
    const int n = int(count);
    out.period = period;
    out.samplingCode = codeOfPeriod(period);

    const bool anyPressure = std::any_of(points.begin(), points.end(),
                                         [](const Point& p) { return std::isfinite(p.pressure) && p.pressure > 0; });
    out.depths.resize(n);
    out.ascFlags.fill(0, n);
    out.slowFlags.fill(0, n);
    out.surfFlags.fill(0, n);
    out.ceilFlags.fill(0, n);
    if (anyPressure)
        out.pressures.fill(0.0f, n);

    // Walk the grid and the points together. `before` is the last point at
    // or before the grid time that has a depth (the surface at time 0 when
    // none), `after` the first later point with a depth.
    const size_t m = points.size();
    size_t next = 0; // first point later than the grid time
    double beforeTime = 0, beforeDepth = 0;
    size_t afterDepth = 0; // first point with a depth at or after `next`
    const auto advanceAfterDepth = [&](size_t from) {
        size_t k = std::max(from, afterDepth);
        while (k < m && !std::isfinite(points[k].depth))
            ++k;
        afterDepth = k;
    };
    advanceAfterDepth(0);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) * period;
        // Points up to this grid time: the last one with a depth becomes
        // `before`; one exactly on the grid time gives its values as they are.
        float exactDepth = qQNaN();
        float exactPressure = qQNaN();
        bool exactHit = false;
        while (next < m && points[next].time <= t + kSameTime) {
            const Point& p = points[next];
            if (std::isfinite(p.depth)) {
                beforeTime = p.time;
                beforeDepth = p.depth;
            }
            if (std::abs(p.time - t) <= kSameTime) {
                exactHit = true;
                if (std::isfinite(p.depth))
                    exactDepth = p.depth;
                if (std::isfinite(p.pressure))
                    exactPressure = p.pressure;
            }
            ++next;
        }
        advanceAfterDepth(next);
        if (std::isfinite(exactDepth)) {
            out.depths[i] = exactDepth;
        } else if (afterDepth < m) {
            const Point& a = points[afterDepth];
            const double span = a.time - beforeTime;
            const double f = span > 0 ? (t - beforeTime) / span : 1.0;
            out.depths[i] = float(beforeDepth + (double(a.depth) - beforeDepth) * f);
        } else {
            out.depths[i] = float(beforeDepth);
        }
        if (!anyPressure)
            continue;
        if (exactHit) {
            out.pressures[i] = std::isfinite(exactPressure) ? exactPressure : 0.0f;
        } else if (next > 0 && next < m && std::isfinite(points[next - 1].pressure)
                   && std::isfinite(points[next].pressure)) {
            const Point& b = points[next - 1];
            const Point& a = points[next];
            const double f = (t - b.time) / (a.time - b.time);
            out.pressures[i] = float(double(b.pressure) + (double(a.pressure) - b.pressure) * f);
        }
    }

    // Alarms and marks fall on the nearest sample.
    for (const Point& p : points) {
        const int k = std::clamp(int(std::lround(p.time / period)), 0, n - 1);
        if (p.alarms & DecoAlarm)
            out.ascFlags[k] = 1;
        if (p.alarms & AscentAlarm)
            out.slowFlags[k] = 1;
        if (p.alarms & SurfaceAlarm)
            out.surfFlags[k] = 1;
        if (p.alarms & ErrorAlarm)
            out.ceilFlags[k] = 1;
        if (p.mark >= 0)
            out.marks.append({k, p.mark});
    }
    return out;
}
