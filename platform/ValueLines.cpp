#include "ValueLines.h"

#include <cmath>

#include "platform/NumberText.h"

namespace platform {

namespace {

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

std::optional<std::string_view> ValueLineReader::nextLine()
{
    while (const auto line = lines_.next()) {
        if (blankLines_ == BlankLines::Refused || !IsBlank(*line)) {
            return line;
        }
    }
    return std::nullopt;
}

bool ValueLineReader::fields(std::vector<double>& values, std::size_t least, std::size_t most)
{
    const auto line = nextLine();
    if (!line) return false;
    const auto pieces = split_(*line, most);
    if (!pieces || pieces->size() < least) return false;
    values.clear();
    for (const std::string& piece : *pieces) {
        if (!IsNumberText(piece)) return false;
        const double v = NumericValue(piece);
        if (!std::isfinite(v)) return false;
        values.push_back(v);
    }
    return true;
}

bool ValueLineReader::number(double& value)
{
    std::vector<double> v;
    if (!fields(v, 1, 1)) return false;
    value = v[0];
    return true;
}

bool ValueLineReader::integer(int& value, int low, int high)
{
    double v = 0.0;
    if (!number(v) || v < low || v > high || v != std::floor(v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool ValueLineReader::onlyBlankLinesLeft()
{
    while (const auto line = lines_.next()) {
        if (!IsBlank(*line)) return false;
    }
    return lines_.stopReason().empty();
}

std::nullopt_t ValueLineReader::refuse(std::string* reason, std::string text) const
{
    if (reason != nullptr) {
        const std::string stopped = lines_.stopReason();
        *reason = stopped.empty() ? std::move(text) : stopped;
    }
    return std::nullopt;
}

}  // namespace platform
