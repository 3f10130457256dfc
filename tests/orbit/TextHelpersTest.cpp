#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "orbit/TextHelpers.h"

using orbit::ComputeAzimusAngle;
using orbit::ConvertSecondToTimeStr;
using orbit::DivideStringData;
using orbit::SplitStringData;
using Pieces = std::vector<std::string>;

TEST(DivideStringData, SplittingRules)
{
    const struct {
        const char* name;
        const char* text;
        const char* separator;
        Pieces expected;
    } cases[] = {
        {"separator after separator joins the next piece", "a,,b", ",", {"a", ",b"}},
        {"blanks around a doubled separator", "a ,, b", ",", {"a", ", b"}},
        {"leading separator belongs to the piece", ",a", ",", {",a"}},
        {"empty last piece dropped", "a,", ",", {"a"}},
        {"empty text", "", ",", {}},
        {"empty separator", "a,b", "", {}},
        {"separator longer than one character never matches", " a,b ", ",,", {"a,b"}},
        {"YUMA line at blanks", "SQRT(A)  (m 1/2):     5153.691895", " ",
         {"SQRT(A)", "(m", "1/2):", "5153.691895"}},
        {"YUMA id line", "  ID:    01  ", " ", {"ID:", "01"}},
        {"comma line of a project file", "0,7,26.4", ",", {"0", "7", "26.4"}},
        {"time with colons", "12:34:56", ":", {"12", "34", "56"}},
        {"case matters", "aXbxc", "x", {"aXb", "c"}},
        {"Japanese text is kept whole", "東京,大阪", ",", {"東京", "大阪"}},
        {"multi-byte separator", "東京、大阪", "、", {"東京", "大阪"}},
        {"only separators", ",,,", ",", {",,,"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DivideStringData(c.text, c.separator), c.expected) << c.name;
    }
}

TEST(DivideStringData, KeepsEveryPieceOfALongLine)
{
    std::string line;
    for (int i = 0; i < 40; ++i) {
        line += std::to_string(i) + ",";
    }
    const Pieces pieces = DivideStringData(line, ",");
    ASSERT_EQ(pieces.size(), 40u);
    EXPECT_EQ(pieces[39], "39");
}

TEST(Splitters, StopOneBeyondTheMostPiecesAllowed)
{
    const std::string commas(10'000'000, ',');
    const std::string blanks = "a" + std::string(10'000'000, ' ') + "b";
    const struct {
        const char* name;
        bool divide;  // DivideStringData, else SplitStringData
        std::string text;
        const char* separator;
        std::size_t maxPieces;
        Pieces expected;
    } cases[] = {
        {"as many as allowed", false, "1,2,3", ",", 3, {"1", "2", "3"}},
        {"one too many", false, "1,2,3,4", ",", 3, {"1", "2", "3", "4"}},
        {"many too many: only one beyond is built", false, "1,2,3,4,5,6", ",", 3, {"1", "2", "3", "4"}},
        {"ten million commas", false, commas, ",", 3, {"", "", "", ""}},
        {"blank runs count once", false, blanks, " ", 2, {"a", "b"}},
        {"none allowed", false, "x", ",", 0, {"x"}},
        {"divide: empty last piece is no piece", true, "1,2,", ",", 2, {"1", "2"}},
        {"divide: one too many", true, "1,2,3", ",", 2, {"1", "2", "3"}},
        {"divide: doubled separators join the next piece", true, "1,,2,3", ",", 1, {"1", ",2"}},
        {"divide: ten million commas are one piece", true, commas, ",", 1, {commas}},
    };
    for (const auto& c : cases) {
        const Pieces pieces = c.divide ? DivideStringData(c.text, c.separator, c.maxPieces)
                                       : SplitStringData(c.text, c.separator, c.maxPieces);
        EXPECT_EQ(pieces, c.expected) << c.name;
    }
}

TEST(SplitStringData, EverySeparatorMakesAPiece)
{
    const struct {
        const char* name;
        const char* text;
        const char* separator;
        Pieces expected;
    } cases[] = {
        {"doubled comma makes an empty piece", "a,,b", ",", {"a", "", "b"}},
        {"trailing comma makes an empty piece", "a,", ",", {"a", ""}},
        {"blank runs separate once, trailing blanks end empty", "  a  b  ", " ", {"a", "b", ""}},
        {"single trailing blank", "a b ", " ", {"a", "b", ""}},
        {"empty text gives one empty piece", "", ",", {""}},
        {"empty separator", "a,b", "", {}},
        {"NMEA sentence with empty fields", "$GPGSA,A,3,04,05,,09", ",", {"$GPGSA", "A", "3", "04", "05", "", "09"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitStringData(c.text, c.separator), c.expected) << c.name;
    }
}

TEST(ComputeAzimusAngle, CompassBearings)
{
    const struct {
        double x2, y2;
        float expected;
    } cases[] = {
        {0, 1, 0.0f},   {1, 0, 90.0f},  {0, -1, -180.0f}, {-1, 0, -90.0f}, {0, 0, 90.0f},
        {1, 1, 45.0f},  {1, -1, 135.0f}, {-1, -1, -135.0f}, {-1, 1, -45.0f},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ComputeAzimusAngle(0, 0, c.x2, c.y2), c.expected, 1e-4) << c.x2 << "," << c.y2;
    }
    // The bearing depends only on the difference of the points.
    EXPECT_NEAR(ComputeAzimusAngle(10, 20, 11, 21), 45.0f, 1e-4);
}

TEST(ConvertSecondToTimeStr, TimeLabels)
{
    const struct {
        double seconds;
        const char* expected;
    } cases[] = {
        {0, "00:00"},       {59, "00:00"},       {300, "00:05"},      {96 * 300, "08:00"},
        {216 * 300, "18:00"}, {86399, "23:59"},  {86400, "24:00"},    {90000, "01:00"},
        {48 * 3600, "00:00"}, {3600 * 25 + 60 * 7, "01:07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConvertSecondToTimeStr(c.seconds), c.expected) << c.seconds;
    }
}

TEST(PlaneRotation, ForwardThenBackReturnsThePoint)
{
    const double angles[] = {0, 10, -30, 90, 180, 275.5};
    for (double deg : angles) {
        const double a = deg * 3.14159265358979 / 180.0;
        double x = 12.25;
        double y = -7.5;
        orbit::RotatePointAndShift(x, y, 3.0, 4.0, std::sin(a), std::cos(a));
        EXPECT_EQ(orbit::ShiftAndRotateBackPoint(x, y, 3.0, 4.0, std::sin(a), std::cos(a)), 1);
        // y is held to single precision on both legs.
        EXPECT_NEAR(x, 12.25, 1e-5) << deg;
        EXPECT_NEAR(y, -7.5, 1e-5) << deg;
    }
}

TEST(PlaneRotation, QuarterTurnAndTheCentreCase)
{
    double x = 1, y = 0;
    orbit::RotatePointAndShift(x, y, 10, 20, 1.0, 0.0);  // 90 degrees counter-clockwise
    EXPECT_DOUBLE_EQ(x, 10.0);
    EXPECT_DOUBLE_EQ(y, 21.0);

    double cx = 5, cy = 6;
    EXPECT_EQ(orbit::ShiftAndRotateBackPoint(cx, cy, 5, 6, 0.5, std::sqrt(0.75)), -1);
    EXPECT_DOUBLE_EQ(cx, 0.0);
    EXPECT_DOUBLE_EQ(cy, 0.0);
}
