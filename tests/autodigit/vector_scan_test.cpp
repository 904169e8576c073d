// Curves read from the paths of a vector picture: layers built by hand, and the shared matplotlib
// figures (PDF and SVG) against their truth.
#include "autodigit/command_line.h"
#include "autodigit/vector_scan.h"
#include "charts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

constexpr Colour kCurve = makeColour(200, 0, 0);

VectorPath stroked(const QPainterPath& path, Colour colour) {
    VectorPath p;
    p.path = path;
    p.stroked = true;
    p.stroke = colour;
    p.width = 2;
    return p;
}

QPainterPath polyline(std::initializer_list<QPointF> points) {
    QPainterPath path(*points.begin());
    for (auto it = points.begin() + 1; it != points.end(); ++it)
        path.lineTo(*it);
    return path;
}

ScanSettings settingsFor(Colour colour) {
    ScanSettings s;
    s.recognition.mode = RecognitionMode::Vector;
    s.recognition.curve = colour;
    s.recognition.tolerance = 10;
    s.area = ScanArea{100, 50, 700, 450};
    return s;
}

// A plot at 144 dpi: the frame, grid lines, ticks and a legend box with a sample line and a
// sample marker, all in the curve colour, around one curve and three markers.
VectorLayer plot() {
    VectorLayer layer;
    layer.dpi = 144;
    QPainterPath frame;
    frame.addRect(QRectF(100, 50, 600, 400));
    layer.paths.push_back(stroked(frame, kCurve));
    for (double y : {150.0, 250.0, 350.0})
        layer.paths.push_back(stroked(polyline({{100, y}, {700, y}}), kCurve));
    for (double x : {100.0, 250.0, 400.0})
        layer.paths.push_back(stroked(polyline({{x, 450}, {x, 460}}), kCurve)); // ticks
    layer.paths.push_back(
        stroked(polyline({{110.5, 400.25}, {300.125, 120}, {650, 300.5}}), kCurve));
    for (QPointF centre : {QPointF(200.25, 200.5), QPointF(420, 330.75), QPointF(600.5, 100)}) {
        QPainterPath circle;
        circle.addEllipse(centre, 6, 6);
        VectorPath marker = stroked(circle, kCurve);
        marker.filled = true;
        marker.fill = kCurve;
        layer.paths.push_back(marker);
    }
    // Text in the curve colour: a glyph is a filled shape taller than wide.
    QPainterPath glyph;
    glyph.addRect(QRectF(300, 420, 6, 14));
    VectorPath text;
    text.path = glyph;
    text.filled = true;
    text.fill = kCurve;
    layer.paths.push_back(text);
    // The legend: a white box with a sample of the line and a marker.
    QPainterPath box;
    box.addRect(QRectF(500, 380, 150, 50));
    VectorPath legend;
    legend.path = box;
    legend.filled = true;
    legend.fill = kWhite;
    layer.paths.push_back(legend);
    layer.paths.push_back(stroked(polyline({{510, 400}, {530, 410}, {550, 400}}), kCurve));
    QPainterPath sample;
    sample.addEllipse(QPointF(560, 415), 6, 6);
    layer.paths.push_back(stroked(sample, kCurve));
    return layer;
}

} // namespace

TEST(VectorScan, TheCurvesVerticesAndTheMarkersCentresAndNothingElse) {
    const std::vector<QPointF> points = vectorCurvePoints(plot(), settingsFor(kCurve));
    const std::vector<QPointF> expected{{110.5, 400.25}, {200.25, 200.5}, {300.125, 120},
                                        {420, 330.75},   {600.5, 100},    {650, 300.5}};
    ASSERT_EQ(points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(points[i].x(), expected[i].x(), 1e-9) << i;
        EXPECT_NEAR(points[i].y(), expected[i].y(), 1e-9) << i;
    }
    EXPECT_TRUE(vectorCurvePoints(plot(), settingsFor(makeColour(0, 0, 200))).empty());
}

TEST(VectorScan, EveryStepFollowsTheSegments) {
    VectorLayer layer;
    layer.dpi = 72;
    layer.paths.push_back(stroked(polyline({{100, 400}, {300, 200}, {500, 300}}), kCurve));
    ScanSettings s = settingsFor(kCurve);
    s.recognition.everyStep = true;
    s.step = 50;
    const std::vector<QPointF> points = vectorCurvePoints(layer, s);
    ASSERT_EQ(points.size(), 9u); // x = 100, 150, ..., 500
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double x = 100 + 50.0 * static_cast<double>(i);
        EXPECT_DOUBLE_EQ(points[i].x(), x);
        EXPECT_DOUBLE_EQ(points[i].y(), x <= 300 ? 400 - (x - 100) : 200 + (x - 300) / 2);
    }
}

