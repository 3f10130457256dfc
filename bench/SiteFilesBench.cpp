// The main window's settings, project and GPS record readers on files of ten megabytes that are
// not what they should be (a picture, a table, a log picked by mistake): each must be refused at
// once, on the window's thread, with memory bounded by one chunk and one line. A settings or
// project file larger than the largest valid one is refused by its size without being read; a
// GPS record, which may be longer than the 4001 points read, is read no further than its first
// line too long, its 4001st point or its 4001st line without a point (blank or of another form).
// bytes_read says how much was read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>

#include "WrongFiles.h"

#include "site/SiteFiles.h"
#include "tests/common/ProcessReads.h"

namespace {

using bench::kTenMegabytes;
using bench::Repeated;

const std::string kCommaLine = "lat,lon,height,1.0,2.0,3.0,4.0,5.0\r\n";

// Reads the file at `path` with `read` (true when the file was taken) until the state is done;
// `taken` says whether the file should be taken.
void ReadWrongFile(benchmark::State& state, const std::string& name, const std::string& text, bool taken,
                   const std::function<bool(const std::string&)>& read)
{
    const std::filesystem::path path = bench::WriteWrongFile(state, name, text);
    if (path.empty()) return;
    long long bytesRead = 0;
    for (auto _ : state) {
        const long long before = testutil::BytesReadByThisProcess();
        if (read(path.string()) != taken) {
            state.SkipWithError(taken ? "the file was refused" : "the wrong file was taken");
            break;
        }
        bytesRead = testutil::BytesReadByThisProcess() - before;
    }
    state.counters["bytes_read"] = static_cast<double>(bytesRead);
    std::filesystem::remove(path);
}

std::string WrongSettingOrProject(int kind, std::uintmax_t limit)
{
    switch (kind) {
    case 0:  // 10 MB of comma lines
        return Repeated(kCommaLine);
    case 1:  // 10 MB of binary zeros, no line end
        return std::string(kTenMegabytes, '\0');
    default:  // just under the size limit: a first value, then blank lines, then "x"
        return " 0 \r\n" + Repeated("\r\n", limit - 100) + "x\r\n";
    }
}

// A settings or project file (`stem` names it) that is wrong in way state.range(0), read with
// `read`, whose size limit is `limit`.
void BM_ReadWrongConditionsFile(benchmark::State& state, const std::string& stem, std::uintmax_t limit,
                                bool (*read)(const std::string&))
{
    const int kind = static_cast<int>(state.range(0));
    ReadWrongFile(state, "bench_" + stem + "_wrong_" + std::to_string(kind) + ".dat", WrongSettingOrProject(kind, limit), false, read);
}
BENCHMARK_CAPTURE(BM_ReadWrongConditionsFile, settings, std::string("setting"), kMaxSettingFileSize,
                  [](const std::string& path) { return ReadSettingFile(path).has_value(); })
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadWrongConditionsFile, project, std::string("project"), kMaxProjectFileSize,
                  [](const std::string& path) { return ReadProjectFile(path).has_value(); })
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

void BM_ReadWrongGpsRecordFile(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    std::string text;
    bool taken = false;
    switch (kind) {
    case 0:  // 10 MB of comma lines
        text = Repeated(kCommaLine);
        break;
    case 1:  // 10 MB of binary zeros, no line end
        text = std::string(kTenMegabytes, '\0');
        break;
    case 2:  // 10 MB of blank lines: no record line
        text = Repeated("\r\n");
        break;
    default:  // 10 MB of record lines: the first 4001 points are taken
        text = Repeated("10:00:00,-20141.3,-28988.1\r\n");
        taken = true;
        break;
    }
    ReadWrongFile(state, "bench_gps_record_" + std::to_string(kind) + ".gps", text, taken,
                  [](const std::string& path) { return ReadGpsRecordFile(path).has_value(); });
}
BENCHMARK(BM_ReadWrongGpsRecordFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
