#include "calculators/GpsDatumConverter.h"
#include "calculators/SexagesimalText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using Gps = GpsDatumConverter;

namespace {

// About a millimetre on the ground.
constexpr double kAngleTolerance = 1e-8;
constexpr double kHeightTolerance = 1e-3;

Gps::Sexagesimal degrees(double d, double m = 0, double s = 0) { return {d, m, s}; }

} // namespace

TEST(CalcGps, TypedAnglesTakeTheirSignFromAnyPart)
{
    const struct { Gps::Sexagesimal angle; double degrees; } cases[] = {
        {{1, 30, 0}, 1.5},
        {{-0.0, 30, 0}, -0.5},       // "-0" degrees
        {{0, -30, 0}, -0.5},
        {{0, 0, -36}, -0.01},
        {{48, 51, 24}, 48.85666666666667},
        {{-7, 15, 30}, -7.258333333333334},
        {{0, 0, 0}, 0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Gps::toDegrees(c.angle), c.degrees, 1e-12)
            << c.angle.degrees << " " << c.angle.minutes << " " << c.angle.seconds;
}

TEST(CalcGps, DegreesMinutesSecondsText)
{
    const struct { double degrees; const char* text; } cases[] = {
        {44.99894600024463, "44\u00b0 59' 56.206''"},
        {-0.000942396061914802, "-0\u00b0 0' 3.393''"}, // not -1° 59' 56.607''
        {-1.5, "-1\u00b0 30' 0.000''"},                 // the sign once, then the parts of 1.5
        {1.5, "1\u00b0 30' 0.000''"},
        {59.9999999999, "60\u00b0 0' 0.000''"},         // seconds never show as 60
        {10.5 - 0.0000001, "10\u00b0 30' 0.000''"},
        {-2.9999999999, "-3\u00b0 0' 0.000''"},
        {-1e-12, "0\u00b0 0' 0.000''"},                 // nothing left to sign
        {180, "180\u00b0 0' 0.000''"},
        {0.0002777777777777778, "0\u00b0 0' 1.000''"},
        {45.25000001, "45\u00b0 15' 0.000''"},
    };
    for (const auto& c : cases) {
        const auto angle = SexagesimalText::fromDegrees(c.degrees);
        ASSERT_TRUE(angle.has_value()) << c.degrees;
        EXPECT_EQ(angle->text(), QString::fromUtf8(c.text)) << c.degrees;
    }
    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300})
        EXPECT_FALSE(SexagesimalText::fromDegrees(bad).has_value()) << bad;
}

