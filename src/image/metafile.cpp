#include "image/metafile.h"

#include "image/bmp.h"
#include "image/image_error.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace quorvex {

namespace {

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::int16_t s16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(u16(p));
}
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t s32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(u32(p));
}
float f32(const std::uint8_t* p) {
    const std::uint32_t bits = u32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? value : 0.0f;
}

// A COLORREF is 0x00BBGGRR, the program's own colour layout.
QColor colorOf(std::uint32_t colorref) {
    return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

// The largest side a metafile picture gets; larger pictures are scaled down to it.
constexpr double kMaxSide = 8192;

struct GdiObject {
    enum Kind { None, Pen, Brush, Font, Other } kind = None;
    QPen pen;
    QBrush brush;
    QFont font;
    int fontHeight = 0; // logical units; negative: character height, positive: cell height
    int escapement = 0; // tenths of degrees
};

struct DcState {
    QPen pen = QPen(Qt::black, 0);
    QBrush brush = QBrush(Qt::white);
    GdiObject font;
    QColor textColour = Qt::black;
    QColor backColour = Qt::white;
    bool opaqueBackground = true;
    unsigned textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int mapMode = 1; // MM_TEXT
    QPointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
    QTransform world;
    QPointF position;
};

// Shared drawing for both metafile kinds: logical coordinates go through the world transform
// and the window/viewport mapping to device units, then through `deviceToImage`.
class Player {
public:
    // Paints into a picture of the size, or into `recording` (a layer's recording device).
    Player(int width, int height, QTransform deviceToImage, QPaintDevice* recording = nullptr)
        : image_(recording ? 1 : width, recording ? 1 : height, QImage::Format_RGB32),
          deviceToImage_(deviceToImage) {
        image_.fill(Qt::white);
        if (recording)
            painter_.begin(recording);
        else
            painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        fontsAvailable_ = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    }

    DcState dc;
    std::vector<DcState> saved;
    std::vector<GdiObject> objects;

    QTransform logicalToImage() const {
        QTransform mapping;
        if (dc.mapMode == 7 || dc.mapMode == 8) { // anisotropic, isotropic
            const double sx = dc.windowExt.x() ? dc.viewportExt.x() / dc.windowExt.x() : 1;
            const double sy = dc.windowExt.y() ? dc.viewportExt.y() / dc.windowExt.y() : 1;
            mapping = QTransform::fromTranslate(-dc.windowOrg.x(), -dc.windowOrg.y()) *
                      QTransform::fromScale(sx, sy) *
                      QTransform::fromTranslate(dc.viewportOrg.x(), dc.viewportOrg.y());
        } else {
            mapping = QTransform::fromTranslate(-dc.windowOrg.x(), -dc.windowOrg.y()) *
                      QTransform::fromTranslate(dc.viewportOrg.x(), dc.viewportOrg.y());
        }
        return dc.world * mapping * deviceToImage_;
    }

    void prepare(bool fill) {
        painter_.setTransform(logicalToImage());
        QPen pen = dc.pen;
        if (pen.style() != Qt::NoPen && pen.widthF() <= 1.0) pen.setCosmetic(true);
        painter_.setPen(pen);
        painter_.setBrush(fill ? dc.brush : QBrush(Qt::NoBrush));
        painter_.setBackground(dc.backColour);
        painter_.setBackgroundMode(dc.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
    }

    void polyline(const QPolygonF& points) {
        if (points.size() < 2) return;
        prepare(false);
        painter_.drawPolyline(points);
    }
    void polygon(const QPolygonF& points) {
        if (points.size() < 2) return;
        prepare(true);
        painter_.drawPolygon(points, dc.fillRule);
    }
    void polyPolygon(const std::vector<QPolygonF>& polygons) {
        QPainterPath path;
        path.setFillRule(dc.fillRule);
        for (const auto& p : polygons)
            if (p.size() >= 2) path.addPolygon(p), path.closeSubpath();
        prepare(true);
        painter_.drawPath(path);
    }
    void bezier(const QPolygonF& points, bool fromCurrent) {
        QPolygonF all = points;
        if (fromCurrent) all.prepend(dc.position);
        if (all.size() < 4) return;
        QPainterPath path(all[0]);
        for (int i = 1; i + 2 < all.size(); i += 3)
            path.cubicTo(all[i], all[i + 1], all[i + 2]);
        prepare(false);
        painter_.drawPath(path);
        dc.position = all.back();
    }
    void lineTo(QPointF to) {
        prepare(false);
        painter_.drawLine(dc.position, to);
        dc.position = to;
    }
    void rectangle(QRectF box) {
        prepare(true);
        painter_.drawRect(box.normalized().adjusted(0, 0, -1, -1));
    }
    void ellipse(QRectF box) {
        prepare(true);
        painter_.drawEllipse(box.normalized().adjusted(0, 0, -1, -1));
    }
    void setPixel(QPointF at, std::uint32_t colorref) {
        const QPointF p = logicalToImage().map(at);
        const int x = static_cast<int>(std::floor(p.x())), y = static_cast<int>(std::floor(p.y()));
        if (x >= 0 && y >= 0 && x < image_.width() && y < image_.height())
            image_.setPixel(x, y, colorOf(colorref).rgb());
    }
    void text(QPointF at, const QString& text) {
        if (!fontsAvailable_ || text.isEmpty()) return;
        const QTransform toImage = logicalToImage();
        QFont font = dc.font.kind == GdiObject::Font ? dc.font.font : QFont();
        // The font height is in logical units; draw in image pixels.
        const double scale = std::hypot(toImage.m12(), toImage.m22());
        const double height = std::abs(dc.font.fontHeight ? dc.font.fontHeight : 12) * scale;
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(height))));
        const QPointF origin = toImage.map(at);
        painter_.setTransform(QTransform());
        painter_.setFont(font);
        painter_.setPen(dc.textColour);
        const QFontMetricsF metrics(font);
        const double width = metrics.horizontalAdvance(text);
        QPointF position = origin;
        const unsigned align = dc.textAlign;
        if ((align & 6) == 6)
            position.rx() -= width / 2; // TA_CENTER
        else if (align & 2)
            position.rx() -= width; // TA_RIGHT
        if (align & 8)
            position.ry() -= metrics.descent(); // TA_BOTTOM
        else if (!(align & 24))
            position.ry() += metrics.ascent(); // TA_TOP
        painter_.save();
        painter_.translate(position);
        if (dc.font.escapement) painter_.rotate(-dc.font.escapement / 10.0);
        painter_.drawText(QPointF(0, 0), text);
        painter_.restore();
    }
    void bitmap(QRectF target, const Raster& raster, QRectF source) {
        if (raster.isEmpty()) return;
        painter_.setTransform(logicalToImage());
        painter_.drawImage(target.normalized(), toQImage(raster), source);
    }

    void select(std::uint32_t index) {
        if (index & 0x80000000u) {
            selectStock(index & 0x7FFFFFFFu);
            return;
        }
        if (index >= objects.size()) return;
        const GdiObject& o = objects[index];
        if (o.kind == GdiObject::Pen)
            dc.pen = o.pen;
        else if (o.kind == GdiObject::Brush)
            dc.brush = o.brush;
        else if (o.kind == GdiObject::Font)
            dc.font = o;
    }
    void selectStock(std::uint32_t stock) {
        switch (stock) {
        case 0:
            dc.brush = QBrush(Qt::white);
            break;
        case 1:
            dc.brush = QBrush(QColor(0xC0, 0xC0, 0xC0));
            break;
        case 2:
            dc.brush = QBrush(QColor(0x80, 0x80, 0x80));
            break;
        case 3:
            dc.brush = QBrush(QColor(0x40, 0x40, 0x40));
            break;
        case 4:
            dc.brush = QBrush(Qt::black);
            break;
        case 5:
            dc.brush = QBrush(Qt::NoBrush);
            break;
        case 6:
            dc.pen = QPen(Qt::white, 0);
            break;
        case 7:
            dc.pen = QPen(Qt::black, 0);
            break;
        case 8:
            dc.pen = QPen(Qt::NoPen);
            break;
        default:
            break;
        }
    }
    void save() { saved.push_back(dc); }
    void restore(int which) {
        // A negative value counts back from the latest saved state.
        int count = which < 0 ? -which : static_cast<int>(saved.size()) - which + 1;
        while (count-- > 0 && !saved.empty()) {
            dc = saved.back();
            saved.pop_back();
        }
    }

    QImage finish() {
        painter_.end();
        return image_;
    }

