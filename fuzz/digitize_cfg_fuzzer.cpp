// Reads arbitrary bytes as digitize.cfg and applies them as the program does at start-up.
#include "app/settings_files.h"
#include "fuzz_support.h"

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DigitizeCfgRead read = readDigitizeCfg(fuzz::scratchFile("digitize.cfg", data, size));
    fuzz::check(read.opened, "the written file did not open");
    fuzz::check(read.values.size() <= 9, "more than nine lines read");
    fuzz::check((read.badLine == 0) == (read.values.size() == 9), "a bad line with nine values");
    fuzz::check(read.badLine == 0 || read.badLine == int(read.values.size()) + 1,
                "the bad line is not the one after the last value");
    DigitizeConfig config;
    applyDigitizeCfg(read.values, config);
    // The rounding of the stored forms takes any value the file held.
    storedMarkerSize(config.markerSize);
    storedCurveThickness(config.curveThickness);
    storedZoomFactor(config.zoomFactor);
    return 0;
}
