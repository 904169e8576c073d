#pragma once

#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

namespace quorvex {

class EmfPaintEngine;

// A paint device that keeps what is painted on it as enhanced-metafile (EMF) records, built with
// libuemf: lines, polygons, rectangles, ellipses, text and pictures, at 96 pixels to the inch.
// Painting the chart on it and saving gives a picture that other programs scale without loss.
class EmfDevice : public QPaintDevice {
public:
    explicit EmfDevice(QSize size);
    ~EmfDevice() override;
    QPaintEngine* paintEngine() const override;
    QSize size() const { return size_; }

    // Writes the records painted so far (the painter must have ended), replacing the file only
    // when the whole picture is written. Throws ImageError.
    void save(const QString& path) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<EmfPaintEngine> engine_;
};

} // namespace quorvex
