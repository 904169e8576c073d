#pragma once

#include "core/colour.h"
#include "core/raster.h"

#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QPaintDevice;

namespace quorvex {

// Figures drawn as vector graphics: PDF pages (through poppler) and SVG or SVGZ drawings
// (through QtSvg). A page is shown as a raster rendered at a chosen resolution, and its paths are
// kept beside it in the raster's pixel coordinates: the page point (x, y), y down from the page's
// top-left, in points (1/72 inch; an SVG user unit counts as one), lies at pixel
// (x * dpi / 72 - 0.5, y * dpi / 72 - 0.5), so that pixel i's centre is at i as everywhere.

enum class VectorKind { None, Pdf, Svg };

// The kind a file's first bytes show ("%PDF-", an SVG document, or a gzip stream named .svgz).
VectorKind vectorKindOfFile(const QString& path);

// A stroked or filled path of the page with its pen and brush, in pixel coordinates.
struct VectorPath {
    QPainterPath path;
    bool stroked = false;
    Colour stroke = kBlack;
    double width = 0; // the pen's width in pixels (0: a hairline)
    bool dashed = false;
    bool filled = false;
    Colour fill = kBlack;
};

// A run of text of the page with its box, in pixel coordinates.
struct VectorText {
    QString text;
    QRectF box;
};

// What a page draws, as it draws it.
struct VectorLayer {
    std::vector<VectorPath> paths;
    std::vector<VectorText> texts;
    double dpi = 0;
    bool empty() const { return paths.empty() && texts.empty(); }
    std::size_t vertexCount() const;
};

// The vertex of the layer's paths nearest to a pixel position within the radius: the points
// paths move and draw to and the ends of their curves.
std::optional<QPointF> nearestVertex(const VectorLayer& layer, QPointF at, double radius);

// A paint device of the size that records what is painted on it into the layer, in pixel
// coordinates. An anti-aliased painter's pixel i spans i .. i + 1, so its centre, the layer's
// i, is at i + 0.5; an aliased painter (the metafile player) draws the point i into pixel i.
std::unique_ptr<QPaintDevice> recordingDevice(VectorLayer& layer, QSize size, double dpi,
                                              bool aliased);

// The default resolution of a rendered page, and the one that keeps it within the raster limit.
inline constexpr double kDefaultVectorDpi = 200;
double fittingDpi(QSizeF pagePoints, double dpi);

// A vector file opened: its pages and their sizes in points. Throws ImageError for a damaged,
// encrypted or empty file. The file is read once; rendering and recording reuse it.
class VectorFile {
public:
    explicit VectorFile(const QString& path);
    ~VectorFile();
    VectorFile(const VectorFile&) = delete;
    VectorFile& operator=(const VectorFile&) = delete;

    VectorKind kind() const { return kind_; }
    int pageCount() const;
    QSizeF pageSize(int page) const; // pages count from 1
    // The page as a 24-bit raster on white at the resolution (ImageError when too large).
    Raster render(int page, double dpi) const;
    // The page's paths and texts in the pixel coordinates of render(page, dpi).
    VectorLayer record(int page, double dpi) const;

private:
    void open(const QString& path);
    struct Data;
    VectorKind kind_ = VectorKind::None;
    QString path_;
    Data* data_;
};

} // namespace quorvex
