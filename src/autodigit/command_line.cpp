#include "autodigit/command_line.h"

#include "autodigit/engine.h"
#include "core/atomic_file.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "image/image_error.h"
#include "image/image_file.h"
#include "tools/calibration.h"

#include <QFileInfo>
#include <array>
#include <optional>

namespace quorvex {

QString digitizeUsage() {
    return QStringLiteral(
        "usage: quorvex-digitize IMAGE --corners XLB,YLB,XRT,YRT --values XLB,YLB,XRT,YRT\n"
        "       quorvex-digitize --help | --version\n"
        "    [--x-scale N] [--y-scale N]        transfer function index 0..8, default 0\n"
        "    [--colour 0xBBGGRR]                curve colour, default 0 (black)\n"
        "    [--area L,T,R,B]                   default: the calibration rectangle\n"
        "    [--step S] [--indent B]            defaults 1 and 0\n"
        "    [--mode exact|interval|closest|brightness|black|distance] [--interval N]\n"
        "    [--side left|both|right] [--brightness MAX]\n"
        "    [--tolerance T] [--subpixel]       distance mode: CIELAB distance 0..100 (default\n"
        "                                       25), points at the curve's fractional centre\n"
        "    [--correction K | --no-correction] default: self-correction with K = 15\n"
        "    [--many-valued [--thickness T]]    default: one point per column\n"
        "    [--grid-search FH,FV,WH,WV]        automatic grid exclusion (factors and widths)\n"
        "    [--grid-rows \"R1 R2 ...\"] [--grid-columns \"C1 C2 ...\"] [--grid-width WH,WV]\n"
        "    [-o FILE]                          default: standard output\n"
        "Pixel corners and areas are image pixels with rows counted from the top; typed grid rows\n"
        "are counted from the bottom edge.\n");
}

namespace {

struct BadArguments {
    QString why;
};

struct Options {
    QString image;
    std::optional<std::array<int, 4>> corners;
    std::optional<std::array<QString, 4>> values;
    int xScale = 0, yScale = 0;
    Colour colour = kBlack;
    std::optional<std::array<int, 4>> area;
    int step = 1, indent = 0;
    RecognitionMode mode = RecognitionMode::Exact;
    int interval = 0;
    IntervalSide side = IntervalSide::Both;
    int brightness = 0;
    int tolerance = 25;
    bool subPixel = false;
    bool correction = true;
    int depth = 15;
    bool manyValued = false;
    int thickness = 2;
    GridSettings grid;
    QString gridRows, gridColumns;
    QString output;
};

int integerIn(const QString& text, int low, int high, const QString& what) {
    int value = 0;
    if (!tryParseInt(text, value) || value < low || value > high)
        throw BadArguments{QStringLiteral("%1 must be a whole number from %2 to %3: '%4'")
                               .arg(what)
                               .arg(low)
                               .arg(high)
                               .arg(text)};
    return value;
}

template <int N>
std::array<int, N> integers(const QString& text, const QString& what, int low = -1000000,
                            int high = 1000000) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != N)
        throw BadArguments{
            QStringLiteral("%1 needs %2 numbers separated by commas").arg(what).arg(N)};
    std::array<int, N> out{};
    for (int i = 0; i < N; ++i)
        out[static_cast<std::size_t>(i)] = integerIn(parts[i].trimmed(), low, high, what);
    return out;
}