private:
    QImage image_;
    QPainter painter_;
    QTransform deviceToImage_;
    bool fontsAvailable_ = false;
};

QPen penOf(unsigned style, double width, std::uint32_t colorref) {
    if ((style & 0xF) == 5) return QPen(Qt::NoPen); // PS_NULL
    QPen pen(colorOf(colorref), width);
    switch (style & 0xF) {
    case 1:
        pen.setStyle(Qt::DashLine);
        break;
    case 2:
        pen.setStyle(Qt::DotLine);
        break;
    case 3:
        pen.setStyle(Qt::DashDotLine);
        break;
    case 4:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    return pen;
}

QBrush brushOf(unsigned style, std::uint32_t colorref) {
    if (style == 1) return QBrush(Qt::NoBrush);                         // BS_NULL
    if (style == 2) return QBrush(colorOf(colorref), Qt::CrossPattern); // hatched
    return QBrush(colorOf(colorref));
}

int storeObject(std::vector<GdiObject>& objects, const GdiObject& object) {
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (objects[i].kind == GdiObject::None) {
            objects[i] = object;
            return static_cast<int>(i);
        }
    if (objects.size() >= 65536) return -1;
    objects.push_back(object);
    return static_cast<int>(objects.size() - 1);
}

Raster toRaster(const QImage& image) {
    Raster raster(image.width(), image.height(), PixelFormat::Bit24);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        Colour* out = raster.row(y);
        for (int x = 0; x < image.width(); ++x)
            out[x] = fromQRgb(in[x]);
    }
    return raster;
}

