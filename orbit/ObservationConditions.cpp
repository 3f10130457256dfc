#include "ObservationConditions.h"

namespace {

float latitude = 0.0f;
float longitude = 0.0f;
std::string computeDate;
int startTimeStep = 96;
int endTimeStep = 216;
float elevationMask = 10.0f;
float antennaHeight = 0.0f;

}  // namespace

const float& gLatitude = latitude;
const float& gLongitude = longitude;
const std::string& gComputeDate = computeDate;
const int& gStartTimeStep = startTimeStep;
const int& gEndTimeStep = endTimeStep;
const float& gElevationMask = elevationMask;
const float& gAntennaHeight = antennaHeight;

void SetLatitude(float degrees) { latitude = degrees; }
void SetLongitude(float degrees) { longitude = degrees; }
void SetComputeDate(const std::string& date) { computeDate = date; }
void SetStartTimeStep(int step) { startTimeStep = step; }
void SetEndTimeStep(int step) { endTimeStep = step; }
void SetElevationMask(float degrees) { elevationMask = degrees; }
void SetAntennaHeight(float metres) { antennaHeight = metres; }

AntennaHeightCheck CheckAntennaHeight(double typed, bool isNumber, float inUse)
{
    if (!isNumber) {
        return {inUse, "ｱﾝﾃﾅ高は正の値です。"};
    }
    if (typed < 0.0) {
        return {0.0f, "ｱﾝﾃﾅ高は正の値です。"};
    }
    if (typed > 100.0) {
        return {100.0f, "ｱﾝﾃﾅ高の最大値は100mです。"};
    }
    return {static_cast<float>(typed), {}};
}
