#include "NmeaSentences.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace gps {

namespace {

// Field limits of each decoded type: the most fields its format has, and the fewest that reach
// the fields it must hold. A GGA has 15 fields in NMEA 0183 version 3, but receivers of later
// versions add some after them: those are not read, and only the splitter's limit holds.
constexpr int kGgaMaxFields = kMaxNmeaFields;
constexpr int kGgaMinFields = 7;   // through the quality
constexpr int kGsaMaxFields = 19;  // with the system id
constexpr int kGsaMinFields = 3;   // through the fix type
constexpr int kGsvMaxFields = 21;  // four groups and the signal id
constexpr int kGsvMinFields = 4;   // the three counts

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The whole field as an unsigned whole number; nullopt when empty or not one.
std::optional<int> WholeField(std::string_view field)
{
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || !IsDigit(field.front()) || error != std::errc() || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

// An optional whole-number field: empty is fine (nullopt inside), anything else must be a number.
bool OptionalWholeField(std::string_view field, std::optional<int>& out)
{
    out.reset();
    if (field.empty()) return true;
    out = WholeField(field);
    return out.has_value();
}

// "ddmm.mmmm" (latitude, maxDegrees 90) or "dddmm.mmmm" (longitude, 180) to decimal degrees.
std::optional<double> DegreesMinutes(std::string_view field, double maxDegrees)
{
    if (field.empty() || !IsDigit(field.front())) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    const double degrees = std::floor(value / 100.0);
    const double minutes = value - degrees * 100.0;
    const double result = degrees + minutes / 60.0;
    if (minutes >= 60.0 || result > maxDegrees) return std::nullopt;
    return result;
}

std::optional<GgaSentence> DecodeGga(Talker talker, const NmeaFields& f)
{
    if (f.count < kGgaMinFields) return std::nullopt;
    GgaSentence gga;
    gga.talker = talker;
    if (!f[1].empty()) {
        gga.utc = ParseNmeaTime(f[1]);
        if (!gga.utc) return std::nullopt;
    }
    const auto lat = DegreesMinutes(f[2], 90.0);
    const auto lon = DegreesMinutes(f[4], 180.0);
    const bool latHemisphere = f[3] == "N" || f[3] == "S";
    const bool lonHemisphere = f[5] == "E" || f[5] == "W";
    if ((!f[2].empty() && !lat) || (!f[4].empty() && !lon)) return std::nullopt;
    if (lat && lon && latHemisphere && lonHemisphere) {
        gga.hasPosition = true;
        gga.latitude = f[3] == "S" ? -*lat : *lat;
        gga.longitude = f[5] == "W" ? -*lon : *lon;
    }
    std::optional<int> quality;
    std::optional<int> satellites;
    if (!OptionalWholeField(f[6], quality) || !OptionalWholeField(f[7], satellites)) return std::nullopt;
    gga.quality = quality.value_or(0);
    gga.satellitesInUse = satellites.value_or(-1);
    gga.satellitesText = std::string(f[7]);
    return gga;
}

std::optional<GsaSentence> DecodeGsa(Talker talker, const NmeaFields& f)
{
    if (f.count < kGsaMinFields) return std::nullopt;
    GsaSentence gsa;
    gsa.talker = talker;
    std::optional<int> fix;
    if (!OptionalWholeField(f[2], fix)) return std::nullopt;
    gsa.fixType = fix.value_or(0);
    for (int k = 3; k <= 14 && k < f.count; ++k) {
        std::optional<int> prn;
        if (!OptionalWholeField(f[k], prn)) return std::nullopt;
        if (prn && *prn > 0) gsa.prns[static_cast<std::size_t>(gsa.prnCount++)] = *prn;
    }
    // A system id that is no whole number ("3.3") is left out: the satellites are then placed
    // by the talker.
    gsa.systemId = WholeField(f[18]).value_or(0);
    return gsa;
}

std::optional<GsvSentence> DecodeGsv(Talker talker, const NmeaFields& f)
{
    if (f.count < kGsvMinFields) return std::nullopt;
    GsvSentence gsv;
    gsv.talker = talker;
    const auto messages = WholeField(f[1]);
    const auto number = WholeField(f[2]);
    const auto inView = WholeField(f[3]);
    if (!messages || !number || !inView || *number < 1 || *number > *messages) return std::nullopt;
    gsv.messageCount = *messages;
    gsv.messageNumber = *number;
    gsv.satellitesInView = *inView;
    // The satellites this message carries follow from the counts, so a last group that lacks
    // its SNR field (or more) is still read, and a trailing signal id is not taken for a group.
    int groups = *inView - 4 * (*number - 1);
    groups = groups < 0 ? 0 : (groups > 4 ? 4 : groups);
    const int fieldsAfterCounts = f.count - 4;
    if (fieldsAfterCounts > 4 * groups + 1) {
        groups = std::min(4, (fieldsAfterCounts + 3) / 4);  // the counts say too few: read what is there
    }
    for (int k = 0; k < groups; ++k) {
        const int first = 4 + 4 * k;
        if (first >= f.count) break;
        GsvSatellite sat;
        const auto prn = WholeField(f[first]);
        if (!prn) return std::nullopt;
        sat.prn = *prn;
        if (!OptionalWholeField(f[first + 1], sat.elevation) || !OptionalWholeField(f[first + 2], sat.azimuth) ||
            !OptionalWholeField(f[first + 3], sat.snr)) {
            return std::nullopt;
        }
        gsv.satellites[static_cast<std::size_t>(gsv.satelliteCount++)] = sat;
    }
    const int signalField = 4 + 4 * groups;
    if (f.count == signalField + 1) {
        const auto signal = WholeField(f[signalField]);
        if (!signal) return std::nullopt;
        gsv.signalId = *signal;
    }
    return gsv;
}

}  // namespace

std::optional<Talker> TalkerOf(std::string_view address)
{
    const std::string_view t = address.substr(0, 2);
    if (t == "GP") return Talker::GP;
    if (t == "GN") return Talker::GN;
    if (t == "GL") return Talker::GL;
    if (t == "GA") return Talker::GA;
    if (t == "GB") return Talker::GB;
    return std::nullopt;
}

std::optional<TimeOfDay> ParseNmeaTime(std::string_view field)
{
    if (field.size() < 6) return std::nullopt;
    for (std::size_t i = 0; i < 6; ++i) {
        if (!IsDigit(field[i])) return std::nullopt;
    }
    TimeOfDay t;
    t.hour = (field[0] - '0') * 10 + (field[1] - '0');
    t.minute = (field[2] - '0') * 10 + (field[3] - '0');
    t.second = (field[4] - '0') * 10 + (field[5] - '0');
    if (t.hour > 23 || t.minute > 59 || t.second > 60) return std::nullopt;
    const std::string_view rest = field.substr(6);
    if (!rest.empty()) {
        if (rest.front() != '.') return std::nullopt;
        for (std::size_t i = 1; i < rest.size(); ++i) {
            if (!IsDigit(rest[i])) return std::nullopt;
        }
        double fraction = 0.0;
        if (rest.size() > 1) {
            std::from_chars(rest.data(), rest.data() + rest.size(), fraction, std::chars_format::fixed);
        }
        t.fraction = fraction;
    }
    return t;
}

JapanTime ToJapanTime(const TimeOfDay& utc)
{
    JapanTime jst;
    jst.hour = utc.hour + 9;
    if (jst.hour > 23) {
        jst.hour -= 24;
        jst.nextDay = true;
    }
    jst.minute = utc.minute;
    jst.second = utc.second;
    return jst;
}

std::string JapanTimeText(const JapanTime& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour % 100, time.minute % 100, time.second % 100);
    return text;
}

