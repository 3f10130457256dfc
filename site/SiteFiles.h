#pragma once
// Text formats of the files the main window keeps: the settings file, project files, the built-in
// sample site and GPS record files. Parsers read into a temporary and check every count, index
// and limit; the caller changes the program's state only when the whole file was good.
//
// Settings file (data0/Setting.dat), five number lines:
//   latitude, longitude, antenna height, elevation mask (single), reserve (integer, always 10).
// Project file:
//    0 \r\n          calibration flag gFixDataSTS (0 local metres, 1 plane coordinates)
//    24 \r\n         zoom step 0..40
//    4 \r\n          scale, picture units per metre
//    0 \r\n  0 \r\n  two reserve values
//    35.5 \r\n 139.5 \r\n 0 \r\n 10 \r\n 10 \r\n   latitude, longitude, antenna height, mask, reserve
//    6 \r\n          N buildings, then N lines "start,count,height" e.g. 0,7,26.4
//    37 \r\n         M points, then M lines "x,y" e.g. 15.6,-18.9 (metres east, north)
// GPS record file: one line per position "hh:mm:ss,x,y" (x, y metres east and north).

#include <cstddef>
#include <cstdint>
#include <optional>

#include "site/TopAreaModel.h"

#include <string>
#include <vector>

struct SettingData {
    float latitude = 0.0f;
    float longitude = 0.0f;
    float antennaHeight = 0.0f;
    float elevationMask = 10.0f;
    int reserve = 10;
};

struct TopAreaRecord {
    int start = 0;
    int count = 0;
    float height = 0.0f;
};

// A site point in metres east and north.
using SitePoint = TopAreaPoint;

// Roof heights in metres above the ground that a project may hold (0 up to this); the height
// dialog keeps to it so that every saved project opens again.
constexpr double kMaxRoofHeight = 500.0;
// What the height dialogs show when a typed height is refused.
inline constexpr const char* kRoofHeightRefusedMessage = "入力値が範囲外です";
// The height a height dialog's text gives: its leading number when there is one and it lies in
// 0 .. kMaxRoofHeight; nullopt otherwise (the dialog refuses it and changes nothing).
std::optional<float> RoofHeightOfText(const std::string& text);

struct ProjectData {
    int fixDataSTS = 0;
    int mapScaleIndex = 20;
    float mapScaleRate = 2.0f;
    int reserve1 = 0;
    float reserve2 = 0.0f;
    float latitude = 0.0f;
    float longitude = 0.0f;
    float antennaHeight = 0.0f;
    float elevationMask = 10.0f;
    int settingReserve = 10;
    std::vector<TopAreaRecord> areas;
    std::vector<SitePoint> points;
};

// Why a file was refused, a Japanese text for the message shown to the user (empty when it was
// read); `cannotRead` when the file could not be opened or read to its end (not a broken file).
struct FileError {
    std::string reason;
    bool cannotRead = false;
};

// The readers below take a file one line at a time through a bounded line reader and stop at the
// first line that cannot belong, so that a wrong file is refused after its first lines.
//
// The longest line these files hold as the program writes them: a number line is at most 16
// characters (a blank, a sign, seven digits, the point, an exponent "E-45", a blank), a building
// line 16 ("2001,2001,500.0"), a point line 23 (two coordinates of 11, "-10000000.0"), a GPS
// record line 32 ("hh:mm:ss" and two such coordinates). Lines of up to 512 characters are taken,
// so that a number typed by hand with many digits still reads; a longer line refuses the file
// (a GPS record passes over one after its record lines, see ParseGpsRecordText).
inline constexpr std::size_t kMaxSiteFileLineLength = 512;
// The largest settings file: its five number lines, each at the longest line allowed with CR LF.
// (Blank lines between values are skipped; they take room the values' lines leave.)
inline constexpr std::uintmax_t kMaxSettingFileSize = 5 * (kMaxSiteFileLineLength + 2);
// The largest project file: the ten number lines of the conditions, the building count, 501
// building lines, the point count and 2001 point lines, each at the longest line allowed.
inline constexpr std::uintmax_t kMaxProjectFileSize =
    (10 + 1 + kMaxTopAreas + 1 + kMaxTopPoints) * (kMaxSiteFileLineLength + 2);

