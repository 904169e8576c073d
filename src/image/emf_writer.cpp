#include "image/emf_writer.h"

#include "core/atomic_file.h"

#include "core/messages.h"
#include "image/image_error.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTemporaryFile>
#include <QTextItem>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

extern "C" {
#include <uemf.h>
}

namespace quorvex {

namespace {

std::int16_t coordinate(double v) {
    return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

U_COLORREF colourRef(const QColor& c) {
    return colorref3_set(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                         static_cast<uint8_t>(c.blue()));
}

U_RECTL boundsOf(const std::vector<U_POINT16>& points) {
    U_RECTL r{0, 0, 0, 0};
    if (points.empty()) return r;
    r.left = r.right = points[0].x;
    r.top = r.bottom = points[0].y;
    for (const U_POINT16& p : points) {
        r.left = std::min<int32_t>(r.left, p.x);
        r.right = std::max<int32_t>(r.right, p.x);
        r.top = std::min<int32_t>(r.top, p.y);
        r.bottom = std::max<int32_t>(r.bottom, p.y);
    }
    return r;
}

} // namespace

// Turns the painter's calls into records; pens, brushes and fonts become GDI objects, created
// when a drawing needs a changed one.
class EmfPaintEngine : public QPaintEngine {
public:
    EmfPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {
        emf_htable_create(128, 128, &handles_);
        record(U_EMRSETBKMODE_set(U_TRANSPARENT));
        record(U_EMRSETTEXTALIGN_set(U_TA_BASELINE));
    }
    ~EmfPaintEngine() override {
        for (char* r : records_)
            std::free(r);
        emf_htable_free(&handles_);
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const auto dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        if (dirty & DirtyFont) font_ = state.font();
        if (dirty & DirtyTransform) transform_ = state.transform();
    }

    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QPointF ends[2] = {lines[i].p1(), lines[i].p2()};
            polyline(ends, 2);
        }
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (mode == PolylineMode)
            polyline(points, count);
        else
            polygon(points, count);
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            const QPolygonF corners = transform_.map(QPolygonF(rects[i]));
            const QRectF box = corners.boundingRect();
            selectPenAndBrush();
            record(U_EMRRECTANGLE_set(
                rectl_set(point32_set(coordinate(box.left()), coordinate(box.top())),
                          point32_set(coordinate(box.right()), coordinate(box.bottom())))));
        }
    }
    void drawEllipse(const QRectF& rect) override {
        const QRectF box = transform_.mapRect(rect);
        selectPenAndBrush();
        record(U_EMRELLIPSE_set(
            rectl_set(point32_set(coordinate(box.left()), coordinate(box.top())),
                      point32_set(coordinate(box.right()), coordinate(box.bottom())))));
    }
    void drawPoints(const QPointF* points, int count) override {
        for (int i = 0; i < count; ++i) {
            const QPointF p = transform_.map(points[i]);
            record(U_EMRSETPIXELV_set(point32_set(coordinate(p.x()), coordinate(p.y())),
                                      colourRef(pen_.color())));
        }
    }
    void drawPath(const QPainterPath& path) override {
        const bool filled = brush_.style() != Qt::NoBrush;
        for (const QPolygonF& part : path.toSubpathPolygons()) {
            if (filled)
                polygon(part.constData(), static_cast<int>(part.size()));
            else
                polyline(part.constData(), static_cast<int>(part.size()));
        }
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        const QImage part =
            image.copy(source.toAlignedRect()).convertToFormat(QImage::Format_RGB888);
        if (part.isNull()) return;
        const int w = part.width(), h = part.height();
        const int stride = (w * 3 + 3) & ~3;
        std::vector<char> bits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h));
        for (int y = 0; y < h; ++y) {
            const uchar* line = part.constScanLine(h - 1 - y); // rows from the bottom
            char* out = bits.data() + static_cast<std::size_t>(y) * stride;
            for (int x = 0; x < w; ++x) {
                out[3 * x] = static_cast<char>(line[3 * x + 2]);
                out[3 * x + 1] = static_cast<char>(line[3 * x + 1]);
                out[3 * x + 2] = static_cast<char>(line[3 * x]);
            }
        }
        const U_BITMAPINFOHEADER header = bitmapinfoheader_set(
            w, h, 1, 24, U_BI_RGB, static_cast<uint32_t>(bits.size()), 0, 0, 0, 0);
        PU_BITMAPINFO info = bitmapinfo_set(header, nullptr);
        const QRectF box = transform_.mapRect(r);
        record(U_EMRSTRETCHDIBITS_set(
            rectl_set(point32_set(coordinate(box.left()), coordinate(box.top())),
                      point32_set(coordinate(box.right()), coordinate(box.bottom()))),
            point32_set(coordinate(box.left()), coordinate(box.top())),
            point32_set(coordinate(box.width()), coordinate(box.height())), point32_set(0, 0),
            point32_set(w, h), U_DIB_RGB_COLORS, U_SRCCOPY, info,
            static_cast<uint32_t>(bits.size()), bits.data()));
        std::free(info);
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QString text = item.text();
        if (text.isEmpty()) return;
        selectFont(item.font());
        record(U_EMRSETTEXTCOLOR_set(colourRef(pen_.color())));
        const QPointF at = transform_.map(p);
        std::vector<uint16_t> utf16(text.size() + 1, 0);
        std::memcpy(utf16.data(), text.utf16(), static_cast<std::size_t>(text.size()) * 2);
        std::vector<uint32_t> advances(
            static_cast<std::size_t>(text.size()),
            static_cast<uint32_t>(std::max(1.0, item.width() / text.size())));
        const U_RECTL none = rectl_set(point32_set(0, 0), point32_set(-1, -1));
        char* emrtext = emrtext_set(point32_set(coordinate(at.x()), coordinate(at.y())),
                                    static_cast<U_NUM_STR>(text.size()), 2, utf16.data(),
                                    U_ETO_NONE, none, advances.data());
        record(U_EMREXTTEXTOUTW_set(none, U_GM_COMPATIBLE, 1, 1,
                                    reinterpret_cast<PU_EMRTEXT>(emrtext)));
        std::free(emrtext);
    }

    const std::vector<char*>& records() const { return records_; }
    EMFHANDLES* handles() const { return handles_; }

