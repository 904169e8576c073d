#include "image/vector_page.h"

#include "core/messages.h"
#include "image/image_error.h"
#include "image/pixel_format.h"

#include <QFile>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextItem>
#include <cmath>
#include <memory>
#include <poppler/qt6/poppler-qt6.h>

// poppler's own interpreter: a PDF page's paths are taken from it as it draws them.
#include <GfxState.h>
#include <OutputDev.h>
#include <PDFDoc.h>
#include <goo/GooString.h>

namespace quorvex {

namespace {

// poppler reports every oddity of a damaged file on standard error; the reader reports the
// failure itself.
void quietPoppler(const QString&, const QVariant&) {}

[[noreturn]] void failWith(Msg id) {
    throw ImageError(message(id));
}

// The paint engine of the recording device: every path it is given, with the pen and brush in
// force, goes into the layer in pixel coordinates.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine(VectorLayer& layer, const QTransform& toPixels)
        : QPaintEngine(QPaintEngine::AllFeatures), layer_(layer), toPixels_(toPixels) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        if (dirty & DirtyTransform) transform_ = state.transform();
    }

    void drawPath(const QPainterPath& path) override { add(path, true); }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count <= 0) return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        add(path, mode != PolylineMode);
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }

    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QRectF box(at.x(), at.y() - item.ascent(), item.width(),
                         item.ascent() + item.descent());
        layer_.texts.push_back({item.text(), (transform_ * toPixels_).mapRect(box)});
    }

private:
    void add(const QPainterPath& path, bool mayFill) {
        VectorPath out;
        const QTransform toPixels = transform_ * toPixels_;
        out.path = toPixels.map(path);
        out.stroked = pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush;
        if (out.stroked) {
            out.stroke = fromQRgb(pen_.color().rgb());
            // A cosmetic pen is as wide on the device whatever the transform.
            const double scale = std::sqrt(std::abs(toPixels.determinant()));
            out.width = pen_.isCosmetic() ? pen_.widthF() : pen_.widthF() * scale;
            out.dashed = pen_.style() != Qt::SolidLine;
        }
        out.filled = mayFill && brush_.style() != Qt::NoBrush;
        if (out.filled) out.fill = fromQRgb(brush_.color().rgb());
        if (out.stroked || out.filled) layer_.paths.push_back(std::move(out));
    }

    VectorLayer& layer_;
    QTransform toPixels_;
    QTransform transform_;
    QPen pen_;
    QBrush brush_;
};

// A paint device of the page's size at the resolution that records instead of drawing.
class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(VectorLayer& layer, QSize size, double dpi, double offset = -0.5)
        : engine_(layer, QTransform::fromTranslate(offset, offset)), size_(size), dpi_(dpi) {}
    ~RecordingDevice() override = default;
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return static_cast<int>(size_.width() * 25.4 / dpi_);
        case PdmHeightMM:
            return static_cast<int>(size_.height() * 25.4 / dpi_);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return static_cast<int>(std::lround(dpi_));
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable RecordingEngine engine_;
    QSize size_;
    double dpi_;
};

// The output device poppler's interpreter draws a PDF page into: every stroked and filled path
// in device pixels (y down from the top), as the raster renderer would draw it. Text is not
// drawn through it (text runs come from poppler's text extraction), which also keeps the
// glyph rasterisers of damaged fonts out of the way.
class PathRecorder : public OutputDev {
public:
    explicit PathRecorder(VectorLayer& layer) : layer_(layer) {}
    bool upsideDown() override { return true; }
    bool useDrawChar() override { return false; }
    bool interpretType3Chars() override { return false; }
    bool needNonText() override { return true; }

    void stroke(GfxState* state) override { add(state, true, false); }
    void fill(GfxState* state) override { add(state, false, true); }
    void eoFill(GfxState* state) override { add(state, false, true); }

private:
    static Colour colourOf(const GfxRGB& rgb) {
        return makeColour(colToByte(rgb.r), colToByte(rgb.g), colToByte(rgb.b));
    }

