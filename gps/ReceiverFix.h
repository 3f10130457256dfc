#pragma once
// What the receiver window takes from one GGA sentence: the position in plane coordinates of
// the system in use, the Japan time, the satellites in use and the fix label, and the line it
// records.
//
// A GGA is accepted only with a position, a quality other than 0 and a position less than 3
// degrees from the system origin in latitude and longitude; anything else is not shown and not
// recorded. South and west come in negative, so they fall outside every Japanese system.
//
// GPS record line (CR LF ended), read back by the main window's GPS record reader:
//   12:15:19,123.4,-56.7      Japan time hh:mm:ss, east, north (metres, "#######0.0")
// The time field is empty when the sentence had no time; the reader uses east and north only.

#include <optional>
#include <string>

#include "gps/NmeaSentences.h"
#include "gps/PlaneRectangular.h"

namespace gps {

struct ReceiverFix {
    double east = 0.0;   // metres, plane coordinates
    double north = 0.0;
    std::string timeText;        // "hh:mm:ss" Japan time, empty without a time
    std::string satellitesText;  // field 7 as received
    std::string qualityLabel;    // "Navi", "DGPS", "RTK"
};

// The accepted fix of a GGA, or nullopt when it is not to be shown.
std::optional<ReceiverFix> AcceptGga(const GgaSentence& gga, double originLat, double originLon,
                                     double scaleFactor = kPlaneScaleFactor);

// "#######0.0": at least one digit, one decimal, a minus sign when negative.
std::string MetresText(double metres);

// The record line of a fix, CR LF included.
std::string GpsRecordLine(const ReceiverFix& fix);

}  // namespace gps
