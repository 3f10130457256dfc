#include "ReceiverFix.h"

#include "platform/NumberText.h"

namespace gps {

std::optional<ReceiverFix> AcceptGga(const GgaSentence& gga, double originLat, double originLon, double scaleFactor)
{
    if (!IsFix(gga) || !IsWithinSystemWindow(gga.latitude, gga.longitude, originLat, originLon)) {
        return std::nullopt;
    }
    const PlaneXY xy = LatLonToPlane(gga.latitude, gga.longitude, originLat, originLon, scaleFactor);
    ReceiverFix fix;
    fix.east = xy.east;
    fix.north = xy.north;
    if (gga.utc) fix.timeText = JapanTimeText(ToJapanTime(*gga.utc));
    fix.satellitesText = gga.satellitesText;
    fix.qualityLabel = std::string(QualityLabel(gga.quality));
    return fix;
}

std::string MetresText(double metres) { return platform::FormatFixed(metres, "#######0.0"); }

std::string GpsRecordLine(const ReceiverFix& fix)
{
    return fix.timeText + "," + MetresText(fix.east) + "," + MetresText(fix.north) + "\r\n";
}

}  // namespace gps