// Picture size in pixels for a frame of the given extent, scaled down to kMaxSide.
QSize pictureSize(double width, double height) {
    width = std::abs(width);
    height = std::abs(height);
    if (!(width >= 1) || !(height >= 1)) throwCorrupt("empty picture frame");
    const double shrink = std::min(1.0, kMaxSide / std::max(width, height));
    return QSize(std::max(1, static_cast<int>(std::lround(width * shrink))),
                 std::max(1, static_cast<int>(std::lround(height * shrink))));
}

// The mapping of a frame onto a picture; a scale within 1 % of 1 is taken as 1, so that a
// metafile drawn at 96 dots per inch is played pixel for pixel.
QTransform frameToPicture(const QRectF& frame, QSize picture) {
    double sx = picture.width() / frame.width(), sy = picture.height() / frame.height();
    if (std::abs(sx - 1) < 0.01) sx = 1;
    if (std::abs(sy - 1) < 0.01) sy = 1;
    return QTransform::fromTranslate(-frame.left(), -frame.top()) * QTransform::fromScale(sx, sy);
}

// ---------------------------------------------------------------- WMF

struct WmfRecord {
    std::uint16_t function;
    const std::uint8_t* params;
    std::size_t paramBytes;
    std::int16_t word(std::size_t i) const {
        return i * 2 + 2 <= paramBytes ? s16(params + 2 * i) : 0;
    }
    std::uint16_t uword(std::size_t i) const {
        return i * 2 + 2 <= paramBytes ? u16(params + 2 * i) : 0;
    }
    std::uint32_t dword(std::size_t i) const {
        return i * 2 + 4 <= paramBytes ? u32(params + 2 * i) : 0;
    }
};

template <typename Visit>
void forEachWmfRecord(const std::uint8_t* p, const std::uint8_t* end, Visit&& visit) {
    while (end - p >= 6) {
        const std::uint64_t words = u32(p);
        if (words < 3 || words * 2 > static_cast<std::uint64_t>(end - p)) throwTruncated();
        const WmfRecord record{u16(p + 4), p + 6, static_cast<std::size_t>(words * 2 - 6)};
        if (record.function == 0) return; // META_EOF
        visit(record);
        p += words * 2;
    }
}

QPolygonF wmfPoints(const WmfRecord& r, std::size_t firstWord, std::size_t count) {
    QPolygonF points;
    const std::size_t available =
        r.paramBytes / 2 > firstWord ? (r.paramBytes / 2 - firstWord) / 2 : 0;
    count = std::min(count, available);
    for (std::size_t i = 0; i < count; ++i)
        points << QPointF(r.word(firstWord + 2 * i), r.word(firstWord + 2 * i + 1));
    return points;
}

QString wmfString(const std::uint8_t* p, std::size_t length) {
    return QString::fromLatin1(reinterpret_cast<const char*>(p), static_cast<qsizetype>(length));
}

