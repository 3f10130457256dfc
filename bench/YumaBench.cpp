// A wrong file picked in the almanac import window must be refused in about the time it takes
// to read it, with memory bounded by the 32 records the reader keeps. Each case reads a file of
// ten megabytes from disk (from the page cache after the first run) in chunks, as the window does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "WrongFiles.h"
#include "orbit/YumaAlmanac.h"

namespace {

using bench::Repeated;

// One published record; `prn` 1..32.
std::string Record(int prn)
{
    return "******** Week 405 almanac for PRN-" + std::to_string(prn) +
           " ********\r\n"
           "ID:                         " +
           std::to_string(prn) +
           "\r\n"
           "Health:                     000\r\n"
           "Eccentricity:               0.5693912506E-002\r\n"
           "Time of Applicability(s):  405504.0000\r\n"
           "Orbital Inclination(rad):   0.9599\r\n"
           "Rate of Right Ascen(r/s):  -0.7886042771E-008\r\n"
           "SQRT(A)  (m 1/2):           5153.691895\r\n"
           "Right Ascen at Week(rad):  -0.1912602899E+001\r\n"
           "Argument of Perigee(rad):   0.881498914\r\n"
           "Mean Anom(rad):            -0.5\r\n"
           "Af0(s):                     0.4291534424E-003\r\n"
           "Af1(s/s):                  -0.1091393642E-010\r\n"
           "week:                        405\r\n\r\n";
}

std::string WrongText(int kind)
{
    switch (kind) {
    case 0:  // lines that each open a record
        return Repeated("*\n");
    case 1: {  // good records, far more than 32
        std::string text;
        for (int prn = 1; text.size() < bench::kTenMegabytes; prn = prn % 32 + 1) {
            text += Record(prn);
        }
        return text;
    }
    case 2: {  // a record without its mean anomaly, then lines the reader passes over: whether
               // the record is complete is known only at the end
        std::string record = Record(1);
        const auto mean = record.find("Mean Anom");
        record.erase(mean, record.find('\n', mean) + 1 - mean);
        return record + Repeated("Comment(rad):  0.123456789E-001\r\n");
    }
    default:  // a text without any record, read to the end
        return Repeated("lat,lon,height,1.0,2.0,3.0,4.0,5.0\n");
    }
}

void BM_ReadWrongYumaFile(benchmark::State& state)
{
    const std::filesystem::path path = bench::WriteWrongFile(
        state, "bench_yuma_wrong_" + std::to_string(state.range(0)) + ".txt", WrongText(static_cast<int>(state.range(0))));
    if (path.empty()) return;
    // As the import window reads a file: chunks of 64 KiB until the reader refuses it.
    std::vector<char> chunk(64 * 1024);
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        orbit::YumaAlmanacStream stream;
        std::size_t bytesRead = 0;
        while (file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || file.gcount() > 0) {
            const auto got = static_cast<std::size_t>(file.gcount());
            bytesRead += got;
            if (!stream.feed(std::string_view(chunk.data(), got))) {
                break;
            }
        }
        if (stream.finish().ok()) {
            state.SkipWithError("the wrong file was taken");
            break;
        }
        state.counters["bytes_read"] = static_cast<double>(bytesRead);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadWrongYumaFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
