#pragma once
// Sentences made for tests, the lines of a receiver log, and the fixes of a real log as the
// receiver window accepts them.

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gps/NmeaSentences.h"
#include "gps/ReceiverFix.h"

namespace testutil {

// "$" + body + "*" + the body's checksum; checked against real sentences in NmeaParseTest.
inline std::string Sentence(const std::string& body)
{
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return "$" + body + tail;
}

// The decoded sentence of a body; fails the test when the line is not accepted.
inline gps::NmeaSentence NmeaOf(const std::string& body)
{
    const auto sentence = gps::ParseNmeaLine(Sentence(body));
    EXPECT_TRUE(sentence.has_value()) << body;
    return sentence.value_or(gps::NmeaSentence{});
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

// The GGA of a sentence body (a default GGA when it does not decode as one).
inline gps::GgaSentence Gga(const std::string& body)
{
    const auto sentence = gps::ParseNmeaLine(Sentence(body));
    const auto* gga = sentence ? std::get_if<gps::GgaSentence>(&sentence->data) : nullptr;
    return gga ? *gga : gps::GgaSentence{};
}

// The fixes a receiver window accepts from `bytes` about the given origin, in order.
inline std::vector<gps::ReceiverFix> AcceptedFixes(const std::string& bytes, double originLat, double originLon)
{
    std::vector<gps::ReceiverFix> fixes;
    gps::NmeaDecoder decoder;
    decoder.feed(bytes.data(), bytes.size(), [&](const gps::NmeaSentence& s) {
        if (const auto* gga = std::get_if<gps::GgaSentence>(&s.data)) {
            if (auto fix = gps::AcceptGga(*gga, originLat, originLon)) fixes.push_back(*fix);
        }
    });
    return fixes;
}

}  // namespace testutil
