#include "GpsTime.h"

#include <charconv>
#include <cmath>

#include "TextHelpers.h"
#include "platform/NumberText.h"

namespace orbit {

namespace {

constexpr std::chrono::sys_days kGpsEpoch = std::chrono::year{1980} / std::chrono::January / 6;

std::optional<int> WholeNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::optional<std::chrono::sys_days> ParseComputeDate(std::string_view date)
{
    const auto first = date.find('/');
    const auto second = first == std::string_view::npos ? first : date.find('/', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto y = WholeNumber(date.substr(0, first));
    const auto m = WholeNumber(date.substr(first + 1, second - first - 1));
    const auto d = WholeNumber(date.substr(second + 1));
    if (!y || !m || !d || *y < 1 || *y > 9999 || *m < 1 || *m > 12 || *d < 1 || *d > 31) {
        return std::nullopt;
    }
    const std::chrono::year_month_day ymd{std::chrono::year{*y}, std::chrono::month{static_cast<unsigned>(*m)},
                                          std::chrono::day{static_cast<unsigned>(*d)}};
    if (!ymd.ok()) {
        return std::nullopt;
    }
    return std::chrono::sys_days{ymd};
}

std::optional<GpsTime> ConvertDateToGPSTime(std::string_view date, std::string_view time)
{
    const auto day = ParseComputeDate(date);
    if (!day) {
        return std::nullopt;
    }
    int days = static_cast<int>((*day - kGpsEpoch).count());
    const auto pieces = DivideStringData(time, ":");
    const auto piece = [&](std::size_t i) { return i < pieces.size() ? platform::NumericValue(pieces[i]) : 0.0; };
    double hours = piece(0);
    const double minutes = piece(1);
    const double seconds = piece(2);
    // Japan time to UTC.
    if (hours < 9) {
        days -= 1;
        hours += 15;
    } else {
        hours -= 9;
    }
    // Nearest week: days/7 is never a half, so plain rounding is exact.
    const int week = FloorDiv(2 * days + 7, 14);
    const int rest = days - 7 * week;
    return GpsTime{week, 86400.0 * rest + 3600.0 * hours + 60.0 * minutes + seconds};
}

int ResolveAlmanacWeek(int almanacWeek, int referenceWeek)
{
    const int w = ((almanacWeek % 1024) + 1024) % 1024;
    // Nearest era; a tie (512 weeks either way) goes to the later era.
    return w + 1024 * FloorDiv(referenceWeek - w + 512, 1024);
}

}  // namespace orbit
