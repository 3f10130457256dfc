#pragma once
// Sentences made for tests, and the fixes of a real log as the receiver window accepts them.

#include <cstdio>
#include <string>
#include <vector>

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
