#pragma once

#include <QList>
#include <QString>
#include <QtNumeric>
#include <optional>
#include <utility>
#include <vector>

// Lays the waypoints of a recorded dive onto the dive record's profile: one
// sample every P seconds from the start of the dive, P being one of the
// sampling periods the record can hold. Waypoints already on such a grid are
// taken as they are; any other spacing is resampled onto the nearest period,
// so that sample i stays at i × P seconds (the time axis stays true).
class ProfileGrid {
public:
    // Alarm bits of a waypoint.
    enum Alarm : unsigned char { DecoAlarm = 1, AscentAlarm = 2, SurfaceAlarm = 4, ErrorAlarm = 8 };

    struct Point {
        double time = 0;       // seconds from the start of the dive
        float depth = qQNaN(); // metres; NaN when the waypoint has none
        float pressure = qQNaN(); // bar; NaN when the waypoint has none
        unsigned char alarms = 0;
        int mark = -1;         // a caller's mark (a gas switch), -1 for none
    };

    struct Profile {
        QList<float> depths;
        QList<qint16> ascFlags, slowFlags, surfFlags, ceilFlags;
        // Empty when no waypoint records a pressure; 0 at samples without one.
        QList<float> pressures;
        // The sample each mark fell on, in waypoint time order.
        QList<std::pair<int, int>> marks;
        int samplingCode = 0;
        int period = 10;
    };

    // The most samples one dive may have (more than two days at 1 s).
    static constexpr int kMaxSamples = 200000;

    // The record's code for a period in seconds, or -1 for none.
    static int codeOfPeriod(int seconds);
    // The period the record can hold that is nearest to a spacing (the
    // shorter one of two equally near).
    static int nearestPeriod(double seconds);

    // The profile of the points (in any order; equal times keep their
    // order). The dive starts at the surface: before the first point the
    // depth runs from 0 m at time 0. Nothing, with the reason, when the dive
    // would need more samples than a record can take. The points are put
    // in time order where they stand.
    static std::optional<Profile> build(std::vector<Point>& points, QString* error);
};
