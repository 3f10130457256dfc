#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace platform {

std::int64_t RoundHalfEven(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLimit = 9.2e18;
    if (value >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    auto whole = static_cast<std::int64_t>(floorValue);
    if (diff > 0.5 || (diff == 0.5 && (whole % 2 != 0))) {
        ++whole;
    }
    return whole;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal digits of a finite, non-zero magnitude: value = 0.d1d2d3... x 10^pointPos.
// With `significant` > 0 the digits are rounded to that many significant figures; with 0 they
// are the shortest digits that read back as the same double.
struct Decimal {
    std::string digits;  // no leading or trailing zeros
    int pointPos = 0;    // number of digits before the decimal point
};

Decimal ToDecimal(double magnitude, int significant)
{
    char buf[64];
    std::to_chars_result r{};
    if (significant > 0) {
        r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, significant - 1);
    } else {
        r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    }
    const std::string text(buf, r.ptr);
    const auto ePos = text.find('e');
    Decimal d;
    for (std::size_t i = 0; i < ePos; ++i) {
        if (IsDigit(text[i])) {
            d.digits += text[i];
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    d.pointPos = exponent + 1;
    return d;
}

std::string StandardPrint(double value, Precision precision, bool zeroBeforePoint)
{
    if (precision == Precision::Single) {
        value = static_cast<double>(static_cast<float>(value));
    }
    if (!std::isfinite(value) || value == 0.0) {
        return "0";
    }
    const int significant = precision == Precision::Single ? 7 : 15;
    const Decimal d = ToDecimal(std::fabs(value), significant);
    const int exponent = d.pointPos - 1;  // value = d1.d2d3... x 10^exponent
    std::string out = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= significant) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        char expText[16];
        std::snprintf(expText, sizeof expText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return out + expText;
    }
    if (d.pointPos <= 0) {
        out += zeroBeforePoint ? "0." : ".";
        out += std::string(static_cast<std::size_t>(-d.pointPos), '0');
        return out + d.digits;
    }
    const auto intDigits = static_cast<std::size_t>(d.pointPos);
    if (d.digits.size() <= intDigits) {
        return out + d.digits + std::string(intDigits - d.digits.size(), '0');
    }
    return out + d.digits.substr(0, intDigits) + "." + d.digits.substr(intDigits);
}

}  // namespace

namespace {

// Length of the decimal number at the start of `text` (after `start`), 0 when there is none.
std::size_t NumberLength(std::string_view text, std::size_t start)
{
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool digits = false;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i - start;
}

// Power of ten of the first significant digit of an unsigned decimal number as NumberLength
// accepts it ("250" 2, "0.03" -2, "1e-1" -1, "1000e-1" 2); exponent digits saturate at 1e15.
// A number without a significant digit (zero) gives the lowest value.
long long DecimalExponent(std::string_view number)
{
    const std::size_t exponentAt = std::min(number.find_first_of("eEdD"), number.size());
    const std::string_view mantissa = number.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstDigit = mantissa.find_first_of("123456789");
    if (firstDigit == std::string_view::npos) {
        return std::numeric_limits<long long>::min();
    }
    const long long first = firstDigit < point ? static_cast<long long>(point - firstDigit) - 1
                                               : -static_cast<long long>(firstDigit - point);
    constexpr long long kClamp = 1'000'000'000'000'000LL;
    long long exponent = 0;
    std::size_t j = exponentAt + 1;
    const bool negativeExponent = j < number.size() && number[j] == '-';
    if (j < number.size() && (number[j] == '+' || number[j] == '-')) {
        ++j;
    }
    for (; j < number.size() && IsDigit(number[j]); ++j) {
        exponent = std::min(kClamp, exponent * 10 + (number[j] - '0'));
    }
    return first + (negativeExponent ? -exponent : exponent);
}

std::size_t SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    return i;
}

}  // namespace

