#pragma once
// The wrong files the reader benchmarks feed their readers: a text made of one line repeated, and
// the text written to a file in the temporary folder.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace bench {

inline constexpr std::size_t kTenMegabytes = 10'000'000;

// `line` repeated up to `size` bytes (the last copy cut there).
inline std::string Repeated(const std::string& line, std::size_t size = kTenMegabytes)
{
    std::string text;
    text.reserve(size + line.size());
    while (text.size() < size) text += line;
    text.resize(size);
    return text;
}

// Writes `text` to `name` in the temporary folder and gives its path; empty (with the
// benchmark's error set) when it cannot be written.
inline std::filesystem::path WriteWrongFile(benchmark::State& state, const std::string& name, const std::string& text)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream file(path, std::ios::binary);
    if (!file.write(text.data(), static_cast<std::streamsize>(text.size()))) {
        state.SkipWithError("cannot write the file");
        return {};
    }
    return path;
}

}  // namespace bench
