#include "app/settings_files.h"

#include "core/atomic_file.h"
#include "core/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>

namespace quorvex {

QString ini::recentFileKey(int slot) {
    return QStringLiteral("File%1").arg(slot);
}

QString installedDataFolder(const QString& programPath) {
    if (programPath.isEmpty()) return QString();
    const QDir bin = QFileInfo(programPath).absoluteDir();
    if (bin.dirName() != QLatin1String("bin")) return QString();
    const QString data = QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/quorvex")));
    return QFileInfo(data).isDir() ? data : QString();
}

QString programDataFile(const QString& programPath, const QString& name) {
    const QString beside = QFileInfo(programPath).absolutePath() + QLatin1Char('/') + name;
    if (QFileInfo::exists(beside)) return beside;
    const QString data = installedDataFolder(programPath);
    if (!data.isEmpty() && QFileInfo::exists(data + QLatin1Char('/') + name))
        return data + QLatin1Char('/') + name;
    return beside;
}

QString settingsFolder(const QString& programPath) {
    const QString overridden = qEnvironmentVariable("QUORVEX_CONFIG_DIR");
    if (!overridden.isEmpty()) {
        QDir().mkpath(overridden);
        return QDir(overridden).absolutePath();
    }
    const QFileInfo program(programPath);
    const QString programFolder = program.absolutePath();
    if (!programPath.isEmpty() && QFileInfo(programFolder).isWritable() &&
        installedDataFolder(programPath).isEmpty())
        return programFolder;
    QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (user.isEmpty()) user = QDir::homePath() + QStringLiteral("/.config");
    user += QStringLiteral("/quorvex");
    QDir().mkpath(user);
    return user;
}

QString iniFilePath(const QString& programPath) {
    const QString name = QFileInfo(programPath).completeBaseName();
    return settingsFolder(programPath) + QLatin1Char('/') +
           (name.isEmpty() ? QStringLiteral("quorvex") : name) + QStringLiteral(".INI");
}

QString digitizeCfgPath(const QString& programPath) {
    return settingsFolder(programPath) + QStringLiteral("/digitize.cfg");
}

Language localeDefaultLanguage(const QString& code) {
    const QString lower = code.toLower();
    return lower == QLatin1String("rus") || lower == QLatin1String("ukr") ? Language::Russian
                                                                          : Language::English;
}

QString systemLanguageCode() {
    return QLocale::languageToCode(QLocale::system().language(), QLocale::ISO639Part2);
}

Language languageFromIni(const QString& value, Language localeDefault) {
    if (value == QLatin1String("Russian")) return Language::Russian;
    if (value == QLatin1String("English")) return Language::English;
    return localeDefault;
}

QString languageIniText(Language language) {
    return language == Language::Russian ? QStringLiteral("Russian") : QStringLiteral("English");
}

int storedMarkerSize(int size) {
    size = std::clamp(size, 1, 30);
    if (size >= 10 && size <= 12) return 10;
    return ((size + 2) / 3) * 3;
}

int storedCurveThickness(int thickness) {
    thickness = std::clamp(thickness, 1, 99);
    if (thickness <= 9) return thickness;
    if (thickness <= 20) return 10;
    if (thickness <= 30) return 30;
    return 99;
}

int storedZoomFactor(int factor) {
    factor = std::clamp(factor, 2, 10);
    return factor + (factor % 2);
}

std::array<int, 9> digitizeCfgLines(const DigitizeConfig& c) {
    return {c.language == Language::Russian ? 1 : 2,
            c.zoomActive ? 1 : 2,
            c.markers ? 1 : 2,
            storedZoomFactor(c.zoomFactor),
            storedMarkerSize(c.markerSize),
            storedCurveThickness(c.curveThickness),
            c.oneValued ? 1 : 2,
            c.symbol ? 1 : 2,
            c.showStartupHint ? 1 : 0};
}

bool writeDigitizeCfg(const QString& path, const std::array<int, 9>& lines) {
    QByteArray text;
    for (int value : lines)
        text += QByteArray::number(value) + '\n';
    return writeFileAtomically(path, text);
}

DigitizeCfgRead readDigitizeCfg(const QString& path) {
    DigitizeCfgRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return result;
    result.opened = true;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i < 9; ++i) {
        int value = 0;
        const QString line = i < lines.size() ? QString::fromLatin1(lines[i]).trimmed() : QString();
        if (line.isEmpty() || !tryParseInt(line, value)) {
            result.badLine = i + 1;
            break;
        }
        result.values.push_back(value);
    }
    return result;
}

