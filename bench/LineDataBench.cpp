// A wrong file picked in the building input's open dialog must be refused at once, on the
// window's thread, with memory bounded by one chunk and one line: a file larger than any
// building-data file by its size, any other at its first wrong line. Each case reads a file
// from disk (from the page cache after the first run); bytes_read says how much of it was read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "WrongFiles.h"

#include "photoinput/LineDataFile.h"
#include "photoinput/SampleData.h"

namespace {

using bench::kTenMegabytes;
using bench::Repeated;

std::string WrongText(int kind)
{
    switch (kind) {
    case 0:  // 10 MB of comma lines
        return Repeated("lat,lon,height,1.0,2.0,3.0,4.0,5.0\r\n", kTenMegabytes);
    case 1:  // 10 MB of binary zeros, no line end
        return std::string(kTenMegabytes, '\0');
    case 2:  // just under the size limit, wrong from line 1
        return Repeated("lat,lon,height,1.0,2.0,3.0,4.0,5.0\r\n", kMaxLineDataFileSize - 100);
    default:  // just under the size limit, a good model with a wrong line at its very end
        return WriteLineDataText(SampleDataSet(1).data) + Repeated("\r\n", kMaxLineDataFileSize - 5000) + "x\r\n";
    }
}

void BM_ReadWrongLineDataFile(benchmark::State& state)
{
    const std::filesystem::path path = bench::WriteWrongFile(
        state, "bench_linedata_wrong_" + std::to_string(state.range(0)) + ".dat", WrongText(static_cast<int>(state.range(0))));
    if (path.empty()) return;
    for (auto _ : state) {
        std::uintmax_t bytesRead = 0;
        if (ReadLineDataFile(path.string(), nullptr, &bytesRead)) {
            state.SkipWithError("the wrong file was taken");
            break;
        }
        state.counters["bytes_read"] = static_cast<double>(bytesRead);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadWrongLineDataFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
