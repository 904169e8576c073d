#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace quorvex {

class Raster;

// The measure box: its items and the scale of each (item 0, "Auto", fits the window).
constexpr int kMeasureItems = 8;
QString measureItemText(int index);
double measureItemScale(int index); // 0 for "Auto"
constexpr int kAutoItem = 0;
constexpr int kRealSizeItem = 5;
// A typed measure: the first "%" removed, the rest a decimal number of percent.
// Throws ConversionError for a text that is not a number.
double typedMeasurePercent(const QString& text, QChar decimalSeparator);
// Keys the measure box accepts: Enter, "%", digits and the letters of "Auto"/"auto".
bool measureKeyAccepted(QChar key);

// The image view's size at a scale.
QSize scaledImageSize(QSize raster, double scale);

// "Auto-size": the scale and view size that fit the raster into the box, first by height,
// then by width when the height-fitted picture would be wider than the box. No result for an
// empty raster or box.
struct FittedView {
    double scale;
    QSize size;
};
std::optional<FittedView> fitIntoBox(QSize box, QSize raster);

// The zoom panel: half side H of the copied square and the margin M kept from the view's
// edges, by zoom factor (2, 4, 6, 8, 10; other factors get 60 / factor rounded, M = H + 1).
struct ZoomGeometry {
    int half;
    int margin;
};
ZoomGeometry zoomGeometry(int factor);
// The raster square the zoom panel shows for the mouse at view point (u, v), or none when the
// mouse is within the margin of the view's edges.
std::optional<QRect> zoomSourceSquare(double u, double v, double scale, int factor, QSize view);

// The zoom panel's picture: the raster square stretched onto a panel of the given size (parts
// outside the raster white), with a red cross through the panel's middle drawn inverting.
QImage zoomPicture(const Raster& raster, const QRect& square, QSize panel);

} // namespace quorvex
