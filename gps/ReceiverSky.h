#pragma once
// The receiver's sky of the comparison window, kept from decoded NMEA sentences: where the
// receiver says each satellite stands (GSV), which satellites it uses in its fix (GSA), and the
// texts of its position and clock (GGA). Plain computation; the window draws it.
//
// Icon slots: a GPS satellite PRN 1..32 has slot PRN - 1; the differential-correction satellite
// (SBAS PRN 42, the MSAS satellite over Japan) has slot 32; every other satellite (GLONASS,
// Galileo, BeiDou, the other SBAS PRNs) has no slot and is not shown. The system of a PRN comes
// from the sentence's talker and, for GSA, its system id, so the PRNs 1..36 of Galileo or
// BeiDou never take a GPS slot.
//
// Used marks: the GSA sentences of one receiver cycle replace the marks of the cycle before, so a
// satellite that leaves the fix loses its mark. A cycle is a run of consecutive GSA sentences (a
// receiver of several systems sends one per system, one after the other); any other sentence
// ends it.

#include <array>
#include <optional>
#include <string>

#include "gps/NmeaSentences.h"

namespace gps {

inline constexpr int kReceiverSlots = 33;
inline constexpr int kDifferentialSlot = 32;
inline constexpr int kDifferentialPrn = 42;

// The icon slot of a satellite (see above); -1 when it has none.
int ReceiverIconSlot(Talker talker, int systemId, int prn);

// Where a satellite stands on the receiver's plot, seen from above with north up and east to
// the right: degrees of zenith distance, the zenith at (0, 0) and the horizon at radius 90. An
// elevation or azimuth the receiver left empty reads as 0 (on the horizon, due north). nullopt
// for an elevation outside 0..90 or an azimuth outside 0..359, which name no place in the sky
// (an elevation of 95 would land on the opposite side near the zenith).
struct ReceiverPlotPoint {
    double x = 0.0;
    double y = 0.0;
};
std::optional<ReceiverPlotPoint> ReceiverPlotPointOf(const GsvSatellite& satellite);

// Degrees as "dd-mm-ss.ss" (latitude, degreeDigits 2) or "ddd-mm-ss.ss" (longitude, 3): whole
// degrees, whole minutes and seconds with two decimals, rounded once to the hundredth of a
// second so that 59.999 s carries into the minute instead of showing "60.00". A south or west
// value (negative) starts with "-". 35.741666... gives "35-44-30.00".
std::string DegreeMinuteSecondText(double degrees, int degreeDigits);

// A Japan time as "h:mm:ss": the hour without a leading zero ("0:30:00", "10:23:45").
std::string ReceiverTimeText(const JapanTime& time);

class ReceiverSatellites {
public:
    // Forgets every mark and place.
    void clear();
    // Any sentence other than GSA ends the current GSA cycle.
    void endGsaCycle() { inGsaCycle_ = false; }
    // Marks the satellites the sentence lists as used; the first GSA of a cycle first clears the
    // marks of the cycle before.
    void takeGsa(const GsaSentence& gsa);
    // Places every satellite with a slot that the sentence lists (used or not). A satellite
    // listed with no place in the sky (ReceiverPlotPointOf) is not placed and loses the place it
    // had, so it is not shown until a sentence gives it one again. Returns how many it placed.
    int takeGsv(const GsvSentence& gsv);

    bool used(int slot) const { return InRange(slot) && used_[static_cast<std::size_t>(slot)]; }
    bool placed(int slot) const { return InRange(slot) && placed_[static_cast<std::size_t>(slot)]; }
    ReceiverPlotPoint at(int slot) const { return InRange(slot) ? at_[static_cast<std::size_t>(slot)] : ReceiverPlotPoint{}; }
    // What the receiver's plot shows: a used satellite whose place a GSV sentence has given.
    bool shown(int slot) const { return used(slot) && placed(slot); }
    // The GPS satellites in use (slots 0..31); the differential satellite is not counted.
    int usedGpsCount() const;

private:
    static bool InRange(int slot) { return slot >= 0 && slot < kReceiverSlots; }
    std::array<bool, kReceiverSlots> used_{};
    std::array<bool, kReceiverSlots> placed_{};
    std::array<ReceiverPlotPoint, kReceiverSlots> at_{};
    bool inGsaCycle_ = false;
};

}  // namespace gps
