#include "TextHelpers.h"

#include <cmath>

#include "OrbitConstants.h"
#include "platform/NumberText.h"

namespace orbit {

namespace {


std::string TrimBlanks(std::string_view piece)
{
    const auto first = piece.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = piece.find_last_not_of(' ');
    return std::string(piece.substr(first, last - first + 1));
}

// Length in bytes of the UTF-8 character that starts at `lead`.
std::size_t CharLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

bool IsOneCharacter(std::string_view separator)
{
    return !separator.empty() && CharLength(static_cast<unsigned char>(separator[0])) == separator.size();
}

// Calls `visit` with each character of `text` as a view (UTF-8 aware) until it returns false.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        if (!visit(text.substr(i, len))) {
            return;
        }
        i += len;
    }
}

}  // namespace

std::vector<std::string> DivideStringData(std::string_view text, std::string_view separator, std::size_t maxPieces)
{
    std::vector<std::string> pieces;
    if (separator.empty()) {
        return pieces;
    }
    const bool canMatch = IsOneCharacter(separator);
    std::string piece;
    bool afterOther = false;  // the previous character was not a separator
    ForEachCharacter(text, [&](std::string_view c) {
        if (canMatch && c == separator) {
            if (afterOther) {
                pieces.push_back(TrimBlanks(piece));
                piece = " ";
                afterOther = false;
                return pieces.size() <= maxPieces;
            }
            piece += c;
        } else {
            piece += c;
            afterOther = true;
        }
        return true;
    });
    if (pieces.size() > maxPieces) {
        return pieces;
    }
    std::string last = TrimBlanks(piece);
    if (!last.empty()) {
        pieces.push_back(std::move(last));
    }
    return pieces;
}

std::vector<std::string> SplitStringData(std::string_view text, std::string_view separator, std::size_t maxPieces)
{
    std::vector<std::string> pieces;
    if (separator.empty()) {
        return pieces;
    }
    const bool canMatch = IsOneCharacter(separator);
    std::string piece;
    if (canMatch && separator == " ") {
        bool afterBlank = true;
        ForEachCharacter(text, [&](std::string_view c) {
            if (c == " ") {
                if (!afterBlank) {
                    pieces.push_back(TrimBlanks(piece));
                    piece.clear();
                    afterBlank = true;
                }
            } else {
                piece += c;
                afterBlank = false;
            }
            return pieces.size() <= maxPieces;
        });
    } else {
        ForEachCharacter(text, [&](std::string_view c) {
            if (canMatch && c == separator) {
                pieces.push_back(TrimBlanks(piece));
                piece.clear();
            } else {
                piece += c;
            }
            return pieces.size() <= maxPieces;
        });
    }
    if (pieces.size() > maxPieces) {
        return pieces;
    }
    pieces.push_back(TrimBlanks(piece));
    return pieces;
}

void RotatePointAndShift(double& x, double& y, double ox, double oy, double sinA, double cosA)
{
    const double x0 = x;
    const double y0 = y;
    x = ox + x0 * cosA - y0 * sinA;
    y = static_cast<float>(oy + x0 * sinA + y0 * cosA);
}

int ShiftAndRotateBackPoint(double& x, double& y, double ox, double oy, double sinA, double cosA)
{
    const double dx = x - ox;
    const double dy = y - oy;
    x = dx * cosA + dy * sinA;
    y = static_cast<float>(dy * cosA - dx * sinA);
    return (dx == 0.0 && dy == 0.0) ? -1 : 1;
}

float ComputeAzimusAngle(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t = 0.0;
    if (dx == 0.0) {
        t = dy > 0 ? kPi / 2 : (dy < 0 ? 3 * kPi / 2 : 0.0);
    } else if (dy == 0.0) {
        t = dx > 0 ? 0.0 : kPi;
    } else {
        const double a = std::atan(dy / dx);
        if (dx < 0) {
            t = a + kPi;
        } else if (dy > 0) {
            t = a;
        } else {
            t = a + 2 * kPi;
        }
    }
    float b = static_cast<float>(90.0 - t * kDegPerRad);
    if (b > 180.0f) {
        b -= 360.0f;
    } else if (b < -180.0f) {
        b += 360.0f;
    }
    return b;
}

std::string ConvertSecondToTimeStr(double seconds)
{
    float hours = static_cast<float>(std::floor(seconds / 3600.0));
    const double minutes = std::floor((seconds - 3600.0 * hours) / 60.0);
    if (hours > 24.0f) {
        hours -= 24.0f * std::floor(hours / 24.0f);
    }
    return platform::FormatFixed(hours, "00") + ":" + platform::FormatFixed(minutes, "00");
}

}  // namespace orbit
