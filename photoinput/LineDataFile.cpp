#include "LineDataFile.h"

#include <cmath>

#include <QSaveFile>
#include <QString>

#include "photoinput/Calibration.h"
#include "photoinput/SplitLineData.h"
#include "platform/NumberText.h"
#include "platform/TextLines.h"
#include "platform/ValueLines.h"
#include "site/RunState.h"

using platform::FormatFixed;
using platform::PlainText;
using platform::Precision;

namespace {

std::string Whole(double v) { return FormatFixed(v, "##0"); }
std::string OneDecimal(double v) { return FormatFixed(v, "###0.0"); }
std::string Plain(double v) { return PlainText(v, Precision::Single); }

// The building-data files cut their comma lines with the building input's splitter.
std::optional<std::vector<std::string>> LineDataFields(std::string_view line, std::size_t most)
{
    const auto last = SplitLineData(line, ",");
    if (!last || static_cast<std::size_t>(*last + 1) > most) return std::nullopt;
    return std::vector<std::string>(gSplitText.begin(), gSplitText.begin() + (*last + 1));
}

// Values are checked as they are stored, in single precision: a value that passes in double
// precision but is stored at a limit (a tilt of 89.99999999 kept as 90) would be written by the
// program's own save and refused when read again.
float Stored(double v) { return static_cast<float>(v); }

bool IsWhole(double v) { return v == std::floor(v); }
bool IsCoordinate(double v) { return std::fabs(Stored(v)) <= kMaxPhotoCoordinate; }

void AddLine(std::string& out, const std::string& text) { out += text + "\r\n"; }

// The lines from the point count on: points, roofs and wall edges with their counts.
std::string WriteModelLines(const LineData& data)
{
    std::string out;
    auto line = [&out](const std::string& text) { AddLine(out, text); };
    line(Plain(static_cast<double>(data.points.size())));
    for (const PhotoPoint& p : data.points) line(OneDecimal(p.x) + "," + OneDecimal(p.y));
    line(Plain(static_cast<double>(data.roofs.size())));
    for (const LineRoof& r : data.roofs) {
        line(OneDecimal(r.start) + "," + OneDecimal(r.count) + "," + OneDecimal(r.closed) + "," + OneDecimal(r.height));
    }
    line(Plain(static_cast<double>(data.walls.size())));
    for (const LineWallEdge& w : data.walls) {
        line(OneDecimal(w.top.x) + "," + OneDecimal(w.top.y) + "," + OneDecimal(w.foot.x) + "," +
             OneDecimal(w.foot.y) + "," + OneDecimal(w.owner));
    }
    return out;
}

// The closing block of the demonstration files: the plan scale, N again and the N plan points.
std::string WritePlanLines(const LineData& data, float flatMapRate)
{
    std::string out;
    AddLine(out, Plain(flatMapRate));
    AddLine(out, Plain(static_cast<double>(data.points.size())));
    const bool withPlan = data.planPoints.size() == data.points.size();
    for (std::size_t i = 0; i < data.points.size(); ++i) {
        const PhotoPoint p = withPlan ? data.planPoints[i] : PhotoPoint{};
        AddLine(out, OneDecimal(p.x) + "," + OneDecimal(p.y));
    }
    return out;
}

std::string WriteLines(const LineData& data, bool plainSurface)
{
    std::string out;
    AddLine(out, Whole(data.northAngle));
    auto place = [plainSurface](int v) { return plainSurface ? Plain(v) : Whole(v); };
    AddLine(out, Plain(data.surface.height) + "," + Plain(data.surface.width) + "," + place(data.surface.top) + "," +
                     place(data.surface.left));
    AddLine(out, Plain(data.sourceHeight) + "," + Plain(data.flatHeight) + "," + Plain(data.slideHeight) + "," +
                     Plain(data.slideAngle));
    return out + WriteModelLines(data);
}

}  // namespace

std::string WriteLineDataText(const LineData& data) { return WriteLines(data, false); }

