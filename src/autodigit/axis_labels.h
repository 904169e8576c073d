#pragma once

#include "image/vector_page.h"
#include "tools/calibration.h"

#include <QString>
#include <optional>
#include <vector>

namespace quorvex {

// Reading an axis from its tick labels: what a label says, and the scale the labels of one axis
// make together. The pieces of finding the axes of a chart by themselves.

// The number a tick label shows, or nothing: a decimal point or comma, a sign (also the
// typographic minus U+2212 and the dashes fonts draw for it), and the exponent forms 1e3, 1E-3,
// 10^3, 10^-3, 10³ (superscript digits and minus), 2×10³, 2x10^3 and 2·10³. Spaces (also thin
// ones) inside the label are ignored.
std::optional<double> tickLabelValue(const QString& text);

// A tick of one axis: where it is along the axis (pixels) and the value its label gives.
struct AxisTick {
    double position = 0;
    double value = 0;
};

enum class AxisScale { Linear, Log10 };

// The scale the ticks make: linear, or log10 when the values form a geometric sequence. When
// the labels do not fit at first, what the sequence makes certain is repaired: signs lost on one
// side of zero (a minus sign the text extraction dropped), or one label read wrong among at least
// four. Otherwise it is refused with the reason.
struct AxisFit {
    bool ok = false;
    AxisScale scale = AxisScale::Linear;
    std::vector<AxisTick> ticks; // as repaired, in order of position
    QString repaired;            // what was repaired, for the user ("" when nothing)
    QString reason;              // why it was refused
};
AxisFit fitAxis(std::vector<AxisTick> ticks);

// The axes of a vector picture from its paths and text: the X axis is the longest horizontal
// line, the Y axis the longest vertical one; their ticks are the short lines standing on them,
// and each tick's label the text beside it (an exponent written raised after "10" joins it).
// The calibration takes the two far-apart ticks of each axis as its corners (fractional pixels),
// their values, and the scale the labels make. `reason` says why an axis could not be read.
struct AxesFound {
    bool ok = false;
    Calibration calibration;
    std::vector<AxisTick> xTicks, yTicks; // the ticks used, with their values
    QString repaired, reason;
};
AxesFound findAxesInLayer(const VectorLayer& layer);

} // namespace quorvex
