// PDF and SVG pages written by the tests (QPdfWriter, QSvgGenerator): their paths come back in
// the pixel coordinates of the rendered page, and broken files are refused with their reason.
#include "core/messages.h"
#include "image/image_error.h"
#include "image/vector_page.h"
#include "test_paths.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace quorvex;

namespace {

constexpr double kPageWidth = 200, kPageHeight = 100; // points

// The drawing of every test page, in points: a red polyline, a blue Bezier curve, a dashed grey
// grid line and a filled green square.
void drawFigure(QPainter& painter) {
    painter.setPen(QPen(QColor(255, 0, 0), 1.5));
    painter.drawPolyline(QPolygonF{{10.25, 80.5}, {50, 20}, {90.75, 60}, {150, 30.5}});
    QPainterPath curve(QPointF(20, 90));
    curve.cubicTo(60, 10, 120, 10, 180, 90);
    painter.setPen(QPen(QColor(0, 0, 255), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    QPen dashed(QColor(128, 128, 128), 0.5, Qt::DashLine);
    painter.setPen(dashed);
    painter.drawLine(QPointF(0, 50), QPointF(200, 50));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 160, 0));
    painter.drawRect(QRectF(160, 60, 10, 10));
}

// A label in the test's own font, so that no font of the machine is needed.
void drawLabel(QPainter& painter) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(20, 15), QStringLiteral("1000"));
}

QString writePdf(const QString& path, int pages) {
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(kPageWidth, kPageHeight), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        drawFigure(painter);
        drawLabel(painter);
    }
    return path;
}

QString writeSvg(const QString& path) {
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(QSize(200, 100));
    generator.setViewBox(QRectF(0, 0, kPageWidth, kPageHeight));
    QPainter painter(&generator);
    drawFigure(painter);
    return path;
}

// The pixel of a page point at the resolution.
QPointF pixelOf(QPointF point, double dpi) {
    return point * (dpi / 72) - QPointF(0.5, 0.5);
}

const VectorPath* pathStrokedIn(const VectorLayer& layer, Colour colour) {
    for (const VectorPath& p : layer.paths)
        if (p.stroked && p.stroke == colour) return &p;
    return nullptr;
}

void expectFigure(const VectorLayer& layer, double dpi) {
    const VectorPath* red = pathStrokedIn(layer, makeColour(255, 0, 0));
    ASSERT_NE(red, nullptr);
    const QPointF corners[] = {{10.25, 80.5}, {50, 20}, {90.75, 60}, {150, 30.5}};
    ASSERT_EQ(red->path.elementCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const QPointF expected = pixelOf(corners[i], dpi);
        EXPECT_NEAR(red->path.elementAt(i).x, expected.x(), 1e-3) << i;
        EXPECT_NEAR(red->path.elementAt(i).y, expected.y(), 1e-3) << i;
    }
    EXPECT_NEAR(red->width, 1.5 * dpi / 72, 1e-3);
    EXPECT_FALSE(red->dashed);
    const VectorPath* blue = pathStrokedIn(layer, makeColour(0, 0, 255));
    ASSERT_NE(blue, nullptr);
    EXPECT_TRUE(blue->path.elementAt(1).isCurveTo()) << "the curve stays a curve";
    const QPointF end = pixelOf({180, 90}, dpi);
    EXPECT_NEAR(blue->path.currentPosition().x(), end.x(), 1e-3);
    EXPECT_NEAR(blue->path.currentPosition().y(), end.y(), 1e-3);
    const VectorPath* grid = pathStrokedIn(layer, makeColour(128, 128, 128));
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->dashed);
    bool square = false;
    for (const VectorPath& p : layer.paths)
        if (p.filled && p.fill == makeColour(0, 160, 0)) {
            square = true;
            const QRectF box = p.path.boundingRect();
            EXPECT_NEAR(box.left(), pixelOf({160, 60}, dpi).x(), 1e-3);
            EXPECT_NEAR(box.bottom(), pixelOf({170, 70}, dpi).y(), 1e-3);
        }
    EXPECT_TRUE(square);
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(VectorPage, APdfPageRecordsItsPathsInPixels) {
    QTemporaryDir dir;
    const VectorFile file(writePdf(dir.filePath("figure.pdf"), 2));
    EXPECT_EQ(file.kind(), VectorKind::Pdf);
    EXPECT_EQ(file.pageCount(), 2);
    EXPECT_NEAR(file.pageSize(2).width(), kPageWidth, 1e-6);
    EXPECT_NEAR(file.pageSize(2).height(), kPageHeight, 1e-6);
    for (double dpi : {72.0, 144.0, 200.0}) {
        SCOPED_TRACE(dpi);
        expectFigure(file.record(2, dpi), dpi);
    }
    // The label's text with its box, where it was drawn (baseline at 15 points).
    const VectorLayer layer = file.record(1, 144);
    ASSERT_EQ(layer.texts.size(), 1u);
    EXPECT_EQ(layer.texts[0].text, QStringLiteral("1000"));
    EXPECT_NEAR(layer.texts[0].box.left(), pixelOf({20, 15}, 144).x(), 2);
    EXPECT_GT(layer.texts[0].box.bottom(), pixelOf({20, 12}, 144).y());
    EXPECT_LT(layer.texts[0].box.top(), pixelOf({20, 14}, 144).y());
    const Raster raster = file.render(1, 144);
    EXPECT_EQ(raster.width(), 400);
    EXPECT_EQ(raster.height(), 200);
    EXPECT_EQ(raster.format(), PixelFormat::Bit24);
    EXPECT_EQ(raster.pixel(330, 130), makeColour(0, 160, 0)); // inside the square
    EXPECT_EQ(raster.pixel(5, 5), kWhite);
}