int TimeStepOf(const JapanTime& time)
{
    const double steps = (time.hour * 3600 + time.minute * 60 + time.second) / 300.0;
    return static_cast<int>(std::nearbyint(steps));  // the default rounding mode: halves to even
}

bool IsFix(const GgaSentence& gga) { return gga.hasPosition && gga.quality != 0; }

std::string_view QualityLabel(int quality)
{
    if (quality == 1) return "Navi";
    if (quality == 2) return "DGPS";
    if (quality >= 3) return "RTK";
    return {};
}

GnssSystem SystemOfSatellite(Talker talker, int systemId, int prn)
{
    switch (systemId) {
    case 1: return prn >= 33 && prn <= 64 ? GnssSystem::Sbas : GnssSystem::Gps;
    case 2: return GnssSystem::Glonass;
    case 3: return GnssSystem::Galileo;
    case 4: return GnssSystem::BeiDou;
    case 5: return GnssSystem::Qzss;
    case 6: return GnssSystem::NavIC;
    case 0: break;
    default: return GnssSystem::Unknown;
    }
    switch (talker) {
    case Talker::GL: return GnssSystem::Glonass;
    case Talker::GA: return GnssSystem::Galileo;
    case Talker::GB: return GnssSystem::BeiDou;
    case Talker::GP:
    case Talker::GN: break;
    }
    if (prn >= 1 && prn <= 32) return GnssSystem::Gps;
    if (prn >= 33 && prn <= 64) return GnssSystem::Sbas;
    if (prn >= 65 && prn <= 96 && talker == Talker::GN) return GnssSystem::Glonass;
    return GnssSystem::Unknown;
}

std::optional<NmeaSentence> ParseNmeaLine(std::string_view line)
{
    const auto body = CheckNmeaChecksum(line);
    if (!body) return std::nullopt;
    NmeaSentence sentence;
    sentence.body = std::string(*body);
    const std::string_view address = sentence.address();
    const auto talker = TalkerOf(address);
    if (!talker || address.size() != 5) return sentence;
    const std::string_view type = address.substr(2);
    NmeaFields fields;
    if (type == "GGA") {
        if (SplitNmeaFields(sentence.body, fields, kGgaMaxFields)) {
            if (auto gga = DecodeGga(*talker, fields)) sentence.data = std::move(*gga);
        }
    } else if (type == "GSA") {
        if (SplitNmeaFields(sentence.body, fields, kGsaMaxFields)) {
            if (auto gsa = DecodeGsa(*talker, fields)) sentence.data = *gsa;
        }
    } else if (type == "GSV") {
        if (SplitNmeaFields(sentence.body, fields, kGsvMaxFields)) {
            if (auto gsv = DecodeGsv(*talker, fields)) sentence.data = *gsv;
        }
    }
    return sentence;
}

void NmeaDecoder::feed(const char* data, std::size_t size, const SentenceHandler& onSentence)
{
    assembler_.feed(data, size, [&](std::string_view line) {
        if (auto sentence = ParseNmeaLine(line)) {
            onSentence(*sentence);
        } else {
            ++droppedLines_;
        }
    });
}

}  // namespace gps

