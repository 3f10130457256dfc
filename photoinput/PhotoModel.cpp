#include "PhotoModel.h"

#include <algorithm>

std::array<float, kMaxTopPoints> gTopAreaX{};
std::array<float, kMaxTopPoints> gTopAreaY{};
std::array<float, kMaxTopPoints> gFlatTopAreaX{};
std::array<float, kMaxTopPoints> gFlatTopAreaY{};

int gWallEdgeNumber = 0;
std::array<float, kMaxWallEdges> gFirstWallEdgeX{};
std::array<float, kMaxWallEdges> gFirstWallEdgeY{};
std::array<float, kMaxWallEdges> gSecondWallEdgeX{};
std::array<float, kMaxWallEdges> gSecondWallEdgeY{};
std::array<int, kMaxWallEdges> gWallEdgefotEachTopArea{};

namespace {

float northAngle = 0.0f;
float sourceHeight = 0.0f;
float slideHeight = 0.0f;
float slideAngle = 0.0f;
float flatHeight = 0.0f;
float photoMeterRate = 0.0f;
float photoPictureWidth = 0.0f;
int flatDataSTS = 0;

}  // namespace

const float& gNorthAngle = northAngle;
const float& gSourceHeight = sourceHeight;
const float& gSlideHeight = slideHeight;
const float& gSlideAngle = slideAngle;
const float& gFlatHeight = flatHeight;
const float& gPhotoMeterRate = photoMeterRate;
const float& gPhotoPictureWidth = photoPictureWidth;
const int& gFlatDataSTS = flatDataSTS;

void SetNorthAngle(float degrees) { northAngle = degrees; }
void SetCameraValues(float source, float range, float slide, float tilt)
{
    sourceHeight = source;
    flatHeight = range;
    slideHeight = slide;
    slideAngle = tilt;
}
void SetPhotoMeterRate(float rate) { photoMeterRate = rate; }
void SetPhotoPictureWidth(float width) { photoPictureWidth = width; }
void SetFlatDataSTS(int state) { flatDataSTS = state; }

namespace {

bool IsRoof(int roof) { return roof >= 0 && roof < gEachTopAreaNumber && roof < kMaxTopAreas; }

bool InRun(int roof, int position)
{
    const int start = gEachTopAreaStartNum[roof];
    return position >= start && position < start + gEachTopAreaPointNum[roof] &&
           position < gTopAreaPointTotalNumber;
}

// Moves photo points [from, to) by `shift` places (overlap-safe in both directions).
void ShiftPhotoPoints(int from, int to, int shift)
{
    if (from >= to || shift == 0) return;
    auto move = [&](std::array<float, kMaxTopPoints>& a) {
        if (shift < 0) {
            std::copy(a.begin() + from, a.begin() + to, a.begin() + from + shift);
        } else {
            std::copy_backward(a.begin() + from, a.begin() + to, a.begin() + to + shift);
        }
    };
    move(gTopAreaX);
    move(gTopAreaY);
}

void EraseWallEdge(int wall)
{
    const int n = gWallEdgeNumber;
    auto erase = [&](auto& a) { std::copy(a.begin() + wall + 1, a.begin() + n, a.begin() + wall); };
    erase(gFirstWallEdgeX);
    erase(gFirstWallEdgeY);
    erase(gSecondWallEdgeX);
    erase(gSecondWallEdgeY);
    erase(gWallEdgefotEachTopArea);
    gWallEdgeNumber = n - 1;
}

void EraseWallEdgesOf(int roof)
{
    for (int w = gWallEdgeNumber - 1; w >= 0; --w) {
        if (gWallEdgefotEachTopArea[w] == roof) EraseWallEdge(w);
    }
}

// Removes roof `roof` (known to exist): its points, its record and its wall edges; later roofs
// move down one slot and the owners of their wall edges follow them.
void RemoveRoof(int roof)
{
    const int start = gEachTopAreaStartNum[roof];
    const int count = gEachTopAreaPointNum[roof];
    ShiftPhotoPoints(start + count, gTopAreaPointTotalNumber, -count);
    RemoveTopAreaRun(roof);
    EraseWallEdgesOf(roof);
    for (int w = 0; w < gWallEdgeNumber; ++w) {
        if (gWallEdgefotEachTopArea[w] > roof) --gWallEdgefotEachTopArea[w];
    }
}

// Deletes the point at `position` of `roof` (both checked) and keeps the outline closed. The
// closing point is the first vertex again: deleting it deletes the first vertex.
void RemovePointData(int roof, int position)
{
    const int start = gEachTopAreaStartNum[roof];
    const int count = gEachTopAreaPointNum[roof];
    if (position == start + count - 1 && count > 1) position = start;
    ShiftPhotoPoints(position + 1, gTopAreaPointTotalNumber, -1);
    if (position == start && count - 1 >= 2) {
        gTopAreaX[start + count - 2] = gTopAreaX[start];
        gTopAreaY[start + count - 2] = gTopAreaY[start];
    }
    ResizeTopAreaRun(roof, -1);
}

// After a point removal: keeps a roof that still has an area, else removes it.
int KeepOrRemoveRoof(int roof)
{
    if (gEachTopAreaPointNum[roof] >= kMinRoofPoints) return 1;
    RemoveRoof(roof);
    return 0;
}

}  // namespace

