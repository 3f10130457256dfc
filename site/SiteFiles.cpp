#include "SiteFiles.h"

#include <cmath>
#include <limits>

#include "site/MapView.h"
#include "site/TopAreaModel.h"
#include "orbit/ObservationConditions.h"
#include "orbit/TextHelpers.h"
#include "platform/NumberText.h"
#include "platform/TextLines.h"
#include "platform/ValueLines.h"

using platform::FormatFixed;
using platform::NumberLine;
using platform::Precision;

namespace {

// The site files cut their comma lines so that every "," makes a field.
std::optional<std::vector<std::string>> CommaFields(std::string_view line, std::size_t most)
{
    std::vector<std::string> pieces = orbit::SplitStringData(line, ",", most);
    if (pieces.size() > most) {
        return std::nullopt;
    }
    return pieces;
}

// The values of a settings or project file; blank lines between values are passed over.
platform::ValueLineReader SiteValues(platform::TextLineReader& lines)
{
    return platform::ValueLineReader(lines, CommaFields, platform::ValueLineReader::BlankLines::Skipped);
}

// True when the value survives the file's single precision (a larger one would not convert).
bool FitsSingle(double value)
{
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

// Fields of a GPS record line: time, x, y.
constexpr std::size_t kGpsRecordFields = 3;

// Site coordinates in metres, east and north: wide enough for plane rectangular coordinates.
constexpr double kMaxSiteCoordinate = 1.0e7;

bool IsSiteCoordinate(double value) { return std::isfinite(value) && std::fabs(value) <= kMaxSiteCoordinate; }

// Sets the reason (when asked for) and gives nullopt.
std::nullopt_t Refuse(std::string* reason, std::string text)
{
    if (reason != nullptr) *reason = std::move(text);
    return std::nullopt;
}

// Reads a text with `parse` (which reads from a TextLineReader and names its refusal).
template <typename Parse>
auto ParseTextWith(const std::string& text, FileError* error, Parse parse)
    -> decltype(parse(std::declval<platform::TextLineReader&>(), nullptr))
{
    platform::TextLineReader lines(std::string_view(text), kMaxSiteFileLineLength);
    std::string reason;
    auto data = parse(lines, &reason);
    if (!data && error != nullptr) error->reason = reason;
    return data;
}

// Reads a file with `parse` within the site files' limits: a file that cannot be opened, one
// larger than `maxBytes` and a read error are named too.
template <typename Parse>
auto ReadFileWith(const std::string& path, std::uintmax_t maxBytes, FileError* error, Parse parse)
    -> decltype(parse(std::declval<platform::TextLineReader&>(), nullptr))
{
    // Small chunks: a wrong file costs no more than one; a valid one takes a few reads.
    auto read = platform::ReadLineFile(path, {.maxLineLength = kMaxSiteFileLineLength, .chunkSize = 4096, .maxBytes = maxBytes},
                                       parse);
    if (error != nullptr) {
        using platform::LineFileEnd;
        error->cannotRead = read.end == LineFileEnd::CannotOpen || read.end == LineFileEnd::ReadError;
        error->reason = read.end == LineFileEnd::CannotOpen ? "ファイルを開けません。" : read.reason;
    }
    return std::move(read.data);
}

}  // namespace

std::string WriteSettingText(const SettingData& data)
{
    return NumberLine(data.latitude, Precision::Single) + NumberLine(data.longitude, Precision::Single) +
           NumberLine(data.antennaHeight, Precision::Single) + NumberLine(data.elevationMask, Precision::Single) +
           NumberLine(data.reserve, Precision::Single);
}

namespace {

std::optional<SettingData> ParseSettingLines(platform::TextLineReader& lines, std::string* reason)
{
    platform::ValueLineReader reader = SiteValues(lines);
    double lat = 0, lon = 0, antenna = 0, mask = 0;
    int reserve = 0;
    if (!reader.number(lat) || !reader.number(lon) || !reader.number(antenna) || !reader.number(mask) ||
        !reader.integer(reserve, -32768, 32767)) {
        return reader.refuse(reason, "値が足りないか、数値でない値があります。");
    }
    if (lat < 0 || lat > 90 || lon < 0 || lon > 180 || antenna < 0 || antenna > 100 || mask < 0 || mask > 30) {
        return reader.refuse(reason, "範囲外の値があります。");
    }
    SettingData data;
    data.latitude = static_cast<float>(lat);
    data.longitude = static_cast<float>(lon);
    data.antennaHeight = static_cast<float>(antenna);
    data.elevationMask = static_cast<float>(mask);
    data.reserve = reserve;
    return data;
}

}  // namespace

std::optional<SettingData> ParseSettingText(const std::string& text, FileError* error)
{
    return ParseTextWith(text, error, ParseSettingLines);
}

std::optional<SettingData> ReadSettingFile(const std::string& path, FileError* error)
{
    return ReadFileWith(path, kMaxSettingFileSize, error, ParseSettingLines);
}

std::string WriteProjectText(const ProjectData& data)
{
    std::string out;
    out += NumberLine(data.fixDataSTS, Precision::Single);
    out += NumberLine(data.mapScaleIndex, Precision::Single);
    out += NumberLine(data.mapScaleRate, Precision::Single);
    out += NumberLine(data.reserve1, Precision::Single);
    out += NumberLine(data.reserve2, Precision::Single);
    out += NumberLine(data.latitude, Precision::Single);
    out += NumberLine(data.longitude, Precision::Single);
    out += NumberLine(data.antennaHeight, Precision::Single);
    out += NumberLine(data.elevationMask, Precision::Single);
    out += NumberLine(data.settingReserve, Precision::Single);
    out += NumberLine(static_cast<double>(data.areas.size()), Precision::Single);
    for (const TopAreaRecord& area : data.areas) {
        out += std::to_string(area.start) + "," + std::to_string(area.count) + "," + FormatFixed(area.height, "###0.0") +
               "\r\n";
    }
    out += NumberLine(static_cast<double>(data.points.size()), Precision::Single);
    for (const SitePoint& p : data.points) {
        out += FormatFixed(p.x, "#####0.0") + "," + FormatFixed(p.y, "#####0.0") + "\r\n";
    }
    return out;
}

namespace {

std::optional<ProjectData> ParseProjectLines(platform::TextLineReader& lines, std::string* reason)
{
    platform::ValueLineReader reader = SiteValues(lines);
    ProjectData data;
    double scale = 0, reserve2 = 0, lat = 0, lon = 0, antenna = 0, mask = 0;
    if (!reader.integer(data.fixDataSTS, 0, 1) || !reader.integer(data.mapScaleIndex, -32768, 32767) ||
        !reader.number(scale) || !reader.integer(data.reserve1, -2147483647, 2147483647) || !reader.number(reserve2) ||
        !reader.number(lat) || !reader.number(lon) || !reader.number(antenna) || !reader.number(mask) ||
        !reader.integer(data.settingReserve, -32768, 32767)) {
        return reader.refuse(reason, "先頭の設定値が足りないか、数値ではありません。");
    }
    if (scale <= 0) {
        return reader.refuse(reason, "縮尺が正の値ではありません。");
    }
    if (!FitsSingle(scale) || !FitsSingle(reserve2)) {
        return reader.refuse(reason, "単精度に収まらない設定値があります。");
    }
    // The same ranges as the condition boxes check, so that a loaded project shows in them as is.
    if (data.mapScaleIndex < 0 || data.mapScaleIndex >= kMapScaleSteps || lat < 0 || lat > 90 || lon < 0 ||
        lon > 180 || antenna < 0 || antenna > 100 || mask < 0 || mask > 30) {
        return reader.refuse(reason, "範囲外の設定値があります。");
    }
    data.mapScaleRate = static_cast<float>(scale);
    data.reserve2 = static_cast<float>(reserve2);
    data.latitude = static_cast<float>(lat);
    data.longitude = static_cast<float>(lon);
    data.antennaHeight = static_cast<float>(antenna);
    data.elevationMask = static_cast<float>(mask);

    int areaCount = 0;
    if (!reader.integer(areaCount, 0, kMaxTopAreas)) {
        return reader.refuse(reason, "建物数がないか、501 を超えています。");
    }
    std::vector<double> f;
    for (int i = 0; i < areaCount; ++i) {
        // Start and count are point numbers: checked to lie within the point table before
        // they become integers.
        if (!reader.fields(f, 3, 3) || f[0] != std::floor(f[0]) || f[1] != std::floor(f[1]) || f[0] < 0 ||
            f[0] > kMaxTopPoints || f[1] < 0 || f[1] > kMaxTopPoints) {
            return reader.refuse(reason, "建物の行が足りないか、壊れています。");
        }
        if (!std::isfinite(f[2]) || f[2] < 0 || f[2] > kMaxRoofHeight) {
            return reader.refuse(reason, "建物の高さが 0～500 m の範囲にありません。");
        }
        data.areas.push_back({static_cast<int>(f[0]), static_cast<int>(f[1]), static_cast<float>(f[2])});
    }
    int pointCount = 0;
    if (!reader.integer(pointCount, 0, kMaxTopPoints)) {
        return reader.refuse(reason, "頂点数がないか、2001 を超えています。");
    }
    for (int j = 0; j < pointCount; ++j) {
        if (!reader.fields(f, 2, 2)) {
            return reader.refuse(reason, "頂点の行が足りないか、壊れています。");
        }
        if (!IsSiteCoordinate(f[0]) || !IsSiteCoordinate(f[1])) {
            return reader.refuse(reason, "頂点の座標が範囲外です。");
        }
        data.points.push_back({static_cast<float>(f[0]), static_cast<float>(f[1])});
    }
    // Runs must follow each other from point 0 and end at the point total, so that the editing
    // operations can rely on them.
    int expectedStart = 0;
    for (const TopAreaRecord& area : data.areas) {
        if (area.start != expectedStart || area.count < 0 || area.start + area.count > pointCount) {
            return reader.refuse(reason, "建物の頂点が頂点の範囲外にあります。");
        }
        expectedStart += area.count;
    }
    if (expectedStart != pointCount) {
        return reader.refuse(reason, "建物が使わない頂点があります。");
    }
    return data;
}

}  // namespace

std::optional<ProjectData> ParseProjectText(const std::string& text, FileError* error)
{
    return ParseTextWith(text, error, ParseProjectLines);
}

std::optional<ProjectData> ReadProjectFile(const std::string& path, FileError* error)
{
    return ReadFileWith(path, kMaxProjectFileSize, error, ParseProjectLines);
}

ProjectData SampleProject()
{
    ProjectData data;
    data.fixDataSTS = 0;
    data.mapScaleIndex = 24;
    data.mapScaleRate = 4.0f;
    data.latitude = 35.5f;
    data.longitude = 139.5f;
    data.antennaHeight = 0.0f;
    data.elevationMask = 10.0f;
    data.settingReserve = 0;
    data.areas = {{0, 7, 26.4f}, {7, 5, 27.3f}, {12, 6, 23.3f}, {18, 7, 27.2f}, {25, 5, 26.9f}, {30, 7, 27.0f}};
    data.points = {
        {15.6f, -18.9f},  {14.6f, -29.7f},  {34.3f, -31.4f},  {34.7f, -26.8f},  {37.4f, -26.6f},  {38.0f, -21.0f},
        {15.6f, -18.9f},  {16.5f, -7.1f},   {15.8f, -18.1f},  {36.5f, -20.1f},  {37.7f, -8.5f},   {16.5f, -7.1f},
        {12.7f, 28.2f},   {18.2f, 20.7f},   {35.3f, 19.9f},   {39.9f, 55.0f},   {15.6f, 57.3f},   {12.7f, 28.2f},
        {-31.6f, 43.3f},  {-31.8f, 39.6f},  {-27.1f, 39.3f},  {-28.4f, 23.4f},  {-22.1f, 23.1f},  {-21.2f, 43.3f},
        {-31.6f, 43.3f},  {-38.9f, 38.0f},  {-39.6f, 24.0f},  {-29.6f, 23.4f},  {-28.8f, 37.3f},  {-38.9f, 38.0f},
        {-45.1f, -22.2f}, {-26.7f, -23.5f}, {-25.7f, -11.3f}, {-15.6f, -12.1f}, {-17.5f, -36.9f}, {-46.2f, -34.8f},
        {-45.1f, -22.2f},
    };
    return data;
}

namespace {

// Room a line without a point takes at most when it is no longer than the lines read: the longest
// line and its CR LF.
constexpr std::uintmax_t kLineRoom = kMaxSiteFileLineLength + 2;

std::optional<std::vector<SitePoint>> ParseGpsRecordLines(platform::TextLineReader& lines, std::string* reason)
{
    std::vector<SitePoint> points;
    bool recordLines = false;
    int linesWithoutPoint = 0;
    while (static_cast<int>(points.size()) < kMaxGpsRecordPoints && linesWithoutPoint < kMaxGpsRecordPoints) {
        const auto line = lines.next();
        if (!line) {
            // A line too long to be a record line after record lines is a stretch the record
            // lost: the zero bytes a power cut leaves at its end, a binary run. It gives no point
            // and counts as the longest lines it would fill, so that the bytes read without a
            // point stay within what 4001 lines without a point take; one that runs on beyond
            // them is not read further, and the points read stay. Before any record line, a line
            // too long (a picture, an archive) refuses the file at once.
            if (recordLines && lines.tooLong()) {
                const std::uintmax_t room = static_cast<std::uintmax_t>(kMaxGpsRecordPoints - linesWithoutPoint) * kLineRoom;
                const auto length = lines.passOverLongLine(room - 2);
                if (!length) {
                    return points;
                }
                linesWithoutPoint += static_cast<int>((*length + 2 + kLineRoom - 1) / kLineRoom);
                continue;
            }
            break;
        }
        // The receiver window ends every line it writes: a last line without its end is what a
        // write cut short leaves, and a number cut short would be a wrong point.
        const auto fields = orbit::SplitStringData(*line, ",", kGpsRecordFields);
        const bool recordLine = lines.lineEnded() && fields.size() == kGpsRecordFields &&
                                platform::IsNumberText(fields[1]) && platform::IsNumberText(fields[2]);
        // A record line whose position lies off any site (or is no finite number) is skipped,
        // as a line of another form is.
        const double x = recordLine ? platform::NumericValue(fields[1]) : 0.0;
        const double y = recordLine ? platform::NumericValue(fields[2]) : 0.0;
        recordLines = recordLines || recordLine;
        if (!recordLine || !IsSiteCoordinate(x) || !IsSiteCoordinate(y)) {
            ++linesWithoutPoint;
            continue;
        }
        points.push_back({static_cast<float>(x), static_cast<float>(y)});
    }
    if (!lines.stopReason().empty()) {
        return Refuse(reason, lines.stopReason());
    }
    if (!recordLines) {
        return Refuse(reason, "読んだ " + std::to_string(lines.lineNumber()) + " 行に「時刻,東,北」の記録の行がありません。");
    }
    return points;
}

}  // namespace

std::optional<std::vector<SitePoint>> ParseGpsRecordText(const std::string& text, FileError* error)
{
    return ParseTextWith(text, error, ParseGpsRecordLines);
}

std::optional<std::vector<SitePoint>> ReadGpsRecordFile(const std::string& path, FileError* error)
{
    // A record longer than its first 4001 points is valid (the rest is not read), so it has no
    // size limit; what is read is bounded by the points and the lines without a point.
    return ReadFileWith(path, platform::TextLineReader::kNoByteLimit, error, ParseGpsRecordLines);
}

SitePoint BoundingBoxCentre(const std::vector<SitePoint>& points)
{
    if (points.empty()) {
        return {};
    }
    float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const SitePoint& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return {(minX + maxX) / 2.0f, (minY + maxY) / 2.0f};
}

ProjectData CaptureProject()
{
    ProjectData data;
    data.fixDataSTS = gFixDataSTS;
    data.mapScaleIndex = gMapScaleIndex;
    data.mapScaleRate = gMapScaleRate;
    data.latitude = gLatitude;
    data.longitude = gLongitude;
    data.antennaHeight = gAntennaHeight;
    data.elevationMask = gElevationMask;
    data.settingReserve = 10;
    for (int i = 0; i < gEachTopAreaNumber && i < kMaxTopAreas; ++i) {
        data.areas.push_back({gEachTopAreaStartNum[i], gEachTopAreaPointNum[i], gFlatTopHeight[i]});
    }
    for (int j = 0; j < gTopAreaPointTotalNumber && j < kMaxTopPoints; ++j) {
        data.points.push_back({gNorthTopAreaX[j], gNorthTopAreaY[j]});
    }
    return data;
}

TopAreaEdit ApplyProject(const ProjectData& data)
{
    std::vector<TopAreaRun> runs;
    for (std::size_t i = 0; i < data.areas.size(); ++i) {
        const TopAreaRecord& area = data.areas[i];
        const int closed = i < gEachClosedTopAreaSTS.size() ? gEachClosedTopAreaSTS[i] : 1;
        runs.push_back({area.start, area.count, closed, area.height});
    }
    // The buildings are checked before anything changes, so that a refused project leaves the
    // conditions and the view as they were too.
    if (const TopAreaEdit refused = ReplaceTopAreaModel(runs, data.points); refused != TopAreaEdit::Done) {
        return refused;
    }
    SetFixDataSTS(data.fixDataSTS);
    SetMapScaleIndexAndRate(data.mapScaleIndex, data.mapScaleRate);
    SetLatitude(data.latitude);
    SetLongitude(data.longitude);
    SetAntennaHeight(data.antennaHeight);
    SetElevationMask(data.elevationMask);
    return TopAreaEdit::Done;
}

std::string FileNameOfPath(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileSuffix(const std::string& path)
{
    const std::string name = FileNameOfPath(path);
    const auto point = name.find_last_of('.');
    return point == std::string::npos ? std::string() : name.substr(point + 1);
}

std::optional<float> RoofHeightOfText(const std::string& text)
{
    const double height = platform::NumericValue(text);
    if (!platform::HasLeadingNumber(text) || !(height >= 0.0 && height <= kMaxRoofHeight)) return std::nullopt;
    return static_cast<float>(height);
}