TEST(CalcGps, PreciseConversionOfTheExample)
{
    // The steps of the account; the result is the first row of the next test.
    const auto s = Gps::precise(degrees(0), degrees(45), 0);
    EXPECT_DOUBLE_EQ(s.latitudeDegrees, 45);
    EXPECT_DOUBLE_EQ(s.longitudeRadians, 0);
    EXPECT_NEAR(s.sinLatitude, std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(s.n, 6378388 / std::sqrt(1 - 0.006722670022333177 / 2), 1e-6);
    EXPECT_NEAR(s.x, s.n * std::sqrt(0.5), 1e-6);
    EXPECT_DOUBLE_EQ(s.y, 0);
    EXPECT_NEAR(s.z, 0.9932773299776668 * s.n * std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(s.p, std::hypot(s.wgsX, s.wgsY), 1e-6);
}

// The references come from PROJ 9.1.1 (Debian's proj-bin), with the same
// ellipsoids and the same seven parameters written as +towgs84 (position
// vector rotations in arc seconds, -1.614e-6, 3.73e-7 and 4.334e-6 rad
// times 648000/pi; scale 1.994 ppm), through geocentric coordinates so that
// the heights are carried:
//   printf '0 45 0\n5 43 0\n-1.5 48.856666666666666 100\n7.258333333333333 43.70277777777778 0\n' |
//   cs2cs -f %.10f +proj=longlat +ellps=intl
//     +towgs84=-90.365,-101.13,-123.384,-0.3329113973,0.0769367727,0.8939516703,1.994 +no_defs
//     +to +proj=geocent +datum=WGS84 +no_defs |
//   cs2cs -f %.10f +proj=geocent +datum=WGS84 +to +proj=longlat +datum=WGS84
TEST(CalcGps, PreciseConversionAgreesWithProj)
{
    const struct {
        Gps::Sexagesimal longitude, latitude;
        double height;
        double wgsLongitude, wgsLatitude, wgsHeight;
    } cases[] = {
        {degrees(0), degrees(45), 0, -0.0009423961, 44.9989460002, 66.9397704713},
        {degrees(5), degrees(43), 0, 4.9991930330, 42.9989444870, 64.8367804242},
        {degrees(-1, -30), degrees(48, 51, 24), 100, -1.5010557796, 48.8556966475, 161.3390285186},
        {degrees(7, 15, 30), degrees(43, 42, 10), 0, 7.2575632743, 43.7017571963, 60.8578321058},
    };
    for (const auto& c : cases) {
        const auto s = Gps::precise(c.longitude, c.latitude, c.height);
        EXPECT_NEAR(s.result.longitude, c.wgsLongitude, kAngleTolerance) << c.wgsLongitude;
        EXPECT_NEAR(s.result.latitude, c.wgsLatitude, kAngleTolerance) << c.wgsLatitude;
        EXPECT_NEAR(s.result.height, c.wgsHeight, kHeightTolerance) << c.wgsHeight;
    }
}

// References from PROJ 9.1.1 with the three-parameter shift as +towgs84:
//   ED50 -> WGS84, heights carried through geocentric coordinates:
//   printf '5 43 0\n-1.5 48.85 100\n9.2 41.9 -20\n' |
//   cs2cs -f %.10f +proj=longlat +ellps=intl +towgs84=-87,-98,-121 +no_defs
//     +to +proj=geocent +datum=WGS84 +no_defs |
//   cs2cs -f %.10f +proj=geocent +datum=WGS84 +to +proj=longlat +datum=WGS84
//   WGS84 -> ED50, the same three points as input:
//   cs2cs -f %.10f +proj=longlat +datum=WGS84 +no_defs +to +proj=longlat +ellps=intl +towgs84=-87,-98,-121 +no_defs
//   and the ED50 heights from the WGS84 geocentric coordinates shifted by (87, 98, 121):
//   cs2cs -f %.6f +proj=longlat +datum=WGS84 +to +proj=geocent +datum=WGS84 |
//   awk '{printf "%.6f %.6f %.6f\n", $1+87, $2+98, $3+121}' |
//   cct -d 10 +proj=pipeline +step +inv +proj=cart +ellps=intl +step +proj=unitconvert +xy_in=rad +xy_out=deg
TEST(CalcGps, DecimalConversionAgreesWithProj)
{
    const struct { Gps::Direction direction; Gps::Position from, to; } cases[] = {
        {Gps::Direction::Ed50ToWgs84, {5, 43, 0}, {4.9988957425, 42.9989676730, 56.4264324820}},
        {Gps::Direction::Ed50ToWgs84, {-1.5, 48.85, 100}, {-1.5013658232, 48.8490409859, 152.6189606879}},
        {Gps::Direction::Ed50ToWgs84, {9.2, 41.9, -20}, {9.1990018368, 41.8989822383, 33.9350130642}},
        {Gps::Direction::Wgs84ToEd50, {5, 43, 0}, {5.0011042633, 43.0010323028, -56.4230968133}},
        {Gps::Direction::Wgs84ToEd50, {-1.5, 48.85, 100}, {-1.4986341668, 48.8509589801, 47.3843967542}},
        {Gps::Direction::Wgs84ToEd50, {9.2, 41.9, -20}, {9.2009981662, 41.9010177397, -73.9319314463}},
    };
    for (const auto& c : cases) {
        const auto to = Gps::translate(c.from, c.direction);
        EXPECT_NEAR(to.longitude, c.to.longitude, kAngleTolerance) << c.from.longitude << " " << c.from.latitude;
        EXPECT_NEAR(to.latitude, c.to.latitude, kAngleTolerance) << c.from.longitude << " " << c.from.latitude;
        EXPECT_NEAR(to.height, c.to.height, kHeightTolerance) << c.from.longitude << " " << c.from.latitude;
    }
}

TEST(CalcGps, DecimalRoundTripWithinAMillimetre)
{
    const Gps::Position starts[] = {{5, 43, 0}, {-1.5, 48.85, 100}, {9.2, 41.9, -20}, {-5.6, 36.1, 3000}, {24, 60, 0}};
    for (const auto& start : starts) {
        const auto wgs = Gps::translate(start, Gps::Direction::Ed50ToWgs84);
        const auto back = Gps::translate(wgs, Gps::Direction::Wgs84ToEd50);
        EXPECT_NEAR(back.longitude, start.longitude, kAngleTolerance) << start.longitude;
        EXPECT_NEAR(back.latitude, start.latitude, kAngleTolerance) << start.latitude;
        EXPECT_NEAR(back.height, start.height, kHeightTolerance) << start.height;
    }
}
