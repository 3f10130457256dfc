#include "NmeaLine.h"

#include <algorithm>

namespace gps {

void NmeaLineAssembler::feed(const char* data, std::size_t size, const LineHandler& onLine)
{
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            if (overflow_) {
                ++droppedLong_;
            } else if (length_ > 0) {
                onLine(std::string_view(buffer_.data(), length_));
            }
            length_ = 0;
            overflow_ = false;
            continue;
        }
        if (c == '$') {
            // A new sentence starts: whatever came before it on this line was cut short.
            if (overflow_) ++droppedLong_;
            length_ = 0;
            overflow_ = false;
        }
        if (overflow_) {
            continue;
        }
        if (length_ == buffer_.size()) {
            overflow_ = true;
            length_ = 0;
            continue;
        }
        buffer_[length_++] = c;
    }
}

void NmeaLineAssembler::reset()
{
    length_ = 0;
    overflow_ = false;
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::optional<std::string_view> CheckNmeaChecksum(std::string_view line)
{
    if (line.empty() || line.front() != '$') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    // The body, '*' and exactly two hex digits.
    if (line.size() < 4 || line[line.size() - 3] != '*') {
        return std::nullopt;
    }
    const int high = HexDigit(line[line.size() - 2]);
    const int low = HexDigit(line[line.size() - 1]);
    if (high < 0 || low < 0) {
        return std::nullopt;
    }
    const std::string_view body = line.substr(0, line.size() - 3);
    unsigned sum = 0;
    for (const char c : body) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7e || c == '$' || c == '*') {
            return std::nullopt;
        }
        sum ^= byte;
    }
    if (sum != static_cast<unsigned>(high * 16 + low)) {
        return std::nullopt;
    }
    const std::string_view address = body.substr(0, body.find(','));
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const auto isAddressCharacter = [&isLetter](char c) { return isLetter(c) || (c >= '0' && c <= '9'); };
    if (address.empty() || !isLetter(address.front()) || !std::all_of(address.begin(), address.end(), isAddressCharacter)) {
        return std::nullopt;
    }
    return body;
}

bool SplitNmeaFields(std::string_view body, NmeaFields& out, int maxFields)
{
    maxFields = std::clamp(maxFields, 1, kMaxNmeaFields);
    out.count = 0;
    std::size_t start = 0;
    while (true) {
        if (out.count == maxFields) {
            return false;
        }
        const std::size_t comma = body.find(',', start);
        out.field[static_cast<std::size_t>(out.count++)] = body.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (comma == std::string_view::npos) {
            return true;
        }
        start = comma + 1;
    }
}

}  // namespace gps
