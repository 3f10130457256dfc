#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "orbit/AlmanacTable.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Little-endian writers for hand-made database images.
void Put16(Bytes& b, std::size_t at, std::uint16_t v) { b[at] = v & 0xFF; b[at + 1] = v >> 8; }
void Put32(Bytes& b, std::size_t at, std::uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF; }
void Put64(Bytes& b, std::size_t at, std::uint64_t v) { for (int i = 0; i < 8; ++i) b[at + i] = (v >> (8 * i)) & 0xFF; }

orbit::AlmanacRecord SampleRecord(std::int16_t prn, std::int16_t health = 0)
{
    return {prn, health, 405504, 55.1 + prn / 7.0, 5153.623047, -109.58 + prn, 50.5, -158.6 + prn / 3.0,
            5153.623047 * 5153.623047};
}

class AlmanacDataBase : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("Almanac1.alx").toStdString();
        orbit::SetDefaultAlmanacData();
    }
    // A fingerprint of the program-wide table, to show that a refused file changed nothing.
    static std::string TableState()
    {
        std::string s = std::to_string(gSateNum) + "/" + std::to_string(gWeekNumber) + "/" + gAlmanacName + "/" +
                        std::to_string(gUnUsefulSateNum);
        for (int i = 1; i <= 32; ++i) {
            s += "," + std::to_string(gSatePRN[i]) + ":" + std::to_string(gSateMeanAnomaly[i]);
        }
        return s;
    }
    QTemporaryDir dir;
    std::string path;
};

TEST_F(AlmanacDataBase, BuiltInAlmanacIsInForceWithoutADatabase)
{
    EXPECT_FALSE(orbit::LoadAlmanacDataBase(path));
    EXPECT_FALSE(std::filesystem::exists(path)) << "the reader never creates the file";
    EXPECT_EQ(gSateNum, 30);
    EXPECT_EQ(gWeekNumber, 1426);
    EXPECT_EQ(gAlmanacName, "Yuma402.txt");
    EXPECT_EQ(gUnUsefulSateNum, 0);
    // PRN 15 is absent: from slot 15 on slot and PRN differ.
    EXPECT_EQ(gSatePRN[14], 14);
    EXPECT_EQ(gSatePRN[15], 16);
    EXPECT_EQ(gSatePRN[30], 31);
    EXPECT_DOUBLE_EQ(gSateSqrtA[1], 5153.691895);
    EXPECT_DOUBLE_EQ(gSateRadius[24], 26576506.912);
    EXPECT_EQ(gSateTOA[30], 61440);
}

TEST_F(AlmanacDataBase, RoundTripKeepsEveryValueAndRebuildsTheExclusionList)
{
    std::vector<orbit::AlmanacRecord> records;
    for (std::int16_t prn = 1; prn <= 31; ++prn) {
        records.push_back(SampleRecord(prn, (prn == 5 || prn == 12) ? 63 : 0));
    }
    records[6].inclination = 0.1 + 0.2;  // a double that no short decimal text holds
    ASSERT_TRUE(orbit::SaveAlmanacDataBase(path, 405, records));
    EXPECT_EQ(std::filesystem::file_size(path), 216u * 31 + 34);

    ASSERT_TRUE(orbit::LoadAlmanacDataBase(path));
    EXPECT_EQ(gSateNum, 31);
    EXPECT_EQ(gWeekNumber, 1429);
    EXPECT_EQ(gAlmanacName, "Yuma405.txt");
    ASSERT_EQ(gUnUsefulSateNum, 2);
    EXPECT_EQ(gUnUsefulSate[0], 5);
    EXPECT_EQ(gUnUsefulSate[1], 12);
    for (int s = 1; s <= 31; ++s) {
        const auto& r = records[s - 1];
        EXPECT_EQ(gSatePRN[s], r.prn);
        EXPECT_EQ(gSateHealth[s], r.health);
        EXPECT_EQ(gSateTOA[s], r.toa);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(gSateInclination[s]), std::bit_cast<std::uint64_t>(r.inclination));
        EXPECT_EQ(gSateSqrtA[s], r.sqrtA);
        EXPECT_EQ(gSateRightAscen[s], r.rightAscen);
        EXPECT_EQ(gSatePerigee[s], r.perigee);
        EXPECT_EQ(gSateMeanAnomaly[s], r.meanAnomaly);
        EXPECT_EQ(gSateRadius[s], r.radius);
    }
    EXPECT_TRUE(orbit::IsUnUsefulSate(12));
    EXPECT_FALSE(orbit::IsUnUsefulSate(13));
}

