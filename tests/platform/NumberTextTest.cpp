#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/NumberText.h"

using platform::FormatFixed;
using platform::NumberLine;
using platform::NumericValue;
using platform::PlainText;
using platform::Precision;
using platform::RoundHalfEven;
using platform::ShortestText;

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    const struct {
        double value;
        long long expected;
    } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2},
        {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {-0.6, -1}, {7.0, 7},
        {std::nan(""), 0}, {1e300, std::numeric_limits<long long>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
    }
}

TEST(NumericValue, TakesTheLeadingDecimalNumber)
{
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"12.5", 12.5},   {"  35.681", 35.681}, {"\t-7", -7},      {"+3", 3},
        {"139.767E", 139.767}, {"1.5e3", 1500}, {"2E-2xyz", 0.02}, {"4D1", 40},
        {".5", 0.5},      {"-.25m", -0.25},     {"5.", 5},         {"12abc", 12},
        {"abc", 0},       {"", 0},              {".", 0},          {"-", 0},
        {"e5", 0},        {"1,5", 1},           {"1e999", std::numeric_limits<double>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(NumericValue, OutOfRangeIsToldByMagnitudeNotByTheExponentSign)
{
    const std::string zeros(400, '0');
    const double kMax = std::numeric_limits<double>::max();
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"1" + zeros + "e-1", kMax},            // 10^399 written with a negative exponent
        {"-1" + zeros + "e-1", -kMax},
        {"1" + zeros, kMax},                    // a 401-digit integer
        {"0." + zeros + "1", 0.0},              // 10^-401 written without an exponent
        {"-0." + zeros + "1e+2", -0.0},
        {"." + zeros + "5e+400", 0.5},          // fits once the exponent is applied
        {"0.0001e-400", 0.0},
        {"1e-99999999999999999999999", 0.0},    // exponent digits beyond any integer
        {"1e99999999999999999999999", kMax},
        {"0.1e310", kMax},
        {"1" + zeros + "D-10", kMax},
        {"1" + zeros + "e-400", 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.expected) << '"' << c.text.substr(0, 20) << "...\"";
    }
}

TEST(ShortestText, StandardNumericPrint)
{
    const struct {
        double value;
        Precision precision;
        const char* expected;
    } cases[] = {
        {0.0, Precision::Single, "0"},
        {10.0, Precision::Single, "10"},
        {0.06, Precision::Single, ".06"},
        {-0.5, Precision::Single, "-.5"},
        {35.681, Precision::Single, "35.681"},
        {139.767, Precision::Single, "139.767"},
        {1.0 / 3.0, Precision::Single, ".3333333"},
        {2.0 / 3.0, Precision::Single, ".6666667"},
        {1234567.0, Precision::Single, "1234567"},
        {12345678.0, Precision::Single, "1.234568E+07"},
        {1e7, Precision::Single, "1E+07"},
        {0.0001, Precision::Single, ".0001"},
        {0.00001, Precision::Single, "1E-05"},
        {-0.00002, Precision::Single, "-2E-05"},
        {1.0 / 3.0, Precision::Double, ".333333333333333"},
        {123456789012345.0, Precision::Double, "123456789012345"},
        {1e15, Precision::Double, "1E+15"},
        {std::nan(""), Precision::Double, "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortestText(c.value, c.precision), c.expected) << c.value;
    }
    EXPECT_EQ(PlainText(0.06, Precision::Single), "0.06");
    EXPECT_EQ(PlainText(-0.5, Precision::Single), "-0.5");
    EXPECT_EQ(PlainText(35.5, Precision::Single), "35.5");
}

TEST(NumberLine, WritesSignOrBlankTextBlankAndCrLf)
{
    EXPECT_EQ(NumberLine(35.5, Precision::Single), " 35.5 \r\n");
    EXPECT_EQ(NumberLine(-0.06, Precision::Single), "-.06 \r\n");
    EXPECT_EQ(NumberLine(10, Precision::Single), " 10 \r\n");
    EXPECT_EQ(NumberLine(0, Precision::Single), " 0 \r\n");
}

TEST(FormatFixed, PatternsOfTheTextFiles)
{
    const struct {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {7.4, "##0", "7"},
        {7.5, "##0", "8"},
        {0.2, "##0", "0"},
        {-12.6, "##0", "-13"},
        {26.4, "###0.0", "26.4"},
        {26.44, "###0.0", "26.4"},
        {26.45, "###0.0", "26.5"},
        {0.04, "###0.0", "0.0"},
        {-0.04, "###0.0", "0.0"},
        {-18.9, "#####0.0", "-18.9"},
        {static_cast<float>(15.6), "#####0.0", "15.6"},
        {9.96, "####0.0", "10.0"},
        {123456.78, "#######0.0", "123456.8"},
        {3.14159, "000000.00", "000003.14"},
        {-3.14159, "000000.00", "-000003.14"},
        {405504, "000000.00", "405504.00"},
        {0.5, "###.0000", ".5000"},
        {0.0, "###.0000", ".0000"},
        {55.12345, "###.0000", "55.1235"},
        {5153.691895, "###########.000", "5153.692"},
        {0.0, "###########.000", ".000"},
        {5, "00", "05"},
        {24, "00", "24"},
        {123, "00", "123"},
        {99.96, "###0.0", "100.0"},
        {1e-9, "###0.0", "0.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
    }
}

TEST(NumberText, IndependentOfTheLocale)
{
    // A locale with a decimal comma must not change what is read or written.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_NUMERIC, "C");
    }
    EXPECT_DOUBLE_EQ(NumericValue("12.5"), 12.5);
    EXPECT_EQ(ShortestText(12.5, Precision::Single), "12.5");
    EXPECT_EQ(FormatFixed(12.5, "###0.0"), "12.5");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberTextChecks, WholeNumberAndLeadingNumber)
{
    // typing: a box may hold it (a number or what may still become one as the user types).
    const struct {
        const char* text;
        bool whole;
        bool leading;
        bool typing;
    } cases[] = {
        {"12.5", true, true, true},  {" -3 ", true, true, true}, {".5", true, true, true},     {"1e3", true, true, true},
        {"12m", false, true, false}, {"1e", false, true, true},  {"abc", false, false, false}, {"", false, false, true},
        {" ", false, false, true},   {"-", false, false, true},  {".", false, false, true},    {"1 2", false, true, false},
        {"0.5693912506E-002", true, true, true}, {"2x", false, true, false}, {"1E-", false, true, true},
        {"-x", false, false, false}, {" 7 ", true, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::IsNumberText(c.text), c.whole) << '"' << c.text << '"';
        EXPECT_EQ(platform::HasLeadingNumber(c.text), c.leading) << '"' << c.text << '"';
        EXPECT_EQ(platform::IsNumberOrItsStart(c.text), c.typing) << '"' << c.text << '"';
    }
}
