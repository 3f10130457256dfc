#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/TestUtils.h"
#include "orbit/YumaAlmanac.h"

namespace {

std::string ReadText(const std::string& name)
{
    std::ifstream file(testutil::DataFile(name));
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// What the stream makes of `text` fed in pieces of `chunk` bytes, and how many bytes it took
// before it said the text was refused.
struct Streamed {
    orbit::YumaReadResult read;
    std::size_t bytesFed = 0;
};

Streamed FeedInChunks(const std::string& text, std::size_t chunk)
{
    orbit::YumaAlmanacStream stream;
    Streamed out;
    for (std::size_t pos = 0; pos < text.size(); pos += chunk) {
        const std::string_view piece = std::string_view(text).substr(pos, chunk);
        out.bytesFed += piece.size();
        if (!stream.feed(piece)) {
            break;
        }
    }
    out.read = stream.finish();
    return out;
}

// One record as published, PRN `prn`; `drop` removes the line with that label, `replace`
// swaps a label's line for another.
std::string Record(int prn, const std::string& drop = "", const std::string& extra = "")
{
    const std::string lines[] = {
        "ID:                         " + std::to_string(prn),
        "Health:                     000",
        "Eccentricity:               0.5693912506E-002",
        "Time of Applicability(s):  405504.0000",
        "Orbital Inclination(rad):   0.9599",
        "Rate of Right Ascen(r/s):  -0.7886042771E-008",
        "SQRT(A)  (m 1/2):           5153.691895",
        "Right Ascen at Week(rad):  -0.1912602899E+001",
        "Argument of Perigee(rad):   0.881498914",
        "Mean Anom(rad):            -0.5",
        "Af0(s):                     0.4291534424E-003",
        "Af1(s/s):                  -0.1091393642E-010",
        "week:                        405",
    };
    std::string text = "******** Week 405 almanac for PRN-" + std::to_string(prn) + " ********\n";
    for (const std::string& line : lines) {
        if (drop.empty() || line.rfind(drop, 0) != 0) {
            text += line + "\n";
        }
    }
    return text + extra + "\n";
}

TEST(YumaAlmanac, ReadsTheRealAlmanac)
{
    const auto read = orbit::ReadYumaAlmanac(ReadText("almanac.yuma.week0149.405504.txt"));
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.records.size(), 31u);
    EXPECT_EQ(read.week, 149);
    const orbit::YumaRecord& first = read.records.front();
    EXPECT_EQ(first.prn, 1);
    EXPECT_EQ(first.health, 0);
    EXPECT_DOUBLE_EQ(first.eccentricity, 0.1139211655E-001);
    EXPECT_DOUBLE_EQ(first.toa, 405504);
    EXPECT_DOUBLE_EQ(first.inclination, 0.9867355387);
    EXPECT_DOUBLE_EQ(first.rateOfRightAscen, -0.7886042771E-008);
    EXPECT_DOUBLE_EQ(first.sqrtA, 5153.623047);
    EXPECT_DOUBLE_EQ(first.rightAscen, -0.1912602899E+001);
    EXPECT_DOUBLE_EQ(first.perigee, 0.881498914);
    EXPECT_DOUBLE_EQ(first.meanAnomaly, -0.2769097477E+001);
    EXPECT_DOUBLE_EQ(first.af0, 0.4291534424E-003);
    EXPECT_DOUBLE_EQ(first.af1, -0.1091393642E-010);
    EXPECT_EQ(read.records[10].prn, 11);
    EXPECT_EQ(read.records[10].health, 63);
    EXPECT_EQ(read.records.back().prn, 32);  // PRN 28 is absent
}

TEST(YumaAlmanac, ConvertsToTheTableUnits)
{
    const auto read = orbit::ReadYumaAlmanac(Record(3));
    ASSERT_TRUE(read.ok()) << read.error;
    const orbit::Almanac almanac = orbit::ToAlmanac(read);
    EXPECT_EQ(almanac.storedWeek, 405);
    const orbit::AlmanacRecord& r = almanac.records.at(0);
    EXPECT_EQ(r.prn, 3);
    EXPECT_EQ(r.toa, 405504);
    EXPECT_NEAR(r.inclination, 54.9982, 5e-5);
    EXPECT_NEAR(r.meanAnomaly, -28.6479, 5e-5);
    EXPECT_NEAR(r.radius, 26560540.149, 5e-4);
    EXPECT_NEAR(r.rightAscen, -0.1912602899E+001 * 57.29577951308238, 1e-9);
}

TEST(YumaAlmanac, FindsValuesByTheirLabels)
{
    // Other spellings seen in published files, another line order, CR LF, a header of five
    // asterisks and no week line (the week is the header's).
    const std::string text =
        "GPS almanac, some title\r\n\r\n"
        "***** Week 1023 almanac for PRN-07 *****\r\n"
        "Mean Anom(rad):            -0.5\r\n"
        "ID:                         07\r\n"
        "Health:                     063\r\n"
        "Eccentricity:               0.5693912506E-002\r\n"
        "Time of Applicability(s):  61440.0000\r\n"
        "Orbital Inclination(rad):   0.9599\r\n"
        "Rate of Right Ascen(r/s):  -0.7886042771E-008\r\n"
        "SQRT(A)(m 1/2):             5153.691895\r\n"
        "Right Ascen at TOA(rad):   +0.25\r\n"
        "Argument of Perigee(rad):   1\r\n"
        "Af0(s):                     0\r\n"
        "Af1(s/s):                   0\r\n";
    const auto read = orbit::ReadYumaAlmanac(text);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.week, 1023);
    EXPECT_EQ(read.records[0].prn, 7);
    EXPECT_EQ(read.records[0].health, 63);
    EXPECT_DOUBLE_EQ(read.records[0].eccentricity, 0.005693912506);
    EXPECT_DOUBLE_EQ(read.records[0].rightAscen, 0.25);
    EXPECT_DOUBLE_EQ(read.records[0].meanAnomaly, -0.5);
    EXPECT_DOUBLE_EQ(read.records[0].sqrtA, 5153.691895);
}