TEST(VectorScan, ManyValuedKeepsTheDrawingOrder) {
    VectorLayer layer;
    layer.dpi = 72;
    layer.paths.push_back(stroked(polyline({{400, 100}, {200, 200}, {400, 300}}), kCurve));
    ScanSettings s = settingsFor(kCurve);
    s.oneValued = false;
    const std::vector<QPointF> points = vectorCurvePoints(layer, s);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1], QPointF(200, 200));
    s.oneValued = true;
    const std::vector<QPointF> one = vectorCurvePoints(layer, s);
    ASSERT_EQ(one.size(), 2u); // one point per X, the first path's
    EXPECT_EQ(one[0], QPointF(200, 200));
    EXPECT_EQ(one[1], QPointF(400, 100));
}

// The shared matplotlib figures: every curve and marker series, from the PDF and from the SVG,
// within 1e-5 of the axis range of the truth.
TEST(VectorScan, MatplotlibFiguresGiveTheirDataExactly) {
    for (const char* figure : {"vec_three_legend", "vec_markers_logy"}) {
        const QString base = chartFile("vector/") + QString::fromLatin1(figure);
        QFile sidecar(base + ".json");
        ASSERT_TRUE(sidecar.open(QIODevice::ReadOnly)) << figure;
        const QJsonObject truth = QJsonDocument::fromJson(sidecar.readAll()).object();
        const QJsonObject cal = truth["calibration"].toObject();
        const double dpi = 200;
        const auto pixel = [dpi](const QJsonValue& v) {
            return QPointF(v[0].toDouble() * dpi / 72 - 0.5, v[1].toDouble() * dpi / 72 - 0.5);
        };
        const QPointF lb = pixel(cal["page_left_bottom"]), rt = pixel(cal["page_right_top"]);
        const bool logY = cal["y_transfer"].toInt() == 1;
        const QJsonObject axes = truth["axes"].toObject();
        const double xRange = axes["xlim"][1].toDouble() - axes["xlim"][0].toDouble();
        const auto ty = [logY](double y) { return logY ? std::log10(y) : y; };
        const double yRange = ty(axes["ylim"][1].toDouble()) - ty(axes["ylim"][0].toDouble());
        for (const char* kind : {".pdf", ".svg"}) {
            for (const QJsonValue& curveValue : truth["curves"].toArray()) {
                const QJsonObject curve = curveValue.toObject();
                SCOPED_TRACE(std::string(figure) + kind + " " +
                             curve["function"].toString().toStdString());
                const QStringList args{base + kind,
                                       "--dpi",
                                       "200",
                                       "--corners",
                                       QStringLiteral("%1,%2,%3,%4")
                                           .arg(lb.x(), 0, 'g', 17)
                                           .arg(lb.y(), 0, 'g', 17)
                                           .arg(rt.x(), 0, 'g', 17)
                                           .arg(rt.y(), 0, 'g', 17),
                                       "--values",
                                       QStringLiteral("%1,%2,%3,%4")
                                           .arg(cal["x_left_bottom"].toDouble(), 0, 'g', 17)
                                           .arg(cal["y_left_bottom"].toDouble(), 0, 'g', 17)
                                           .arg(cal["x_right_top"].toDouble(), 0, 'g', 17)
                                           .arg(cal["y_right_top"].toDouble(), 0, 'g', 17),
                                       "--y-scale",
                                       QString::number(cal["y_transfer"].toInt()),
                                       "--colour",
                                       curve["colour"].toString(),
                                       "--mode",
                                       "vector",
                                       "--tolerance",
                                       "10",
                                       "--many-valued"};
                QString out, err;
                QTextStream outStream(&out), errStream(&err);
                ASSERT_EQ(runDigitizeCommand(args, outStream, errStream), 0) << err.toStdString();
                outStream.flush();
                const QJsonArray xs = curve["x"].toArray(), ys = curve["y"].toArray();
                const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
                ASSERT_GE(lines.size(), curve["style"].toString() == "markers" ? xs.size() : 10);
                double worst = 0;
                for (const QString& line : lines) {
                    const double x = line.section('\t', 0, 0).toDouble();
                    const double y = line.section('\t', 1, 1).toDouble();
                    double best = 1e300;
                    for (qsizetype i = 0; i < xs.size(); ++i)
                        best = std::min(best,
                                        std::max(std::abs(xs[i].toDouble() - x) / xRange,
                                                 std::abs(ty(ys[i].toDouble()) - ty(y)) / yRange));
                    worst = std::max(worst, best);
                }
                EXPECT_LE(worst, 1e-5);
            }
        }
    }
}
