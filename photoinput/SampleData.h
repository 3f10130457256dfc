#pragma once
// The built-in data sets of the building input: two sample sets (menu "サンプルデータ") and the
// two sets of the building-input demonstration. Each was traced on one of the two built-in
// oblique pictures and fits only that picture:
//   picture 1 (785 x 678, eye altitudes 589 / 134): sample set 1 and demonstration set 2;
//   picture 2 (788 x 678, eye altitudes 598 / 102): sample set 2 and demonstration set 1.
// A demonstration set holds the same roofs as its sample set, with the plan points stored
// ready-made (metres, north angle 0) and, for demonstration 2, the point of each roof where the
// demonstration double-clicks.

#include <vector>

#include "photoinput/LineDataFile.h"

struct BuiltInPicture {
    const char* resource;  // Qt resource path of the JPEG
    int width;             // pixels; the picture width W of its data sets' conversions
    int height;
};

inline constexpr BuiltInPicture kObliquePicture1{":/photo/Oblique1.jpg", 785, 678};
inline constexpr BuiltInPicture kObliquePicture2{":/photo/Oblique2.jpg", 788, 678};

struct SampleSet {
    LineData data;                        // north angle 0, every roof closed
    BuiltInPicture picture;               // the picture the set was traced on
    std::vector<PhotoPoint> clickPoints;  // demonstration 2: one per roof, else empty
    float flatMapRate = 0.0f;             // demonstration sets: plan drawing scale, units per metre
};

// which = 1 or 2 (anything else gives set 1).
const SampleSet& SampleDataSet(int which);
const SampleSet& DemoDataSet(int which);

// Puts sample set 1 or 2 into the photo model as reading its file would (plan points 0; entries
// past the new counts keep their values). When no picture is loaded the picture width becomes
// that of the set's own picture.
void SetSample1LineData(bool pictureLoaded);
void SetSample2LineData(bool pictureLoaded);
