#include "GpsSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>

#include "gps/MapSystems.h"
#include "gps/TextFields.h"
#include "platform/TextLines.h"

namespace gps {

int gMapSystemNo = GpsSettings{}.mapSystemNo;
double gOriginLat = GpsSettings{}.originLat;
double gOriginLon = GpsSettings{}.originLon;
int gGPSPortNo = GpsSettings{}.portNo;
int gGPSSpeedIndex = GpsSettings{}.speedIndex;
std::string gGPSPortSetting = GpsSettings{}.portSetting;
std::string gGPSPortName;
int gGPSSettingMode = 1;

namespace {

constexpr std::string_view kComDevicePrefix = "/dev/ttyS";

}  // namespace

const std::array<std::string_view, 5>& GpsSpeedItems()
{
    static const std::array<std::string_view, 5> items = {"2400,n,8,1", "4800,n,8,1", "9600,n,8,1", "19200,n,8,1",
                                                          "38400,n,8,1"};
    return items;
}

std::string GpsSettingText(const GpsSettings& s)
{
    std::string text;
    text += std::to_string(s.mapSystemNo) + "\r\n";
    text += DegreeMinuteText(s.originLat) + "\r\n";
    text += DegreeMinuteText(s.originLon) + "\r\n";
    text += std::to_string(s.portNo) + "\r\n";
    text += std::to_string(s.speedIndex) + "\r\n";
    text += s.portSetting + "\r\n";
    if (!s.portName.empty()) {
        text += s.portName + "\r\n";
    }
    return text;
}

bool GpsSettingReader::refuse(std::string why)
{
    problem_ = std::move(why);
    return false;
}

bool GpsSettingReader::take(std::string_view line)
{
    if (!problem_.empty()) return false;
    if (line.size() > kMaxGpsSettingLineLength) {
        refuseLongLine();
        return false;
    }
    const int number = ++lines_;
    switch (number) {
    case 1: {
        const auto system = WholeNumberText(line);
        if (!system || !FindMapSystem(*system)) return refuse("1行目の測地系が1から19の数ではありません。");
        settings_.mapSystemNo = *system;
        return true;
    }
    case 2:
    case 3: {
        // A latitude of 0..90 and a longitude of 0..180 degrees: "nan-15" or a degree of twenty
        // digits would put every position outside the system.
        const auto degrees = DegreeMinuteValue(line);
        const double limit = number == 2 ? 90.0 : 180.0;
        if (!degrees || !std::isfinite(*degrees) || *degrees > limit) {
            return refuse(std::to_string(number) + "行目の原点が「度-分」の" + (number == 2 ? "緯度" : "経度") + "ではありません。");
        }
        (number == 2 ? settings_.originLat : settings_.originLon) = *degrees;
        return true;
    }
    case 4: {
        const auto port = WholeNumberText(line);
        if (!port || *port < 0 || *port > kMaxComPortNo) return refuse("4行目のポート番号が0から11の数ではありません。");
        settings_.portNo = *port;
        return true;
    }
    case 5: {
        const auto speed = WholeNumberText(line);
        if (!speed || *speed < 1 || *speed > static_cast<int>(GpsSpeedItems().size())) {
            return refuse("5行目のスピードが1から5の数ではありません。");
        }
        settings_.speedIndex = *speed;
        return true;
    }
    case 6:
        settings_.portSetting = std::string(TrimBlanks(line));
        if (!BaudRateOfSetting(settings_.portSetting)) return refuse("6行目の通信設定が読めません。");
        return true;
    case 7:
        settings_.portName = std::string(TrimBlanks(line));
        return true;
    default:
        if (!TrimBlanks(line).empty()) return refuse(std::to_string(number) + "行目は設定の行ではありません。");
        return true;
    }
}

void GpsSettingReader::refuseLongLine()
{
    if (problem_.empty()) refuse(std::to_string(++lines_) + "行目が長すぎます。");
}

std::optional<GpsSettings> GpsSettingReader::finish(std::string* problem) const
{
    std::string why = problem_;
    if (why.empty() && lines_ < 6) {
        why = "設定が" + std::to_string(lines_) + "行しかありません（6行必要です）。";
    }
    if (!why.empty()) {
        if (problem) *problem = std::move(why);
        return std::nullopt;
    }
    return settings_;
}

namespace {

// The settings from `lines`, read up to the first line that cannot belong.
std::optional<GpsSettings> ReadGpsSettingLines(platform::TextLineReader& lines, std::string* problem)
{
    GpsSettingReader reader;
    while (const auto line = lines.next()) {
        if (!reader.take(*line)) break;
    }
    if (lines.tooLong()) reader.refuseLongLine();
    return reader.finish(problem);
}

}  // namespace

std::optional<GpsSettings> ReadGpsSettingText(std::string_view text, std::string* problem)
{
    platform::TextLineReader lines(text, kMaxGpsSettingLineLength);
    return ReadGpsSettingLines(lines, problem);
}

std::string GpsPortPath(const GpsSettings& settings)
{
    if (!settings.portName.empty()) {
        return settings.portName;
    }
    if (settings.portNo >= 1 && settings.portNo <= kMaxComPortNo) {
        return std::string(kComDevicePrefix) + std::to_string(settings.portNo - 1);
    }
    return {};
}

int ComPortNumberOfPath(std::string_view path)
{
    if (path.substr(0, kComDevicePrefix.size()) != kComDevicePrefix) {
        return 0;
    }
    const auto index = WholeNumberText(path.substr(kComDevicePrefix.size()));
    if (!index || path.size() == kComDevicePrefix.size() || path[kComDevicePrefix.size()] < '0' ||
        path[kComDevicePrefix.size()] > '9' || *index + 1 > kMaxComPortNo) {
        return 0;
    }
    return *index + 1;
}

std::optional<int> BaudRateOfSetting(std::string_view setting)
{
    setting = TrimBlanks(setting);
    int baud = 0;
    const auto [end, error] = std::from_chars(setting.data(), setting.data() + setting.size(), baud);
    if (error != std::errc() || baud <= 0 || (end != setting.data() + setting.size() && *end != ',')) {
        return std::nullopt;
    }
    return baud;
}

QString GpsSettingPath(const QString& startDir)
{
    return QDir(startDir).filePath(QStringLiteral("data0/GPSSetting.dat"));
}

GpsSettings CurrentGpsSettings()
{
    return {gMapSystemNo, gOriginLat, gOriginLon, gGPSPortNo, gGPSSpeedIndex, gGPSPortSetting, gGPSPortName};
}

void ApplyGpsSettings(const GpsSettings& s)
{
    gMapSystemNo = s.mapSystemNo;
    gOriginLat = s.originLat;
    gOriginLon = s.originLon;
    gGPSPortNo = s.portNo;
    gGPSSpeedIndex = s.speedIndex;
    gGPSPortSetting = s.portSetting;
    gGPSPortName = s.portName;
}

QString LoadGPSSetting(const QString& startDir)
{
    ApplyGpsSettings(GpsSettings{});
    const QString path = GpsSettingPath(startDir);
    if (!QFileInfo::exists(path)) {
        return {};
    }
    // Small chunks: a wrong file is refused after its first few kilobytes at most. The byte limit
    // refuses a larger file by its size, and one that has no size or grows once more was read.
    const auto read = platform::ReadLineFile(
        QFile::encodeName(path).toStdString(),
        {.maxLineLength = kMaxGpsSettingLineLength, .chunkSize = 4096, .maxBytes = kMaxGpsSettingFileSize}, ReadGpsSettingLines);
    if (read.end == platform::LineFileEnd::CannotOpen || read.end == platform::LineFileEnd::ReadError) {
        return QStringLiteral("GPS設定を読めません。\n%1").arg(path);
    }
    if (!read.data) {
        return QStringLiteral("GPS設定が壊れています。初期値を使います。\n%1\n%2").arg(path, QString::fromStdString(read.reason));
    }
    ApplyGpsSettings(*read.data);
    return {};
}

QString SaveGPSSetting(const QString& startDir)
{
    const QString path = GpsSettingPath(startDir);
    const std::string text = GpsSettingText(CurrentGpsSettings());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) && file.commit()) {
        return {};
    }
    return QStringLiteral("GPS設定を保存できませんでした。\n%1\n%2").arg(path, file.errorString());
}

}  // namespace gps
