#pragma once
// NMEA lines for tests: sentences written as their bodies (the checksum is computed here), and
// the lines of a receiver log.

#include <cstdio>
#include <string>
#include <sstream>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "gps/NmeaSentences.h"

namespace testutil {

// "<body>*hh", with a leading "$" unless `dollar` is false (a sentence whose "$" was lost).
inline std::string NmeaLine(std::string_view body, bool dollar = true)
{
    unsigned char sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return (dollar ? "$" : "") + std::string(body) + "*" + hex;
}

// The lines of a log text, without their line ends (CR LF or LF).
inline std::vector<std::string> LogLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The decoded sentence of a body; fails the test when the line is not accepted.
inline gps::NmeaSentence NmeaOf(std::string_view body, bool dollar = true)
{
    const auto sentence = gps::ParseNmeaLine(NmeaLine(body, dollar));
    EXPECT_TRUE(sentence.has_value()) << body;
    return sentence.value_or(gps::NmeaSentence{});
}

}  // namespace testutil
