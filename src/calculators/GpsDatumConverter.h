#pragma once

// Positions between the European Datum 1950 (ED50, International 1924
// ellipsoid) and WGS84. Longitudes are positive to the east, latitudes to the
// north, angles in degrees, heights ellipsoidal in metres.
//
// The precise conversion (ED50 to WGS84 only) goes through geocentric
// coordinates and a seven-parameter Helmert transformation, then back to
// geographic coordinates by Bowring's formula; it keeps every step for the
// account shown to the diver. The decimal conversion goes either way by a
// three-parameter translation, back to geographic coordinates by five fixed
// iterations.
class GpsDatumConverter {
public:
    struct Position {
        double longitude = 0.0;
        double latitude = 0.0;
        double height = 0.0;
    };

    // An angle typed as degrees, minutes and seconds. The angle is negative
    // when any part is (a "-" on the degrees alone, even "-0", marks a
    // western or southern angle); its size is the sum of the parts' sizes.
    struct Sexagesimal {
        double degrees = 0.0;
        double minutes = 0.0;
        double seconds = 0.0;
    };
    static double toDegrees(const Sexagesimal& angle);

    // Every value of the precise conversion, in the order computed.
    struct PreciseSteps {
        // ED50 input
        double latitudeDegrees, longitudeDegrees;
        double latitudeRadians, longitudeRadians;
        double sinLatitude, cosLatitude, sinLongitude, cosLongitude;
        double n, x, y, z;
        // after the Helmert transformation
        double wgsX, wgsY, wgsZ;
        // WGS84 geographic
        double p, theta, phi, wgsN, lambda;
        Position result;
    };
    static PreciseSteps precise(const Sexagesimal& longitude, const Sexagesimal& latitude, double height);

    enum class Direction {
        Ed50ToWgs84 = 0,
        Wgs84ToEd50 = 1,
    };
    static Position translate(const Position& from, Direction direction);
};