private:
    void record(char* r) {
        if (r) records_.push_back(r);
    }

    std::vector<U_POINT16> mapped(const QPointF* points, int count) const {
        std::vector<U_POINT16> out;
        out.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            const QPointF q = transform_.map(points[i]);
            out.push_back(point16_set(coordinate(q.x()), coordinate(q.y())));
        }
        return out;
    }
    void polyline(const QPointF* points, int count) {
        if (count < 2 || pen_.style() == Qt::NoPen) return;
        selectPen();
        const auto p = mapped(points, count);
        record(U_EMRPOLYLINE16_set(boundsOf(p), static_cast<uint32_t>(p.size()), p.data()));
    }
    void polygon(const QPointF* points, int count) {
        if (count < 3) return;
        selectPenAndBrush();
        const auto p = mapped(points, count);
        record(U_EMRPOLYGON16_set(boundsOf(p), static_cast<uint32_t>(p.size()), p.data()));
    }

    // Selects a newly created object (its handle already filled in) and deletes the one it
    // replaces.
    void replace(uint32_t& slot, char* created, uint32_t handle) {
        record(created);
        record(selectobject_set(handle, handles_));
        if (slot) record(deleteobject_set(&slot, handles_));
        slot = handle;
    }
    void selectPen() {
        const bool none = pen_.style() == Qt::NoPen;
        const QColor colour = pen_.color();
        const int width = std::max(1, static_cast<int>(std::lround(pen_.widthF())));
        if (penHandle_ && none == penNone_ && colour == penColour_ && width == penWidth_) return;
        penNone_ = none;
        penColour_ = colour;
        penWidth_ = width;
        uint32_t handle = 0;
        const U_LOGPEN pen =
            logpen_set(none ? U_PS_NULL : U_PS_SOLID, point_set(width, 0), colourRef(colour));
        char* created = createpen_set(&handle, handles_, pen);
        replace(penHandle_, created, handle);
    }
    void selectPenAndBrush() {
        selectPen();
        const bool none = brush_.style() == Qt::NoBrush;
        const QColor colour = brush_.color();
        if (brushHandle_ && none == brushNone_ && colour == brushColour_) return;
        brushNone_ = none;
        brushColour_ = colour;
        uint32_t handle = 0;
        const U_LOGBRUSH brush = logbrush_set(none ? U_BS_NULL : U_BS_SOLID, colourRef(colour), 0);
        char* created = createbrushindirect_set(&handle, handles_, brush);
        replace(brushHandle_, created, handle);
    }
    void selectFont(const QFont& font) {
        const int height = font.pixelSize() > 0
                               ? font.pixelSize()
                               : static_cast<int>(std::lround(font.pointSizeF() * 96 / 72));
        // Text turned with the painter (an axis title) keeps the turn as the font's angle.
        const int escapement = static_cast<int>(
            std::lround(-std::atan2(transform_.m12(), transform_.m11()) * 1800 / M_PI));
        if (fontHandle_ && font == font_ && height == fontHeight_ && escapement == fontEscapement_)
            return;
        font_ = font;
        fontHeight_ = height;
        fontEscapement_ = escapement;
        std::vector<uint16_t> face(U_LF_FACESIZE, 0);
        const QString family = font.family().left(U_LF_FACESIZE - 1);
        std::memcpy(face.data(), family.utf16(), static_cast<std::size_t>(family.size()) * 2);
        const U_LOGFONT logfont =
            logfont_set(-height, 0, escapement, escapement, font.bold() ? U_FW_BOLD : U_FW_NORMAL,
                        font.italic() ? 1 : 0, 0, 0, U_ANSI_CHARSET, U_OUT_DEFAULT_PRECIS,
                        U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH, face.data());
        uint32_t handle = 0;
        char* created = extcreatefontindirectw_set(
            &handle, handles_, reinterpret_cast<const char*>(&logfont), nullptr);
        replace(fontHandle_, created, handle);
    }

    std::vector<char*> records_;
    EMFHANDLES* handles_ = nullptr;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QTransform transform_;
    uint32_t penHandle_ = 0, brushHandle_ = 0, fontHandle_ = 0;
    bool penNone_ = false, brushNone_ = false;
    QColor penColour_, brushColour_;
    int penWidth_ = 0, fontHeight_ = 0, fontEscapement_ = 0;
};

