// Parses arbitrary text as the settings file, reads every key the program reads as the kind it
// reads it as, and checks that writing the parsed file and parsing it again changes nothing.
#include "app/ini_file.h"
#include "app/settings_files.h"
#include "core/numbers.h"
#include "fuzz_support.h"

using namespace quorvex;

namespace {

// The program's keys, each under every section, so a key in the wrong place is tried too.
const QStringList& sections() {
    static const QStringList all{ini::kOpenFiles, ini::kApplication, ini::kStatusBar, ini::kAuto,
                                 ini::kImage,     ini::kGrapher,     ini::kData};
    return all;
}
const QStringList& keys() {
    static const QStringList all{ini::kHint,
                                 ini::kLanguage,
                                 ini::kLowResolutionCount,
                                 ini::kWindowLeft,
                                 ini::kWindowTop,
                                 ini::kWindowClientWidth,
                                 ini::kWindowClientHeight,
                                 ini::kWindowState,
                                 ini::kHeight,
                                 ini::kWidthFactor,
                                 ini::kAutoResizePanels,
                                 ini::kPolyBezier,
                                 ini::kCorrection,
                                 ini::kCorrectionValue,
                                 ini::kColourDistance,
                                 ini::kDistanceTolerance,
                                 ini::kSubPixel,
                                 ini::kShowRulers,
                                 ini::kHairLines,
                                 ini::kDirectory,
                                 ini::kClearTable,
                                 ini::kBwInColoured,
                                 ini::kPointSize,
                                 ini::kLineSize,
                                 ini::recentFileKey(1),
                                 ini::recentFileKey(4)};
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IniFile ini;
    ini.parse(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString& section : sections())
        for (const QString& key : keys()) {
            ini.readString(section, key, QString());
            ini.readBool(section, key, false);
            try {
                ini.readInteger(section, key, 0);
            } catch (const ConversionError&) {
            }
            try {
                ini.readFloat(section, key, 0.0, QLatin1Char('.'));
                ini.readFloat(section, key, 0.0, QLatin1Char(','));
            } catch (const ConversionError&) {
            }
            languageFromIni(ini.readString(section, key, QString()), Language::English);
        }
    const QString written = ini.text();
    IniFile again;
    again.parse(written);
    fuzz::check(again.text() == written, "writing the parsed settings changes them");
    return 0;
}