void applyDigitizeCfg(const std::vector<int>& values, DigitizeConfig& c) {
    const auto n = values.size();
    if (n > 1) c.zoomActive = values[1] == 1;
    if (n > 2) c.markers = values[2] == 1;
    if (n > 3) c.zoomFactor = values[3];
    if (n > 4) c.markerSize = values[4];
    if (n > 5) c.curveThickness = values[5];
    if (n > 6) c.oneValued = values[6] == 1;
    if (n > 7) c.symbol = values[7] == 1;
    if (n > 8) c.showStartupHint = values[8] == 1;
}

void writeSettings(IniFile& ini, const SettingsSnapshot& s, QChar separator) {
    ini.writeInteger(ini::kStatusBar, ini::kHeight, s.statusBarHeight);
    ini.writeString(ini::kStatusBar, ini::kWidthFactor,
                    NumberText(s.statusPanel0Width / 70.0, separator));
    ini.writeInteger(ini::kAuto, ini::kCorrectionValue, s.correctionValue);
    ini.writeInteger(ini::kApplication, ini::kHint, s.hintTime);
    ini.writeBool(ini::kImage, ini::kBwInColoured, s.bwInColoured);
    ini.writeBool(ini::kImage, ini::kClearTable, s.clearTableForNewImage);
    ini.writeInteger(ini::kGrapher, ini::kPointSize, s.pointSize);
    ini.writeInteger(ini::kGrapher, ini::kLineSize, s.pointSize);
    ini.writeBool(ini::kStatusBar, ini::kAutoResizePanels, s.autoResizePanels);
    ini.writeBool(ini::kImage, ini::kShowRulers, s.showRulers);
    ini.writeBool(ini::kImage, ini::kHairLines, s.hairLines);
    ini.writeString(ini::kApplication, ini::kWindowState, s.windowState);
    ini.writeInteger(ini::kApplication, ini::kWindowClientWidth, s.clientWidth);
    ini.writeInteger(ini::kApplication, ini::kWindowClientHeight, s.clientHeight);
    ini.writeInteger(ini::kApplication, ini::kWindowLeft, s.windowLeft);
    ini.writeInteger(ini::kApplication, ini::kWindowTop, s.windowTop);
}

void writeDefaultOptions(IniFile& ini) {
    ini.writeString(ini::kGrapher, ini::kPointSize, QStringLiteral("2"));
    ini.writeString(ini::kGrapher, ini::kLineSize, QStringLiteral("2"));
    ini.writeBool(ini::kAuto, ini::kCorrection, true);
    ini.writeString(ini::kAuto, ini::kCorrectionValue, QStringLiteral("15"));
    ini.writeBool(ini::kAuto, ini::kColourDistance, false);
    ini.writeString(ini::kAuto, ini::kDistanceTolerance, QStringLiteral("25"));
    ini.writeBool(ini::kAuto, ini::kSubPixel, false);
    ini.writeBool(ini::kImage, ini::kBwInColoured, true);
    ini.writeBool(ini::kImage, ini::kClearTable, true);
    ini.writeString(ini::kStatusBar, ini::kHeight, QStringLiteral("22"));
    ini.writeString(ini::kStatusBar, ini::kWidthFactor, QStringLiteral("1"));
    ini.writeBool(ini::kStatusBar, ini::kAutoResizePanels, true);
    ini.writeString(ini::kApplication, ini::kLowResolutionCount, QStringLiteral("0"));
    ini.writeBool(ini::kImage, ini::kShowRulers, true);
    ini.writeBool(ini::kImage, ini::kHairLines, true);
}

int clientSizeFromIni(int stored) {
    return std::max(stored, 100);
}

} // namespace quorvex