void playWmfRecord(Player& player, const WmfRecord& r) {
    DcState& dc = player.dc;
    switch (r.function) {
    case 0x0103:
        dc.mapMode = r.word(0);
        break;
    case 0x020B:
        dc.windowOrg = QPointF(r.word(1), r.word(0));
        break;
    case 0x020C:
        dc.windowExt = QPointF(r.word(1), r.word(0));
        break;
    case 0x020D:
        dc.viewportOrg = QPointF(r.word(1), r.word(0));
        break;
    case 0x020E:
        dc.viewportExt = QPointF(r.word(1), r.word(0));
        break;
    case 0x0102:
        dc.opaqueBackground = r.word(0) == 2;
        break;
    case 0x0201:
        dc.backColour = colorOf(r.dword(0));
        break;
    case 0x0209:
        dc.textColour = colorOf(r.dword(0));
        break;
    case 0x012E:
        dc.textAlign = r.uword(0);
        break;
    case 0x0106:
        dc.fillRule = r.word(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case 0x001E:
        player.save();
        break;
    case 0x0127:
        player.restore(r.word(0));
        break;
    case 0x0214:
        dc.position = QPointF(r.word(1), r.word(0));
        break;
    case 0x0213:
        player.lineTo(QPointF(r.word(1), r.word(0)));
        break;
    case 0x041B:
        player.rectangle(QRectF(QPointF(r.word(3), r.word(2)), QPointF(r.word(1), r.word(0))));
        break;
    case 0x0418:
        player.ellipse(QRectF(QPointF(r.word(3), r.word(2)), QPointF(r.word(1), r.word(0))));
        break;
    case 0x041F:
        player.setPixel(QPointF(r.word(3), r.word(2)), r.dword(0));
        break;
    case 0x0325:
        player.polyline(wmfPoints(r, 1, static_cast<std::size_t>(std::max<int>(0, r.word(0)))));
        break;
    case 0x0324:
        player.polygon(wmfPoints(r, 1, static_cast<std::size_t>(std::max<int>(0, r.word(0)))));
        break;
    case 0x0538: { // META_POLYPOLYGON
        const std::size_t polygons = static_cast<std::size_t>(std::max<int>(0, r.word(0)));
        std::size_t word = 1 + polygons;
        std::vector<QPolygonF> all;
        for (std::size_t i = 0; i < polygons && word < r.paramBytes / 2; ++i) {
            const std::size_t n = static_cast<std::size_t>(std::max<int>(0, r.word(1 + i)));
            all.push_back(wmfPoints(r, word, n));
            word += 2 * n;
        }
        player.polyPolygon(all);
        break;
    }
    case 0x0521: { // META_TEXTOUT: length, string (padded to words), y, x
        const std::size_t length = static_cast<std::size_t>(std::max<int>(0, r.word(0)));
        const std::size_t stringWords = (length + 1) / 2;
        if (2 + 2 * stringWords + 4 > r.paramBytes) break;
        player.text(QPointF(r.word(2 + stringWords), r.word(1 + stringWords)),
                    wmfString(r.params + 2, length));
        break;
    }
    case 0x0A32: { // META_EXTTEXTOUT: y, x, length, options, [rectangle], string
        const std::size_t length = static_cast<std::size_t>(std::max<int>(0, r.word(2)));
        std::size_t offset = 8 + ((r.uword(3) & 0x0006) ? 8 : 0);
        if (offset + length > r.paramBytes) break;
        player.text(QPointF(r.word(1), r.word(0)), wmfString(r.params + offset, length));
        break;
    }
    case 0x02FA: { // META_CREATEPENINDIRECT
        GdiObject o;
        o.kind = GdiObject::Pen;
        o.pen = penOf(r.uword(0), r.word(1), r.dword(3));
        storeObject(player.objects, o);
        break;
    }
    case 0x02FC: { // META_CREATEBRUSHINDIRECT
        GdiObject o;
        o.kind = GdiObject::Brush;
        o.brush = brushOf(r.uword(0), r.dword(1));
        storeObject(player.objects, o);
        break;
    }
    case 0x02FB: { // META_CREATEFONTINDIRECT
        GdiObject o;
        o.kind = GdiObject::Font;
        o.fontHeight = r.word(0);
        o.escapement = r.word(2);
        o.font.setWeight(r.word(4) >= 600 ? QFont::Bold : QFont::Normal);
        if (r.paramBytes >= 18) {
            o.font.setItalic(r.params[10] != 0);
            const std::size_t nameLength = std::min<std::size_t>(32, r.paramBytes - 18);
            const QString face =
                QString::fromLatin1(reinterpret_cast<const char*>(r.params + 18),
                                    static_cast<qsizetype>(strnlen(
                                        reinterpret_cast<const char*>(r.params + 18), nameLength)));
            if (!face.isEmpty()) o.font.setFamily(face);
        }
        storeObject(player.objects, o);
        break;
    }
    // Objects the player does not draw with still take their place in the object table.
    case 0x00F7:
    case 0x01F9:
    case 0x0142:
    case 0x06FF: {
        GdiObject o;
        o.kind = GdiObject::Other;
        storeObject(player.objects, o);
        break;
    }
    case 0x012D:
        player.select(r.uword(0));
        break;
    case 0x01F0:
        if (r.uword(0) < player.objects.size()) player.objects[r.uword(0)] = GdiObject();
        break;
    case 0x0F43: { // META_STRETCHDIB: rop, usage, srcH, srcW, ySrc, xSrc, destH, destW, yDst, xDst,
                   // DIB
        if (r.paramBytes <= 22) break;
        const Raster bits = decodePackedDib(r.params + 22, r.paramBytes - 22);
        player.bitmap(QRectF(r.word(10), r.word(9), r.word(8), r.word(7)), bits,
                      QRectF(r.word(6), r.word(5), r.word(4), r.word(3)));
        break;
    }
    case 0x0B41: { // META_DIBSTRETCHBLT: rop, srcH, srcW, ySrc, xSrc, destH, destW, yDst, xDst, DIB
        if (r.paramBytes <= 20) break;
        const Raster bits = decodePackedDib(r.params + 20, r.paramBytes - 20);
        player.bitmap(QRectF(r.word(9), r.word(8), r.word(7), r.word(6)), bits,
                      QRectF(r.word(5), r.word(4), r.word(3), r.word(2)));
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------- EMF

struct EmfRecord {
    std::uint32_t type;
    const std::uint8_t* data; // after type and size
    std::size_t bytes;
    std::int32_t i32(std::size_t offset) const {
        return offset + 4 <= bytes ? s32(data + offset) : 0;
    }
    std::uint32_t u(std::size_t offset) const {
        return offset + 4 <= bytes ? u32(data + offset) : 0;
    }
    std::int16_t i16(std::size_t offset) const {
        return offset + 2 <= bytes ? s16(data + offset) : 0;
    }
    float f(std::size_t offset) const { return offset + 4 <= bytes ? f32(data + offset) : 0.0f; }
};

template <typename Visit>
void forEachEmfRecord(const std::uint8_t* p, const std::uint8_t* end, Visit&& visit) {
    while (end - p >= 8) {
        const std::uint32_t type = u32(p), size = u32(p + 4);
        if (size < 8 || size % 4 || size > static_cast<std::size_t>(end - p)) throwTruncated();
        visit(EmfRecord{type, p + 8, size - 8});
        if (type == 14) return; // EMR_EOF
        p += size;
    }
}

// Points after a bounds rectangle and a count; 16-bit or 32-bit coordinates.
QPolygonF emfPoints(const EmfRecord& r, std::size_t offset, std::size_t count, bool small) {
    QPolygonF points;
    const std::size_t pointBytes = small ? 4 : 8;
    count = std::min(count, offset <= r.bytes ? (r.bytes - offset) / pointBytes : 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = offset + i * pointBytes;
        points << (small ? QPointF(r.i16(at), r.i16(at + 2)) : QPointF(r.i32(at), r.i32(at + 4)));
    }
    return points;
}

std::vector<QPolygonF> emfPolyPoints(const EmfRecord& r, bool small) {
    const std::size_t polys = r.u(16);
    std::vector<QPolygonF> all;
    if (polys > r.bytes / 4) return all;
    std::size_t offset = 24 + 4 * polys;
    for (std::size_t i = 0; i < polys; ++i) {
        const std::size_t n = r.u(24 + 4 * i);
        if (n > r.bytes) break;
        all.push_back(emfPoints(r, offset, n, small));
        offset += n * (small ? 4 : 8);
    }
    return all;
}

QTransform emfTransform(const EmfRecord& r, std::size_t offset) {
    return QTransform(r.f(offset), r.f(offset + 4), r.f(offset + 8), r.f(offset + 12),
                      r.f(offset + 16), r.f(offset + 20));
}

Raster emfBitmap(const EmfRecord& r, std::size_t offBmiField) {
    // Offsets in the record count from its start, 8 bytes before `data`.
    const std::size_t offBmi = r.u(offBmiField), cbBmi = r.u(offBmiField + 4);
    const std::size_t offBits = r.u(offBmiField + 8), cbBits = r.u(offBmiField + 12);
    if (offBmi < 8 || offBits < 8 || cbBmi == 0 || cbBits == 0) return Raster();
    if (offBmi - 8 + cbBmi > r.bytes || offBits - 8 + cbBits > r.bytes) return Raster();
    std::vector<std::uint8_t> packed(r.data + offBmi - 8, r.data + offBmi - 8 + cbBmi);
    packed.insert(packed.end(), r.data + offBits - 8, r.data + offBits - 8 + cbBits);
    return decodePackedDib(packed.data(), packed.size(), cbBmi);
}

// EMF records name the object-table slot they fill.
void storeEmfObject(Player& player, std::uint32_t index, const GdiObject& object) {
    if (index >= 65536) return;
    if (player.objects.size() <= index) player.objects.resize(index + 1);
    player.objects[index] = object;
}

GdiObject penObject(const QPen& pen) {
    GdiObject o;
    o.kind = GdiObject::Pen;
    o.pen = pen;
    return o;
}

void playEmfRecord(Player& player, const EmfRecord& r) {
    DcState& dc = player.dc;
    switch (r.type) {
    case 2:
        player.bezier(emfPoints(r, 20, r.u(16), false), false);
        break;
    case 85:
        player.bezier(emfPoints(r, 20, r.u(16), true), false);
        break;
    case 5:
        player.bezier(emfPoints(r, 20, r.u(16), false), true);
        break;
    case 88:
        player.bezier(emfPoints(r, 20, r.u(16), true), true);
        break;
    case 3:
        player.polygon(emfPoints(r, 20, r.u(16), false));
        break;
    case 86:
        player.polygon(emfPoints(r, 20, r.u(16), true));
        break;
    case 4:
        player.polyline(emfPoints(r, 20, r.u(16), false));
        break;
    case 87:
        player.polyline(emfPoints(r, 20, r.u(16), true));
        break;
    case 6:
    case 89: {
        QPolygonF points = emfPoints(r, 20, r.u(16), r.type == 89);
        if (points.isEmpty()) break;
        points.prepend(dc.position);
        player.polyline(points);
        dc.position = points.back();
        break;
    }
    case 7:
    case 90:
        for (const auto& p : emfPolyPoints(r, r.type == 90))
            player.polyline(p);
        break;
    case 8:
    case 91:
        player.polyPolygon(emfPolyPoints(r, r.type == 91));
        break;
    case 9:
        dc.windowExt = QPointF(r.i32(0), r.i32(4));
        break;
    case 10:
        dc.windowOrg = QPointF(r.i32(0), r.i32(4));
        break;
    case 11:
        dc.viewportExt = QPointF(r.i32(0), r.i32(4));
        break;
    case 12:
        dc.viewportOrg = QPointF(r.i32(0), r.i32(4));
        break;
    case 15:
        player.setPixel(QPointF(r.i32(0), r.i32(4)), r.u(8));
        break;
    case 17:
        dc.mapMode = r.i32(0);
        break;
    case 18:
        dc.opaqueBackground = r.i32(0) == 2;
        break;
    case 19:
        dc.fillRule = r.i32(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case 22:
        dc.textAlign = r.u(0);
        break;
    case 24:
        dc.textColour = colorOf(r.u(0));
        break;
    case 25:
        dc.backColour = colorOf(r.u(0));
        break;
    case 27:
        dc.position = QPointF(r.i32(0), r.i32(4));
        break;
    case 33:
        player.save();
        break;
    case 34:
        player.restore(r.i32(0));
        break;
    case 35:
        dc.world = emfTransform(r, 0);
        break;
    case 36: {
        const QTransform t = emfTransform(r, 0);
        switch (r.u(24)) {
        case 1:
            dc.world = QTransform();
            break; // MWT_IDENTITY
        case 2:
            dc.world = t * dc.world;
            break; // MWT_LEFTMULTIPLY
        case 3:
            dc.world = dc.world * t;
            break; // MWT_RIGHTMULTIPLY
        case 4:
            dc.world = t;
            break;
        default:
            break;
        }
        break;
    }
    case 37:
        player.select(r.u(0));
        break;
    case 38: // EMR_CREATEPEN: index, style, width (POINTL), colour
        storeEmfObject(player, r.u(0), penObject(penOf(r.u(4), r.i32(8), r.u(16))));
        break;
    case 95: // EMR_EXTCREATEPEN: index, offBmi, cbBmi, offBits, cbBits, style, width, brush style,
             // colour
        storeEmfObject(player, r.u(0), penObject(penOf(r.u(20), r.i32(24), r.u(32))));
        break;
    case 39: { // EMR_CREATEBRUSHINDIRECT: index, style, colour, hatch
        GdiObject o;
        o.kind = GdiObject::Brush;
        o.brush = brushOf(r.u(4), r.u(8));
        storeEmfObject(player, r.u(0), o);
        break;
    }
    case 82: { // EMR_EXTCREATEFONTINDIRECTW: index, LOGFONTW
        GdiObject o;
        o.kind = GdiObject::Font;
        o.fontHeight = r.i32(4);
        o.escapement = r.i32(12);
        o.font.setWeight(r.i32(20) >= 600 ? QFont::Bold : QFont::Normal);
        if (r.bytes >= 4 + 28 + 64) {
            o.font.setItalic(r.data[4 + 20] != 0);
            QString face;
            for (std::size_t i = 0; i < 32; ++i) {
                const char16_t c = static_cast<char16_t>(u16(r.data + 4 + 28 + 2 * i));
                if (!c) break;
                face += QChar(c);
            }
            if (!face.isEmpty()) o.font.setFamily(face);
        }
        storeEmfObject(player, r.u(0), o);
        break;
    }
    case 40:
        if (r.u(0) < player.objects.size()) player.objects[r.u(0)] = GdiObject();
        break;
    case 42:
        player.ellipse(QRectF(QPointF(r.i32(0), r.i32(4)), QPointF(r.i32(8), r.i32(12))));
        break;
    case 43:
        player.rectangle(QRectF(QPointF(r.i32(0), r.i32(4)), QPointF(r.i32(8), r.i32(12))));
        break;
    case 54:
        player.lineTo(QPointF(r.i32(0), r.i32(4)));
        break;
    case 83:
    case 84: { // EMR_EXTTEXTOUTA/W: bounds, mode, scales, then EMRTEXT at 28
        const QPointF at(r.i32(28), r.i32(32));
        const std::size_t chars = r.u(36), offString = r.u(40);
        if (offString < 8) break;
        const std::size_t start = offString - 8;
        const std::size_t bytes = chars * (r.type == 84 ? 2 : 1);
        if (chars > r.bytes || start + bytes > r.bytes) break;
        QString text;
        if (r.type == 84)
            for (std::size_t i = 0; i < chars; ++i)
                text += QChar(static_cast<char16_t>(u16(r.data + start + 2 * i)));
        else
            text = QString::fromLatin1(reinterpret_cast<const char*>(r.data + start),
                                       static_cast<qsizetype>(chars));
        player.text(at, text);
        break;
    }
    case 81: { // EMR_STRETCHDIBITS: bounds, xDest, yDest, xSrc, ySrc, cxSrc, cySrc, bmi/bits,
               // usage, rop, cxDest, cyDest
        const Raster bits = emfBitmap(r, 40);
        player.bitmap(QRectF(r.i32(16), r.i32(20), r.i32(64), r.i32(68)), bits,
                      QRectF(r.i32(24), r.i32(28), r.i32(32), r.i32(36)));
        break;
    }
    case 77: { // EMR_STRETCHBLT: bounds, xDest, yDest, cxDest, cyDest, rop, xSrc, ySrc, xform, bk,
               // usage, bmi/bits, cxSrc, cySrc
        const Raster bits = emfBitmap(r, 84);
        player.bitmap(QRectF(r.i32(16), r.i32(20), r.i32(24), r.i32(28)), bits,
                      QRectF(r.i32(36), r.i32(40), r.i32(100), r.i32(104)));
        break;
    }
    case 76: { // EMR_BITBLT: as STRETCHBLT without the source size
        const Raster bits = emfBitmap(r, 84);
        player.bitmap(QRectF(r.i32(16), r.i32(20), r.i32(24), r.i32(28)), bits,
                      QRectF(r.i32(36), r.i32(40), r.i32(24), r.i32(28)));
        break;
    }
    default:
        break;
    }
}

} // namespace

namespace {

QImage playWmf(const std::uint8_t* data, std::size_t size, VectorLayer* layer) {
    const std::uint8_t* p = data;
    const std::uint8_t* end = data + size;
    std::optional<QRectF> frame;
    double unitsPerInch = 0;
    if (size >= 22 && u32(data) == 0x9AC6CDD7u) {
        frame =
            QRectF(QPointF(s16(data + 6), s16(data + 8)), QPointF(s16(data + 10), s16(data + 12)));
        unitsPerInch = u16(data + 14);
        p += 22;
    }
    if (end - p < 18) throwTruncated();
    const int type = u16(p), headerWords = u16(p + 2);
    if ((type != 1 && type != 2) || headerWords != 9) throwCorrupt("not a metafile");
    p += 18;

    // Without a placeable header the picture's frame is the window the metafile sets up.
    if (!frame) {
        QPointF origin(0, 0), extent(0, 0);
        forEachWmfRecord(p, end, [&](const WmfRecord& r) {
            if (r.function == 0x020B && origin.isNull()) origin = QPointF(r.word(1), r.word(0));
            if (r.function == 0x020C && extent.isNull()) extent = QPointF(r.word(1), r.word(0));
        });
        if (extent.isNull()) throwCorrupt("metafile without picture size");
        frame = QRectF(origin, QSizeF(extent.x(), extent.y()));
    }
    const QRectF box = frame->normalized();
    const double pixelsPerUnit = unitsPerInch > 0 ? 96.0 / unitsPerInch : 1.0;
    const QSize picture = pictureSize(box.width() * pixelsPerUnit, box.height() * pixelsPerUnit);
    // Logical units map onto the picture; with window and viewport records the WMF's device
    // units are its logical units again, so both go through the frame.
    const QTransform toImage = frameToPicture(*frame, picture);
    const std::unique_ptr<QPaintDevice> recording =
        layer ? recordingDevice(*layer, picture, 96, true) : nullptr;
    Player player(picture.width(), picture.height(), toImage, recording.get());
    forEachWmfRecord(p, end, [&](const WmfRecord& r) {
        // WMF windows map straight onto the frame: keep the mapping mode plain.
        if (r.function == 0x020B || r.function == 0x020C || r.function == 0x020D ||
            r.function == 0x020E || r.function == 0x0103)
            return;
        playWmfRecord(player, r);
    });
    return player.finish();
}

} // namespace

bool isEnhancedMetafile(const std::uint8_t* data, std::size_t size) {
    return size >= 88 && u32(data) == 1 && u32(data + 40) == 0x464D4520u; // " EMF"
}

namespace {

QImage playEmf(const std::uint8_t* data, std::size_t size, VectorLayer* layer) {
    if (!isEnhancedMetafile(data, size)) throwCorrupt("not an enhanced metafile");
    const std::uint32_t headerSize = u32(data + 4);
    if (headerSize < 88 || headerSize > size) throwTruncated();
    const QRectF frame01mm(QPointF(s32(data + 24), s32(data + 28)),
                           QPointF(s32(data + 32), s32(data + 36)));
    const double devicePixelsX = s32(data + 72), devicePixelsY = s32(data + 76);
    const double deviceMmX = s32(data + 80), deviceMmY = s32(data + 84);
    if (devicePixelsX <= 0 || devicePixelsY <= 0 || deviceMmX <= 0 || deviceMmY <= 0)
        throwCorrupt("reference device");
    // The frame in reference-device pixels, and the picture at 96 dots per inch.
    const QRectF frame(QPointF(frame01mm.left() * devicePixelsX / (deviceMmX * 100),
                               frame01mm.top() * devicePixelsY / (deviceMmY * 100)),
                       QPointF(frame01mm.right() * devicePixelsX / (deviceMmX * 100),
                               frame01mm.bottom() * devicePixelsY / (deviceMmY * 100)));
    const QSize picture =
        pictureSize(frame01mm.width() * 96 / 2540, frame01mm.height() * 96 / 2540);
    if (!(std::abs(frame.width()) > 0) || !(std::abs(frame.height()) > 0))
        throwCorrupt("empty picture frame");
    const QTransform toImage = frameToPicture(frame, picture);
    const std::unique_ptr<QPaintDevice> recording =
        layer ? recordingDevice(*layer, picture, 96, true) : nullptr;
    Player player(picture.width(), picture.height(), toImage, recording.get());
    forEachEmfRecord(data + headerSize, data + size,
                     [&](const EmfRecord& r) { playEmfRecord(player, r); });
    return player.finish();
}

} // namespace

Raster decodeWmf(const std::uint8_t* data, std::size_t size) {
    return toRaster(playWmf(data, size, nullptr));
}

Raster decodeEmf(const std::uint8_t* data, std::size_t size) {
    return toRaster(playEmf(data, size, nullptr));
}

VectorLayer recordMetafile(const std::uint8_t* data, std::size_t size) {
    VectorLayer layer;
    if (isEnhancedMetafile(data, size))
        playEmf(data, size, &layer);
    else
        playWmf(data, size, &layer);
    return layer;
}

} // namespace quorvex
