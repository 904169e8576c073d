// The Grapher's logic: series order, ranges and ticks, the mapping, the size rules, the Table
// rows of a point, and the chart drawn and written as a picture.
#include "core/numbers.h"
#include "grapher/chart.h"
#include "grapher/chart_painter.h"
#include "grapher/chart_picture.h"
#include "grapher/grapher_table.h"
#include "image/emf_writer.h"
#include "image/image_file.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

std::vector<std::pair<double, double>> xy(const ChartSeries& s) {
    std::vector<std::pair<double, double>> out;
    for (const ChartPoint& p : s.points())
        out.emplace_back(p.x, p.y);
    return out;
}

void fill(Table& t, const std::vector<std::pair<QString, QString>>& rows, int curve = 1) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        t.setCell(2 * curve - 1, int(i) + 1, rows[i].first);
        t.setCell(2 * curve, int(i) + 1, rows[i].second);
    }
}

} // namespace

TEST(ChartSeries, AscendingXOrTheOrderPointsCame) {
    ChartSeries ascending, tableOrder;
    tableOrder.setKeepsAscendingX(false);
    for (auto [x, y] : {std::pair{3.0, 1.0}, {1.0, 2.0}, {2.0, 3.0}, {1.0, 4.0}}) {
        ascending.add(x, y, kRed);
        tableOrder.add(x, y, kRed);
    }
    EXPECT_EQ(xy(ascending), (std::vector<std::pair<double, double>>{
                                 {1, 2}, {1, 4}, {2, 3}, {3, 1}})); // equal X in arrival order
    EXPECT_EQ(xy(tableOrder),
              (std::vector<std::pair<double, double>>{{3, 1}, {1, 2}, {2, 3}, {1, 4}}));
    ascending.remove(0);
    EXPECT_EQ(ascending.points().front().y, 4);
    ascending.clear();
    EXPECT_TRUE(ascending.isEmpty());
}

