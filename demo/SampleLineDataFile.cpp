#include "SampleLineDataFile.h"

bool SaveSampleLineDataFile(const std::string& path, const PictureScaleAndPlace& picture, float flatMapRate,
                            std::string* error)
{
    return WriteWholeFile(path, WriteSampleLineDataText(CaptureLineData({}), picture, flatMapRate), error);
}
