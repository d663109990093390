#pragma once

#include <QString>

#include <optional>

// An angle in degrees written as whole degrees, minutes and seconds to the
// thousandth: the sign once, in front, then the parts of the angle's size
// ("-1° 30' 0.000''"). The seconds are rounded once, on the whole angle, so
// they never show as 60.
class SexagesimalText {
public:
    bool negative = false;
    qint64 degrees = 0;
    int minutes = 0;
    int milliseconds = 0; // of the seconds part, 0 to 59999

    // Nothing for an infinite or undefined angle, or one too large to
    // count in thousandths of a second.
    static std::optional<SexagesimalText> fromDegrees(double degrees);

    // "-1° 30' 0.000''"; a size that rounds to 0 shows no sign.
    QString text() const;
};
