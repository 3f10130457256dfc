#include "SplitLineData.h"

std::array<std::string, kSplitFields> gSplitText{};

namespace {

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<int> SplitLineData(std::string_view text, std::string_view separator)
{
    for (int i = 0; i <= 10; ++i) gSplitText[i].clear();
    if (separator.empty()) return -1;

    std::string field;
    int index = 0;
    bool open = true;
    for (const char c : text) {
        if (separator.size() == 1 && c == separator.front()) {
            if (open) {
                if (index >= kSplitFields) return std::nullopt;
                gSplitText[index] = Trimmed(field);
                field.assign(1, ' ');
                ++index;
                open = false;
            } else {
                field += separator;
            }
        } else {
            field += c;
            open = true;
        }
    }
    if (index >= kSplitFields) return std::nullopt;
    gSplitText[index] = Trimmed(field);
    if (gSplitText[index].empty()) --index;
    return index;
}