std::string WriteSettingText(const SettingData& data);
// The whole file or nothing: a short file, a value that is no number or out of range
// (latitude 0..90, longitude 0..180, antenna 0..100, mask 0..30), or a line longer than
// kMaxSiteFileLineLength refuses it. What follows the fifth value is not read.
std::optional<SettingData> ParseSettingText(const std::string& text, FileError* error = nullptr);
// Reads the settings file at `path` as ParseSettingText reads a text; a file larger than
// kMaxSettingFileSize is refused by its size unread (a pipe or device once more was read).
std::optional<SettingData> ReadSettingFile(const std::string& path, FileError* error = nullptr);

std::string WriteProjectText(const ProjectData& data);
// Refuses a file that ends early, holds text where a number belongs, more than 501 buildings or
// 2001 points, building runs that are not contiguous within the point total, conditions out
// of the ranges of their controls (zoom step 0..40, latitude 0..90, longitude 0..180, antenna
// 0..100, mask 0..30), or a line longer than kMaxSiteFileLineLength; it stops at the first such
// line. What follows the last point line is not read. The reason is a Japanese text for the user.
std::optional<ProjectData> ParseProjectText(const std::string& text, FileError* error = nullptr);
// Reads the project file at `path` as ParseProjectText reads a text; a file larger than
// kMaxProjectFileSize is refused by its size unread (a pipe or device once more was read).
std::optional<ProjectData> ReadProjectFile(const std::string& path, FileError* error = nullptr);

// The built-in sample site: six buildings, 37 points, zoom step 24, scale 4, 35.5 N 139.5 E.
ProjectData SampleProject();

// At most this many GPS record points are read; further lines are not read.
inline constexpr int kMaxGpsRecordPoints = 4001;
// Reads the x and y fields of a GPS record, one line "hh:mm:ss,x,y" a position (the time is not
// used), up to its 4001st point. A line that gives no point is skipped: a line of another form
// (blank, other than three fields, x or y no number), a last line without its line end (cut
// short as it was written), a record line whose position lies off any site (beyond 10^7 m), and,
// after a record line, a line longer than kMaxSiteFileLineLength (the zero bytes a power cut
// leaves at a record's end, a binary run), which counts as the longest lines it would fill.
// At most 4001 lines are skipped: a record longer than 4001 points is valid, so the reading, not
// the file, is bounded; a long line that runs on beyond the lines left is not read further, and
// the points read stay. A file in which the lines read hold no record line at all is refused
// (nullopt with the reason), as is one whose first line too long comes before any record line;
// a record whose record lines all lie off any site gives no points.
std::optional<std::vector<SitePoint>> ParseGpsRecordText(const std::string& text, FileError* error = nullptr);
// Reads the GPS record file at `path` as ParseGpsRecordText reads a text.
std::optional<std::vector<SitePoint>> ReadGpsRecordFile(const std::string& path, FileError* error = nullptr);

// Centre of the bounding box of the points, (0, 0) for none.
SitePoint BoundingBoxCentre(const std::vector<SitePoint>& points);

// The project as the program-wide state holds it now (building model, view, conditions).
ProjectData CaptureProject();
// Puts a checked project into the program-wide state (building model, zoom step and scale,
// conditions). The closed flags, which the file does not hold, are left as they are. A project
// whose building runs the building model refuses (ReplaceTopAreaModel) changes nothing and gives
// that refusal.
TopAreaEdit ApplyProject(const ProjectData& data);

// The file's type: the text after the last point of the file name (not of the folders above it);
// empty when the name has no point.
std::string FileSuffix(const std::string& path);
// The file name: the last piece of the path after "/" or "\".
std::string FileNameOfPath(const std::string& path);
