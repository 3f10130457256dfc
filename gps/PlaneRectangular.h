#pragma once
// Japan's plane rectangular coordinates: the Gauss-Krueger (transverse Mercator) series on the
// GRS80 ellipsoid about the origin of one of the 19 systems, scale factor 0.9999 at the origin.
//
// X is north and Y east, in metres, both 0 at the system origin (no false origin). The north
// coordinate is summed to the sixth power of the longitude difference, the east coordinate to
// the fifth, with a meridian arc of six fixed GRS80 coefficients. Against PROJ's exact
// transverse Mercator it agrees within a millimetre near the origin and about a centimetre
// 1.5 degrees away; farther points are converted by the same series with growing error.

namespace gps {

// Ellipsoid and projection constants, set once by SetEllipsoidParameter (the same values every
// time). The eccentricities are refreshed by every conversion.
extern double gLongRadius;          // semi-major axis a, metres (6378137)
extern double gInverseFlattening;   // F = 1 / f, f = 1 / 298.257222101
extern double gSqr2F1;              // sqrt(2F - 1)
extern double gEccentricity;        // e  = sqrt(2F - 1) / F
extern double gSecondEccentricity;  // e' = sqrt(2F - 1) / (F - 1)
extern double gScaleFactor;         // m0 at the origin; the windows store 0.9999 before use

inline constexpr double kPlaneScaleFactor = 0.9999;

// Stores a, F and sqrt(2F - 1). Runs before the first conversion; may run any number of times.
void SetEllipsoidParameter();

struct PlaneXY {
    double north = 0.0;  // X, metres
    double east = 0.0;   // Y, metres
};

// Plane coordinates of (lat, lon) about the origin (originLat, originLon), all in decimal
// degrees (north and east positive), with the scale factor `scale` at the origin and the
// GRS80 constants (independent of the program-wide state). Valid for latitudes strictly
// between -90 and 90; distant points are not refused.
PlaneXY LatLonToPlane(double lat, double lon, double originLat, double originLon,
                      double scale = kPlaneScaleFactor);

// Whether (lat, lon) lies within the system's window: less than 3 degrees from the origin in
// latitude and in longitude (false for values that are no number). Positions outside are not
// converted by the windows.
inline constexpr double kMaxOriginDistanceDeg = 3.0;
bool IsWithinSystemWindow(double lat, double lon, double originLat, double originLon);

// The program-wide form: converts with gScaleFactor and the ellipsoid of SetEllipsoidParameter
// (which must have run), writing X (north) into `lat` and Y (east) into `lon`. The origin
// arguments are left as they are.
void ConvertLatLonToPlaneXY(double& lat, double& lon, const double& originLat, const double& originLon);

}  // namespace gps
