#pragma once

#include "app/gui/window_part.h"
#include "autodigit/engine.h"
#include "autodigit/profile.h"

#include <cstdint>

class QToolButton;

namespace quorvex {

class AutoDigitizeSettingsDialog;
class ColourSwatch;

// Automatic digitization: the curve colour (the swatch, the palette), the run with its
// settings dialog, search in area along a drag, and digitizing profiles, which keep the
// calibration with the scan settings for charts of one layout.
class AutoDigitizeController : public WindowPart {
    Q_OBJECT
public:
    explicit AutoDigitizeController(const PartContext& context);

    void digitizeAutomatically();
    void chooseCurveColour();
    // The digitizing profile of the calibration and scan settings, and its application to the
    // shown image (false when there is none or the size question was declined).
    DigitizingProfile currentProfile() const;
    bool applyProfile(const DigitizingProfile& profile);
    // The scan settings of the option fields (recognition and grid come from a run's dialog).
    ScanSettings scanFieldSettings() const;
    // Recognition by colour distance as last chosen, kept in the settings.
    void storeDistanceOptions(const DistanceOptions& options);

private:
    void runAutomaticScan(const AutoDigitizeSettingsDialog& dialog, const ToGraph& graph, int curve,
                          bool markersOn, LongOperation& operation);
    void toggleSearchInArea();
    void searchPress();
    void searchMove(const ImageMouse& m);
    void searchRelease();
    void saveDigitizingProfile();
    void loadDigitizingProfile();

    QToolButton* autoDigitizeButton_ = nullptr;
    QToolButton* searchTool_ = nullptr;
    ColourSwatch* curveColourSwatch_ = nullptr;
    // The stroke being dragged: its curve, the row it started at and the points it wrote.
    bool searchButtonHeld_ = false;
    QPoint lastSearchPoint_;
    int strokeCurve_ = 1;
    int strokeStartRow_ = 1;
    int strokePoints_ = 0;
    std::uint64_t strokeGroup_ = 0;
};

} // namespace quorvex