std::string WriteDemoLineDataText(const LineData& data, float flatMapRate)
{
    return WriteLines(data, true) + WritePlanLines(data, flatMapRate);
}

std::string WriteSampleLineDataText(const LineData& data, const PictureScaleAndPlace& picture, float flatMapRate)
{
    std::string out;
    AddLine(out, Whole(data.northAngle));
    AddLine(out, Plain(-std::fabs(picture.scaleHeight)) + "," + Plain(-std::fabs(picture.scaleWidth / 2)) + "," +
                     Plain(std::fabs(picture.scaleHeight / 2)));
    AddLine(out, Plain(picture.top) + "," + Plain(picture.left));
    AddLine(out, Plain(data.flatHeight) + "," + Plain(data.slideHeight) + "," + Plain(data.slideAngle));
    return out + WriteModelLines(data) + WritePlanLines(data, flatMapRate);
}

bool WriteWholeFile(const std::string& path, const std::string& text, std::string* error)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        if (error) *error = "ファイルに書き込めませんでした。\n" + file.errorString().toStdString();
        return false;
    }
    return true;
}

namespace {

// Reads and checks the lines of `lines`; a blank line where a value belongs refuses the file.
std::optional<LineData> ParseLineData(platform::TextLineReader& lines, std::string* reason)
{
    platform::ValueLineReader reader(lines, LineDataFields, platform::ValueLineReader::BlankLines::Refused);
    LineData data;
    std::vector<double> f;

    double north = 0;
    if (!reader.number(north)) return reader.refuse(reason, "1行目の方向角がないか、数値ではありません。");
    data.northAngle = Stored(north);
    if (data.northAngle < 0 || data.northAngle > 360) return reader.refuse(reason, "方向角が 0～360 度の範囲にありません。");

    if (!reader.fields(f, 4, 4)) return reader.refuse(reason, "2行目の画像の大きさと位置が壊れています。");
    if (!(Stored(f[0]) > 0) || !(Stored(f[1]) > 0) || !IsCoordinate(f[0]) || !IsCoordinate(f[1]) || !IsCoordinate(f[2]) ||
        !IsCoordinate(f[3])) {
        return reader.refuse(reason, "2行目の画像の大きさか位置が範囲外です。");
    }
    data.surface = {Stored(f[0]), Stored(f[1]),
                    static_cast<int>(platform::RoundHalfEven(f[2])), static_cast<int>(platform::RoundHalfEven(f[3]))};

    if (!reader.fields(f, 4, 4)) return reader.refuse(reason, "3行目の高度と傾斜角が壊れています。");
    data.sourceHeight = Stored(f[0]);
    data.flatHeight = Stored(f[1]);
    data.slideHeight = Stored(f[2]);
    data.slideAngle = Stored(f[3]);
    if (!AltitudeBoxAccepts(data.sourceHeight) || !AltitudeBoxAccepts(data.slideHeight)) {
        return reader.refuse(reason, "3行目の画像高度が 0～1500 の範囲にありません。");
    }
    if (data.flatHeight < 0 || data.flatHeight > kMaxCameraRange || data.slideAngle < 0 || data.slideAngle >= 90) {
        return reader.refuse(reason, "3行目のカメラ距離か傾斜角が範囲外です。");
    }

    int pointCount = 0;
    if (!reader.integer(pointCount, 0, kMaxTopPoints)) return reader.refuse(reason, "頂点数がないか、2001 を超えています。");
    bool withPlan = false;
    for (int i = 0; i < pointCount; ++i) {
        if (!reader.fields(f, 2, 4) || f.size() == 3) return reader.refuse(reason, "頂点の行が足りないか、壊れています。");
        if (i == 0) withPlan = f.size() == 4;
        if (withPlan != (f.size() == 4)) return reader.refuse(reason, "頂点の行の項目数がそろっていません。");
        for (double v : f) {
            if (!IsCoordinate(v)) return reader.refuse(reason, "頂点の座標が範囲外です。");
        }
        data.points.push_back({Stored(f[0]), Stored(f[1])});
        if (withPlan) data.planPoints.push_back({Stored(f[2]), Stored(f[3])});
    }

    int roofCount = 0;
    if (!reader.integer(roofCount, 0, kMaxTopAreas)) return reader.refuse(reason, "屋根の数がないか、501 を超えています。");
    int runStart = 0;
    for (int j = 0; j < roofCount; ++j) {
        if (!reader.fields(f, 4, 4)) return reader.refuse(reason, "屋根の行が足りないか、壊れています。");
        if (!IsWhole(f[0]) || !IsWhole(f[1]) || !(f[2] == 0 || f[2] == 1)) {
            return reader.refuse(reason, "屋根の開始番号、点数または閉合の値が整数ではありません。");
        }
        if (f[0] != runStart || f[1] < 1 || runStart + f[1] > pointCount) {
            return reader.refuse(reason, "屋根の頂点の並びが連続していないか、頂点数を超えています。");
        }
        if (std::fabs(Stored(f[3])) > kMaxBuildingHeight) return reader.refuse(reason, "屋根の高さが範囲外です。");
        data.roofs.push_back({runStart, static_cast<int>(f[1]), static_cast<int>(f[2]), Stored(f[3])});
        runStart += static_cast<int>(f[1]);
    }
    if (runStart != pointCount) return reader.refuse(reason, "屋根の頂点の合計が頂点数と一致しません。");

    int wallCount = 0;
    if (!reader.integer(wallCount, 0, kMaxWallEdges)) return reader.refuse(reason, "壁線の数がないか、801 を超えています。");
    for (int k = 0; k < wallCount; ++k) {
        if (!reader.fields(f, 5, 5)) return reader.refuse(reason, "壁線の行が足りないか、壊れています。");
        for (int i = 0; i < 4; ++i) {
            if (!IsCoordinate(f[i])) return reader.refuse(reason, "壁線の座標が範囲外です。");
        }
        if (!IsWhole(f[4]) || f[4] < 0 || f[4] >= roofCount) return reader.refuse(reason, "壁線の屋根番号がありません。");
        data.walls.push_back({{Stored(f[0]), Stored(f[1])},
                              {Stored(f[2]), Stored(f[3])},
                              static_cast<int>(f[4])});
    }
    if (!reader.onlyBlankLinesLeft()) return reader.refuse(reason, "壁線の後に余分な行があります。");
    return data;
}

}  // namespace

