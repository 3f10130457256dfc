#pragma once
// The GPS settings: the plane rectangular system in use (number and origin) and the receiver's
// serial port (device and speed), held once for the program and stored in data0/GPSSetting.dat.
//
// GPSSetting.dat, text, CR LF line ends (LF accepted when reading), blanks around values ignored:
//   9              line 1  system number, 1..19
//   36-00          line 2  origin latitude "dd-mm" (degrees + minutes / 60)
//   139-50         line 3  origin longitude "ddd-mm"
//   1              line 4  port number k of the serial device /dev/ttyS(k-1), 1..11; 0 for any
//                          other device
//   3              line 5  speed index, 1-based in the speed list, 1..5
//   9600,n,8,1     line 6  serial settings text, the chosen speed item
//   /dev/ttyUSB0   line 7  (optional) the serial device path; when present it names the port
// Readers of the first six lines alone still read a file with line 7. Lines after the seventh
// may only be blank. No line is longer than kMaxGpsSettingLineLength characters, so no valid
// file is larger than kMaxGpsSettingFileSize bytes.
//
// A missing file, or one that is short or does not hold valid values (an origin that is no
// finite latitude 0..90 or longitude 0..180 included), gives the defaults: the first system of
// the table (33-00, 129-30), port 1, 9600 baud.

#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gps {

// The program-wide settings (the defaults until a file is read).
extern int gMapSystemNo;            // 1..19
extern double gOriginLat;           // origin of the system, decimal degrees
extern double gOriginLon;
extern int gGPSPortNo;              // 1..11 for /dev/ttyS0..10, 0 for another device
extern int gGPSSpeedIndex;          // 1..5, position in GpsSpeedItems() + 1
extern std::string gGPSPortSetting; // such as "9600,n,8,1"
extern std::string gGPSPortName;    // device path, empty: the device of gGPSPortNo
extern int gGPSSettingMode;         // layout of the settings dialog: 1 port and system, 2 system only

inline constexpr int kMaxComPortNo = 11;
// The longest line of a settings file (the device path of line 7 is the longest value), and the
// largest file: seven such lines with CR LF and as much again for blank lines after them.
inline constexpr std::size_t kMaxGpsSettingLineLength = 1024;
inline constexpr std::size_t kMaxGpsSettingFileSize = 2 * 7 * (kMaxGpsSettingLineLength + 2);

struct GpsSettings {
    int mapSystemNo = 1;
    double originLat = 33.0;
    double originLon = 129.5;
    int portNo = 1;
    int speedIndex = 3;
    std::string portSetting = "9600,n,8,1";
    std::string portName;
};

// The five speed items of the settings, item k - 1 being speed index k.
const std::array<std::string_view, 5>& GpsSpeedItems();

// The settings file's text: six CR LF lines, and the device path as a seventh when known.
// The origin is written as the system's "dd-mm" texts.
std::string GpsSettingText(const GpsSettings& settings);

// Reads a settings file line by line and refuses it at the first line that cannot belong: a line
// of the first six that does not hold a valid value (system 1..19, "dd-mm" origins within
// latitude 0..90 and longitude 0..180, port 0..11, speed 1..5, a settings text that begins with
// a speed), a line longer than kMaxGpsSettingLineLength, or a line after the seventh that is not
// blank.
class GpsSettingReader {
public:
    // Takes the next line, without its line end. False once the file is refused; later lines
    // are then not looked at.
    bool take(std::string_view line);
    // The next line is longer than kMaxGpsSettingLineLength: the file is refused.
    void refuseLongLine();
    // The settings read; nullopt, with the reason in `problem`, when the file was refused or
    // ended before its sixth line.
    std::optional<GpsSettings> finish(std::string* problem = nullptr) const;

private:
    bool refuse(std::string why);

    GpsSettings settings_;
    int lines_ = 0;
    std::string problem_;  // not empty once refused
};

// The settings in the text of a settings file (GpsSettingReader on each of its lines).
std::optional<GpsSettings> ReadGpsSettingText(std::string_view text, std::string* problem = nullptr);

// The device to open: the stored path, else /dev/ttyS(k-1) for port k, else empty.
std::string GpsPortPath(const GpsSettings& settings);
// Port number of a device path: k for /dev/ttyS(k-1) with k in 1..11, else 0.
int ComPortNumberOfPath(std::string_view path);

// The speed in baud at the start of a settings text ("9600,n,8,1" -> 9600); nullopt when the
// text does not begin with a positive whole number.
std::optional<int> BaudRateOfSetting(std::string_view setting);

// data0/GPSSetting.dat under the start folder.
QString GpsSettingPath(const QString& startDir);

// The settings in memory as one value, and the other way round.
GpsSettings CurrentGpsSettings();
void ApplyGpsSettings(const GpsSettings& settings);

// Reads the settings file under `startDir` into the program-wide settings. A missing file
// gives the defaults and no problem; a file that cannot be read or is broken gives the
// defaults and returns why (the caller may tell the user). Returns an empty text when the
// file was read. A file larger than kMaxGpsSettingFileSize is refused by its size unread; any
// other is read a line at a time up to the first line that cannot belong.
QString LoadGPSSetting(const QString& startDir);

// Writes the program-wide settings to the file under `startDir`, whole or not at all.
// Returns an empty text on success, else why it failed.
QString SaveGPSSetting(const QString& startDir);

}  // namespace gps
