#include "YumaAlmanac.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "OrbitConstants.h"

namespace orbit {

namespace {

enum Field { kId, kHealth, kEccentricity, kToa, kInclination, kRateOfRightAscen, kSqrtA, kRightAscen,
             kPerigee, kMeanAnomaly, kAf0, kAf1, kWeek, kFieldCount };

struct FieldLabel {
    Field field;
    std::string_view key;   // normalised label (lower case, no blanks)
    bool prefix;            // the key may be followed by more text (units, "Week"/"TOA")
    std::string_view name;  // name in messages
};

constexpr std::array<FieldLabel, kFieldCount> kLabels = {{
    {kId, "id", false, "ID"},
    {kHealth, "health", false, "Health"},
    {kEccentricity, "eccentricity", false, "Eccentricity"},
    {kToa, "timeofappl", true, "Time of Applicability"},
    {kInclination, "orbitalincl", true, "Orbital Inclination"},
    {kRateOfRightAscen, "rateofrightascen", true, "Rate of Right Ascen"},
    {kSqrtA, "sqrt(a)", true, "SQRT(A)"},
    {kRightAscen, "rightascenat", true, "Right Ascen at Week"},
    {kPerigee, "argumentofperigee", true, "Argument of Perigee"},
    {kMeanAnomaly, "meananom", true, "Mean Anom"},
    {kAf0, "af0", true, "Af0"},
    {kAf1, "af1", true, "Af1"},
    {kWeek, "week", false, "week"},
}};

std::string_view Trim(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Normalise(std::string_view label)
{
    std::string key;
    for (const char c : label) {
        if (c != ' ' && c != '\t') {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return key;
}

std::optional<Field> FieldOfLabel(std::string_view label)
{
    const std::string key = Normalise(label);
    for (const FieldLabel& l : kLabels) {
        if (l.prefix ? key.starts_with(l.key) : key == l.key) {
            return l.field;
        }
    }
    return std::nullopt;
}

// A whole text that is one decimal number: sign, digits with an optional point, optional
// exponent (E or D). Independent of the locale.
std::optional<double> Number(std::string_view text)
{
    text = Trim(text);
    std::string digits(text.starts_with('+') ? text.substr(1) : text);
    std::replace(digits.begin(), digits.end(), 'D', 'E');
    std::replace(digits.begin(), digits.end(), 'd', 'e');
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool IsHeader(std::string_view line)
{
    line = Trim(line);
    return !line.empty() && line.front() == '*';
}

// The number after the word "week" in a header line, if any.
std::optional<double> HeaderWeek(std::string_view line)
{
    std::vector<std::string_view> words;
    for (std::size_t i = 0; i < line.size();) {
        const auto start = line.find_first_not_of(" \t*", i);
        if (start == std::string_view::npos) break;
        const auto end = std::min(line.find_first_of(" \t*", start), line.size());
        words.push_back(line.substr(start, end - start));
        i = end;
    }
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (Normalise(words[i]) == "week") {
            return Number(words[i + 1]);
        }
    }
    return std::nullopt;
}

struct RawRecord {
    std::size_t firstLine = 0;
    std::optional<double> headerWeek;
    std::array<std::optional<double>, kFieldCount> values;
    std::array<std::string, kFieldCount> texts;
    std::string error;
};

std::string RecordName(std::size_t index, std::size_t line)
{
    return std::to_string(index + 1) + " 番目のレコード（" + std::to_string(line) + " 行目から）";
}

std::optional<int> WholeIn(double value, double low, double high)
{
    if (value < low || value > high || value != std::floor(value)) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// Checks a record's fields and converts it; an error text names the record and the field.
std::string ToRecord(const RawRecord& raw, std::size_t index, YumaRecord& out)
{
    const std::string where = RecordName(index, raw.firstLine);
    if (!raw.error.empty()) {
        return where + "：" + raw.error;
    }
    for (const FieldLabel& l : kLabels) {
        if (l.field != kWeek && !raw.values[l.field]) {
            return where + "に " + std::string(l.name) + " がありません。";
        }
    }
    const auto bad = [&](Field f) { return where + "の " + std::string(kLabels[f].name) + " が範囲外です。"; };
    const auto& v = raw.values;
    const auto prn = WholeIn(*v[kId], 1, 255);
    if (!prn) return bad(kId);
    const auto health = WholeIn(*v[kHealth], 0, 255);
    if (!health) return bad(kHealth);
    if (*v[kToa] < 0 || *v[kToa] >= kSecondsPerWeek) return bad(kToa);
    if (*v[kSqrtA] <= 0) return bad(kSqrtA);
    const std::optional<double> weekValue = v[kWeek] ? v[kWeek] : raw.headerWeek;
    if (!weekValue) {
        return where + "に week がありません。";
    }
    const auto week = WholeIn(*weekValue, 0, 32767);
    if (!week) return bad(kWeek);
    out = {*prn, *health, *v[kEccentricity], *v[kToa], *v[kInclination], *v[kRateOfRightAscen], *v[kSqrtA],
           *v[kRightAscen], *v[kPerigee], *v[kMeanAnomaly], *v[kAf0], *v[kAf1], *week, {}};
    std::copy_n(raw.texts.begin(), out.texts.size(), out.texts.begin());
    return {};
}

}  // namespace

YumaReadResult ReadYumaAlmanac(std::string_view text)
{
    std::vector<RawRecord> raws;
    std::size_t lineNumber = 0;
    for (std::size_t pos = 0; pos <= text.size();) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (IsHeader(line)) {
            raws.push_back({lineNumber, HeaderWeek(line), {}, {}, {}});
            continue;
        }
        const auto colon = line.find(':');
        if (raws.empty() || colon == std::string_view::npos || !raws.back().error.empty()) {
            continue;
        }
        const auto field = FieldOfLabel(line.substr(0, colon));
        if (!field) {
            continue;  // a line this reader does not need
        }
        RawRecord& raw = raws.back();
        const std::string name(kLabels[*field].name);
        const auto value = Number(line.substr(colon + 1));
        if (raw.values[*field]) {
            raw.error = std::string(name) + " が二度あります（" + std::to_string(lineNumber) + " 行目）。";
        } else if (!value) {
            raw.error = std::string(name) + " の値が数値ではありません（" + std::to_string(lineNumber) + " 行目）。";
        } else {
            raw.values[*field] = value;
            raw.texts[*field] = std::string(Trim(line.substr(colon + 1)));
        }
    }

    YumaReadResult result;
    if (raws.empty()) {
        result.error = "アルマナックのレコードがありません。";
        return result;
    }
    if (raws.size() > static_cast<std::size_t>(kMaxSateSlot)) {
        result.error = "アルマナックのレコードが 32 を超えています（" + std::to_string(raws.size()) + " レコード）。";
        return result;
    }
    for (std::size_t i = 0; i < raws.size(); ++i) {
        YumaRecord record;
        const std::string error = ToRecord(raws[i], i, record);
        if (!error.empty()) {
            result.error = error;
            result.records.clear();
            return result;
        }
        result.records.push_back(record);
    }
    result.week = result.records.front().week;
    return result;
}

AlmanacRecord ToAlmanacRecord(const YumaRecord& y)
{
    return {static_cast<std::int16_t>(y.prn), static_cast<std::int16_t>(y.health),
            static_cast<std::int32_t>(std::lround(y.toa)), y.inclination * kDegPerRad, y.sqrtA,
            y.rightAscen * kDegPerRad, y.perigee * kDegPerRad, y.meanAnomaly * kDegPerRad, y.sqrtA * y.sqrtA};
}

Almanac ToAlmanac(const YumaReadResult& read)
{
    Almanac almanac;
    almanac.storedWeek = read.week;
    for (const YumaRecord& y : read.records) {
        almanac.records.push_back(ToAlmanacRecord(y));
    }
    return almanac;
}

}  // namespace orbit