std::optional<LineData> ParseLineDataText(const std::string& text, std::string* reason)
{
    platform::TextLineReader lines(std::string_view(text), kMaxLineDataLineLength);
    return ParseLineData(lines, reason);
}

std::optional<LineData> ReadLineDataFile(const std::string& path, std::string* message, std::uintmax_t* bytesRead)
{
    // The byte limit also ends a pipe or a device that keeps sending blank lines.
    auto read = platform::ReadLineFile(path, {.maxLineLength = kMaxLineDataLineLength, .maxBytes = kMaxLineDataFileSize}, ParseLineData);
    if (bytesRead) *bytesRead = read.bytesRead;
    if (read.end == platform::LineFileEnd::CannotOpen) {
        if (message) *message = "ファイルを読み込めませんでした。\n" + path;
    } else if (!read.data && message) {
        *message = std::string(kBrokenDataMessage) + "\n" + read.reason;
    }
    return std::move(read.data);
}

LineData CaptureLineData(const PhotoSurfaceGeometry& surface)
{
    LineData data;
    data.northAngle = gNorthAngle;
    data.surface = surface;
    data.sourceHeight = gSourceHeight;
    data.flatHeight = gFlatHeight;
    data.slideHeight = gSlideHeight;
    data.slideAngle = gSlideAngle;
    for (int i = 0; i < gTopAreaPointTotalNumber && i < kMaxTopPoints; ++i) {
        data.points.push_back({gTopAreaX[i], gTopAreaY[i]});
        data.planPoints.push_back({gFlatTopAreaX[i], gFlatTopAreaY[i]});
    }
    for (int j = 0; j < gEachTopAreaNumber && j < kMaxTopAreas; ++j) {
        data.roofs.push_back({gEachTopAreaStartNum[j], gEachTopAreaPointNum[j], gEachClosedTopAreaSTS[j], gFlatTopHeight[j]});
    }
    for (int k = 0; k < gWallEdgeNumber && k < kMaxWallEdges; ++k) {
        data.walls.push_back({{gFirstWallEdgeX[k], gFirstWallEdgeY[k]},
                              {gSecondWallEdgeX[k], gSecondWallEdgeY[k]},
                              gWallEdgefotEachTopArea[k]});
    }
    return data;
}