TEST_F(AlmanacDataBase, HandMadeImageWithEveryTagIsRead)
{
    // One satellite; PRN as int16, health as int32, TOA as single, the rest as doubles.
    Bytes b(250, 0);
    Put16(b, 0, 1);
    Put16(b, 24, 2);
    Put16(b, 26, 1030);  // a full week: no 1024 added
    Put16(b, 48, 2);
    Put16(b, 50, 7);
    Put16(b, 72, 3);
    Put32(b, 74, 63);
    Put16(b, 96, 4);
    Put32(b, 98, std::bit_cast<std::uint32_t>(61440.0f));
    const double doubles[] = {55.5, 5153.5, -12.25, 100.125, -33.5, 26558562.25};
    for (int j = 3; j <= 8; ++j) {
        Put16(b, 48 + 24 * j, 5);
        Put64(b, 48 + 24 * j + 2, std::bit_cast<std::uint64_t>(doubles[j - 3]));
    }
    const auto decoded = orbit::DecodeAlmanacDataBase(b);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.almanac.storedWeek, 1030);
    ASSERT_EQ(decoded.almanac.records.size(), 1u);
    const auto& r = decoded.almanac.records[0];
    EXPECT_EQ(r.prn, 7);
    EXPECT_EQ(r.health, 63);
    EXPECT_EQ(r.toa, 61440);
    EXPECT_EQ(r.meanAnomaly, -33.5);
    EXPECT_EQ(r.radius, 26558562.25);

    // The encoder writes the same layout with doubles only.
    const Bytes encoded = orbit::EncodeAlmanacDataBase(1030, decoded.almanac.records);
    ASSERT_EQ(encoded.size(), 250u);
    EXPECT_EQ(encoded[48], 5);
    EXPECT_EQ(std::memcmp(encoded.data() + 48 + 24 * 3, b.data() + 48 + 24 * 3, 10), 0);

    WriteBytes(path, b);
    ASSERT_TRUE(orbit::LoadAlmanacDataBase(path));
    EXPECT_EQ(gWeekNumber, 1030);
    EXPECT_EQ(gAlmanacName, "Yuma1030.txt");
    ASSERT_EQ(gUnUsefulSateNum, 1);
    EXPECT_EQ(gUnUsefulSate[0], 7);
    EXPECT_EQ(gSateSqrtA[2], 0.0) << "sateSlots beyond the almanac hold no stale orbit";
}

TEST_F(AlmanacDataBase, BrokenFilesAreRefusedWithTheTableUnchanged)
{
    const std::vector<orbit::AlmanacRecord> three = {SampleRecord(1), SampleRecord(2), SampleRecord(3)};
    const Bytes good = orbit::EncodeAlmanacDataBase(149, three);
    struct Case {
        const char* name;
        Bytes bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"truncated_last_value", Bytes(good.begin(), good.end() - 1)});
    cases.push_back({"truncated_header", Bytes(good.begin(), good.begin() + 20)});
    Bytes zeroCount = good;
    Put16(zeroCount, 0, 0);
    cases.push_back({"count_zero", zeroCount});
    Bytes negativeCount = good;
    Put16(negativeCount, 0, 0xFFFF);
    cases.push_back({"count_negative", negativeCount});
    Bytes bigCount = orbit::EncodeAlmanacDataBase(149, std::vector<orbit::AlmanacRecord>(32, SampleRecord(4)));
    Put16(bigCount, 0, 33);
    bigCount.resize(bigCount.size() + 216, 0);
    cases.push_back({"count_33", bigCount});
    Bytes badTag = good;
    Put16(badTag, 48 + 216 + 24 * 4, 8);
    cases.push_back({"unknown_tag", badTag});
    Bytes badWeekTag = good;
    Put16(badWeekTag, 24, 0);
    cases.push_back({"untagged_week", badWeekTag});
    Bytes nan = good;
    Put64(nan, 48 + 24 * 7 + 2, std::bit_cast<std::uint64_t>(std::nan("")));
    cases.push_back({"nan_value", nan});
    Bytes hugePrn = good;
    Put64(hugePrn, 48 + 2, std::bit_cast<std::uint64_t>(1e9));
    cases.push_back({"prn_out_of_range", hugePrn});
    Bytes trailing = good;
    trailing.push_back(0);
    cases.push_back({"one_trailing_byte", trailing});
    Bytes zeroRecord = good;
    zeroRecord.resize(good.size() + 216, 0);
    cases.push_back({"trailing_zero_record", zeroRecord});
    Bytes oversized = good;
    oversized.resize(8000, 5);
    cases.push_back({"oversized", oversized});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(orbit::DecodeAlmanacDataBase(c.bytes).ok());
        orbit::SetDefaultAlmanacData();
        gUnUsefulSate[0] = 9;  // a user's exclusion list survives a refused load
        gUnUsefulSateNum = 1;
        const std::string before = TableState();
        WriteBytes(path, c.bytes);
        EXPECT_FALSE(orbit::LoadAlmanacDataBase(path));
        EXPECT_EQ(TableState(), before);
    }
}