    void add(GfxState* state, bool stroked, bool filled) {
        const GfxPath* path = state->getPath();
        if (!path) return;
        VectorPath out;
        for (int i = 0; i < path->getNumSubpaths(); ++i) {
            const GfxSubpath* sub = path->getSubpath(i);
            const int n = sub->getNumPoints();
            if (n <= 0) continue;
            const auto device = [&](int k) {
                double x = 0, y = 0;
                state->transform(sub->getX(k), sub->getY(k), &x, &y);
                return QPointF(x - 0.5, y - 0.5);
            };
            out.path.moveTo(device(0));
            for (int k = 1; k < n;) {
                if (sub->getCurve(k) && k + 2 < n) {
                    out.path.cubicTo(device(k), device(k + 1), device(k + 2));
                    k += 3;
                } else {
                    out.path.lineTo(device(k));
                    ++k;
                }
            }
            if (sub->isClosed()) out.path.closeSubpath();
        }
        if (out.path.isEmpty()) return;
        out.stroked = stroked;
        out.filled = filled;
        GfxRGB rgb;
        if (stroked) {
            state->getStrokeRGB(&rgb);
            out.stroke = colourOf(rgb);
            out.width = state->getTransformedLineWidth();
            double start = 0;
            out.dashed = !state->getLineDash(&start).empty();
        } else {
            state->getFillRGB(&rgb);
            out.fill = colourOf(rgb);
        }
        // A path filled and then stroked is one path with both.
        if (stroked && !layer_.paths.empty()) {
            VectorPath& last = layer_.paths.back();
            if (last.filled && !last.stroked && last.path == out.path) {
                last.stroked = true;
                last.stroke = out.stroke;
                last.width = out.width;
                last.dashed = out.dashed;
                return;
            }
        }
        layer_.paths.push_back(std::move(out));
    }

    VectorLayer& layer_;
};

QSize pixelSize(QSizeF points, double dpi) {
    return QSize(static_cast<int>(std::ceil(points.width() * dpi / 72 - 1e-9)),
                 static_cast<int>(std::ceil(points.height() * dpi / 72 - 1e-9)));
}

} // namespace

std::unique_ptr<QPaintDevice> recordingDevice(VectorLayer& layer, QSize size, double dpi,
                                              bool aliased) {
    layer.dpi = dpi;
    return std::make_unique<RecordingDevice>(layer, size, dpi, aliased ? 0.0 : -0.5);
}

VectorKind vectorKindOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return VectorKind::None;
    const QByteArray head = file.read(4096);
    if (head.startsWith("%PDF-")) return VectorKind::Pdf;
    if (head.startsWith("\x1f\x8b") && path.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive))
        return VectorKind::Svg;
    if (head.contains("<svg")) return VectorKind::Svg;
    return VectorKind::None;
}

std::size_t VectorLayer::vertexCount() const {
    std::size_t count = 0;
    for (const VectorPath& p : paths)
        count += static_cast<std::size_t>(p.path.elementCount());
    return count;
}

std::optional<QPointF> nearestVertex(const VectorLayer& layer, QPointF at, double radius) {
    std::optional<QPointF> best;
    double bestDistance = radius * radius;
    for (const VectorPath& p : layer.paths) {
        if (!p.path.boundingRect().adjusted(-radius, -radius, radius, radius).contains(at))
            continue;
        for (int i = 0; i < p.path.elementCount(); ++i) {
            const QPainterPath::Element e = p.path.elementAt(i);
            if (e.isCurveTo()) continue; // control points are no vertices; the curve's end is
            if (e.type == QPainterPath::CurveToDataElement && i + 1 < p.path.elementCount() &&
                p.path.elementAt(i + 1).type == QPainterPath::CurveToDataElement)
                continue;
            const double dx = e.x - at.x(), dy = e.y - at.y();
            if (dx * dx + dy * dy <= bestDistance) {
                bestDistance = dx * dx + dy * dy;
                best = QPointF(e.x, e.y);
            }
        }
    }
    return best;
}

double fittingDpi(QSizeF pagePoints, double dpi) {
    const double pixels = pagePoints.width() * pagePoints.height() * dpi * dpi / (72.0 * 72.0);
    if (pixels > static_cast<double>(kMaxRasterPixels))
        dpi *= std::sqrt(static_cast<double>(kMaxRasterPixels) / pixels) * 0.999;
    const double side = std::max(pagePoints.width(), pagePoints.height()) * dpi / 72;
    if (side > kMaxRasterSide) dpi *= kMaxRasterSide / side * 0.999;
    return dpi;
}

struct VectorFile::Data {
    std::unique_ptr<Poppler::Document> pdf;
    std::unique_ptr<QSvgRenderer> svg;
};

VectorFile::VectorFile(const QString& path) : data_(new Data) {
    std::unique_ptr<Data> guard(data_);
    try {
        open(path);
    } catch (const ImageError& error) {
        throw ImageError(message(Msg::ImageReadFailed).arg(path, error.message()));
    }
    guard.release();
}