TopAreaEdit ApplyLineData(const LineData& data)
{
    if (const TopAreaEdit refused = ReplaceTopAreaModel(data.roofs, static_cast<int>(data.points.size()));
        refused != TopAreaEdit::Done) {
        return refused;
    }
    SetNorthAngle(data.northAngle);
    SetCameraValues(data.sourceHeight, data.flatHeight, data.slideHeight, data.slideAngle);
    const bool withPlan = data.planPoints.size() == data.points.size();
    for (std::size_t i = 0; i < data.points.size() && i < kMaxTopPoints; ++i) {
        gTopAreaX[i] = data.points[i].x;
        gTopAreaY[i] = data.points[i].y;
        gFlatTopAreaX[i] = withPlan ? data.planPoints[i].x : 0.0f;
        gFlatTopAreaY[i] = withPlan ? data.planPoints[i].y : 0.0f;
    }
    for (std::size_t k = 0; k < data.walls.size() && k < kMaxWallEdges; ++k) {
        gFirstWallEdgeX[k] = data.walls[k].top.x;
        gFirstWallEdgeY[k] = data.walls[k].top.y;
        gSecondWallEdgeX[k] = data.walls[k].foot.x;
        gSecondWallEdgeY[k] = data.walls[k].foot.y;
        gWallEdgefotEachTopArea[k] = data.walls[k].owner;
    }
    gWallEdgeNumber = static_cast<int>(std::min<std::size_t>(data.walls.size(), kMaxWallEdges));
    return TopAreaEdit::Done;
}

int BillDataStatusOf(const LineData& data) { return data.roofs.empty() ? 0 : -1; }

bool SaveLineDataFile(const std::string& path, const PhotoSurfaceGeometry& surface, std::string* error)
{
    const LineData data = CaptureLineData(surface);
    const std::string text = WriteLineDataText(data);
    // Every file written opens again: a model the reader would refuse is not written.
    std::string reason;
    if (!ParseLineDataText(text, &reason)) {
        if (error) *error = "このデータは建物データのファイルに保存できません。\n" + reason;
        return false;
    }
    if (!WriteWholeFile(path, text, error)) return false;
    SetBillDataSTS(BillDataStatusOf(data));
    return true;
}

bool SaveDemoLineDataFile(const std::string& path, const PhotoSurfaceGeometry& surface, float flatMapRate,
                          std::string* error)
{
    return WriteWholeFile(path, WriteDemoLineDataText(CaptureLineData(surface), flatMapRate), error);
}

bool LoadLineData(const LineData& data, bool pictureLoaded, std::string* message)
{
    // Checked before the model is emptied, so that a refusal leaves it as it was; the data then
    // go in whole.
    if (CheckTopAreaRuns(data.roofs, static_cast<int>(data.points.size())) != TopAreaEdit::Done) {
        if (message) *message = std::string(kBrokenDataMessage) + "\n" + kBrokenRunsReason;
        return false;
    }
    ResetAllDataBuildingData();
    ApplyLineData(data);
    if (!pictureLoaded) SetPhotoPictureWidth(data.surface.width);
    return true;
}

bool LoadLineDataFile(const std::string& path, bool pictureLoaded, std::string* message)
{
    const auto data = ReadLineDataFile(path, message);
    return data && LoadLineData(*data, pictureLoaded, message);
}
