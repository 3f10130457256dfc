#include "YumaAlmanac.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <memory>
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
    bool afterWeek = false;
    for (std::size_t i = 0; i < line.size();) {
        const auto start = line.find_first_not_of(" \t*", i);
        if (start == std::string_view::npos) break;
        const auto end = std::min(line.find_first_of(" \t*", start), line.size());
        const std::string_view word = line.substr(start, end - start);
        if (afterWeek) {
            return Number(word);
        }
        afterWeek = word.size() == 4 && Normalise(word) == "week";
        i = end;
    }
    return std::nullopt;
}

struct RawRecord {
    std::size_t firstLine = 0;
    std::optional<double> headerWeek;
    std::array<std::optional<double>, kFieldCount> values;
    std::array<std::string, kFieldCount> texts;
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

// Reads a YUMA text one line at a time and refuses it as soon as it is known to be bad: a line
// too long, a field repeated or not a number, a record that lacks a field (known when the next
// record starts or the text ends), a 33rd record. It keeps at most 32 records and the one being
// read, so a wrong text costs no more than its lines up to that point.
class YumaAlmanacStream::Lines {
public:
    // The next line, without its line end. False once the text is refused.
    bool add(std::string_view line)
    {
        if (!error_.empty()) {
            return false;
        }
        ++lineNumber_;
        if (line.size() > kMaxYumaLineLength) {
            error_ = std::to_string(lineNumber_) + " 行目が長すぎます（1 行 " + std::to_string(kMaxYumaLineLength) +
                     " 文字まで）。YUMA 形式のアルマナックではありません。";
            return false;
        }
        if (IsHeader(line)) {
            if (!closeRecord()) {
                return false;
            }
            if (records_.size() == static_cast<std::size_t>(kMaxSateSlot)) {
                error_ = "アルマナックのレコードが 32 を超えています（33 番目のレコードが " + std::to_string(lineNumber_) +
                         " 行目にあります）。";
                return false;
            }
            open_ = RawRecord{lineNumber_, HeaderWeek(line), {}, {}};
            return true;
        }
        const auto colon = line.find(':');
        if (!open_ || colon == std::string_view::npos) {
            return true;
        }
        const auto field = FieldOfLabel(line.substr(0, colon));
        if (!field) {
            return true;  // a line this reader does not need
        }
        const std::string name(kLabels[*field].name);
        const auto value = Number(line.substr(colon + 1));
        const std::string where = RecordName(records_.size(), open_->firstLine) + "：";
        if (open_->values[*field]) {
            error_ = where + name + " が二度あります（" + std::to_string(lineNumber_) + " 行目）。";
        } else if (!value) {
            error_ = where + name + " の値が数値ではありません（" + std::to_string(lineNumber_) + " 行目）。";
        } else {
            open_->values[*field] = value;
            open_->texts[*field] = std::string(Trim(line.substr(colon + 1)));
        }
        return error_.empty();
    }

    // The records of the whole text, or why it was refused.
    YumaReadResult finish()
    {
        YumaReadResult result;
        if (error_.empty() && closeRecord() && records_.empty()) {
            error_ = "アルマナックのレコードがありません。";
        }
        if (!error_.empty()) {
            result.error = error_;
            return result;
        }
        result.records = std::move(records_);
        result.week = result.records.front().week;
        return result;
    }

private:
    // Checks and keeps the record being read, if any.
    bool closeRecord()
    {
        if (!open_) {
            return true;
        }
        YumaRecord record;
        error_ = ToRecord(*open_, records_.size(), record);
        open_.reset();
        if (!error_.empty()) {
            return false;
        }
        records_.push_back(std::move(record));
        return true;
    }

    std::vector<YumaRecord> records_;
    std::optional<RawRecord> open_;
    std::size_t lineNumber_ = 0;
    std::string error_;
};

YumaAlmanacStream::YumaAlmanacStream() : lines_(std::make_unique<Lines>()) {}

YumaAlmanacStream::~YumaAlmanacStream() = default;

bool YumaAlmanacStream::feed(std::string_view bytes)
{
    while (!refused_ && !bytes.empty()) {
        bytes.remove_prefix(line_.take(bytes));
        if (line_.tooLong()) {
            lines_->add(line_.line());  // too long: refused without gathering the rest of it
            refused_ = true;
            break;
        }
        if (!line_.complete()) {
            break;  // the line goes on in the next bytes
        }
        refused_ = !lines_->add(line_.line());
        line_.clear();
    }
    return !refused_;
}

YumaReadResult YumaAlmanacStream::finish()
{
    if (!refused_) {
        line_.end();
        lines_->add(line_.line());  // the last line, without a line end (empty after one)
        line_.clear();
        refused_ = true;
    }
    return lines_->finish();
}

YumaReadResult ReadYumaAlmanac(std::string_view text)
{
    YumaAlmanacStream stream;
    stream.feed(text);
    return stream.finish();
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
