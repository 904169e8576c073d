#include "tools/readout.h"

#include "core/numbers.h"
#include "core/round.h"

namespace quorvex {

bool insideShownImage(const Raster& raster, double u, double v, double scale) {
    return u >= 0 && v >= 0 && u <= Round(raster.width() * scale) &&
           v <= Round(raster.height() * scale);
}

Readout mouseReadout(const Raster& raster, const Calibration& calibration, QChar separator,
                     double u, double v, double scale) {
    Readout r;
    const int px = Round(u / scale), py = Round(v / scale);
    // The colour on screen: the raster pixel drawn at that view point.
    const int sx = std::min(static_cast<int>(u / scale), raster.width() - 1);
    const int sy = std::min(static_cast<int>(v / scale), raster.height() - 1);
    if (raster.contains(sx, sy)) r.colour = colourText(raster.pixel(sx, sy));
    try {
        const ToGraph graph(calibration, separator);
        r.pixel = QStringLiteral("x,y= (%1, %2)").arg(px).arg(Round(raster.height() - v / scale));
        if (graph.degenerate()) {
            r.x = QStringLiteral("X=");
            r.y = QStringLiteral("Y=");
        } else {
            r.x = QStringLiteral("X=") + NumberText(graph.x(px), separator);
            r.y = QStringLiteral("Y=") + NumberText(graph.y(py), separator);
        }
    } catch (const ConversionError&) {
        r.failure = PointFailure::ConvertError;
    } catch (const PointError& e) {
        r.failure = e.failure();
    }
    return r;
}

} // namespace quorvex
