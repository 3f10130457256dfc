#include "GpsSettings.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <charconv>
#include <vector>

#include "gps/MapSystems.h"
#include "gps/TextFields.h"

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

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

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

std::optional<GpsSettings> ReadGpsSettingText(std::string_view text, std::string* problem)
{
    auto fail = [problem](std::string why) -> std::optional<GpsSettings> {
        if (problem) *problem = std::move(why);
        return std::nullopt;
    };
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.size() < 6) {
        return fail("設定が" + std::to_string(lines.size()) + "行しかありません（6行必要です）。");
    }
    GpsSettings s;
    const auto system = WholeNumberText(lines[0]);
    if (!system || !FindMapSystem(*system)) {
        return fail("1行目の測地系が1から19の数ではありません。");
    }
    s.mapSystemNo = *system;
    const auto lat = DegreeMinuteValue(lines[1]);
    const auto lon = DegreeMinuteValue(lines[2]);
    if (!lat || !lon) {
        return fail("2行目と3行目の原点が「度-分」ではありません。");
    }
    s.originLat = *lat;
    s.originLon = *lon;
    const auto port = WholeNumberText(lines[3]);
    if (!port || *port < 0 || *port > kMaxComPortNo) {
        return fail("4行目のポート番号が0から11の数ではありません。");
    }
    s.portNo = *port;
    const auto speed = WholeNumberText(lines[4]);
    if (!speed || *speed < 1 || *speed > static_cast<int>(GpsSpeedItems().size())) {
        return fail("5行目のスピードが1から5の数ではありません。");
    }
    s.speedIndex = *speed;
    s.portSetting = std::string(TrimBlanks(lines[5]));
    if (!BaudRateOfSetting(s.portSetting)) {
        return fail("6行目の通信設定が読めません。");
    }
    s.portName = lines.size() > 6 ? std::string(TrimBlanks(lines[6])) : std::string();
    return s;
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
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("GPS設定を読めません。\n%1\n%2").arg(path, file.errorString());
    }
    const QByteArray bytes = file.readAll();
    std::string problem;
    const auto settings = ReadGpsSettingText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &problem);
    if (!settings) {
        return QStringLiteral("GPS設定が壊れています。初期値を使います。\n%1\n%2").arg(path, QString::fromStdString(problem));
    }
    ApplyGpsSettings(*settings);
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
