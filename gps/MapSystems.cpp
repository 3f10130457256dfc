#include "MapSystems.h"

#include <cmath>
#include <cstdio>

#include "gps/TextFields.h"

namespace gps {

const std::array<MapSystem, kMapSystemCount>& MapSystemTable()
{
    static const std::array<MapSystem, kMapSystemCount> table = {{
        {1, "長崎 ", "33-00", "129-30"},
        {2, "福岡:佐賀:熊本:大分:宮崎:鹿児島", "33-00", "131-00"},
        {3, "山口:島根:広島", "36-00", "132-10"},
        {4, "香川:愛媛:徳島:高知", "33-00", "133-30"},
        {5, "兵庫:鳥取:岡山", "36-00", "134-20"},
        {6, "京都:大阪:福井:滋賀:三重:奈良:和歌山", "36-00", "136-00"},
        {7, "石川:富山:岐阜:愛知", "36-00", "137-10"},
        {8, "新潟:長野:山梨:静岡", "36-00", "138-30"},
        {9, "東京:福島:栃木:茨城:埼玉:千葉:群馬:神奈川", "36-00", "139-50"},
        {10, "青森:秋田:山形:岩手:宮城", "40-00", "140-50"},
        {11, "北海道西部", "44-00", "140-15"},
        {12, "北海道中部", "44-00", "142-15"},
        {13, "北海道東部", "44-00", "144-15"},
        {14, "東京都ーII", "26-00", "142-00"},
        {15, "沖縄ーI", "26-00", "127-30"},
        {16, "沖縄ーII", "26-00", "124-00"},
        {17, "沖縄ーIII", "26-00", "131-00"},
        {18, "東京都－III", "20-00", "136-00"},
        {19, "東京都ーIV", "26-00", "154-00"},
    }};
    return table;
}

const MapSystem* FindMapSystem(int number)
{
    if (number < 1 || number > kMapSystemCount) {
        return nullptr;
    }
    return &MapSystemTable()[static_cast<std::size_t>(number - 1)];
}


std::optional<double> DegreeMinuteValue(std::string_view text)
{
    text = TrimBlanks(text);
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto degrees = UnsignedDecimalText(text.substr(0, dash));
    const auto minutes = UnsignedDecimalText(text.substr(dash + 1));
    if (!degrees || !minutes || *minutes >= 60.0) {
        return std::nullopt;
    }
    return *degrees + *minutes / 60.0;
}

std::string DegreeMinuteText(double degrees)
{
    long whole = std::lround(std::floor(degrees));
    long minutes = std::lround((degrees - static_cast<double>(whole)) * 60.0);
    if (minutes == 60) {
        ++whole;
        minutes = 0;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%ld-%02ld", whole, minutes);
    return text;
}

}  // namespace gps
