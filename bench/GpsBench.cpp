// NMEA decoding speed on a real multi-constellation receiver log (tests/data/nmea): bytes in,
// checked and decoded sentences out, as the serial reader does it. And the GPS settings reader
// on a wrong file of ten megabytes: refused in far less than 0.1 s, with a bounded read.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <string>

#include "gps/GpsSettings.h"
#include "gps/NmeaSentences.h"
#include "gps/PlaneRectangular.h"
#include "tests/common/ProcessReads.h"

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

// A settings file of ten megabytes of lines that look like a first line ("9"): as the receiver,
// map-correction and comparison windows read it when they load.
void BM_LoadWrongGpsSettingFile(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir(dir.path()).mkdir(QStringLiteral("data0"))) {
        state.SkipWithError("cannot make the start folder");
        return;
    }
    {
        QFile file(gps::GpsSettingPath(dir.path()));
        QByteArray text;
        while (text.size() < 10'000'000) text += "9\r\n";
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            state.SkipWithError("cannot write the file");
            return;
        }
    }
    long long bytesRead = 0;
    for (auto _ : state) {
        const long long before = testutil::BytesReadByThisProcess();
        if (gps::LoadGPSSetting(dir.path()).isEmpty()) {
            state.SkipWithError("the wrong file was taken");
            break;
        }
        bytesRead = testutil::BytesReadByThisProcess() - before;
    }
    state.counters["bytes_read"] = static_cast<double>(bytesRead);
}
BENCHMARK(BM_LoadWrongGpsSettingFile)->Unit(benchmark::kMillisecond);

}  // namespace
