#include "app/ini_file.h"
#include "app/settings_files.h"
#include "core/numbers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

QString readText(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

TEST(IniFile, KeepsTextsRawAndLooksUpWithoutCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath("quorvex.INI");
    {
        IniFile ini(path);
        ini.writeString(ini::kApplication, ini::kLanguage, "Russian");
        ini.writeBool(ini::kStatusBar, ini::kAutoResizePanels, false);
        ini.writeInteger(ini::kApplication, ini::kLowResolutionCount, 2);
        ASSERT_TRUE(ini.save());
    }
    const QString text = readText(path);
    EXPECT_TRUE(text.contains("[Application]\nLanguage of messages (for run-time, for design-time "
                              "change localization of Windows)=Russian\n"));
    EXPECT_TRUE(text.contains("Atomatic resize a width of panels=False"));
    EXPECT_TRUE(text.contains("Number of loadings with resolution < 800x600=2"));

    IniFile again(path);
    EXPECT_EQ(again.readString("APPLICATION",
                               "language OF messages (for run-time, for "
                               "design-time change localization of windows)",
                               ""),
              "Russian");
    EXPECT_FALSE(again.readBool("status bar", "atomatic resize a width of panels", true));
    EXPECT_EQ(again.readInteger(ini::kApplication, ini::kLowResolutionCount, 1), 2);
    EXPECT_EQ(again.readInteger(ini::kApplication, ini::kHint, 10000), 10000);
}

TEST(IniFile, BooleansAndNumbers) {
    IniFile ini;
    ini.parse("[Image]\nShow rulers=true\nPaint hair lines=True\nB-W in Colored= False \n"
              "[Grapher]\nPoint size=abc\n[Status Bar]\nWidth factor=1,5\nHeight= 30\n");
    EXPECT_FALSE(ini.readBool(ini::kImage, ini::kShowRulers, true)) << "only \"True\" is true";
    EXPECT_TRUE(ini.readBool(ini::kImage, ini::kHairLines, false));
    EXPECT_FALSE(ini.readBool(ini::kImage, ini::kBwInColoured, true));
    EXPECT_TRUE(ini.readBool(ini::kImage, ini::kClearTable, true)) << "missing key: default";
    EXPECT_EQ(ini.readInteger(ini::kStatusBar, ini::kHeight, 22), 30);
    EXPECT_DOUBLE_EQ(ini.readFloat(ini::kStatusBar, ini::kWidthFactor, 1, ','), 1.5);
    try {
        ini.readInteger(ini::kGrapher, ini::kPointSize, 2);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'abc' is not a valid integer value");
    }
    EXPECT_THROW(ini.readFloat(ini::kStatusBar, ini::kWidthFactor, 1, '.'), ConversionError);
}

TEST(IniFile, MissingFileReadsAsDefaultsAndSaveIsAtomic) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath("none.INI"));
    EXPECT_EQ(ini.readString(ini::kOpenFiles, ini::recentFileKey(1), ""), "");
    EXPECT_FALSE(QFile::exists(dir.filePath("none.INI")));
    IniFile unwritable("/nonexistent-folder/q.INI");
    unwritable.writeString("a", "b", "c");
    EXPECT_FALSE(unwritable.save());
}

TEST(SettingsFiles, Locations) {
    QTemporaryDir dir;
    qputenv("QUORVEX_CONFIG_DIR", dir.path().toUtf8());
    EXPECT_EQ(iniFilePath("/usr/bin/quorvex"), dir.path() + "/quorvex.INI");
    EXPECT_EQ(iniFilePath("/opt/q/quorvex.bin"), dir.path() + "/quorvex.INI");
    EXPECT_EQ(digitizeCfgPath("/usr/bin/quorvex"), dir.path() + "/digitize.cfg");
    qunsetenv("QUORVEX_CONFIG_DIR");
    // A writable program folder holds the files (a portable install).
    EXPECT_EQ(settingsFolder(dir.filePath("quorvex")), dir.path());
    qputenv("QUORVEX_CONFIG_DIR", dir.path().toUtf8());
}

TEST(SettingsFiles, LocaleDefaultLanguage) {
    const struct {
        const char* code;
        Language language;
    } cases[] = {{"rus", Language::Russian}, {"UKR", Language::Russian}, {"Rus", Language::Russian},
                 {"eng", Language::English}, {"deu", Language::English}, {"", Language::English}};
    for (const auto& c : cases)
        EXPECT_EQ(localeDefaultLanguage(c.code), c.language) << c.code;
    EXPECT_EQ(languageFromIni("Russian", Language::English), Language::Russian);
    EXPECT_EQ(languageFromIni("English", Language::Russian), Language::English);
    EXPECT_EQ(languageFromIni("russian", Language::English), Language::English);
    EXPECT_EQ(languageFromIni("", Language::Russian), Language::Russian);
    EXPECT_EQ(languageIniText(Language::Russian), "Russian");
}

TEST(DigitizeCfg, RoundingOfStoredValues) {
    const int markers[][2] = {{1, 3},   {2, 3},   {3, 3},   {4, 6},   {7, 9},   {10, 10}, {11, 10},
                              {12, 10}, {13, 15}, {16, 18}, {20, 21}, {24, 24}, {25, 27}, {30, 30}};
    for (const auto& m : markers)
        EXPECT_EQ(storedMarkerSize(m[0]), m[1]) << m[0];
    const int thickness[][2] = {{1, 1},   {9, 9},   {10, 10}, {15, 10}, {20, 10},
                                {21, 30}, {25, 30}, {30, 30}, {31, 99}, {99, 99}};
    for (const auto& t : thickness)
        EXPECT_EQ(storedCurveThickness(t[0]), t[1]) << t[0];
    const int zoom[][2] = {{2, 2}, {3, 4}, {4, 4}, {7, 8}, {9, 10}, {10, 10}, {1, 2}, {12, 10}};
    for (const auto& z : zoom)
        EXPECT_EQ(storedZoomFactor(z[0]), z[1]) << z[0];
}

