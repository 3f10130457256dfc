#pragma once
// The NMEA 0183 sentences the GPS windows read, decoded from checked lines: GGA (time, position,
// fix quality, satellites in use), GSA (satellites used in the fix) and GSV (satellites in
// view), from the talkers GP (GPS), GN (several systems), GL (GLONASS), GA (Galileo) and
// GB (BeiDou). Other sentences with a right checksum are passed on undecoded.
//
// GGA  $GPGGA,045851.000,3519.9046,N,13640.2631,E,1,04,2.2,80.4,M,,,,0000*39
//      1 UTC hhmmss[.s]  2 latitude ddmm.mmmm  3 N/S  4 longitude dddmm.mmmm  5 E/W
//      6 quality (0 none, 1 GPS, 2 DGPS, 3 PPS, 4 RTK fixed, 5 RTK float, 6 estimated ...)
//      7 satellites in use  8 HDOP  9 altitude  10 M  11 geoid separation  12 M  13 age  14 station
// GSA  $GNGSA,A,3,13,16,21,15,10,29,27,20,,,,,1.05,0.64,0.83,1*03
//      1 mode A/M  2 fix 1/2/3  3..14 PRNs used  15 PDOP  16 HDOP  17 VDOP  [18 system id]
// GSV  $GPGSV,2,2,08,22,62,272,24,18,55,192,16,30,50,179,18,15,09,229,*74
//      1 messages  2 message number  3 satellites in view, then up to four groups of PRN,
//      elevation (degrees), azimuth (degrees clockwise from north), SNR (dB-Hz); [signal id]
//
// Empty fields keep their places. A sentence of these three types is refused (decoded as
// nothing) when it holds more fields than its format allows, too few to reach its fixed
// fields, or a field that is present but not of its kind, with two exceptions for what later
// versions and multi-system receivers send: a GGA is read whatever fields follow field 14 (they
// are ignored), and a GSA whose system id cannot be read is read without it.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "gps/NmeaLine.h"

namespace gps {

enum class Talker { GP, GN, GL, GA, GB };

// The talker of an address such as "GNGGA"; nullopt for any other talker.
std::optional<Talker> TalkerOf(std::string_view address);

// A UTC time of day as a sentence gives it.
struct TimeOfDay {
    int hour = 0;      // 0..23
    int minute = 0;    // 0..59
    int second = 0;    // 0..60 (60 only in a leap second)
    double fraction = 0.0;  // the part of a second after the point, [0, 1)
};

// "hhmmss" or "hhmmss.s..." (six digits, an optional fraction); nullopt otherwise.
std::optional<TimeOfDay> ParseNmeaTime(std::string_view field);

// Japan standard time (UTC + 9 h) of a UTC time of day; `nextDay` when it lies on the day after
// the UTC date (UTC 15:00 or later).
struct JapanTime {
    int hour = 0;
    int minute = 0;
    int second = 0;   // the fraction of the UTC time is dropped
    bool nextDay = false;
};
JapanTime ToJapanTime(const TimeOfDay& utc);
// "hh:mm:ss", two digits each ("00:30:00").
std::string JapanTimeText(const JapanTime& time);
// The 5-minute step of the Japan day, 0..288: seconds after midnight / 300, halves to even.
int TimeStepOf(const JapanTime& time);

struct GgaSentence {
    Talker talker = Talker::GP;
    std::optional<TimeOfDay> utc;  // nullopt when field 1 is empty or no time
    bool hasPosition = false;      // latitude, longitude and both hemispheres were given
    double latitude = 0.0;         // decimal degrees, south negative
    double longitude = 0.0;        // decimal degrees, west negative
    int quality = 0;               // field 6; 0 when empty
    int satellitesInUse = -1;      // field 7; -1 when empty
    std::string satellitesText;    // field 7 as received ("04")
};
// A position to show and record: a position was given and the quality is not 0.
bool IsFix(const GgaSentence& gga);
// "Navi" for quality 1, "DGPS" for 2, "RTK" for 3 and above, empty otherwise.
std::string_view QualityLabel(int quality);

struct GsaSentence {
    Talker talker = Talker::GP;
    int fixType = 0;            // field 2: 1 none, 2 2-D, 3 3-D; 0 when empty
    std::array<int, 12> prns{}; // the non-empty PRN fields in order
    int prnCount = 0;
    int systemId = 0;           // field 18 (see SystemOfSatellite), 0 when absent or not a whole number
};

struct GsvSatellite {
    int prn = 0;
    std::optional<int> elevation;  // degrees, 0..90 (as received: a damaged one may lie outside)
    std::optional<int> azimuth;    // degrees clockwise from north, 0..359 (as received)
    std::optional<int> snr;        // dB-Hz; empty when not tracked
};

struct GsvSentence {
    Talker talker = Talker::GP;
    int messageCount = 0;
    int messageNumber = 0;
    int satellitesInView = 0;
    std::array<GsvSatellite, 4> satellites{};
    int satelliteCount = 0;  // groups in this sentence; a last group missing its SNR field counts
    int signalId = 0;        // the trailing signal id of newer receivers, 0 when absent
};

enum class GnssSystem { Gps, Sbas, Glonass, Galileo, BeiDou, Qzss, NavIC, Unknown };
// The system of a satellite: by the GSA system id when given (NMEA 4.11: 1 GPS, with its SBAS
// PRNs 33..64, 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS, 6 NavIC; any other id is a system not
// known here), else by the talker, else (talker GN) by the PRN range (1..32 GPS, 33..64 SBAS,
// 65..96 GLONASS). PRNs 33..64 of talker GP are SBAS satellites.
GnssSystem SystemOfSatellite(Talker talker, int systemId, int prn);

// One line with a right checksum: its body (between '$' and '*') and, for GGA, GSA and GSV of
// the known talkers, the decoded sentence (monostate for any other sentence or a refused one).
struct NmeaSentence {
    std::string body;
    std::variant<std::monostate, GgaSentence, GsaSentence, GsvSentence> data;
    std::string_view address() const { return std::string_view(body).substr(0, body.find(',')); }
};

// Decodes one line (as NmeaLineAssembler gives it); nullopt when its checksum is wrong or missing.
std::optional<NmeaSentence> ParseNmeaLine(std::string_view line);

// Bytes in, sentences out: the line assembler followed by ParseNmeaLine. Serial input and file
// replays go through the same decoder.
class NmeaDecoder {
public:
    using SentenceHandler = std::function<void(const NmeaSentence&)>;
    void feed(const char* data, std::size_t size, const SentenceHandler& onSentence);
    void reset() { assembler_.reset(); }

    std::size_t droppedLines() const { return droppedLines_ + assembler_.droppedLongLines(); }

private:
    NmeaLineAssembler assembler_;
    std::size_t droppedLines_ = 0;  // lines with a wrong or missing checksum
};

}  // namespace gps