TEST(ChartAxes, RangesTicksAndMapping) {
    ChartSeries s;
    for (double x : {-1.0, 0.0, 5.0})
        s.add(x, x * 2, kRed);
    const auto x = xRange(s), y = yRange(s);
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->min, -1);
    EXPECT_EQ(x->max, 5);
    EXPECT_FALSE(xRange(s, true)->min <= 0); // a log axis leaves out values of 0 and below
    ChartSeries single;
    single.add(2, 2, kRed);
    EXPECT_LT(xRange(single)->min, 2);
    EXPECT_GT(xRange(single)->max, 2);

    const AxisTicks t = linearTicks({0, 10}, 5);
    EXPECT_EQ(t.major, (std::vector<double>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(t.minor.size(), 20u); // four between two majors
    const AxisTicks decades = logTicks({1, 1000}, 5);
    EXPECT_EQ(decades.major, (std::vector<double>{1, 10, 100, 1000}));

    const ChartMapping m(QRectF(100, 50, 400, 200), {0, 10}, {0, 100}, false, false);
    EXPECT_EQ(m.toPixel(0, 0), QPointF(100, 250));
    EXPECT_EQ(m.toPixel(10, 100), QPointF(500, 50));
    EXPECT_DOUBLE_EQ(m.xAt(300), 5);
    EXPECT_DOUBLE_EQ(m.yAt(150), 50);
    const ChartMapping logX(QRectF(0, 0, 300, 100), {1, 1000}, {0, 1}, true, false);
    EXPECT_DOUBLE_EQ(logX.xToPixel(10), 100);
    EXPECT_NEAR(logX.xAt(200), 100, 1e-9);
}

TEST(ChartAxes, ThePointNearAClick) {
    ChartSeries s;
    s.add(0, 0, kRed);
    s.add(5, 5, kRed);
    const ChartMapping m(QRectF(0, 0, 100, 100), {0, 10}, {0, 10}, false, false);
    EXPECT_EQ(pointNear(s, m, QPointF(51, 49), 4), 1);
    EXPECT_EQ(pointNear(s, m, QPointF(1, 99), 4), 0);
    EXPECT_FALSE(pointNear(s, m, QPointF(30, 30), 4));
}

TEST(Grapher, SizeRulesAndTheLogarithmicCheck) {
    EXPECT_EQ(decreasedSize(1), 1);
    EXPECT_EQ(decreasedSize(2), 1);
    EXPECT_EQ(decreasedSize(5), 4);
    EXPECT_EQ(increasedSize(1), 2);
    EXPECT_FALSE(logarithmicAllowed(-1));
    EXPECT_FALSE(logarithmicAllowed(0));
    EXPECT_TRUE(logarithmicAllowed(0.001));
}

TEST(GrapherTable, PointsOfThePairInTableOrder) {
    Table t;
    fill(t, {{"1", "2"}, {"", ""}, {"0.5", "7"}});
    ChartSeries s;
    s.setKeepsAscendingX(false);
    EXPECT_EQ(addPairPoints(t, 1, s, makeColour(0, 0, 255), '.', nullptr), TableOutcome::Done);
    EXPECT_EQ(xy(s), (std::vector<std::pair<double, double>>{{1, 2}, {0.5, 7}}));
    EXPECT_EQ(s.points().front().colour, makeColour(0, 0, 255));
    Table half;
    fill(half, {{"1", "2"}, {"3", ""}});
    ChartSeries partial;
    EXPECT_THROW(addPairPoints(half, 1, partial, kRed, '.', nullptr), ConversionError);
    EXPECT_EQ(partial.size(), 1); // the points before the failure stay
}

TEST(GrapherTable, RemovingTheRowOfAPoint) {
    Table t;
    t.setPairCount(2);
    fill(t, {{"1", "2"}, {"X1", "2"}, {"3", "4"}, {"1", "2"}, {"5", "6"}});
    t.setCell(3, 2, "other pair");
    t.setNextRow(1, 6);
    EXPECT_EQ(rowOfPoint(t, 1, 1, 2, '.'), 4); // the last match
    EXPECT_EQ(rowOfPoint(t, 1, 9, 9, '.'), 0);
    removePairRow(t, 1, 4);
    EXPECT_EQ(t.cell(1, 4), "5");
    EXPECT_EQ(t.cell(2, 4), "6");
    EXPECT_TRUE(t.isEmpty(1, 5));
    EXPECT_EQ(t.nextRow(1), 5);
    EXPECT_EQ(t.cell(3, 2), "other pair");
    EXPECT_EQ(rowOfPoint(t, 1, 1, 2, '.'), 1);
}

TEST(GrapherTable, MovingAPointRewritesEveryMatchingRow) {
    Table t;
    fill(t, {{"1", "2"}, {"3", "4"}, {"1", "2"}});
    const std::vector<int> moved = movePairPoint(t, 1, 1, 2, 1.5, 2.5, '.', nullptr);
    EXPECT_EQ(moved, (std::vector<int>{1, 3}));
    EXPECT_EQ(t.cell(1, 1), "1.5");
    EXPECT_EQ(t.cell(2, 3), "2.5");
    EXPECT_EQ(t.cell(1, 2), "3");
}

// A row that is no number ends the move before any row is rewritten.
TEST(GrapherTable, AMoveThatCannotReadARowChangesNothing) {
    Table t;
    fill(t, {{"1", "2"}, {"3", "4"}, {"1", "2"}, {"5", "y?"}});
    EXPECT_THROW(movePairPoint(t, 1, 1, 2, 1.5, 2.5, '.', nullptr), ConversionError);
    EXPECT_EQ(t.cell(1, 1), "1");
    EXPECT_EQ(t.cell(1, 3), "1");
}

// The type chosen in the dialog decides; the name's extension follows it.
TEST(ChartPicture, TheChosenTypeDecidesTheExtension) {
    const struct {
        const char* path;
        ChartPictureType type;
        const char* written;
    } cases[] = {
        {"/d/chart.png", ChartPictureType::Metafile, "/d/chart.wmf"},
        {"/d/chart.png", ChartPictureType::Bitmap, "/d/chart.bmp"},
        {"/d/chart", ChartPictureType::Bitmap, "/d/chart.bmp"},
        {"/d/chart.EMF", ChartPictureType::Metafile, "/d/chart.EMF"},
        {"/d/chart.wmf", ChartPictureType::Bitmap, "/d/chart.bmp"},
        {"/d.x/chart", ChartPictureType::Metafile, "/d.x/chart.wmf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chartPictureName(c.path, c.type), c.written) << c.path;
    // What is written is of the chosen type whatever the name.
    ChartSeries s;
    s.add(1, 1, kRed);
    s.add(2, 3, kRed);
    QTemporaryDir dir;
    const QString bitmap = dir.filePath("as-bitmap.wmf"), metafile = dir.filePath("as-meta.bmp");
    saveChartPicture(ChartLook(), s, nullptr, QSize(120, 80), bitmap, ChartPictureType::Bitmap);
    saveChartPicture(ChartLook(), s, nullptr, QSize(120, 80), metafile, ChartPictureType::Metafile);
    QFile b(bitmap), m(metafile);
    ASSERT_TRUE(b.open(QIODevice::ReadOnly) && m.open(QIODevice::ReadOnly));
    EXPECT_TRUE(b.read(2) == "BM");
    const QByteArray head = m.read(44);
    EXPECT_EQ(head.mid(40, 4), QByteArray(" EMF"));
}

// The chart drawn into an image and written as an enhanced metafile: our own metafile reader
// reads the picture back with the curve's points and the frame where they were drawn.
TEST(ChartPicture, MetafileReadsBackLikeTheImage) {
    ChartSeries s;
    for (int i = 0; i <= 20; ++i)
        s.add(i, std::sin(i / 3.0), kRed);
    ChartLook look;
    look.symbolSize = 3;
    const QSize size(400, 300);
    const ChartLayout layout(look, s, QRectF(QPointF(0, 0), QSizeF(size)));
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter p(&image);
        paintChart(p, layout, look, s, nullptr);
    }
    EmfDevice emf(size);
    {
        QPainter p(&emf);
        paintChart(p, layout, look, s, nullptr);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.wmf");
    emf.save(path);
    const Raster back = readBuiltIn(path); // the ".wmf" name holds enhanced-metafile records
    ASSERT_EQ(back.width(), size.width());
    ASSERT_EQ(back.height(), size.height());
    // Every point's centre is red in both pictures.
    for (const ChartPoint& p : s.points()) {
        const QPoint at = layout.mapping().toPixel(p.x, p.y).toPoint();
        EXPECT_EQ(image.pixel(at), qRgb(255, 0, 0)) << p.x;
        const Colour c = back.pixel(at.x(), at.y());
        EXPECT_EQ(c, kRed) << p.x;
    }
    // The axes' corner is black in both.
    const QPoint corner = layout.mapping().plot().bottomLeft().toPoint();
    EXPECT_EQ(image.pixel(corner), qRgb(0, 0, 0));
    EXPECT_EQ(back.pixel(corner.x(), corner.y()), kBlack);
}

// Symbols stamped straight into a chart image look as the painter draws them elsewhere: the
// same chart painted into an image the painter must draw through (non-premultiplied) differs by
// rounding at most. Points of two colours overlap, so the blend of the markers' edges counts.
TEST(ChartPicture, StampedSymbolsLookAsDrawnOnes) {
    ChartSeries s;
    for (int i = 0; i <= 60; ++i)
        s.add(i * 0.1, std::cos(i * 0.1), i % 3 == 0 ? makeColour(0, 0, 255) : kRed);
    ChartLook look;
    look.symbolSize = 4;
    const QSize size(300, 200);
    const ChartLayout layout(look, s, QRectF(QPointF(0, 0), QSizeF(size)));
    auto paint = [&](QImage::Format format) {
        QImage image(size, format);
        QPainter p(&image);
        paintChart(p, layout, look, s, nullptr);
        p.end();
        return image.convertToFormat(QImage::Format_ARGB32);
    };
    const QImage stamped = paint(QImage::Format_ARGB32_Premultiplied);
    const QImage drawn = paint(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb a = stamped.pixel(x, y), b = drawn.pixel(x, y);
            const int most = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))});
            ASSERT_LE(most, 2) << x << "," << y;
            if (a != b) ++differing;
        }
    // Most symbol pixels are the same exactly.
    EXPECT_LT(differing, 200);
    // The last symbol is blue and drawn last, so nothing covers its centre whatever the fonts
    // make of the plot area's size.
    const QPoint centre = layout.mapping().toPixel(6.0, std::cos(6.0)).toPoint();
    EXPECT_EQ(stamped.pixel(centre), qRgb(0, 0, 255));
}
