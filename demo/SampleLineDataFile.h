#pragma once
// The developer button "SaveDemo" of the building-input demonstration window, kept hidden: it
// writes the building input's photo model as it stands, with the demonstration picture's
// coordinate system and the plan drawing scale, to the sample file Sample1/LineData10.dat
// (format: WriteSampleLineDataText in photoinput/LineDataFile.h). Nothing reads the file.

#include <string>

#include "photoinput/LineDataFile.h"

inline constexpr const char* kSampleLineDataFileName = "LineData10.dat";

// Writes the whole file at `path`, replacing it, or nothing: false with a Japanese `error` when
// it cannot be written (a missing folder included); an earlier file then stays as it was.
bool SaveSampleLineDataFile(const std::string& path, const PictureScaleAndPlace& picture, float flatMapRate,
                            std::string* error = nullptr);
