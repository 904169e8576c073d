#pragma once

#include "app/ini_file.h"
#include "core/messages.h"

#include <QString>
#include <array>
#include <optional>

namespace quorvex {

// Section and key texts of the INI file, spelled exactly as the file has them.
namespace ini {
inline const QString kOpenFiles = QStringLiteral("Open files");
inline const QString kApplication = QStringLiteral("Application");
inline const QString kStatusBar = QStringLiteral("Status Bar");
inline const QString kAuto = QStringLiteral("Auto");
inline const QString kImage = QStringLiteral("Image");
inline const QString kGrapher = QStringLiteral("Grapher");
inline const QString kData = QStringLiteral("Data");

inline const QString kHint = QStringLiteral("Hint");
inline const QString kLanguage = QStringLiteral(
    "Language of messages (for run-time, for design-time change localization of Windows)");
inline const QString kLowResolutionCount =
    QStringLiteral("Number of loadings with resolution < 800x600");
inline const QString kWindowLeft = QStringLiteral("Window left");
inline const QString kWindowTop = QStringLiteral("Window top");
inline const QString kWindowClientWidth = QStringLiteral("Window client width");
inline const QString kWindowClientHeight = QStringLiteral("Window client height");
inline const QString kWindowState = QStringLiteral("Window state");
inline const QString kHeight = QStringLiteral("Height");
inline const QString kWidthFactor = QStringLiteral("Width factor");
inline const QString kAutoResizePanels = QStringLiteral("Atomatic resize a width of panels");
inline const QString kPolyBezier = QStringLiteral("Poly Bezier interpolation");
inline const QString kCorrection = QStringLiteral("Correction");
inline const QString kCorrectionValue = QStringLiteral("Value of correction");
inline const QString kColourDistance = QStringLiteral("Colour distance");
inline const QString kDistanceTolerance = QStringLiteral("Distance tolerance");
inline const QString kSubPixel = QStringLiteral("Sub-pixel points");
inline const QString kShowRulers = QStringLiteral("Show rulers");
inline const QString kHairLines = QStringLiteral("Paint hair lines");
inline const QString kDirectory = QStringLiteral("Directory");
inline const QString kVectorDpi = QStringLiteral("PDF resolution");
inline const QString kClearTable = QStringLiteral("Clear Table and Grapher");
inline const QString kBwInColoured = QStringLiteral("B-W in Colored");
inline const QString kPointSize = QStringLiteral("Point size");
inline const QString kLineSize = QStringLiteral("Line size");
QString recentFileKey(int slot); // "File1" .. "File4"
} // namespace ini

// The data folder of an installed program (PREFIX/share/quorvex beside PREFIX/bin), or an empty
// text when the program does not sit in such a tree (a build folder, a portable copy).
QString installedDataFolder(const QString& programPath);
// A file the program ships (the help files): beside the program first, then in the installed
// data folder; the path beside the program when neither holds it.
QString programDataFile(const QString& programPath, const QString& name);

// Where the two settings files live: the folder named by QUORVEX_CONFIG_DIR when set; else the
// program's folder when it is writable and the program is not installed (a portable copy: even
// root must not keep settings in PREFIX/bin); else the user's configuration folder. The INI file
// is named like the program file with ".INI" for its extension.
QString settingsFolder(const QString& programPath);
QString iniFilePath(const QString& programPath);
QString digitizeCfgPath(const QString& programPath);

// The message language before the INI key is read: Russian for the locale languages "rus" and
// "ukr" (three-letter codes, any case), English otherwise. The INI value "Russian" or "English"
// overrides it; any other text keeps the locale default.
Language localeDefaultLanguage(const QString& threeLetterLanguage);
QString systemLanguageCode(); // the three-letter code of the user's locale language
Language languageFromIni(const QString& value, Language localeDefault);
QString languageIniText(Language language);

// The nine lines of digitize.cfg as the running program holds them.
struct DigitizeConfig {
    Language language = Language::English;
    bool zoomActive = true;
    bool markers = true;
    int zoomFactor = 2;
    int markerSize = 3;
    int curveThickness = 1;
    bool oneValued = true;
    bool symbol = true;
    bool showStartupHint = true;
};

// The stored forms of the three rounded values: marker size 1-3 -> 3, 4-6 -> 6, 7-9 -> 9,
// 10-12 -> 10, then the upper end of each step of three; thickness 1-9 as is, 10-20 -> 10,
// 21-30 -> 30, 31-99 -> 99; zoom factor the nearest of 2, 4, 6, 8, 10 not below it.
int storedMarkerSize(int markerSize);
int storedCurveThickness(int thickness);
int storedZoomFactor(int zoomFactor);

std::array<int, 9> digitizeCfgLines(const DigitizeConfig& config);
// The lines that "Load default options" writes.
constexpr std::array<int, 9> kDefaultCfgLines = {1, 1, 1, 2, 1, 1, 1, 1, 1};

bool writeDigitizeCfg(const QString& path, const std::array<int, 9>& lines);

// Reading digitize.cfg: when the file cannot be opened, `opened` is false. Otherwise the lines
// are read in order until one is missing or not a whole number; `values` holds those read and
// `badLine` the number (1 to 9) of the line that stopped the reading, 0 when all nine were read.
struct DigitizeCfgRead {
    bool opened = false;
    std::vector<int> values;
    int badLine = 0;
};
DigitizeCfgRead readDigitizeCfg(const QString& path);
// Applies the values read (line 1 is read and ignored).
void applyDigitizeCfg(const std::vector<int>& values, DigitizeConfig& config);

// What the settings writer stores, taken from the running program.
struct SettingsSnapshot {
    int statusBarHeight = 22;
    int statusPanel0Width = 70;
    int correctionValue = 15;
    int hintTime = 10000;
    bool bwInColoured = true;
    bool clearTableForNewImage = true;
    int pointSize = 2;
    bool autoResizePanels = true;
    bool showRulers = true;
    bool hairLines = true;
    QString windowState = QStringLiteral("wsMaximized");
    int clientWidth = 600;
    int clientHeight = 480;
    int windowLeft = 0;
    int windowTop = 0;
};

// The settings writer's INI part, in its order; "Line size" is written equal to "Point size".
void writeSettings(IniFile& ini, const SettingsSnapshot& snapshot, QChar decimalSeparator);

// The INI part of "Load default options".
void writeDefaultOptions(IniFile& ini);

// The two window sizes read back from the INI never go below 100.
int clientSizeFromIni(int stored);

} // namespace quorvex