TEST(DigitizeCfg, WriteAndReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("digitize.cfg");
    DigitizeConfig config;
    config.language = Language::English;
    config.zoomActive = false;
    config.markers = true;
    config.zoomFactor = 6;
    config.markerSize = 11;
    config.curveThickness = 25;
    config.oneValued = false;
    config.symbol = true;
    config.showStartupHint = false;
    ASSERT_TRUE(writeDigitizeCfg(path, digitizeCfgLines(config)));
    EXPECT_EQ(readText(path), "2\n2\n1\n6\n10\n30\n2\n1\n0\n");
    const DigitizeCfgRead read = readDigitizeCfg(path);
    ASSERT_TRUE(read.opened);
    EXPECT_EQ(read.badLine, 0);
    DigitizeConfig back;
    applyDigitizeCfg(read.values, back);
    EXPECT_FALSE(back.zoomActive);
    EXPECT_EQ(back.zoomFactor, 6);
    EXPECT_EQ(back.markerSize, 10);
    EXPECT_EQ(back.curveThickness, 30);
    EXPECT_FALSE(back.oneValued);
    EXPECT_FALSE(back.showStartupHint);

    config.markerSize = 2;
    config.curveThickness = 15;
    writeDigitizeCfg(path, digitizeCfgLines(config));
    applyDigitizeCfg(readDigitizeCfg(path).values, back);
    EXPECT_EQ(back.markerSize, 3);
    EXPECT_EQ(back.curveThickness, 10);
}

TEST(DigitizeCfg, MissingAndMalformedFiles) {
    QTemporaryDir dir;
    EXPECT_FALSE(readDigitizeCfg(dir.filePath("none.cfg")).opened);

    const QString path = dir.filePath("digitize.cfg");
    writeText(path, "1\r\n2\r\n1\r\n8\r\nabc\r\n5\r\n");
    const DigitizeCfgRead read = readDigitizeCfg(path);
    EXPECT_TRUE(read.opened);
    EXPECT_EQ(read.badLine, 5);
    ASSERT_EQ(read.values.size(), 4u);
    DigitizeConfig config;
    config.markerSize = 7;
    applyDigitizeCfg(read.values, config);
    EXPECT_FALSE(config.zoomActive);
    EXPECT_EQ(config.zoomFactor, 8);
    EXPECT_EQ(config.markerSize, 7) << "values after the bad line keep what they had";

    writeText(path, "1\n1\n");
    EXPECT_EQ(readDigitizeCfg(path).badLine, 3);
}

TEST(SettingsWriter, WritesEveryKeyWithLineSizeEqualToPointSize) {
    IniFile ini;
    ini.writeString(ini::kGrapher, ini::kLineSize, "7");
    SettingsSnapshot s;
    s.statusPanel0Width = 105;
    s.pointSize = 4;
    s.hintTime = 2500;
    s.windowState = "wsNormal";
    s.clientWidth = 800;
    s.showRulers = false;
    writeSettings(ini, s, ',');
    EXPECT_EQ(ini.readString(ini::kGrapher, ini::kLineSize, ""), "4");
    EXPECT_EQ(ini.readString(ini::kGrapher, ini::kPointSize, ""), "4");
    EXPECT_EQ(ini.readString(ini::kStatusBar, ini::kWidthFactor, ""), "1,5");
    EXPECT_EQ(ini.readString(ini::kApplication, ini::kHint, ""), "2500");
    EXPECT_EQ(ini.readString(ini::kApplication, ini::kWindowState, ""), "wsNormal");
    EXPECT_EQ(ini.readString(ini::kApplication, ini::kWindowClientWidth, ""), "800");
    EXPECT_EQ(ini.readString(ini::kImage, ini::kShowRulers, ""), "False");
    EXPECT_EQ(ini.readString(ini::kImage, ini::kHairLines, ""), "True");
    EXPECT_EQ(ini.readString(ini::kAuto, ini::kCorrectionValue, ""), "15");
    EXPECT_EQ(clientSizeFromIni(40), 100);
    EXPECT_EQ(clientSizeFromIni(640), 640);
}

TEST(DefaultOptions, WritesTheDefaultKeysAndLines) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath("q.INI"));
    ini.writeString(ini::kAuto, ini::kCorrection, "False");
    ini.writeString(ini::kApplication, ini::kLowResolutionCount, "3");
    writeDefaultOptions(ini);
    EXPECT_EQ(ini.readString(ini::kAuto, ini::kCorrection, ""), "True");
    EXPECT_EQ(ini.readString(ini::kApplication, ini::kLowResolutionCount, ""), "0");
    EXPECT_EQ(ini.readString(ini::kGrapher, ini::kPointSize, ""), "2");
    EXPECT_EQ(ini.readString(ini::kStatusBar, ini::kWidthFactor, ""), "1");
    EXPECT_EQ(ini.readString(ini::kStatusBar, ini::kHeight, ""), "22");
    EXPECT_FALSE(ini.contains(ini::kAuto, ini::kPolyBezier));
    ASSERT_TRUE(writeDigitizeCfg(dir.filePath("digitize.cfg"), kDefaultCfgLines));
    EXPECT_EQ(readText(dir.filePath("digitize.cfg")), "1\n1\n1\n2\n1\n1\n1\n1\n1\n");
}
