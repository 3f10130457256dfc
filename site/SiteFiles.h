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

// Why a file was refused, a Japanese text for the message shown to the user (empty when it was read).
struct FileError {
    std::string reason;
};

std::string WriteSettingText(const SettingData& data);
// The whole file or nothing: a short file, a value that is no number or out of range
// (latitude 0..90, longitude 0..180, antenna 0..100, mask 0..30) refuses it.
std::optional<SettingData> ParseSettingText(const std::string& text, FileError* error = nullptr);

std::string WriteProjectText(const ProjectData& data);
// Refuses a file that ends early, holds text where a number belongs, more than 501 buildings or
// 2001 points, building runs that are not contiguous within the point total, or conditions out
// of the ranges of their controls (zoom step 0..40, latitude 0..90, longitude 0..180, antenna
// 0..100, mask 0..30). The reason is a Japanese text for the user.
std::optional<ProjectData> ParseProjectText(const std::string& text, FileError* error = nullptr);

// The built-in sample site: six buildings, 37 points, zoom step 24, scale 4, 35.5 N 139.5 E.
ProjectData SampleProject();

// At most this many GPS record points are read; further lines are ignored.
inline constexpr int kMaxGpsRecordPoints = 4001;
// Reads the x and y fields of a GPS record file; blank lines and lines with fewer or more than
// three fields are skipped.
std::vector<SitePoint> ParseGpsRecordText(const std::string& text);

// Centre of the bounding box of the points, (0, 0) for none.
SitePoint BoundingBoxCentre(const std::vector<SitePoint>& points);

// The project as the program-wide state holds it now (building model, view, conditions).
ProjectData CaptureProject();
// Puts a checked project into the program-wide state (building model, zoom step and scale,
// conditions). The closed flags, which the file does not hold, are left as they are.
void ApplyProject(const ProjectData& data);

// The file's type: the text after the last point of the file name (not of the folders above it);
// empty when the name has no point.
std::string FileSuffix(const std::string& path);
// The file name: the last piece of the path after "/" or "\".
std::string FileNameOfPath(const std::string& path);
