#include "calculators/GpsDatumConverter.h"

#include <cmath>

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kRadiansToDegrees = 57.29577951308232;

// International 1924 (ED50) and WGS84, with the eccentricities of the precise
// conversion.
constexpr double kEd50A = 6378388.0;
constexpr double kEd50E2 = 0.006722670022333177;
constexpr double kEd50OneMinusE2 = 0.9932773299776668;
constexpr double kWgsA = 6378137.0;
constexpr double kWgsE2 = 0.00669437999014133;
constexpr double kWgsOneMinusF = 0.9966471893352525;
constexpr double kWgsE2A = 42697.672707180056;

// The Helmert transformation ED50 -> WGS84 (position vector rotations in
// radians, scale, translation in metres).
constexpr double kRotX = -1.614e-6;
constexpr double kRotY = 3.73e-7;
constexpr double kRotZ = 4.334e-6;
constexpr double kScale = 1.000001994;
constexpr double kShiftX = -90.365;
constexpr double kShiftY = -101.13;
constexpr double kShiftZ = -123.384;

// The ellipsoids of the decimal conversion use rounded eccentricities.
struct Ellipsoid {
    double a;
    double e2;
};
constexpr Ellipsoid kEd50Decimal{6378388.0, 0.00672267};
constexpr Ellipsoid kWgsDecimal{6378137.0, 0.00669438};

} // namespace

double GpsDatumConverter::toDegrees(const Sexagesimal& angle)
{
    const bool negative = std::signbit(angle.degrees) || angle.minutes < 0.0 || angle.seconds < 0.0;
    const double size = std::fabs(angle.degrees) + std::fabs(angle.minutes) / 60.0 + std::fabs(angle.seconds) / 3600.0;
    return negative ? -size : size;
}

GpsDatumConverter::PreciseSteps GpsDatumConverter::precise(const Sexagesimal& longitude, const Sexagesimal& latitude,
                                                           double height)
{
    PreciseSteps s{};
    s.longitudeDegrees = toDegrees(longitude);
    s.latitudeDegrees = toDegrees(latitude);
    s.longitudeRadians = s.longitudeDegrees * kDegreesToRadians;
    s.latitudeRadians = s.latitudeDegrees * kDegreesToRadians;
    s.sinLatitude = std::sin(s.latitudeRadians);
    s.cosLatitude = std::cos(s.latitudeRadians);
    s.sinLongitude = std::sin(s.longitudeRadians);
    s.cosLongitude = std::cos(s.longitudeRadians);

    // ED50 geocentric
    s.n = kEd50A / std::sqrt(1.0 - kEd50E2 * s.sinLatitude * s.sinLatitude);
    s.x = (s.n + height) * s.cosLatitude * s.cosLongitude;
    s.y = (s.n + height) * s.cosLatitude * s.sinLongitude;
    s.z = (kEd50OneMinusE2 * s.n + height) * s.sinLatitude;

    // Helmert
    s.wgsX = (s.x - kRotZ * s.y + kRotY * s.z) * kScale + kShiftX;
    s.wgsY = (kRotZ * s.x + s.y - kRotX * s.z) * kScale + kShiftY;
    s.wgsZ = (-kRotY * s.x + kRotX * s.y + s.z) * kScale + kShiftZ;

    // WGS84 geographic (Bowring)
    s.p = std::sqrt(s.wgsX * s.wgsX + s.wgsY * s.wgsY);
    s.theta = std::atan2(s.wgsZ, s.p * kWgsOneMinusF);
    const double sinTheta = std::sin(s.theta);
    const double cosTheta = std::cos(s.theta);
    s.phi = std::atan2(s.wgsZ + kWgsE2A * sinTheta * sinTheta * sinTheta / kWgsOneMinusF,
                       s.p - kWgsE2A * cosTheta * cosTheta * cosTheta);
    s.lambda = std::atan2(s.wgsY, s.wgsX);
    const double sinPhi = std::sin(s.phi);
    s.wgsN = kWgsA / std::sqrt(1.0 - kWgsE2 * sinPhi * sinPhi);

    s.result.longitude = s.lambda * kRadiansToDegrees;
    s.result.latitude = s.phi * kRadiansToDegrees;
    s.result.height = s.p / std::cos(s.phi) - s.wgsN;
    return s;
}

GpsDatumConverter::Position GpsDatumConverter::translate(const Position& from, Direction direction)
{
    const bool toWgs = direction == Direction::Ed50ToWgs84;
    const Ellipsoid in = toWgs ? kEd50Decimal : kWgsDecimal;
    const Ellipsoid out = toWgs ? kWgsDecimal : kEd50Decimal;
    const double sign = toWgs ? -1.0 : 1.0;

    const double lambda = from.longitude * kDegreesToRadians;
    const double phi = from.latitude * kDegreesToRadians;
    const double sinPhi = std::sin(phi);
    const double nIn = in.a / std::sqrt(1.0 - in.e2 * sinPhi * sinPhi);
    const double x = (nIn + from.height) * std::cos(phi) * std::cos(lambda) + sign * 87.0;
    const double y = (nIn + from.height) * std::cos(phi) * std::sin(lambda) + sign * 98.0;
    const double z = ((1.0 - in.e2) * nIn + from.height) * sinPhi + sign * 121.0;

    const double p = std::sqrt(x * x + y * y);
    Position to;
    to.longitude = 2.0 * std::atan(y / (x + p)) * kRadiansToDegrees;
    double phiOut = 0.0;
    double nOut = out.a;
    for (int i = 0; i < 5; ++i) {
        const double s = std::sin(phiOut);
        nOut = out.a / std::sqrt(1.0 - out.e2 * s * s);
        phiOut = std::atan((z + out.e2 * nOut * s) / p);
    }
    to.latitude = phiOut * kRadiansToDegrees;
    to.height = p * std::cos(phiOut) + z * std::sin(phiOut) - out.a * out.a / nOut;
    return to;
}