EmfDevice::EmfDevice(QSize size) : size_(size), engine_(std::make_unique<EmfPaintEngine>()) {}

EmfDevice::~EmfDevice() = default;

QPaintEngine* EmfDevice::paintEngine() const {
    return engine_.get();
}

int EmfDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return static_cast<int>(std::lround(size_.width() * 25.4 / 96));
    case PdmHeightMM:
        return static_cast<int>(std::lround(size_.height() * 25.4 / 96));
    case PdmNumColors:
        return 0xFFFFFF;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    default:
        return 0;
    }
}

void EmfDevice::save(const QString& path) const {
    const auto fail = [&path](const QString& reason) {
        throw ImageError(message(Msg::ImageWriteFailed).arg(path, reason));
    };
    // The records go to a file beside the target, which then replaces it in one step.
    const SaveTarget target = resolveSaveTarget(path);
    if (target.kind == SaveTarget::Kind::Refused) fail(target.error);
    QTemporaryFile temporary(target.temporaryFolder() + QStringLiteral("/.quorvex-XXXXXX"));
    if (!temporary.open()) fail(temporary.errorString());
    temporary.close();
    temporary.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                             QFile::ReadOther);
    EMFTRACK* track = nullptr;
    if (emf_start(QFile::encodeName(temporary.fileName()).constData(), 1 << 16, 1 << 16, &track))
        fail(QStringLiteral("EMF"));
    // The picture at 96 dots per inch on a reference device of 960 x 960 pixels, 254 mm wide.
    const int w = size_.width(), h = size_.height();
    const U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(w - 1, h - 1));
    const U_RECTL frame = rectl_set(
        point32_set(0, 0), point32_set(static_cast<int32_t>(std::lround(w * 2540.0 / 96)),
                                       static_cast<int32_t>(std::lround(h * 2540.0 / 96))));
    bool ok = emf_append(reinterpret_cast<PU_ENHMETARECORD>(
                             U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr,
                                             sizel_set(960, 960), sizel_set(254, 254), 0)),
                         track, U_REC_FREE) == 0;
    for (char* r : engine_->records())
        ok = ok && emf_append(reinterpret_cast<PU_ENHMETARECORD>(r), track, U_REC_KEEP) == 0;
    ok = ok && emf_append(reinterpret_cast<PU_ENHMETARECORD>(U_EMREOF_set(0, nullptr, track)),
                          track, U_REC_FREE) == 0;
    ok = ok && emf_finish(track, engine_->handles()) == 0;
    emf_free(&track);
    if (!ok) fail(QStringLiteral("EMF"));
    temporary.setAutoRemove(false);
    QString reason;
    if (!replaceWithTemporary(temporary.fileName(), target, &reason)) fail(reason);
}

} // namespace quorvex
