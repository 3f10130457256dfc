#pragma once
// The building-data file of the building input (".dat" or ".txt"; also the working file
// Sample1/TempData1.dat). Comma-separated ASCII text, every line ending with CR LF:
//
//   0                          north angle, degrees clockwise from picture-up (whole number)
//   657,785,-13,1              picture surface Height, Width (plain), Top, Left (whole number)
//   589,160.1795,134,33.2212   plan eye altitude, camera range, oblique eye altitude, tilt (plain)
//   99                         N points (plain), then N lines "x,y" in photo coordinates:
//   83.0,116.0                   one decimal
//   7                          R roofs, then R lines "start,count,closed,height", one decimal:
//   0.0,16.0,1.0,15.0
//   7                          W wall edges, then W lines "x1,y1,x2,y2,roof", one decimal:
//   83.0,116.0,76.0,76.0,0.0     upper end, foot, owning roof
//
// Number forms: whole number "##0" ('46', '-13'); one decimal "###0.0" ('26.3', '-62.0');
// plain: at most seven significant digits, trailing zeros dropped ('589', '160.1795').
// Nothing follows the last wall-edge line; an empty model ends with '0', '0', '0'. Plan and
// north-up points are not stored. A point line may carry the plan point as fields 3 and 4.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "photoinput/PhotoModel.h"

// Size and position of the picture surface in its frame (line 2).
struct PhotoSurfaceGeometry {
    float height = 0.0f;
    float width = 0.0f;
    int top = 0;
    int left = 0;
};

// A roof's record: start, count, closed flag, height in metres.
using LineRoof = TopAreaRun;

struct LineWallEdge {
    PhotoPoint top;   // upper end, a vertex of the owning roof
    PhotoPoint foot;  // lower end on the ground
    int owner = 0;
};

// A whole photo model as a building-data file holds it.
struct LineData {
    float northAngle = 0.0f;
    PhotoSurfaceGeometry surface;
    float sourceHeight = 0.0f;
    float flatHeight = 0.0f;
    float slideHeight = 0.0f;
    float slideAngle = 0.0f;
    std::vector<PhotoPoint> points;      // photo coordinates
    std::vector<PhotoPoint> planPoints;  // empty (plan points 0), or one for every point
    std::vector<LineRoof> roofs;
    std::vector<LineWallEdge> walls;
};

// Limits of the values a file may hold (what the windows can produce, with room to spare). The
// two eye altitudes take the range of the window's altitude boxes (0..1500, AltitudeBoxAccepts),
// so that every file that opens shows its altitudes in the boxes and can be drawn as a plan.
inline constexpr double kMaxPhotoCoordinate = 100000.0;  // picture units
inline constexpr double kMaxCameraRange = 5000.0;        // camera range, metres
inline constexpr double kMaxBuildingHeight = 5000.0;     // |roof height|, metres

// The longest line a building-data file may hold (its lines are under 60 characters), and the
// size no valid file reaches: every line of the largest model at that length. A longer line or a
// larger file refuses the file before the rest of it is read.
inline constexpr std::size_t kMaxLineDataLineLength = 256;
inline constexpr std::uintmax_t kMaxLineDataFileSize =
    (3 + 1 + kMaxTopPoints + 1 + kMaxTopAreas + 1 + kMaxWallEdges) * (kMaxLineDataLineLength + 2);

// The caption of every refused building-data file; the reason follows on the next line.
inline constexpr const char* kBrokenDataMessage = "データが壊れています。";

std::string WriteLineDataText(const LineData& data);

// The demonstration data file of the developer button (data0/Daroreridide20.dat; nothing reads
// it): the building-data file with line 2 all in plain form, followed by the plan drawing scale
// (plain), N again (plain) and N lines of plan points "x,y" in metres (one decimal; 0 where the
// data carry no plan points).
std::string WriteDemoLineDataText(const LineData& data, float flatMapRate);

// The photo picture's coordinate system and its place in its frame, for the sample line-data
// file: its scale height and width (picture units) and the top and left that centre it.
struct PictureScaleAndPlace {
    double scaleHeight = 0.0;
    double scaleWidth = 0.0;
    double top = 0.0;
    double left = 0.0;
};

