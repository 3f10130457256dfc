#pragma once
// Shared test helpers: paths of the fixtures and near-equality with a stated tolerance.

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace testutil {

// Path of a fixture in tests/data.
inline std::string DataFile(const std::string& name) { return std::string(GPSPLAN_TEST_DATA_DIR) + "/" + name; }

// The whole text of a fixture in tests/data (empty when it cannot be read).
inline std::string ReadDataFile(const std::string& name)
{
    std::ifstream in(DataFile(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Angle difference in degrees folded into [-180, 180], for comparing azimuths across 0/360.
inline double AngleDiff(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

}  // namespace testutil

// Lets GoogleTest print QStrings readably in failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) { *os << '"' << list.join(QStringLiteral("\", \"")).toStdString() << '"'; }
