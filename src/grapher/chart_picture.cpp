#include "grapher/chart_picture.h"

#include "core/raster.h"
#include "image/bmp.h"
#include "image/emf_writer.h"

#include <QFileInfo>
#include <QPainter>

namespace quorvex {

void paintChartScaled(QPainter& painter, const ChartLook& look, const ChartSeries& shown,
                      const QImage* background, QSize logicalSize, QRectF target) {
    if (logicalSize.isEmpty() || target.isEmpty()) return;
    const double scale = target.width() / logicalSize.width();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    const QRectF logical(0, 0, logicalSize.width(), target.height() / scale);
    paintChart(painter, ChartLayout(look, shown, logical), look, shown, background);
    painter.restore();
}

QRect chartPrintArea(int pageWidth, int pageHeight) {
    const int left = pageWidth / 10, top = pageHeight / 3;
    const int right = pageWidth - pageWidth / 10, bottom = pageHeight - pageHeight / 10;
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

QString chartPictureName(const QString& path, ChartPictureType type) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    const bool metafile = type == ChartPictureType::Metafile;
    if (metafile ? suffix == QLatin1String("wmf") || suffix == QLatin1String("emf")
                 : suffix == QLatin1String("bmp"))
        return path;
    const QString wanted = metafile ? QStringLiteral("wmf") : QStringLiteral("bmp");
    // The folder part is kept as typed; only the name's last extension changes.
    const QString base =
        suffix.isEmpty() ? path : path.left(path.size() - info.suffix().size() - 1);
    return base + QLatin1Char('.') + wanted;
}

void saveChartPicture(const ChartLook& look, const ChartSeries& shown, const QImage* background,
                      QSize size, const QString& path, ChartPictureType type) {
    const QRectF area(QPointF(0, 0), QSizeF(size));
    const ChartLayout layout(look, shown, area);
    if (type == ChartPictureType::Metafile) {
        EmfDevice metafile(size);
        {
            QPainter painter(&metafile);
            paintChart(painter, layout, look, shown, background);
        }
        metafile.save(path);
        return;
    }
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        paintChart(painter, layout, look, shown, background);
    }
    writeBmpFile(fromQImage(picture), path);
}

} // namespace quorvex