TEST(YumaAlmanac, BadTextsGiveAClearErrorAndNoRecords)
{
    std::string thirtyThree;
    for (int prn = 1; prn <= 33; ++prn) thirtyThree += Record(prn);
    std::string thirtyTwo;
    for (int prn = 1; prn <= 32; ++prn) thirtyTwo += Record(prn);
    ASSERT_TRUE(orbit::ReadYumaAlmanac(thirtyTwo).ok());

    struct Case {
        const char* name;
        std::string text;
        const char* mentions;  // the message names what is wrong
    };
    const Case cases[] = {
        {"empty", "", "レコード"},
        {"no_header", "ID: 01\nHealth: 000\n", "レコード"},
        {"missing_mean_anomaly", Record(1) + Record(2, "Mean Anom"), "Mean Anom"},
        {"missing_sqrt_a", Record(1, "SQRT"), "SQRT(A)"},
        {"value_not_a_number", Record(1, "Eccentricity", "Eccentricity: 0.12.5\n"), "Eccentricity"},
        {"repeated_field", Record(1, "", "Health: 000\n"), "Health"},
        {"prn_not_whole", Record(1, "ID", "ID: 1.5\n"), "ID"},
        {"no_orbit", Record(1, "SQRT", "SQRT(A) (m 1/2): 0\n"), "SQRT(A)"},
        {"thirty_three_records", thirtyThree, "32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = orbit::ReadYumaAlmanac(c.text);
        EXPECT_FALSE(read.ok());
        EXPECT_TRUE(read.records.empty());
        EXPECT_NE(read.error.find(c.mentions), std::string::npos) << read.error;
    }
    // The missing field is reported for the record that lacks it.
    EXPECT_NE(orbit::ReadYumaAlmanac(Record(1) + Record(2, "Mean Anom")).error.find("2 番目"), std::string::npos);
}

// A wrong text of ten megabytes is refused as soon as that is known, whatever follows: lines of
// asterisks when the first record turns out empty, good records at the 33rd one. Fed in chunks
// of 64 KiB, the stream asks for no more than the first.
TEST(YumaAlmanac, RefusesAHugeWrongTextWhereItTurnsWrong)
{
    std::string stars;
    while (stars.size() < 10'000'000) stars += "*\n";
    std::string records;
    for (int prn = 1; records.size() < 10'000'000; prn = prn % 32 + 1) records += Record(prn);
    const struct {
        const char* name;
        const std::string& text;
        const char* mentions;
    } cases[] = {
        {"lines of asterisks", stars, "1 番目のレコード（1 行目から）に ID がありません"},
        {"records beyond 32", records, "33 番目のレコードが 481 行目"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto fromText = orbit::ReadYumaAlmanac(c.text);
        EXPECT_NE(fromText.error.find(c.mentions), std::string::npos) << fromText.error;
        const Streamed streamed = FeedInChunks(c.text, 64 * 1024);
        EXPECT_EQ(streamed.read.error, fromText.error);
        EXPECT_TRUE(streamed.read.records.empty());
        EXPECT_EQ(streamed.bytesFed, 64 * 1024u);
    }
}

TEST(YumaAlmanac, RefusesAnOverlongLineWithoutReadingIt)
{
    const std::string almanac = Record(1);
    // One line of ten million bytes after a good record, and no line end at all: refused within
    // the first chunk.
    for (const std::string& text : {almanac + std::string(10'000'000, ','), std::string(10'000'000, '*')}) {
        const Streamed streamed = FeedInChunks(text, 64 * 1024);
        EXPECT_NE(streamed.read.error.find("長すぎます"), std::string::npos) << streamed.read.error;
        EXPECT_EQ(streamed.bytesFed, 64 * 1024u);
        EXPECT_EQ(orbit::ReadYumaAlmanac(text).error, streamed.read.error);
    }
}

// Lines that straddle the pieces fed to the stream read as in the whole text; a line of exactly
// the longest length (and its CR) is still read.
TEST(YumaAlmanac, StreamJoinsLinesAcrossPieces)
{
    const std::string longest(orbit::kMaxYumaLineLength, 'x');
    std::string text = "title\r\n";
    for (int i = 0; i < 40; ++i) {
        text += (i % 2 == 0 ? longest : "note " + std::to_string(i)) + "\r\n";
    }
    for (int prn = 1; prn <= 32; ++prn) {
        text += Record(prn, "", "note: " + std::string(3000 + prn, 'n'));
    }
    ASSERT_GT(text.size(), 3 * 64 * 1024u);
    const auto fromText = orbit::ReadYumaAlmanac(text);
    ASSERT_TRUE(fromText.ok()) << fromText.error;
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{4097}, std::size_t{64 * 1024}}) {
        SCOPED_TRACE(chunk);
        const Streamed streamed = FeedInChunks(text, chunk);
        ASSERT_TRUE(streamed.read.ok()) << streamed.read.error;
        EXPECT_EQ(streamed.bytesFed, text.size());
        ASSERT_EQ(streamed.read.records.size(), 32u);
        for (std::size_t i = 0; i < 32; ++i) {
            EXPECT_EQ(streamed.read.records[i].prn, static_cast<int>(i) + 1);
            EXPECT_EQ(streamed.read.records[i].texts, fromText.records[i].texts);
        }
    }
    // One byte more on a line refuses the text.
    const auto over = orbit::ReadYumaAlmanac(text + std::string(orbit::kMaxYumaLineLength + 1, 'x') + "\r\n");
    EXPECT_NE(over.error.find("長すぎます"), std::string::npos) << over.error;
}

TEST(YumaAlmanac, FourHundredDigitValuesAreReadOrRefusedNeverReplaced)
{
    const std::string zeros(400, '0');
    const auto exact = orbit::ReadYumaAlmanac(Record(1, "Orbital", "Orbital Inclination(rad): 0.9599" + zeros + "\n"));
    ASSERT_TRUE(exact.ok()) << exact.error;
    EXPECT_DOUBLE_EQ(exact.records[0].inclination, 0.9599);

    for (const std::string& value : {"1" + zeros + "e-1", "0." + zeros + "1", "1" + zeros}) {
        const auto read = orbit::ReadYumaAlmanac(Record(1, "SQRT", "SQRT(A)  (m 1/2): " + value + "\n"));
        EXPECT_FALSE(read.ok());
        EXPECT_NE(read.error.find("SQRT(A)"), std::string::npos) << read.error;
    }
}

}  // namespace