TEST(VectorPage, AnSvgDrawingRecordsTheSamePaths) {
    QTemporaryDir dir;
    const VectorFile file(writeSvg(dir.filePath("figure.svg")));
    EXPECT_EQ(file.kind(), VectorKind::Svg);
    EXPECT_EQ(file.pageCount(), 1);
    expectFigure(file.record(1, 144), 144);
    const Raster raster = file.render(1, 144);
    EXPECT_EQ(raster.width(), 400);
    EXPECT_EQ(raster.pixel(330, 130), makeColour(0, 160, 0));
}

// A compressed SVG (.svgz) is read by its content.
TEST(VectorPage, ACompressedSvgOpens) {
    QTemporaryDir dir;
    QFile plain(writeSvg(dir.filePath("figure.svg")));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    const QByteArray text = plain.readAll();
    const QString path = dir.filePath("figure.svgz");
    gzFile out = gzopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(gzwrite(out, text.constData(), static_cast<unsigned>(text.size())), text.size());
    gzclose(out);
    EXPECT_EQ(vectorKindOfFile(path), VectorKind::Svg);
    expectFigure(VectorFile(path).record(1, 144), 144);
}

TEST(VectorPage, BrokenFilesAreRefusedWithTheirReason) {
    QTemporaryDir dir;
    const QByteArray good = [&] {
        QFile f(writePdf(dir.filePath("good.pdf"), 1));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    // A document whose user password is not empty, and one without pages.
    const QByteArray encrypted =
        "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
        "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
        "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 100 100]>>endobj\n"
        "4 0 obj<</Filter/Standard/V 1/R 2/O<" +
        QByteArray(64, 'a') + ">/U<" + QByteArray(64, 'b') +
        ">/P -4>>endobj\ntrailer<</Root 1 0 R/Encrypt 4 0 R/ID[<0123456789abcdef0123456789abcdef>"
        "<0123456789abcdef0123456789abcdef>]>>\n%%EOF\n";
    const QByteArray empty = "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                             "2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\n"
                             "trailer<</Root 1 0 R>>\n%%EOF\n";
    const struct {
        const char* name;
        QByteArray bytes;
        Msg reason;
    } cases[] = {
        {"damaged.pdf", "%PDF-1.7\nnothing of a PDF follows", Msg::ImageCorrupt},
        {"truncated.pdf", good.left(40), Msg::ImageCorrupt},
        {"locked.pdf", encrypted, Msg::PdfLocked},
        {"empty.pdf", empty, Msg::VectorNoPage},
        {"broken.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=", Msg::ImageCorrupt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        writeBytes(path, c.bytes);
        try {
            VectorFile file(path);
            ADD_FAILURE() << "opened";
        } catch (const ImageError& error) {
            EXPECT_TRUE(
                error.message().startsWith(message(Msg::ImageReadFailed).arg(path, QString())))
                << error.message().toStdString();
            const QString reason = message(c.reason).section(QLatin1Char('('), 0, 0).trimmed();
            EXPECT_TRUE(error.message().contains(reason)) << error.message().toStdString();
        }
    }
}

TEST(VectorPage, TheResolutionIsLoweredToFitTheRasterLimit) {
    const QSizeF page(kPageWidth * 50, kPageHeight * 50); // a poster
    const double dpi = fittingDpi(page, 2400);
    EXPECT_LT(dpi, 2400);
    EXPECT_LE(page.width() * dpi / 72 * page.height() * dpi / 72,
              static_cast<double>(kMaxRasterPixels));
    EXPECT_EQ(fittingDpi(QSizeF(kPageWidth, kPageHeight), 200), 200);
}

// A PDF whose damaged font made poppler's QPainter back end crash (found by fuzzing): its paths
// are recorded without drawing its glyphs.
TEST(VectorPage, ADamagedFontDoesNotStopThePaths) {
    const VectorFile file(QStringLiteral(QUORVEX_TEST_DATA "/vector/damaged_font.pdf"));
    const VectorLayer layer = file.record(1, 72);
    EXPECT_EQ(layer.dpi, 72);
    EXPECT_FALSE(file.render(1, 36).isEmpty());
}
