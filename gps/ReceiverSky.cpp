#include "ReceiverSky.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Constants.h"

namespace gps {

int ReceiverIconSlot(Talker talker, int systemId, int prn)
{
    const GnssSystem system = SystemOfSatellite(talker, systemId, prn);
    if (system == GnssSystem::Gps && prn >= 1 && prn <= 32) return prn - 1;
    if (system == GnssSystem::Sbas && prn == kDifferentialPrn) return kDifferentialSlot;
    return -1;
}

std::optional<ReceiverPlotPoint> ReceiverPlotPointOf(const GsvSatellite& satellite)
{
    const int elevation = satellite.elevation.value_or(0);
    const int azimuth = satellite.azimuth.value_or(0);
    if (elevation < 0 || elevation > 90 || azimuth < 0 || azimuth > 359) return std::nullopt;
    const double r = 90.0 - elevation;
    const double theta = (90.0 - azimuth) * platform::kRadPerDeg;
    return ReceiverPlotPoint{r * std::cos(theta), r * std::sin(theta)};
}

std::string DegreeMinuteSecondText(double degrees, int degreeDigits)
{
    const long long hundredths = std::llround(std::abs(degrees) * 360000.0);
    const long long whole = hundredths / 360000;
    const long long minutes = hundredths % 360000 / 6000;
    const long long secondHundredths = hundredths % 6000;
    char text[48];
    std::snprintf(text, sizeof text, "%s%0*lld-%02lld-%02lld.%02lld", degrees < 0 && hundredths != 0 ? "-" : "", degreeDigits,
                  whole, minutes, secondHundredths / 100, secondHundredths % 100);
    return text;
}

std::string ReceiverTimeText(const JapanTime& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", time.hour % 100, time.minute % 100, time.second % 100);
    return text;
}

void ReceiverSatellites::clear()
{
    used_.fill(false);
    placed_.fill(false);
    at_.fill({});
    inGsaCycle_ = false;
}

void ReceiverSatellites::takeGsa(const GsaSentence& gsa)
{
    if (!inGsaCycle_) used_.fill(false);
    inGsaCycle_ = true;
    for (int k = 0; k < gsa.prnCount && k < static_cast<int>(gsa.prns.size()); ++k) {
        const int slot = ReceiverIconSlot(gsa.talker, gsa.systemId, gsa.prns[static_cast<std::size_t>(k)]);
        if (slot >= 0) used_[static_cast<std::size_t>(slot)] = true;
    }
}

int ReceiverSatellites::takeGsv(const GsvSentence& gsv)
{
    int placedNow = 0;
    for (int k = 0; k < gsv.satelliteCount && k < static_cast<int>(gsv.satellites.size()); ++k) {
        const GsvSatellite& satellite = gsv.satellites[static_cast<std::size_t>(k)];
        const int slot = ReceiverIconSlot(gsv.talker, 0, satellite.prn);
        if (slot < 0) continue;
        const auto at = ReceiverPlotPointOf(satellite);
        placed_[static_cast<std::size_t>(slot)] = at.has_value();
        at_[static_cast<std::size_t>(slot)] = at.value_or(ReceiverPlotPoint{});
        placedNow += at.has_value();
    }
    return placedNow;
}

int ReceiverSatellites::usedGpsCount() const
{
    int count = 0;
    for (int slot = 0; slot < kDifferentialSlot; ++slot) count += used_[static_cast<std::size_t>(slot)];
    return count;
}

}  // namespace gps
