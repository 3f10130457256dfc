#pragma once
// The map correction: moves the site's north-up building points (metres, x east, y north, origin
// at the site) into the plane rectangular system in use, from two reference points whose
// latitude and longitude are known and which the user picked on the site map.
//
// The two typed positions are converted to plane coordinates about the system origin and held
// at 0.1 m (as the window shows them). The transform turns the site frame by the angle between
// the picked pair's bearing and the reference pair's bearing, scales east and north each by its
// own factor and shifts, so that pick 1 lands on reference 1 and pick 2 on reference 2:
//   x' = x cos a - y sin a,  y' = x sin a + y cos a,  E = oE + sE x',  N = oN + sN y'.
//
// A pair that cannot give a meaningful transform is refused, so the building points are never
// overwritten with infinite, undefined or wild values: a missing pick or position; a position 3
// degrees or more from the origin in latitude or longitude; picks or references closer than
// kMinReferenceDistance; an east-west or north-south difference (of the references, or of the
// turned picks) below kMinAxisSpan, which would make that axis's scale the quotient of two small,
// uncertain numbers; a scale outside [kMinAxisScale, kMaxAxisScale] (the site map is drawn in
// metres, so the scales are near 1 when picks and positions belong together).

#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "gps/PlaneRectangular.h"

namespace gps {

inline constexpr double kMinReferenceDistance = 5.0;  // metres
inline constexpr double kMinAxisSpan = 10.0;          // metres
inline constexpr double kMinAxisScale = 0.5;
inline constexpr double kMaxAxisScale = 2.0;

struct GeoPosition {
    double latitude = 0.0;   // decimal degrees, north positive
    double longitude = 0.0;  // decimal degrees, east positive
};

struct SitePoint {
    double x = 0.0;  // metres east of the site origin
    double y = 0.0;  // metres north
};

struct MapCorrectionInput {
    std::optional<SitePoint> pick1, pick2;            // picked on the site map
    std::optional<GeoPosition> position1, position2;  // typed
    double originLat = 0.0;                           // origin of the system in use
    double originLon = 0.0;
    double scaleFactor = kPlaneScaleFactor;
};

enum class MapCorrectionRefusal {
    NoFirstPick,
    NoSecondPick,
    NoFirstPosition,
    NoSecondPosition,
    FirstPositionOutside,
    SecondPositionOutside,
    PicksTooClose,
    ReferencesTooClose,
    EastWestTooSmall,
    NorthSouthTooSmall,
    ScaleOutOfRange,
};

// The message that tells the user why (UTF-8).
std::string_view MapCorrectionMessage(MapCorrectionRefusal refusal);

// Plane coordinates of a typed position held at 0.1 m, as the window shows them; nullopt when
// it lies 3 degrees or more from the origin in latitude or longitude.
std::optional<PlaneXY> ReferencePlanePoint(const GeoPosition& position, double originLat, double originLon,
                                           double scaleFactor = kPlaneScaleFactor);

struct MapTransform {
    PlaneXY reference1, reference2;  // the references in plane coordinates, at 0.1 m
    double sinA = 0.0, cosA = 1.0;   // the turn, counter-clockwise
    double scaleEast = 1.0, scaleNorth = 1.0;
    double shiftEast = 0.0, shiftNorth = 0.0;
};

// The transform of two picks and two positions, or why there is none.
std::variant<MapTransform, MapCorrectionRefusal> ComputeMapCorrection(const MapCorrectionInput& input);

struct CorrectedPoints {
    MapTransform transform;
    std::vector<float> x;  // east, plane metres
    std::vector<float> y;  // north
};

// The building points (`x`, `y`, the same length) moved into plane coordinates, or the
// refusal; the points given are not changed.
std::variant<CorrectedPoints, MapCorrectionRefusal> FixMapPointData(const MapCorrectionInput& input,
                                                                    std::span<const float> x, std::span<const float> y);

}  // namespace gps
