#pragma once

#include "core/raster.h"
#include "tools/calibration.h"

#include <QString>
#include <optional>

namespace quorvex {

// The position read-out of a mouse move over the image at view point (u, v): the status texts
// of panels 0 to 3, or the failure to show in panel 4 (panels 1 to 3 then keep their texts).
struct Readout {
    QString colour; // panel 0
    QString pixel;  // panel 1: "x,y= (x, y)" with y counted up from the bottom edge
    QString x;      // panel 2: "X=..."
    QString y;      // panel 3: "Y=..."
    std::optional<PointFailure> failure;
};

// Whether (u, v) lies on the shown image (the read-out and the tools work only there).
bool insideShownImage(const Raster& raster, double u, double v, double scale);
Readout mouseReadout(const Raster& raster, const Calibration& calibration, QChar decimalSeparator,
                     double u, double v, double scale);

} // namespace quorvex
