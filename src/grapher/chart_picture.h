#pragma once

#include "grapher/chart_painter.h"

#include <QRect>
#include <QSize>
#include <QString>

namespace quorvex {

// Paints the chart as it looks at `logicalSize` (the size of the chart on screen) scaled
// uniformly to the width of `target`, so that fonts and symbols keep their proportions on a
// printer page of any resolution; the height follows the target's.
void paintChartScaled(QPainter& painter, const ChartLook& look, const ChartSeries& shown,
                      const QImage* background, QSize logicalSize, QRectF target);

// Where the chart goes on a printed page of W x H printable pixels: from W/10 to W - W/10
// across and from H/3 to H - H/10 down (integer divisions).
QRect chartPrintArea(int pageWidth, int pageHeight);

// The two kinds of chart picture, in the order of the save dialog's file types.
enum class ChartPictureType { Bitmap, Metafile };

// The name a chart picture of a type is written under: a name whose extension belongs to the
// type (".bmp"; ".wmf" or ".emf") stays, any other extension is replaced by the type's and a
// name without one gets it. The chosen type decides, never the typed extension.
QString chartPictureName(const QString& path, ChartPictureType type);

// Writes the chart at `size` as a Windows bitmap drawn on white, or as enhanced-metafile
// records. Throws ImageError.
void saveChartPicture(const ChartLook& look, const ChartSeries& shown, const QImage* background,
                      QSize size, const QString& path, ChartPictureType type);

} // namespace quorvex