double NumericValue(std::string_view text)
{
    const std::size_t start = SkipBlanks(text);
    const std::size_t length = NumberLength(text, start);
    if (length == 0) {
        return 0.0;
    }
    // from_chars takes no '+', no leading point and no 'D' exponent: normalise those first.
    std::string number(text.substr(start, length));
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.erase(number.begin());
    }
    if (number.front() == '.') {
        number.insert(number.begin(), '0');
    }
    for (char& c : number) {
        if (c == 'd' || c == 'D') {
            c = 'e';
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range is either beyond the largest double or below the smallest: which one
        // follows from the magnitude alone (at least 1 or below 1), whatever the digits and
        // the exponent look like ("1000e-1" is large, "0.0001e5" is 10).
        value = DecimalExponent(number) >= 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

bool IsNumberText(std::string_view text)
{
    const std::size_t start = SkipBlanks(text);
    const std::size_t length = NumberLength(text, start);
    if (length == 0) {
        return false;
    }
    for (std::size_t i = start + length; i < text.size(); ++i) {
        if (text[i] != ' ' && text[i] != '\t') {
            return false;
        }
    }
    return true;
}

bool HasLeadingNumber(std::string_view text) { return NumberLength(text, SkipBlanks(text)) > 0; }

bool IsNumberOrItsStart(std::string_view text)
{
    const std::size_t start = SkipBlanks(text);
    std::size_t end = text.size();
    while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    const std::string_view typed = text.substr(start, end - start);
    return typed.empty() || IsNumberText(typed) || IsNumberText(std::string(typed) + "0");
}

std::string ShortestText(double value, Precision precision)
{
    return StandardPrint(value, precision, false);
}

std::string PlainText(double value, Precision precision)
{
    return StandardPrint(value, precision, true);
}

std::string NumberLine(double value, Precision precision)
{
    std::string text = ShortestText(value, precision);
    if (text.front() != '-') {
        text.insert(text.begin(), ' ');
    }
    return text + " \r\n";
}

std::string FormatFixed(double value, std::string_view pattern)
{
    const auto point = pattern.find('.');
    const std::string_view intPattern = pattern.substr(0, point);
    const std::size_t fracDigits = point == std::string_view::npos ? 0 : pattern.size() - point - 1;
    std::size_t minIntDigits = 0;
    for (char c : intPattern) {
        minIntDigits += c == '0' ? 1 : 0;
    }

    // Exact decimal digits of the value (shortest round trip), then decimal rounding.
    std::string intPart;
    std::string fracPart(fracDigits, '0');
    bool negative = false;
    if (std::isfinite(value) && value != 0.0) {
        negative = value < 0;
        const Decimal d = ToDecimal(std::fabs(value), 0);
        // All digits placed on a fixed grid: `lead` zeros before them when the point comes first.
        const int lead = d.pointPos < 0 ? -d.pointPos : 0;
        std::string all = std::string(static_cast<std::size_t>(lead), '0') + d.digits;
        const int intCount = d.pointPos < 0 ? 0 : d.pointPos;
        const int keep = intCount + static_cast<int>(fracDigits);
        if (static_cast<int>(all.size()) < keep) {
            all += std::string(static_cast<std::size_t>(keep - static_cast<int>(all.size())), '0');
        }
        const bool roundUp = static_cast<int>(all.size()) > keep && all[static_cast<std::size_t>(keep)] >= '5';
        std::string kept = all.substr(0, static_cast<std::size_t>(keep));
        int carryAt = keep - 1;
        bool carry = roundUp;
        while (carry && carryAt >= 0) {
            auto& c = kept[static_cast<std::size_t>(carryAt)];
            if (c == '9') {
                c = '0';
                --carryAt;
            } else {
                ++c;
                carry = false;
            }
        }
        int intLen = intCount;
        if (carry) {
            kept.insert(kept.begin(), '1');
            ++intLen;
        }
        intPart = kept.substr(0, static_cast<std::size_t>(intLen));
        fracPart = kept.substr(static_cast<std::size_t>(intLen));
    }
    while (!intPart.empty() && intPart.front() == '0') {
        intPart.erase(intPart.begin());
    }
    if (intPart.size() < minIntDigits) {
        intPart.insert(0, minIntDigits - intPart.size(), '0');
    }
    const bool isZero = intPart.find_first_not_of('0') == std::string::npos &&
                        fracPart.find_first_not_of('0') == std::string::npos;
    std::string out = negative && !isZero ? "-" : "";
    out += intPart;
    if (point != std::string_view::npos) {
        out += '.';
        out += fracPart;
    }
    return out;
}

}  // namespace platform
