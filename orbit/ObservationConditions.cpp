#include "ObservationConditions.h"

float gLatitude = 0.0f;
float gLongitude = 0.0f;
std::string gComputeDate;
int gStartTimeStep = 96;
int gEndTimeStep = 216;
float gElevationMask = 10.0f;
float gAntennaHeight = 0.0f;