void VectorFile::open(const QString& path) {
    path_ = path;
    kind_ = vectorKindOfFile(path);
    if (kind_ == VectorKind::Pdf) {
        Poppler::setDebugErrorFunction(quietPoppler, QVariant());
        data_->pdf = Poppler::Document::load(path);
        if (!data_->pdf) throw ImageError(message(Msg::ImageCorrupt).arg(QStringLiteral("PDF")));
        if (data_->pdf->isLocked()) failWith(Msg::PdfLocked);
        if (data_->pdf->numPages() <= 0) failWith(Msg::VectorNoPage);
    } else if (kind_ == VectorKind::Svg) {
        data_->svg = std::make_unique<QSvgRenderer>(path);
        if (!data_->svg->isValid())
            throw ImageError(message(Msg::ImageCorrupt).arg(QStringLiteral("SVG")));
        if (pageSize(1).isEmpty()) failWith(Msg::VectorNoPage);
    } else {
        throw ImageError(message(Msg::ImageCorrupt).arg(QStringLiteral("PDF, SVG")));
    }
}

VectorFile::~VectorFile() {
    delete data_;
}

int VectorFile::pageCount() const {
    return data_->pdf ? data_->pdf->numPages() : 1;
}

QSizeF VectorFile::pageSize(int page) const {
    if (data_->pdf) {
        const std::unique_ptr<Poppler::Page> p(data_->pdf->page(page - 1));
        return p ? p->pageSizeF() : QSizeF();
    }
    const QRectF box = data_->svg->viewBoxF();
    return box.isEmpty() ? QSizeF(data_->svg->defaultSize()) : box.size();
}

Raster VectorFile::render(int page, double dpi) const {
    const QSizeF points = pageSize(page);
    if (points.isEmpty() || !(dpi > 0)) failWith(Msg::VectorNoPage);
    const QSize size = pixelSize(points, dpi);
    checkRasterSize(size.width(), size.height());
    QImage image;
    if (data_->pdf) {
        const std::unique_ptr<Poppler::Page> p(data_->pdf->page(page - 1));
        if (!p) failWith(Msg::VectorNoPage);
        data_->pdf->setRenderBackend(Poppler::Document::SplashBackend);
        data_->pdf->setRenderHint(Poppler::Document::Antialiasing);
        data_->pdf->setRenderHint(Poppler::Document::TextAntialiasing);
        image = p->renderToImage(dpi, dpi);
    } else {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        data_->svg->render(&painter,
                           QRectF(0, 0, points.width() * dpi / 72, points.height() * dpi / 72));
    }
    if (image.isNull())
        throw ImageError(message(Msg::ImageTooLarge).arg(size.width()).arg(size.height()));
    // A PDF page without a background is transparent: on white, as printed.
    if (image.hasAlphaChannel()) {
        QImage onWhite(image.size(), QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        QPainter(&onWhite).drawImage(0, 0, image);
        image = onWhite;
    }
    Raster raster = fromQImage(image.convertToFormat(QImage::Format_RGB32));
    return raster.format() == PixelFormat::Bit24 ? raster
                                                 : convertPixelFormat(raster, PixelFormat::Bit24);
}

VectorLayer VectorFile::record(int page, double dpi) const {
    VectorLayer layer;
    layer.dpi = dpi;
    const QSizeF points = pageSize(page);
    if (points.isEmpty() || !(dpi > 0)) failWith(Msg::VectorNoPage);
    if (data_->pdf) {
        if (page < 1 || page > pageCount()) failWith(Msg::VectorNoPage);
        PDFDoc document(std::make_unique<GooString>(QFile::encodeName(path_).toStdString()));
        if (!document.isOk())
            throw ImageError(message(Msg::ImageCorrupt).arg(QStringLiteral("PDF")));
        PathRecorder recorder(layer);
        // As the raster renderer draws it: the crop box, not rotated, for the screen.
        document.displayPage(&recorder, page, dpi, dpi, 0, false, true, false);
        // The words of the page with their boxes (in points from the top-left).
        if (const std::unique_ptr<Poppler::Page> p(data_->pdf->page(page - 1)); p) {
            const double scale = dpi / 72;
            for (const auto& box : p->textList()) {
                const QRectF points = box->boundingBox();
                layer.texts.push_back(
                    {box->text(), QRectF(points.left() * scale - 0.5, points.top() * scale - 0.5,
                                         points.width() * scale, points.height() * scale)});
            }
        }
        return layer;
    }
    RecordingDevice device(layer, pixelSize(points, dpi), dpi);
    QPainter painter(&device);
    data_->svg->render(&painter,
                       QRectF(0, 0, points.width() * dpi / 72, points.height() * dpi / 72));
    painter.end();
    return layer;
}

} // namespace quorvex