TEST_F(AlmanacDataBase, LeftoverRecordsOfALongerDatabaseAreIgnored)
{
    // An older database of five satellites, overwritten in place by one of three, keeps its
    // last two records; the reader takes the three.
    std::vector<orbit::AlmanacRecord> five;
    for (std::int16_t prn = 1; prn <= 5; ++prn) five.push_back(SampleRecord(prn));
    Bytes bytes = orbit::EncodeAlmanacDataBase(149, five);
    const std::vector<orbit::AlmanacRecord> three = {SampleRecord(21), SampleRecord(22), SampleRecord(23)};
    const Bytes newer = orbit::EncodeAlmanacDataBase(150, three);
    std::copy(newer.begin(), newer.end(), bytes.begin());
    WriteBytes(path, bytes);
    ASSERT_TRUE(orbit::LoadAlmanacDataBase(path));
    EXPECT_EQ(gSateNum, 3);
    EXPECT_EQ(gSatePRN[3], 23);
    EXPECT_EQ(gSatePRN[4], 0);
    EXPECT_EQ(gAlmanacName, "Yuma150.txt");
}

TEST_F(AlmanacDataBase, SaveReplacesALongerFileWholeAndReportsFailure)
{
    std::vector<orbit::AlmanacRecord> five;
    for (std::int16_t prn = 1; prn <= 5; ++prn) five.push_back(SampleRecord(prn));
    ASSERT_TRUE(orbit::SaveAlmanacDataBase(path, 149, five));
    ASSERT_TRUE(orbit::SaveAlmanacDataBase(path, 149, std::span(five).first(2)));
    EXPECT_EQ(ReadBytes(path), orbit::EncodeAlmanacDataBase(149, std::span(five).first(2)));

    EXPECT_FALSE(orbit::SaveAlmanacDataBase(dir.filePath("missing/Almanac1.alx").toStdString(), 149, five));
    EXPECT_FALSE(orbit::SaveAlmanacDataBase(path, 149, {}));
    EXPECT_EQ(ReadBytes(path).size(), 216u * 2 + 34) << "a refused save leaves the file as it was";
}

TEST(AlmanacTable, UsableSlotsSkipExcludedPrnsAndSlotsWithoutOrbit)
{
    orbit::SetDefaultAlmanacData();
    gUnUsefulSate[0] = 16;
    gUnUsefulSateNum = 1;
    gSateNum = 32;  // raised above the loaded sateSlots, as the import window may do
    const std::vector<int> sateSlots = orbit::UsableSateSlots();
    EXPECT_EQ(sateSlots.size(), 29u);
    EXPECT_EQ(std::count(sateSlots.begin(), sateSlots.end(), 15), 0) << "PRN 16 is slot 15";
    EXPECT_EQ(std::count(sateSlots.begin(), sateSlots.end(), 16), 1);
    EXPECT_EQ(sateSlots.back(), 30);
    gUnUsefulSateNum = 99;  // a corrupt count reads no further than the list
    EXPECT_NO_FATAL_FAILURE(orbit::UsableSateSlots());
    orbit::SetDefaultAlmanacData();
}

}  // namespace
