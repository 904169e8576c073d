// The command-line digitizer on the chart corpus: points within half a pixel RMS of the true
// curves, covering at least 90 % of the examined columns.
#include "autodigit/command_line.h"
#include "charts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

struct Chart {
    QJsonObject json;
    QJsonObject calibration() const { return json["calibration"].toObject(); }
};

Chart loadChart(const char* name) {
    QFile f(chartFile(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return {QJsonDocument::fromJson(f.readAll()).object()};
}

struct Accuracy {
    double rmsPixels = 1e9;
    double coverage = 0;      // of the examined columns where the curve lies in examined rows
    double rangeCoverage = 0; // of the examined columns in the curve's x range, wherever it lies
    int points = 0;
};

// Runs the command line on a chart for one curve and measures the points against the truth.
Accuracy measure(const Chart& chart, int curveIndex, const QStringList& extra, int indent) {
    const QJsonObject c = chart.calibration();
    const QJsonObject area = chart.json["area"].toObject();
    const QJsonObject curve = chart.json["curves"].toArray()[curveIndex].toObject();
    const auto lb = c["pixel_left_bottom"].toArray(), rt = c["pixel_right_top"].toArray();
    auto num = [](double v) { return QString::number(v, 'g', 17); };
    QStringList args{chartFile(chart.json["image"].toString().toLatin1().constData()),
                     "--corners",
                     QString("%1,%2,%3,%4")
                         .arg(lb[0].toInt())
                         .arg(lb[1].toInt())
                         .arg(rt[0].toInt())
                         .arg(rt[1].toInt()),
                     "--values",
                     QStringList{num(c["x_left_bottom"].toDouble()),
                                 num(c["y_left_bottom"].toDouble()),
                                 num(c["x_right_top"].toDouble()), num(c["y_right_top"].toDouble())}
                         .join(','),
                     "--x-scale",
                     QString::number(c["x_transfer"].toInt()),
                     "--y-scale",
                     QString::number(c["y_transfer"].toInt()),
                     "--colour",
                     curve["colour"].toString(),
                     "--area",
                     QString("%1,%2,%3,%4")
                         .arg(area["left"].toInt())
                         .arg(area["top"].toInt())
                         .arg(area["right"].toInt())
                         .arg(area["bottom"].toInt()),
                     "--indent",
                     QString::number(indent)};
    args += extra;
    QString output, errors;
    QTextStream out(&output), err(&errors);
    EXPECT_EQ(runDigitizeCommand(args, out, err), 0) << errors.toStdString();

    // The truth, and the Y scale in pixels (in log units on a log10 axis).
    std::vector<std::pair<double, double>> truth;
    for (const auto& s : curve["truth"].toArray())
        truth.emplace_back(s.toArray()[0].toDouble(), s.toArray()[1].toDouble());
    const bool logY = c["y_transfer"].toInt() == 1;
    auto ty = [logY](double v) { return logY ? std::log10(v) : v; };
    const double pixelsPerUnit =
        (lb[1].toInt() - rt[1].toInt()) /
        (ty(c["y_right_top"].toDouble()) - ty(c["y_left_bottom"].toDouble()));
    auto trueY = [&truth](double x) {
        auto it = std::lower_bound(truth.begin(), truth.end(), std::make_pair(x, -1e300));
        if (it == truth.begin()) return it->second;
        if (it == truth.end()) return truth.back().second;
        const auto& a = *(it - 1);
        const auto& b = *it;
        return a.second + (b.second - a.second) * (x - a.first) / (b.first - a.first);
    };
    Accuracy result;
    double sum = 0;
    for (const QString& line : output.split('\n', Qt::SkipEmptyParts)) {
        const QStringList xy = line.split('\t');
        const double x = xy[0].toDouble(), y = xy[1].toDouble();
        const double e = (ty(y) - ty(trueY(x))) * pixelsPerUnit;
        sum += e * e;
        ++result.points;
    }
    // The columns the scan examines where the curve lies in the rows it examines.
    const double xlb = c["x_left_bottom"].toDouble(), xrt = c["x_right_top"].toDouble();
    const auto range = curve["x_range"].toArray();
    int columns = 0, inRange = 0;
    for (int p = area["left"].toInt() + indent + 1; p < area["right"].toInt() - indent - 1; ++p) {
        const double x = xlb + (p - lb[0].toInt()) * (xrt - xlb) / (rt[0].toInt() - lb[0].toInt());
        if (x < range[0].toDouble() || x > range[1].toDouble()) continue;
        ++inRange;
        const double row =
            lb[1].toInt() - (ty(trueY(x)) - ty(c["y_left_bottom"].toDouble())) * pixelsPerUnit;
        if (row >= area["top"].toInt() + indent + 1 && row <= area["bottom"].toInt() - indent - 2)
            ++columns;
    }
    result.rmsPixels = result.points ? std::sqrt(sum / result.points) : 1e9;
    result.coverage = double(result.points) / columns;
    result.rangeCoverage = double(result.points) / inRange;
    return result;
}

} // namespace

TEST(Corpus, CrispChartsWithinHalfAPixel) {
    const struct {
        const char* chart;
        int curve;
        QStringList extra;
    } cases[] = {
        {"lin_sine.json", 0, {}},
        {"bmp_logistic.json", 0, {}},
        {"two_curves_grid.json", 0, {}},
        {"two_curves_grid.json", 1, {}},
        {"logy_black_grid.json", 0, {"--grid-search", "5,5,3,3"}},
    };
    for (const auto& c : cases) {
        const Chart chart = loadChart(c.chart);
        ASSERT_FALSE(chart.json.isEmpty()) << "missing corpus chart " << c.chart;
        const Accuracy a = measure(chart, c.curve, c.extra, 3);
        EXPECT_LE(a.rmsPixels, 0.5) << c.chart << " curve " << c.curve;
        EXPECT_GE(a.coverage, 0.9)
            << c.chart << " curve " << c.curve << ": " << a.points << " points";
        std::printf("%s curve %d: %d points, RMS %.3f px, coverage %.3f\n", c.chart, c.curve,
                    a.points, a.rmsPixels, a.coverage);
    }
}

// Recognition by colour distance with sub-pixel points, on every kind of chart: within 0.3 pixels
// RMS (0.15 on the anti-aliased line), with a point in at least 90 % of the columns of the
// curve's x range, columns where it leaves the plot included.
TEST(Corpus, DistanceModeOnEveryChart) {
    const QStringList distance{"--mode", "distance", "--tolerance", "25", "--subpixel"};
    const struct {
        const char* chart;
        int curve;
        double rms;
        QStringList extra;
    } cases[] = {
        {"lin_sine.json", 0, 0.3, {}},
        {"aa_poly.json", 0, 0.15, {}},
        {"jpeg_damped.json", 0, 0.3, {}},
        {"two_curves_grid.json", 0, 0.3, {}},
        {"two_curves_grid.json", 1, 0.3, {}},
        {"bmp_logistic.json", 0, 0.3, {}},
        {"logy_black_grid.json", 0, 0.3, {"--grid-search", "5,5,3,3"}},
    };
    for (const auto& c : cases) {
        const Chart chart = loadChart(c.chart);
        ASSERT_FALSE(chart.json.isEmpty()) << "missing corpus chart " << c.chart;
        const Accuracy a = measure(chart, c.curve, distance + c.extra, 3);
        EXPECT_LE(a.rmsPixels, c.rms) << c.chart << " curve " << c.curve;
        EXPECT_GE(a.rangeCoverage, 0.9)
            << c.chart << " curve " << c.curve << ": " << a.points << " points";
        std::printf("distance %s curve %d: %d points, RMS %.3f px, coverage of the x range %.3f\n",
                    c.chart, c.curve, a.points, a.rmsPixels, a.rangeCoverage);
    }
}

TEST(CommandLine, BadArgumentsAndUnreadableImages) {
    const struct {
        QStringList args;
        int code;
    } cases[] = {
        {{}, 2},
        {{"x.png"}, 2},
        {{"x.png", "--corners", "1,2,3"}, 2},
        {{"x.png", "--corners", "0,10,10,0", "--values", "0,0,1,a"}, 2},
        {{"x.png", "--corners", "0,10,10,0", "--values", "0,0,1,1", "--mode", "fuzzy"}, 2},
        {{"x.png", "--corners", "0,10,10,0", "--values", "0,0,1,1", "--step", "0"}, 2},
        {{"x.png", "--corners", "0,10,10,0", "--values", "0,0,1,1", "--mode", "distance",
          "--tolerance", "101"},
         2},
        {{"x.png", "--corners", "0,10,10,0", "--values", "0,0,1,1", "--frobnicate"}, 2},
        {{"/nonexistent/x.png", "--corners", "0,10,10,0", "--values", "0,0,1,1"}, 1},
        {{chartFile("README.md"), "--corners", "0,10,10,0", "--values", "0,0,1,1"}, 1},
        {{chartFile("lin_sine.png"), "--corners", "0,10,10,0", "--values", "0,0,1,1", "--grid-rows",
          "5 a"},
         2},
    };
    for (const auto& c : cases) {
        QString output, errors;
        QTextStream out(&output), err(&errors);
        EXPECT_EQ(runDigitizeCommand(c.args, out, err), c.code) << c.args.join(' ').toStdString();
        EXPECT_FALSE(errors.isEmpty());
        if (c.code == 2) {
            EXPECT_TRUE(errors.contains("usage:"));
        }
    }
}

TEST(CommandLine, HelpVersionAndAnEmptyResult) {
    const struct {
        QStringList args;
        QString out, err;
    } cases[] = {
        {{"--help"}, "usage: quorvex-digitize", ""},
        {{"-h"}, "usage: quorvex-digitize", ""},
        {{"--version"}, "quorvex-digitize 2.16\n", ""},
        // A curve colour that no pixel of the chart has.
        {{chartFile("lin_sine.png"), "--corners", "98,525,733,62", "--values", "0,-1.5,10,1.5",
          "--colour", "0x00123456"},
         "",
         "no points found"},
    };
    for (const auto& c : cases) {
        QString output, errors;
        QTextStream out(&output), err(&errors);
        EXPECT_EQ(runDigitizeCommand(c.args, out, err), 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(c.out.isEmpty() ? output.isEmpty() : output.startsWith(c.out))
            << output.toStdString();
        EXPECT_TRUE(c.err.isEmpty() ? errors.isEmpty() : errors.contains(c.err))
            << errors.toStdString();
    }
}
