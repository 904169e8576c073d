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

// Whether a chart picture name asks for an enhanced metafile (".wmf" or ".emf"); any other
// name gets a Windows bitmap.
bool isMetafileName(const QString& path);

// Writes the chart at `size` as a Windows bitmap drawn on white, or as enhanced-metafile
// records when the name asks for a metafile. Throws ImageError.
void saveChartPicture(const ChartLook& look, const ChartSeries& shown, const QImage* background,
                      QSize size, const QString& path);

} // namespace quorvex
