#pragma once
// Reader of YUMA almanac texts, as published for GPS:
//
//   ******** Week 149 almanac for PRN-01 ********
//   ID:                         01
//   Health:                     000
//   Eccentricity:               0.1139211655E-001
//   Time of Applicability(s):  405504.0000
//   Orbital Inclination(rad):   0.9867355387
//   Rate of Right Ascen(r/s):  -0.7886042771E-008
//   SQRT(A)  (m 1/2):           5153.623047
//   Right Ascen at Week(rad):  -0.1912602899E+001
//   Argument of Perigee(rad):   0.881498914
//   Mean Anom(rad):            -0.2769097477E+001
//   Af0(s):                     0.4291534424E-003
//   Af1(s/s):                  -0.1091393642E-010
//   week:                        149
//
// A record starts at a header line that begins with asterisks; each value is found by its
// label (the text before the colon, compared without case and blanks, units in brackets
// optional), so the order of the lines does not matter. The record's week comes from its
// "week:" line, else from the number after "Week" in its header.

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "AlmanacTable.h"
#include "platform/TextLines.h"

namespace orbit {

// One satellite as the YUMA text gives it (angles in radians).
struct YumaRecord {
    int prn = 0;
    int health = 0;
    double eccentricity = 0.0;
    double toa = 0.0;                // s of the week
    double inclination = 0.0;        // rad
    double rateOfRightAscen = 0.0;   // rad/s
    double sqrtA = 0.0;              // m^1/2
    double rightAscen = 0.0;         // rad, at the week's start as the almanac defines it
    double perigee = 0.0;            // rad
    double meanAnomaly = 0.0;        // rad
    double af0 = 0.0;                // s
    double af1 = 0.0;                // s/s
    int week = 0;                    // as the text gives it (modulo 1024)
    // The value texts of ID .. Af1 as the file writes them, trimmed ("01", "0.1139211655E-001").
    std::array<std::string, 12> texts;
};

struct YumaReadResult {
    std::vector<YumaRecord> records;  // at most 32, in the order of the text
    int week = 0;                     // the first record's week, as the text gives it
    std::string error;                // empty on success; else says which record and field
    bool ok() const { return error.empty(); }
};

// Longest line, in bytes without its line end, a YUMA text may hold (published lines are under
// 60): a longer line refuses the text, so that a file is read without holding more than that.
inline constexpr std::size_t kMaxYumaLineLength = 4096;

// Reads a whole YUMA text. Fails (with no records) when a record lacks a field, repeats one,
// holds a value that is not a number or out of range, when there are more than 32 records,
// when a line is longer than kMaxYumaLineLength, or when there is no record at all. The text
// is refused as soon as one of these is known (at the 33rd record's header, at a bad line, at
// the next header after a record that lacks a field), without looking at the rest of it.
YumaReadResult ReadYumaAlmanac(std::string_view text);

// Reads a YUMA text as it arrives, in pieces of any size (a file read chunk by chunk), with the
// same result as ReadYumaAlmanac of the whole text. It keeps at most 32 records and the line
// being gathered (at most kMaxYumaLineLength bytes and its CR), so memory stays bounded whatever
// the size of the file, and it says as soon as the text is refused, so that the rest of a wrong
// file need not be read.
class YumaAlmanacStream {
public:
    YumaAlmanacStream();
    ~YumaAlmanacStream();
    YumaAlmanacStream(const YumaAlmanacStream&) = delete;
    YumaAlmanacStream& operator=(const YumaAlmanacStream&) = delete;

    // Takes the next bytes of the text. False once the text is refused; further bytes are ignored.
    bool feed(std::string_view bytes);
    // Ends the text: its records, or why it was refused. Call once.
    YumaReadResult finish();

private:
    class Lines;
    std::unique_ptr<Lines> lines_;
    platform::LineGatherer line_{kMaxYumaLineLength};  // the line being gathered
    bool refused_ = false;
};

// The record in the almanac table's units: degrees for the angles, the orbit radius sqrt(A)^2.
AlmanacRecord ToAlmanacRecord(const YumaRecord& yuma);

// The almanac of a successful read, ready for SaveAlmanacDataBase or the engine.
Almanac ToAlmanac(const YumaReadResult& read);

}  // namespace orbit
