#pragma once
// Strict readers of one text field of the GPS files: the whole field, blanks (spaces, tabs)
// around it aside, must be the number; no leading-number fallback, locale independent.

#include <charconv>
#include <optional>
#include <string_view>

namespace gps {

inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// A whole number with an optional leading "-" ("12", "-3"); nullopt for anything else.
inline std::optional<int> WholeNumberText(std::string_view text)
{
    text = TrimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Digits with an optional point and no sign ("36", "44.5", ".5"); nullopt for anything else.
inline std::optional<double> UnsignedDecimalText(std::string_view text)
{
    text = TrimBlanks(text);
    // Only digits and a point: no sign, no exponent, and none of the "nan" or "inf" texts that
    // the number parser would take as well.
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace gps
