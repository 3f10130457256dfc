// NMEA decoding speed on a real multi-constellation receiver log (tests/data/nmea): bytes in,
// checked and decoded sentences out, as the serial reader does it.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "gps/NmeaSentences.h"
#include "gps/PlaneRectangular.h"

namespace {

std::string LogText()
{
    std::ifstream in(std::string(GPSPLAN_TEST_DATA_DIR) + "/nmea/ublox-zed-f9p-nmea.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The log's 1015 sentences, fed in reads of 61 bytes (a serial read's usual size).
void BM_DecodeRealLog(benchmark::State& state)
{
    const std::string log = LogText();
    std::size_t sentences = 0;
    std::size_t fixes = 0;
    for (auto _ : state) {
        gps::NmeaDecoder decoder;
        for (std::size_t at = 0; at < log.size(); at += 61) {
            decoder.feed(log.data() + at, std::min<std::size_t>(61, log.size() - at), [&](const gps::NmeaSentence& s) {
                ++sentences;
                if (const auto* gga = std::get_if<gps::GgaSentence>(&s.data)) fixes += gps::IsFix(*gga);
            });
        }
    }
    benchmark::DoNotOptimize(fixes);
    state.SetItemsProcessed(static_cast<std::int64_t>(sentences));
    state.SetBytesProcessed(static_cast<std::int64_t>(log.size() * state.iterations()));
}
BENCHMARK(BM_DecodeRealLog);

// One position to plane coordinates (system 9), as every accepted GGA is converted.
void BM_LatLonToPlane(benchmark::State& state)
{
    double lat = 35.7385;
    for (auto _ : state) {
        const gps::PlaneXY xy = gps::LatLonToPlane(lat, 139.6107, 36.0, 139.0 + 50.0 / 60.0);
        benchmark::DoNotOptimize(xy);
        lat += 1e-9;
    }
}
BENCHMARK(BM_LatLonToPlane);

}  // namespace