std::string PhotoEditMessage(PhotoEdit result)
{
    switch (result) {
    case PhotoEdit::Done: return {};
    case PhotoEdit::Full:
        return "建物データが上限に達したため、これ以上追加できません。\n"
               "（屋根は501棟、頂点は合計2001点、壁線は801本、1つの輪郭は101点まで）";
    case PhotoEdit::OutOfRange: return "対象の屋根、頂点または壁線がありません。";
    }
    return {};
}

PhotoEdit AddWallEdge(int roof, PhotoPoint top, PhotoPoint foot)
{
    if (!IsRoof(roof)) return PhotoEdit::OutOfRange;
    const int w = gWallEdgeNumber;
    if (w + 1 > kMaxWallEdges) return PhotoEdit::Full;
    gFirstWallEdgeX[w] = top.x;
    gFirstWallEdgeY[w] = top.y;
    gSecondWallEdgeX[w] = foot.x;
    gSecondWallEdgeY[w] = foot.y;
    gWallEdgefotEachTopArea[w] = roof;
    gWallEdgeNumber = w + 1;
    return PhotoEdit::Done;
}

PhotoEdit SetNewTopArea(std::span<const PhotoPoint> outline)
{
    const int size = static_cast<int>(outline.size());
    if (size > kMaxTracePoints) return PhotoEdit::Full;
    if (size < kMinRoofPoints) return PhotoEdit::OutOfRange;
    const int total = gTopAreaPointTotalNumber;
    if (AppendTopAreaRun(size, 0.0f) != TopAreaEdit::Done) return PhotoEdit::Full;
    for (int i = 0; i < size; ++i) {
        gTopAreaX[total + i] = outline[i].x;
        gTopAreaY[total + i] = outline[i].y;
    }
    return PhotoEdit::Done;
}

PhotoEdit InsertTopAreaPoint(int roof, int position, float x, float y)
{
    if (!IsRoof(roof)) return PhotoEdit::OutOfRange;
    const int start = gEachTopAreaStartNum[roof];
    const int count = gEachTopAreaPointNum[roof];
    if (position < start + 1 || position > start + count - 1) return PhotoEdit::OutOfRange;
    const int total = gTopAreaPointTotalNumber;
    if (total + 1 > kMaxTopPoints) return PhotoEdit::Full;
    ShiftPhotoPoints(position, total, 1);
    gTopAreaX[position] = x;
    gTopAreaY[position] = y;
    ResizeTopAreaRun(roof, 1);
    return PhotoEdit::Done;
}

int RemoveTopAreaPoint(int roof, int position)
{
    if (!IsRoof(roof) || !InRun(roof, position)) return -1;
    RemovePointData(roof, position);
    return KeepOrRemoveRoof(roof);
}

int RemoveWallEdgeTopPoint(int roof, int position, int wall)
{
    if (!IsRoof(roof) || !InRun(roof, position) || wall < 0 || wall >= gWallEdgeNumber) return -1;
    RemovePointData(roof, position);
    EraseWallEdge(wall);
    return KeepOrRemoveRoof(roof);
}

int RemoveWallEdge(int roof, int wall)
{
    if (!IsRoof(roof) || wall < 0 || wall >= gWallEdgeNumber) return -1;
    EraseWallEdge(wall);
    return gWallEdgeNumber > 0 ? 1 : 0;
}

void RemoveWallEdgeOfTopArea(int roof)
{
    if (IsRoof(roof)) EraseWallEdgesOf(roof);
}

PhotoEdit RemoveActiveTopArea(int roof)
{
    if (!IsRoof(roof)) return PhotoEdit::OutOfRange;
    RemoveRoof(roof);
    return PhotoEdit::Done;
}

void ResetAllDataBuildingData()
{
    gTopAreaX.fill(0.0f);
    gTopAreaY.fill(0.0f);
    gFlatTopAreaX.fill(0.0f);
    gFlatTopAreaY.fill(0.0f);
    gFirstWallEdgeX.fill(0.0f);
    gFirstWallEdgeY.fill(0.0f);
    gSecondWallEdgeX.fill(0.0f);
    gSecondWallEdgeY.fill(0.0f);
    gWallEdgefotEachTopArea.fill(0);
    ResetTopAreaRecords();
    gWallEdgeNumber = 0;
    flatDataSTS = 0;
}

ObliqueCamera CurrentCamera() { return {gSlideAngle, gFlatHeight, gPhotoPictureWidth}; }

CameraSetUp SetUpPhotoCamera(double plan, double oblique)
{
    CameraSetUp setUp = SetUpCamera(plan, oblique, gPhotoPictureWidth);
    if (!setUp.camera) return setUp;
    SetCameraValues(static_cast<float>(plan), static_cast<float>(setUp.camera->range),
                    static_cast<float>(oblique), static_cast<float>(setUp.camera->tiltDegrees));
    photoMeterRate = static_cast<float>(setUp.camera->metresPerUnit());
    return setUp;
}