// The sample line-data file of the demonstration window's developer button
// (Sample1/LineData10.dat; nothing reads it). 9 + 2N + R + W lines:
//   0                          north angle (whole number)
//   -678,-394,339              -|scale height|, -|scale width / 2|, |scale height / 2| (plain)
//   -10.5,3                    top, left of the picture in its frame (plain)
//   126.9125,102,36.51477      camera range, oblique eye altitude, tilt (plain)
//   N, points, R, roofs, W, wall edges as in the building-data file, then the plan drawing
//   scale (plain), N again and N lines of plan points "x,y" (one decimal; 0 where the data
//   carry no plan points).
std::string WriteSampleLineDataText(const LineData& data, const PictureScaleAndPlace& picture, float flatMapRate);

// Writes `text` to `path`, the whole file or nothing: a failure leaves any earlier file as it
// was and gives false with a Japanese `error`.
bool WriteWholeFile(const std::string& path, const std::string& text, std::string* error = nullptr);

// Reads a building-data text line by line and checks everything: the lines the counts announce,
// counts within the limits (2001 points, 501 roofs, 801 wall edges), runs contiguous from point
// 0 and ending at the point count, owners of wall edges among the roofs, every number finite and
// in range as it is stored (single precision), lines of at most kMaxLineDataLineLength
// characters, nothing but blank lines after the last wall edge. It stops at the first line that
// cannot belong. On a refusal `reason` gets a Japanese text for the user.
std::optional<LineData> ParseLineDataText(const std::string& text, std::string* reason = nullptr);

// Reads and checks the file at `path` as ParseLineDataText does, one chunk at a time: a file
// larger than kMaxLineDataFileSize is refused by its size without being read (a pipe or device,
// which has no size, once more than that was read), any other wrong file at its first wrong line. On a refusal `message` gets the text to show (kBrokenDataMessage
// and the reason, or that the file cannot be read); `bytesRead` gets how much of the file was read.
std::optional<LineData> ReadLineDataFile(const std::string& path, std::string* message = nullptr,
                                         std::uintmax_t* bytesRead = nullptr);

// The photo model as it stands (plan points included), with the given surface geometry for
// line 2.
LineData CaptureLineData(const PhotoSurfaceGeometry& surface);

// Puts a checked model into the photo model: north angle, camera values, the counts and the
// entries up to them (plan points 0 unless the data carry them); entries past the new counts
// keep what they held. The picture width is the caller's business. Data whose runs break the
// building model's rules (ReplaceTopAreaModel) change nothing and give that refusal.
TopAreaEdit ApplyLineData(const LineData& data);

// The working-file flag a written model leaves: -1 (restore it at the next opening) when it
// holds at least one roof, else 0.
int BillDataStatusOf(const LineData& data);

// Writes the photo model (line 2 from `surface`) to `path`, the whole file or nothing: a failure
// leaves any earlier file as it was and gives false with a Japanese `error`. A model whose file
// the reader would refuse (a value beyond the file's limits, say a typed height) is not written:
// false, with the reader's reason in `error`. On success sets gBillDataSTS to BillDataStatusOf
// the written model.
bool SaveLineDataFile(const std::string& path, const PhotoSurfaceGeometry& surface, std::string* error = nullptr);

// Writes the demonstration data file (WriteDemoLineDataText of the photo model with line 2 from
// `surface`) to `path`, whole or not at all; false with a Japanese `error` on failure. Sets no flag.
bool SaveDemoLineDataFile(const std::string& path, const PhotoSurfaceGeometry& surface, float flatMapRate,
                          std::string* error = nullptr);

// Puts a model in place of the photo model: when its runs keep the building model's rules the
// photo model is emptied and filled from it (ApplyLineData), and when no picture is loaded the
// picture width becomes the surface width of line 2. Data that break the rules give false with
// the message to show and change nothing.
bool LoadLineData(const LineData& data, bool pictureLoaded, std::string* message = nullptr);

// Reads and checks the file at `path` (ReadLineDataFile) and puts the model in place
// (LoadLineData); only a good file changes anything. A broken file gives false with the message
// to show (kBrokenDataMessage and the reason, or that the file cannot be read) and changes nothing.
bool LoadLineDataFile(const std::string& path, bool pictureLoaded, std::string* message = nullptr);
