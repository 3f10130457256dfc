#include "AlmanacTable.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>

#include "platform/NumberText.h"

std::int16_t gSateNum = 0;
std::array<std::int16_t, 33> gSatePRN{};
std::array<std::int16_t, 33> gSateHealth{};
std::array<std::int32_t, 33> gSateTOA{};
std::array<double, 33> gSateInclination{};
std::array<double, 33> gSateSqrtA{};
std::array<double, 33> gSateRightAscen{};
std::array<double, 33> gSatePerigee{};
std::array<double, 33> gSateMeanAnomaly{};
std::array<double, 33> gSateRadius{};
std::int16_t gWeekNumber = 0;
std::string gAlmanacName;

std::array<std::int16_t, 34> gUnUsefulSate{};
int gUnUsefulSateNum = 0;

namespace orbit {

namespace {

constexpr std::size_t kHeaderBytes = 48;
constexpr std::size_t kRecordBytes = 216;
constexpr std::size_t kSlotBytes = 24;
constexpr std::size_t kWeekOffset = 24;
constexpr std::size_t kValuesPerRecord = 9;
// A record's last value ends 10 bytes into its last slot (tag and double).
constexpr std::size_t kLastValueEnd = kSlotBytes * (kValuesPerRecord - 1) + 10;

constexpr std::uint16_t kTagInt16 = 2;
constexpr std::uint16_t kTagInt32 = 3;
constexpr std::uint16_t kTagSingle = 4;
constexpr std::uint16_t kTagDouble = 5;

std::size_t DataBaseSize(std::size_t records) { return kHeaderBytes + kRecordBytes * (records - 1) + kLastValueEnd; }

void PutLittle(std::vector<unsigned char>& bytes, std::size_t offset, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

std::uint64_t GetLittle(std::span<const unsigned char> bytes, std::size_t offset, int width)
{
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        value |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

// Reads the tagged value at the offset; nullopt for an unknown tag, a value past the end of the
// image or a value that is not finite.
std::optional<double> GetTagged(std::span<const unsigned char> bytes, std::size_t offset)
{
    if (offset + 2 > bytes.size()) {
        return std::nullopt;
    }
    const auto tag = static_cast<std::uint16_t>(GetLittle(bytes, offset, 2));
    const int width = tag == kTagInt16 ? 2 : tag == kTagDouble ? 8 : (tag == kTagInt32 || tag == kTagSingle) ? 4 : 0;
    if (width == 0 || offset + 2 + width > bytes.size()) {
        return std::nullopt;
    }
    const std::uint64_t raw = GetLittle(bytes, offset + 2, width);
    double value = 0.0;
    switch (tag) {
    case kTagInt16: value = static_cast<std::int16_t>(raw); break;
    case kTagInt32: value = static_cast<std::int32_t>(raw); break;
    case kTagSingle: value = std::bit_cast<float>(static_cast<std::uint32_t>(raw)); break;
    default: value = std::bit_cast<double>(raw); break;
    }
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Nearest whole number (halves to even) when it lies within [low, high].
std::optional<std::int64_t> WholeIn(double value, std::int64_t low, std::int64_t high)
{
    if (value < static_cast<double>(low) - 1.0 || value > static_cast<double>(high) + 1.0) {
        return std::nullopt;
    }
    const std::int64_t whole = platform::RoundHalfEven(value);
    if (whole < low || whole > high) {
        return std::nullopt;
    }
    return whole;
}

bool RecordTagsGood(std::span<const unsigned char> bytes, std::size_t recordOffset)
{
    for (std::size_t j = 0; j < kValuesPerRecord; ++j) {
        if (!GetTagged(bytes, recordOffset + kSlotBytes * j)) {
            return false;
        }
    }
    return true;
}

}  // namespace

const Almanac& DefaultAlmanac()
{
    static const Almanac almanac{
        402,
        {
            {1, 0, 61440, 56.7411, 5153.691895, 148.5104, -101.839, 24.3022, 26560540.149},
            {2, 0, 61440, 54.2575, 5153.531738, 25.4169, 131.1842, 90.1716, 26558889.375},
            {3, 0, 61440, 53.05, 5153.673828, -39.8735, 42.1088, 55.4026, 26560353.925},
            {4, 0, 61440, 54.2238, 5153.760254, 26.5229, 15.5425, -123.3238, 26561244.756},
            {5, 0, 61440, 53.8218, 5153.735352, -99.2177, 65.9533, -144.7011, 26560988.078},
            {6, 0, 61440, 53.486, 5153.72998, -36.3628, -99.3873, -61.7193, 26560932.707},
            {7, 0, 61440, 53.575, 5153.630859, -37.8336, -97.8031, -73.6865, 26559911.031},
            {8, 0, 61440, 56.038, 5153.670898, -151.6365, 158.6435, -59.4931, 26560323.725},
            {9, 0, 61440, 55.34, 5153.658691, -156.4595, 75.6429, -79.4117, 26560197.903},
            {10, 0, 61440, 55.5254, 5153.571777, 87.1243, 28.3252, 126.7497, 26559302.061},
            {11, 0, 61440, 51.2438, 5153.64502, 16.1334, 28.0612, -33.602, 26560056.992},
            {12, 0, 61440, 55.0684, 5153.58252, -94.3831, -70.8646, -0.3317, 26559412.79},
            {13, 0, 61440, 56.979, 5153.572754, 147.7597, 74.1742, 116.7684, 26559312.131},
            {14, 0, 61440, 56.6333, 5153.525879, 146.897, -121.6741, 84.4474, 26558828.986},
            {16, 0, 61440, 55.1797, 5153.59375, -93.4875, -41.1779, -147.8569, 26559528.54},
            {17, 0, 61440, 54.9946, 5153.553711, -33.9115, -171.7935, 141.4041, 26559115.852},
            {18, 0, 61440, 54.6142, 5153.544434, 88.0816, -149.2067, -153.1062, 26559020.233},
            {19, 0, 61440, 54.8755, 5153.670898, -30.5708, -53.2129, 121.5819, 26560323.725},
            {20, 0, 61440, 54.5854, 5153.484375, 85.0282, 75.6157, -148.4501, 26558401.203},
            {21, 0, 61440, 53.8537, 5153.585937, 27.5561, -163.8226, -75.6007, 26559448.01},
            {22, 0, 61440, 54.4762, 5153.626953, 88.502, -97.3545, 125.2051, 26559870.771},
            {23, 0, 61440, 55.6143, 5153.61084, 145.7814, 147.9055, 71.3366, 26559704.69},
            {24, 0, 61440, 54.8068, 5153.624023, 28.6717, -46.2454, -161.4129, 26559840.57},
            {25, 0, 61440, 54.963, 5155.240723, -159.6928, -73.8917, -117.5335, 26576506.912},
            {26, 0, 61440, 56.8674, 5153.598145, 147.7497, 49.0013, 26.7962, 26559573.84},
            {27, 0, 61440, 55.2243, 5153.681152, -157.7913, -104.0397, -131.1725, 26560429.416},
            {28, 0, 61440, 55.0708, 5153.638672, -92.9629, -124.7755, 163.0939, 26559991.562},
            {29, 0, 61440, 56.6628, 5153.596191, 145.7065, -40.1752, 127.9118, 26559553.7},
            {30, 0, 61440, 54.1861, 5153.539062, -96.4141, 75.7144, -173.6509, 26558964.864},
            {31, 0, 61440, 55.1409, 5153.666992, -154.527, -76.5785, -33.9761, 26560283.464},
        }};
    return almanac;
}

int FullWeekOfStoredWeek(int storedWeek) { return storedWeek < 1000 ? storedWeek + 1024 : storedWeek; }

std::string AlmanacNameOfWeek(int storedWeek) { return "Yuma" + std::to_string(storedWeek) + ".txt"; }

void ApplyAlmanac(const Almanac& almanac)
{
    const int count = std::min<int>(static_cast<int>(almanac.records.size()), kMaxSateSlot);
    for (int s = 1; s <= kMaxSateSlot; ++s) {
        const AlmanacRecord r = s <= count ? almanac.records[s - 1] : AlmanacRecord{};
        gSatePRN[s] = r.prn;
        gSateHealth[s] = r.health;
        gSateTOA[s] = r.toa;
        gSateInclination[s] = r.inclination;
        gSateSqrtA[s] = r.sqrtA;
        gSateRightAscen[s] = r.rightAscen;
        gSatePerigee[s] = r.perigee;
        gSateMeanAnomaly[s] = r.meanAnomaly;
        gSateRadius[s] = r.radius;
    }
    gSateNum = static_cast<std::int16_t>(count);
    gWeekNumber = static_cast<std::int16_t>(FullWeekOfStoredWeek(almanac.storedWeek));
    gAlmanacName = AlmanacNameOfWeek(almanac.storedWeek);
    gUnUsefulSateNum = 0;
    for (int s = 1; s <= count; ++s) {
        if (gSateHealth[s] != 0) {
            gUnUsefulSate[gUnUsefulSateNum++] = gSatePRN[s];
        }
    }
}

void SetDefaultAlmanacData() { ApplyAlmanac(DefaultAlmanac()); }

std::vector<unsigned char> EncodeAlmanacDataBase(int storedWeek, std::span<const AlmanacRecord> records)
{
    const std::size_t n = records.size();
    std::vector<unsigned char> bytes(n == 0 ? kWeekOffset + 4 : DataBaseSize(n), 0);
    PutLittle(bytes, 0, static_cast<std::uint16_t>(n), 2);
    PutLittle(bytes, kWeekOffset, kTagInt16, 2);
    PutLittle(bytes, kWeekOffset + 2, static_cast<std::uint16_t>(storedWeek), 2);
    for (std::size_t s = 0; s < n; ++s) {
        const AlmanacRecord& r = records[s];
        const double values[kValuesPerRecord] = {double(r.prn), double(r.health), double(r.toa),
                                                 r.inclination, r.sqrtA, r.rightAscen,
                                                 r.perigee, r.meanAnomaly, r.radius};
        for (std::size_t j = 0; j < kValuesPerRecord; ++j) {
            const std::size_t offset = kHeaderBytes + kRecordBytes * s + kSlotBytes * j;
            PutLittle(bytes, offset, kTagDouble, 2);
            PutLittle(bytes, offset + 2, std::bit_cast<std::uint64_t>(values[j]), 8);
        }
    }
    return bytes;
}

AlmanacDecodeResult DecodeAlmanacDataBase(std::span<const unsigned char> bytes)
{
    AlmanacDecodeResult result;
    if (bytes.size() < kWeekOffset + 4) {
        result.error = "The almanac database is too short for its header.";
        return result;
    }
    const auto n = static_cast<std::int16_t>(GetLittle(bytes, 0, 2));
    if (n < 1 || n > kMaxSateSlot) {
        result.error = "The almanac database holds " + std::to_string(n) + " satellites; 1 to 32 are allowed.";
        return result;
    }
    const auto count = static_cast<std::size_t>(n);
    if (bytes.size() < DataBaseSize(count)) {
        result.error = "The almanac database ends before its last satellite.";
        return result;
    }
    // An older, longer database overwritten in place keeps its later records after ours.
    const std::size_t extra = bytes.size() - DataBaseSize(count);
    const std::size_t leftovers = extra / kRecordBytes;
    if (extra % kRecordBytes != 0 || count + leftovers > kMaxSateSlot) {
        result.error = "The almanac database has unexpected bytes after its last satellite.";
        return result;
    }
    for (std::size_t s = count; s < count + leftovers; ++s) {
        if (!RecordTagsGood(bytes, kHeaderBytes + kRecordBytes * s)) {
            result.error = "The almanac database has unexpected bytes after its last satellite.";
            return result;
        }
    }
    const auto week = GetTagged(bytes, kWeekOffset);
    const auto wholeWeek = week ? WholeIn(*week, 0, std::numeric_limits<std::int16_t>::max()) : std::nullopt;
    if (!wholeWeek) {
        result.error = "The almanac database has no valid week.";
        return result;
    }
    result.almanac.storedWeek = static_cast<int>(*wholeWeek);
    for (std::size_t s = 0; s < count; ++s) {
        double v[kValuesPerRecord];
        for (std::size_t j = 0; j < kValuesPerRecord; ++j) {
            const auto value = GetTagged(bytes, kHeaderBytes + kRecordBytes * s + kSlotBytes * j);
            if (!value) {
                result.error = "Satellite " + std::to_string(s + 1) + " of the almanac database has a bad value.";
                return result;
            }
            v[j] = *value;
        }
        const auto prn = WholeIn(v[0], std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
        const auto health = WholeIn(v[1], std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
        const auto toa = WholeIn(v[2], std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
        if (!prn || !health || !toa) {
            result.error = "Satellite " + std::to_string(s + 1) + " of the almanac database has a value out of range.";
            return result;
        }
        result.almanac.records.push_back({static_cast<std::int16_t>(*prn), static_cast<std::int16_t>(*health),
                                          static_cast<std::int32_t>(*toa), v[3], v[4], v[5], v[6], v[7], v[8]});
    }
    return result;
}

bool LoadAlmanacDataBase(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    // Even a database overwritten in place is never larger than 32 records.
    std::vector<unsigned char> bytes;
    bytes.reserve(DataBaseSize(kMaxSateSlot));
    std::istreambuf_iterator<char> it(file), end;
    for (; it != end && bytes.size() <= DataBaseSize(kMaxSateSlot); ++it) {
        bytes.push_back(static_cast<unsigned char>(*it));
    }
    if (file.bad()) {
        return false;
    }
    const AlmanacDecodeResult decoded = DecodeAlmanacDataBase(bytes);
    if (!decoded.ok()) {
        return false;
    }
    ApplyAlmanac(decoded.almanac);
    return true;
}

bool SaveAlmanacDataBase(const std::string& path, int storedWeek, std::span<const AlmanacRecord> records)
{
    if (records.empty() || records.size() > kMaxSateSlot || storedWeek < 0 ||
        storedWeek > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    const std::vector<unsigned char> bytes = EncodeAlmanacDataBase(storedWeek, records);
    // Write beside the target and rename, so the database is replaced whole or not at all.
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool IsUnUsefulSate(int prn)
{
    const int count = std::clamp(gUnUsefulSateNum, 0, static_cast<int>(gUnUsefulSate.size()));
    return std::find(gUnUsefulSate.begin(), gUnUsefulSate.begin() + count, prn) != gUnUsefulSate.begin() + count;
}

std::vector<int> UsableSateSlots()
{
    std::vector<int> sateSlots;
    const int count = std::clamp<int>(gSateNum, 0, kMaxSateSlot);
    for (int s = 1; s <= count; ++s) {
        if (!IsUnUsefulSate(gSatePRN[s]) && HasOrbit(gSateSqrtA[s], gSateRadius[s])) {
            sateSlots.push_back(s);
        }
    }
    return sateSlots;
}

Almanac CurrentAlmanac()
{
    Almanac almanac;
    almanac.storedWeek = gWeekNumber;
    const int count = std::clamp<int>(gSateNum, 0, kMaxSateSlot);
    for (int s = 1; s <= count; ++s) {
        almanac.records.push_back({gSatePRN[s], gSateHealth[s], gSateTOA[s], gSateInclination[s], gSateSqrtA[s],
                                   gSateRightAscen[s], gSatePerigee[s], gSateMeanAnomaly[s], gSateRadius[s]});
    }
    return almanac;
}

}  // namespace orbit
