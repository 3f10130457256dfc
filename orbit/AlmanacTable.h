#pragma once
// The almanac in use: one program-wide table of up to 32 satellites (slots 1..gSateNum, slot 0
// never used) with the orbit elements of the circular-orbit model, the almanac's week and the
// name shown to the user; the exclusion list of satellites every visibility test skips; the
// built-in almanac; and the binary almanac database "Almanac1.alx" that hands an imported
// almanac over to the rest of the program.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr int kMaxSateSlot = 32;  // slots 1..32 hold satellites, slot 0 is never used

extern std::int16_t gSateNum;                            // satellites in the table, 0..32
extern std::array<std::int16_t, 33> gSatePRN;            // PRN of each slot
extern std::array<std::int16_t, 33> gSateHealth;         // 0 usable, anything else unhealthy
extern std::array<std::int32_t, 33> gSateTOA;            // time of applicability, s of the GPS week
extern std::array<double, 33> gSateInclination;          // degrees
extern std::array<double, 33> gSateSqrtA;                // square root of the semi-major axis, m^1/2
extern std::array<double, 33> gSateRightAscen;           // right ascension of the node at TOA, degrees
extern std::array<double, 33> gSatePerigee;              // argument of perigee, degrees
extern std::array<double, 33> gSateMeanAnomaly;          // mean anomaly at TOA, degrees
extern std::array<double, 33> gSateRadius;               // orbit radius of the circular model, m
extern std::int16_t gWeekNumber;  // stored week, plus 1024 when below 1000 (1426 for the built-in)
extern std::string gAlmanacName;  // "Yuma" + stored week + ".txt" after a load

// Excluded satellites as PRNs (never slots): entries 0..gUnUsefulSateNum-1 are in use.
// Rebuilt from the health of every loaded almanac; the orbit-and-count view replaces it.
extern std::array<std::int16_t, 34> gUnUsefulSate;
extern int gUnUsefulSateNum;

namespace orbit {

// One satellite of an almanac, in the units of the table above.
struct AlmanacRecord {
    std::int16_t prn = 0;
    std::int16_t health = 0;
    std::int32_t toa = 0;
    double inclination = 0.0;
    double sqrtA = 0.0;
    double rightAscen = 0.0;
    double perigee = 0.0;
    double meanAnomaly = 0.0;
    double radius = 0.0;
};

// A whole almanac: the week as the almanac text gives it (usually modulo 1024) and its
// satellites in slot order (records[0] is slot 1).
struct Almanac {
    int storedWeek = 0;
    std::vector<AlmanacRecord> records;
};

// The built-in almanac: stored week 402, 30 satellites (PRN 15 absent), health 0, TOA 61440 s.
const Almanac& DefaultAlmanac();

// Full week shown for a stored week: plus 1024 when below 1000 (402 gives 1426).
int FullWeekOfStoredWeek(int storedWeek);
// "Yuma" + stored week + ".txt", the almanac name after a load.
std::string AlmanacNameOfWeek(int storedWeek);

// Puts an almanac into the program-wide table: count, slots (slots beyond the almanac are
// cleared, so a count raised later finds no stale orbit), week, name and the exclusion list
// (PRNs of the unhealthy slots in slot order). At most 32 records are taken.
void ApplyAlmanac(const Almanac& almanac);

// Loads the built-in almanac into the table.
void SetDefaultAlmanacData();

// Reads the almanac database at `path` (the main window passes gStartDir + "/data0/Almanac1.alx")
// into the table. Returns false, with the table unchanged, when the file is missing or broken;
// the caller then calls SetDefaultAlmanacData.
bool LoadAlmanacDataBase(const std::string& path);

// Writes the almanac database for `records` with the stored week (as the almanac text gives it,
// e.g. 405; 0..32767) and 1..32 records. The file is replaced whole or not at all; returns false
// when it cannot be written or the arguments are out of range.
bool SaveAlmanacDataBase(const std::string& path, int storedWeek, std::span<const AlmanacRecord> records);

// Byte image of the database: little-endian; count (int16) at 0, the week tagged (tag 2, int16)
// at 24, then per satellite nine tagged doubles (tag 5) in 24-byte slots from 48 + 216*(s-1):
// PRN, health, TOA, inclination, sqrt(A), right ascension, perigee, mean anomaly, radius.
// The image is 216*n + 34 bytes long; unwritten bytes are zero.
std::vector<unsigned char> EncodeAlmanacDataBase(int storedWeek, std::span<const AlmanacRecord> records);

struct AlmanacDecodeResult {
    Almanac almanac;
    std::string error;  // empty when the image was good
    bool ok() const { return error.empty(); }
};

// Reads a database image. The count must be 1..32, every value must carry a known tag (2 int16,
// 3 int32, 4 single, 5 double) and be finite and convertible, and the image must hold every
// record. Bytes after the last record are accepted only as whole, well-tagged leftover records
// of an older, longer database written in place (at most 32 records in all); anything else
// is refused.
AlmanacDecodeResult DecodeAlmanacDataBase(std::span<const unsigned char> bytes);

// The program-wide table as an almanac: slots 1..gSateNum (at most 32) in order, with the week
// gWeekNumber (its era is resolved against the computation date where it is used).
Almanac CurrentAlmanac();

// True when a slot holds an orbit: a square root of the semi-major axis and a radius above 0 and
// below bounds far beyond any earth orbit (1e6 m^1/2, 1e12 m). A slot without one is skipped by
// the engine and the counts, never turned into NaN or infinity.
inline bool HasOrbit(double sqrtA, double radius)
{
    return sqrtA > 0.0 && sqrtA < 1e6 && radius > 0.0 && radius < 1e12;
}

// True when `prn` is in the exclusion list.
bool IsUnUsefulSate(int prn);

// The satellite slots in use: 1..gSateNum (at most 32), not excluded, holding an orbit.
std::vector<int> UsableSateSlots();

}  // namespace orbit