Options parse(const QStringList& args) {
    Options o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size()) throw BadArguments{a + QStringLiteral(" needs a value")};
            return args[++i];
        };
        if (a == QLatin1String("--corners"))
            o.corners = integers<4>(value(), a);
        else if (a == QLatin1String("--values")) {
            const QStringList parts = value().split(QLatin1Char(','));
            if (parts.size() != 4)
                throw BadArguments{QStringLiteral("--values needs 4 numbers separated by commas")};
            std::array<QString, 4> v;
            for (int k = 0; k < 4; ++k) {
                double number = 0;
                if (!tryParseDouble(parts[k].trimmed(), QChar('.'), number))
                    throw BadArguments{
                        QStringLiteral("--values: '%1' is not a number").arg(parts[k])};
                v[static_cast<std::size_t>(k)] = parts[k].trimmed();
            }
            o.values = v;
        } else if (a == QLatin1String("--x-scale"))
            o.xScale = integerIn(value(), 0, 8, a);
        else if (a == QLatin1String("--y-scale"))
            o.yScale = integerIn(value(), 0, 8, a);
        else if (a == QLatin1String("--colour") || a == QLatin1String("--color")) {
            const QString v = value();
            bool ok = false;
            const uint c = v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                               ? v.mid(2).toUInt(&ok, 16)
                               : v.toUInt(&ok, 10);
            if (!ok || c > 0xFFFFFF)
                throw BadArguments{QStringLiteral("--colour must be 0xBBGGRR: '%1'").arg(v)};
            o.colour = c;
        } else if (a == QLatin1String("--area"))
            o.area = integers<4>(value(), a);
        else if (a == QLatin1String("--step"))
            o.step = integerIn(value(), 1, 500, a);
        else if (a == QLatin1String("--indent"))
            o.indent = integerIn(value(), 0, 30, a);
        else if (a == QLatin1String("--mode")) {
            const QString m = value();
            if (m == QLatin1String("exact"))
                o.mode = RecognitionMode::Exact;
            else if (m == QLatin1String("interval"))
                o.mode = RecognitionMode::Interval;
            else if (m == QLatin1String("closest"))
                o.mode = RecognitionMode::ClosestHue;
            else if (m == QLatin1String("brightness"))
                o.mode = RecognitionMode::Brightness;
            else if (m == QLatin1String("black"))
                o.mode = RecognitionMode::TowardsBlack;
            else if (m == QLatin1String("distance"))
                o.mode = RecognitionMode::Distance;
            else
                throw BadArguments{QStringLiteral("unknown --mode '%1'").arg(m)};
        } else if (a == QLatin1String("--interval"))
            o.interval = integerIn(value(), 0, 300, a);
        else if (a == QLatin1String("--side")) {
            const QString s = value();
            if (s == QLatin1String("left"))
                o.side = IntervalSide::Left;
            else if (s == QLatin1String("both"))
                o.side = IntervalSide::Both;
            else if (s == QLatin1String("right"))
                o.side = IntervalSide::Right;
            else
                throw BadArguments{QStringLiteral("unknown --side '%1'").arg(s)};
        } else if (a == QLatin1String("--brightness"))
            o.brightness = integerIn(value(), 0, 255, a);
        else if (a == QLatin1String("--tolerance"))
            o.tolerance = integerIn(value(), 0, 100, a);
        else if (a == QLatin1String("--subpixel"))
            o.subPixel = true;
        else if (a == QLatin1String("--correction")) {
            o.correction = true;
            o.depth = integerIn(value(), 2, 30, a);
        } else if (a == QLatin1String("--no-correction"))
            o.correction = false;
        else if (a == QLatin1String("--many-valued"))
            o.manyValued = true;
        else if (a == QLatin1String("--thickness"))
            o.thickness = integerIn(value(), 1, 99, a);
        else if (a == QLatin1String("--grid-search")) {
            const auto g = integers<4>(value(), a, 1, 99);
            o.grid.searchOn = true;
            o.grid.searchFactorH = g[0];
            o.grid.searchFactorV = g[1];
            o.grid.lineWidthH = g[2];
            o.grid.lineWidthV = g[3];
            if (g[0] < 3 || g[0] > 20 || g[1] < 3 || g[1] > 20)
                throw BadArguments{QStringLiteral("grid factors are 3..20")};
        } else if (a == QLatin1String("--grid-rows")) {
            o.gridRows = value().simplified();
            o.grid.typedOn = true;
        } else if (a == QLatin1String("--grid-columns")) {
            o.gridColumns = value().simplified();
            o.grid.typedOn = true;
        } else if (a == QLatin1String("--grid-width")) {
            const auto w = integers<2>(value(), a, 1, 99);
            o.grid.lineWidthH = w[0];
            o.grid.lineWidthV = w[1];
        } else if (a == QLatin1String("-o"))
            o.output = value();
        else if (a.startsWith(QLatin1Char('-')))
            throw BadArguments{QStringLiteral("unknown option '%1'").arg(a)};
        else if (o.image.isEmpty())
            o.image = a;
        else
            throw BadArguments{QStringLiteral("more than one image: '%1'").arg(a)};
    }
    if (o.image.isEmpty()) throw BadArguments{QStringLiteral("no image given")};
    if (!o.corners) throw BadArguments{QStringLiteral("--corners is required")};
    if (!o.values) throw BadArguments{QStringLiteral("--values is required")};
    if (o.grid.searchOn && o.grid.typedOn)
        throw BadArguments{QStringLiteral("--grid-search and typed grid lines exclude each other")};
    return o;
}

} // namespace

int runDigitizeCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out << digitizeUsage();
        return 0;
    }
    if (arguments.contains(QLatin1String("--version"))) {
        out << "quorvex-digitize " << kProgramVersion << "\n";
        return 0;
    }
    Options o;
    try {
        o = parse(arguments);
    } catch (const BadArguments& bad) {
        err << "quorvex-digitize: " << bad.why << "\n" << digitizeUsage();
        return 2;
    }
    Raster raster;
    try {
        // The window shows a placeholder for a missing file; here it is an error.
        if (!QFileInfo::exists(o.image))
            throw ImageError(
                message(Msg::ImageReadFailed).arg(o.image, QStringLiteral("no such file")));
        raster = readImageFile(o.image, readerForPath(o.image));
    } catch (const ImageError& error) {
        err << error.message() << "\n";
        return 1;
    }
    Calibration c;
    const auto& k = *o.corners;
    c.pixelLeftBottom = QPoint(k[0], k[1]);
    c.pixelRightTop = QPoint(k[2], k[3]);
    c.xLeftBottom = (*o.values)[0];
    c.yLeftBottom = (*o.values)[1];
    c.xRightTop = (*o.values)[2];
    c.yRightTop = (*o.values)[3];
    c.xTransfer = o.xScale;
    c.yTransfer = o.yScale;

    ScanSettings s;
    s.recognition.mode = o.mode;
    s.recognition.curve = o.colour;
    s.recognition.interval = o.interval;
    s.recognition.side = o.side;
    s.recognition.brightnessMax = o.brightness;
    s.recognition.tolerance = o.tolerance;
    s.recognition.subPixel = o.subPixel;
    s.area = o.area ? ScanArea{(*o.area)[0], (*o.area)[1], (*o.area)[2], (*o.area)[3]}
                    : ScanArea{std::min(k[0], k[2]), std::min(k[1], k[3]), std::max(k[0], k[2]),
                               std::max(k[1], k[3])};
    if (s.area.left > s.area.right) std::swap(s.area.left, s.area.right);
    if (s.area.top > s.area.bottom) std::swap(s.area.top, s.area.bottom);
    s.step = o.step;
    s.indent = o.indent;
    s.oneValued = !o.manyValued;
    s.thickness = o.thickness;
    s.selfCorrection = o.correction;
    s.correctionDepth = o.depth;
    s.grid = o.grid;

    GridLines lines;
    try {
        const auto words = [](const QString& t) {
            return static_cast<int>(t.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
        };
        if (o.grid.typedOn)
            readTypedLines(o.gridRows, words(o.gridRows), o.gridColumns, words(o.gridColumns),
                           raster.height(), lines);
        if (o.grid.searchOn)
            findHorizontalLines(raster, curveColourTest(s.recognition), s.area, s.indent, s.grid,
                                lines);
    } catch (const ConversionError& error) {
        err << "quorvex-digitize: " << error.message() << "\n" << digitizeUsage();
        return 2;
    }

    QByteArray text;
    int points = 0;
    std::optional<PointFailure> failure;
    int failed = 0;
    try {
        const ToGraph graph(c, QChar('.'));
        scanArea(
            raster, s, lines,
            [&](int x, double y) {
                // A point that does not convert is left out; the scan goes on.
                QByteArray line;
                try {
                    line = NumberText(graph.x(x), QChar('.')).toLatin1() + '\t' +
                           NumberText(graph.y(y), QChar('.')).toLatin1() + '\n';
                } catch (const PointError& error) {
                    failure = error.failure();
                    ++failed;
                    return;
                }
                text += line;
                ++points;
            },
            nullptr);
    } catch (const PointError& error) {
        // The corner values themselves do not convert.
        err << "quorvex-digitize: " << pointFailureText(error.failure()) << "\n";
        return 1;
    }
    if (failure)
        err << "quorvex-digitize: " << failed << " points left out: " << pointFailureText(*failure)
            << "\n";
    if (points == 0) err << "quorvex-digitize: no points found\n";
    if (o.output.isEmpty()) {
        out << QString::fromLatin1(text);
        out.flush();
        return 0;
    }
    if (!writeFileAtomically(o.output, text, false)) {
        err << "quorvex-digitize: cannot write " << o.output << "\n";
        return 1;
    }
    return 0;
}

} // namespace quorvex
