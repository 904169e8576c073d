#include "autodigit/command_line.h"

#include "autodigit/engine.h"
#include "autodigit/profile.h"
#include "autodigit/vector_scan.h"
#include "core/atomic_file.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "exchange/project.h"
#include "image/image_error.h"
#include "image/image_file.h"
#include "image/vector_page.h"
#include "tools/calibration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quorvex {

QString digitizeUsage() {
    return QStringLiteral(
        "usage: quorvex-digitize IMAGE --corners XLB,YLB,XRT,YRT --values XLB,YLB,XRT,YRT\n"
        "       quorvex-digitize --profile FILE IMAGE... -o FOLDER [-j N] [options]\n"
        "       quorvex-digitize --help | --version\n"
        "    [--profile FILE]                   start from a digitizing profile; the options\n"
        "                                       given change it\n"
        "    [--save-profile FILE]              write the profile of these options\n"
        "    [--project FILE.qvx]               start from a project: its picture (when no\n"
        "                                       image is named) and its settings\n"
        "    [--save-project FILE.qvx]          write a project of the image, the options and\n"
        "                                       the points found (one image)\n"
        "    [--page N] [--dpi D]               PDF and SVG pictures: the page (default 1) and "
        "the\n"
        "                                       resolution it is rendered at (default 200)\n"
        "    [--x-scale N] [--y-scale N]        transfer function index 0..8, default 0\n"
        "    [--colour 0xBBGGRR]                curve colour, default 0 (black)\n"
        "    [--area L,T,R,B]                   default: the calibration rectangle\n"
        "    [--step S] [--indent B]            defaults 1 and 0\n"
        "    [--mode exact|interval|closest|brightness|black|distance|vector] [--interval N]\n"
        "    [--every-step]                     vector mode: a point every step along X, not\n"
        "                                       every vertex of the curve's path\n"
        "    [--side left|both|right] [--brightness MAX]\n"
        "    [--tolerance T] [--subpixel]       distance mode: CIELAB distance 0..100 (default\n"
        "                                       25), points at the curve's fractional centre\n"
        "    [--correction K | --no-correction] default: self-correction with K = 15\n"
        "    [--many-valued [--thickness T]]    default: one point per column\n"
        "    [--grid-search FH,FV,WH,WV]        automatic grid exclusion (factors and widths)\n"
        "    [--grid-rows \"R1 R2 ...\"] [--grid-columns \"C1 C2 ...\"] [--grid-width WH,WV]\n"
        "    [-o FILE]                          default: standard output\n"
        "    [-o FOLDER]                        several images (or a FOLDER/ or existing folder):\n"
        "                                       NAME.txt for each\n"
        "    [-j N]                             digitize N images at a time (1..64)\n"
        "Pixel corners and areas are image pixels with rows counted from the top (corners may be\n"
        "fractional); typed grid rows are counted from the bottom edge. On a PDF or SVG page at D\n"
        "dpi the page point (x, y), from the top-left in points, is pixel (x*D/72-0.5, "
        "y*D/72-0.5).\n");
}

namespace {

struct BadArguments {
    QString why;
};

// The options read: a profile (from --profile, changed by the other options, or built from them
// alone) and what the run does with it.
struct Options {
    DigitizingProfile profile;
    bool hasCorners = false, hasValues = false, hasArea = false;
    QString output;
    QStringList images;  // every picture named
    QString saveProfile; // --save-profile FILE
    QString saveProject; // --save-project FILE
    // The picture of a --project, as a file the readers open.
    std::shared_ptr<QTemporaryDir> projectFolder;
    QString projectPicture;
    int jobs = 1; // -j N
    int page = 1; // --page N (PDF)
    double dpi = kDefaultVectorDpi;
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

template <int N> std::array<double, N> reals(const QString& text, const QString& what) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != N)
        throw BadArguments{
            QStringLiteral("%1 needs %2 numbers separated by commas").arg(what).arg(N)};
    std::array<double, N> out{};
    for (int i = 0; i < N; ++i) {
        double value = 0;
        if (!tryParseDouble(parts[i].trimmed(), QChar('.'), value) || !(std::abs(value) <= 1e6))
            throw BadArguments{QStringLiteral("%1 must be numbers from -1000000 to 1000000: '%2'")
                                   .arg(what, parts[i])};
        out[static_cast<std::size_t>(i)] = value;
    }
    return out;
}

// The scales by their index, as --x-scale and --y-scale take them.
QString scaleName(int index) {
    static const char* const names[] = {"linear", "log10 axis", "log10 of the value",
                                        "ln",     "log2",       "exp",
                                        "1/v",    "v squared",  "square root"};
    return QString::fromLatin1(names[std::clamp(index, 0, 8)]);
}

// A calibration that could give no point is refused with what is wrong, before any image is
// read: corners in one pixel column or row, a corner value that is no number, a value the
// axis's scale is not defined for.
void checkCalibration(const Calibration& c) {
    if (c.leftBottom().x() == c.rightTop().x())
        throw BadArguments{QStringLiteral("--corners: both corners are in pixel column %1; the "
                                          "calibration needs two different columns")
                               .arg(c.leftBottom().x())};
    if (c.leftBottom().y() == c.rightTop().y())
        throw BadArguments{QStringLiteral("--corners: both corners are in pixel row %1; the "
                                          "calibration needs two different rows")
                               .arg(c.leftBottom().y())};
    const struct {
        const QString& text;
        int scale;
        const char* axis;
        const char* option;
    } corners[] = {{c.xLeftBottom, c.xTransfer, "X", "--x-scale"},
                   {c.yLeftBottom, c.yTransfer, "Y", "--y-scale"},
                   {c.xRightTop, c.xTransfer, "X", "--x-scale"},
                   {c.yRightTop, c.yTransfer, "Y", "--y-scale"}};
    for (const auto& corner : corners) {
        double value = 0;
        if (!tryParseDouble(corner.text, QChar('.'), value) || !std::isfinite(value))
            throw BadArguments{QStringLiteral("--values: '%1' is not a number").arg(corner.text)};
        try {
            transfer(corner.scale, value);
        } catch (const PointError&) {
            throw BadArguments{
                QStringLiteral("%1 %2 (%3) is not defined for the %4 value %5")
                    .arg(QLatin1String(corner.option))
                    .arg(corner.scale)
                    .arg(scaleName(corner.scale), QLatin1String(corner.axis), corner.text)};
        }
    }
}

// Why points were left out, for a reader of standard error.
QString pointFailureReason(PointFailure failure) {
    switch (failure) {
    case PointFailure::ConvertError:
        return QStringLiteral("a corner value is not a number");
    case PointFailure::ZeroDivide:
        return QStringLiteral("the scale divides by zero there (1/v or a logarithm at 0)");
    case PointFailure::Other:
        break;
    }
    return QStringLiteral("the value is outside the scale's range (a logarithm or square root of "
                          "a value below 0)");
}

Options parse(const QStringList& args) {
    Options o;
    // A profile is the start, whatever its place among the arguments.
    for (int i = 0; i < args.size(); ++i)
        if (args[i] == QLatin1String("--profile")) {
            if (i + 1 >= args.size()) throw BadArguments{QStringLiteral("--profile needs a value")};
            try {
                o.profile = readProfileFile(args[i + 1]);
                o.hasCorners = o.hasValues = o.hasArea = true;
            } catch (const ProfileError& error) {
                throw BadArguments{error.message()};
            }
        } else if (args[i] == QLatin1String("--project")) {
            if (i + 1 >= args.size()) throw BadArguments{QStringLiteral("--project needs a value")};
            try {
                const Project project = readProjectFile(args[i + 1]);
                o.profile = project.profile;
                o.hasCorners = o.hasValues = o.hasArea = true;
                o.projectFolder = std::make_shared<QTemporaryDir>();
                o.projectPicture = o.projectFolder->filePath(project.pictureName);
                QFile picture(o.projectPicture);
                if (!picture.open(QIODevice::WriteOnly) ||
                    picture.write(project.pictureBytes) != project.pictureBytes.size())
                    throw BadArguments{QStringLiteral("cannot unpack the project's picture: ") +
                                       picture.errorString()};
            } catch (const ProjectError& error) {
                throw BadArguments{error.message()};
            }
        }
    Calibration& c = o.profile.calibration;
    ScanSettings& s = o.profile.scan;
    Recognition& r = s.recognition;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size()) throw BadArguments{a + QStringLiteral(" needs a value")};
            return args[++i];
        };
        if (a == QLatin1String("--corners")) {
            const auto k = reals<4>(value(), a);
            c.setCorners(QPointF(k[0], k[1]), QPointF(k[2], k[3]));
            o.hasCorners = true;
        } else if (a == QLatin1String("--values")) {
            const QStringList parts = value().split(QLatin1Char(','));
            if (parts.size() != 4)
                throw BadArguments{QStringLiteral("--values needs 4 numbers separated by commas")};
            std::array<QString, 4> v;
            for (int k = 0; k < 4; ++k) {
                double number = 0;
                if (!tryParseDouble(parts[k].trimmed(), QChar('.'), number) ||
                    !std::isfinite(number))
                    throw BadArguments{
                        QStringLiteral("--values: '%1' is not a number").arg(parts[k])};
                v[static_cast<std::size_t>(k)] = parts[k].trimmed();
            }
            c.xLeftBottom = v[0];
            c.yLeftBottom = v[1];
            c.xRightTop = v[2];
            c.yRightTop = v[3];
            o.hasValues = true;
        } else if (a == QLatin1String("--x-scale"))
            c.xTransfer = integerIn(value(), 0, 8, a);
        else if (a == QLatin1String("--y-scale"))
            c.yTransfer = integerIn(value(), 0, 8, a);
        else if (a == QLatin1String("--colour") || a == QLatin1String("--color")) {
            const QString v = value();
            bool ok = false;
            const uint colour = v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                    ? v.mid(2).toUInt(&ok, 16)
                                    : v.toUInt(&ok, 10);
            if (!ok || colour > 0xFFFFFF)
                throw BadArguments{QStringLiteral("--colour must be 0xBBGGRR: '%1'").arg(v)};
            r.curve = colour;
        } else if (a == QLatin1String("--area")) {
            const auto k = integers<4>(value(), a);
            s.area = ScanArea{std::min(k[0], k[2]), std::min(k[1], k[3]), std::max(k[0], k[2]),
                              std::max(k[1], k[3])};
            o.hasArea = true;
        } else if (a == QLatin1String("--step"))
            s.step = integerIn(value(), 1, 500, a);
        else if (a == QLatin1String("--indent"))
            s.indent = integerIn(value(), 0, 30, a);
        else if (a == QLatin1String("--mode")) {
            const QString m = value();
            const auto mode = recognitionModeFromName(m);
            if (!mode) throw BadArguments{QStringLiteral("unknown --mode '%1'").arg(m)};
            r.mode = *mode;
        } else if (a == QLatin1String("--interval"))
            r.interval = integerIn(value(), 0, 300, a);
        else if (a == QLatin1String("--side")) {
            const QString name = value();
            const auto side = intervalSideFromName(name);
            if (!side) throw BadArguments{QStringLiteral("unknown --side '%1'").arg(name)};
            r.side = *side;
        } else if (a == QLatin1String("--brightness"))
            r.brightnessMax = integerIn(value(), 0, 255, a);
        else if (a == QLatin1String("--tolerance"))
            r.tolerance = integerIn(value(), 0, 100, a);
        else if (a == QLatin1String("--subpixel"))
            r.subPixel = true;
        else if (a == QLatin1String("--every-step"))
            r.everyStep = true;
        else if (a == QLatin1String("--page"))
            o.page = integerIn(value(), 1, 1000000, a);
        else if (a == QLatin1String("--dpi")) {
            const QString v = value();
            double dpi = 0;
            if (!tryParseDouble(v, QChar('.'), dpi) || !(dpi >= 10 && dpi <= 2400))
                throw BadArguments{
                    QStringLiteral("--dpi must be a number from 10 to 2400: '%1'").arg(v)};
            o.dpi = dpi;
        } else if (a == QLatin1String("--correction")) {
            s.selfCorrection = true;
            s.correctionDepth = integerIn(value(), 2, 30, a);
        } else if (a == QLatin1String("--no-correction"))
            s.selfCorrection = false;
        else if (a == QLatin1String("--many-valued"))
            s.oneValued = false;
        else if (a == QLatin1String("--thickness"))
            s.thickness = integerIn(value(), 1, 99, a);
        else if (a == QLatin1String("--grid-search")) {
            const auto g = integers<4>(value(), a, 1, 99);
            s.grid.searchOn = true;
            s.grid.searchFactorH = g[0];
            s.grid.searchFactorV = g[1];
            s.grid.lineWidthH = g[2];
            s.grid.lineWidthV = g[3];
            if (g[0] < 3 || g[0] > 20 || g[1] < 3 || g[1] > 20)
                throw BadArguments{QStringLiteral("grid factors are 3..20")};
        } else if (a == QLatin1String("--grid-rows")) {
            o.profile.gridRows = value().simplified();
            s.grid.typedOn = true;
        } else if (a == QLatin1String("--grid-columns")) {
            o.profile.gridColumns = value().simplified();
            s.grid.typedOn = true;
        } else if (a == QLatin1String("--grid-width")) {
            const auto w = integers<2>(value(), a, 1, 99);
            s.grid.lineWidthH = w[0];
            s.grid.lineWidthV = w[1];
        } else if (a == QLatin1String("-o"))
            o.output = value();
        else if (a == QLatin1String("--profile") || a == QLatin1String("--project"))
            value(); // read before the other options
        else if (a == QLatin1String("--save-project"))
            o.saveProject = value();
        else if (a == QLatin1String("--save-profile"))
            o.saveProfile = value();
        else if (a == QLatin1String("-j"))
            o.jobs = integerIn(value(), 1, 64, a);
        else if (a.startsWith(QLatin1Char('-')))
            throw BadArguments{QStringLiteral("unknown option '%1'").arg(a)};
        else
            o.images << a;
    }
    if (o.images.isEmpty() && !o.projectPicture.isEmpty()) o.images << o.projectPicture;
    if (o.images.isEmpty() && o.saveProfile.isEmpty())
        throw BadArguments{QStringLiteral("no image given")};
    if (!o.saveProject.isEmpty() && o.images.size() != 1)
        throw BadArguments{QStringLiteral("--save-project needs exactly one image")};
    if (!o.hasCorners) throw BadArguments{QStringLiteral("--corners is required")};
    if (!o.hasValues) throw BadArguments{QStringLiteral("--values is required")};
    if (!o.hasArea) {
        // The calibration rectangle (its whole pixels, fractional corners included).
        const QPointF lb = c.leftBottom(), rt = c.rightTop();
        s.area = ScanArea{static_cast<int>(std::floor(std::min(lb.x(), rt.x()))),
                          static_cast<int>(std::floor(std::min(lb.y(), rt.y()))),
                          static_cast<int>(std::ceil(std::max(lb.x(), rt.x()))),
                          static_cast<int>(std::ceil(std::max(lb.y(), rt.y())))};
    }
    if (s.grid.searchOn && s.grid.typedOn)
        throw BadArguments{QStringLiteral("--grid-search and typed grid lines exclude each other")};
    checkCalibration(c);
    return o;
}

// One picture digitized with a profile: the point lines, the messages for standard error, the
// exit code (0 or 1) and the number of points.
struct ImageResult {
    int code = 0;
    QByteArray text;
    QString messages;
    int points = 0;
};

// The messages of a digitization that left points out (they did not convert) or found none.
void noteLeftOut(ImageResult& result, const std::optional<PointFailure>& failure, int failed) {
    if (failure)
        result.messages += QStringLiteral("quorvex-digitize: %1 points left out: %2\n")
                               .arg(failed)
                               .arg(pointFailureReason(*failure));
    if (result.points == 0)
        result.messages += QStringLiteral("quorvex-digitize: no points found\n");
}

// The points of a vector picture's paths through the calibration.
ImageResult digitizeLayer(const DigitizingProfile& profile, const VectorLayer& layer) {
    ImageResult result;
    std::optional<PointFailure> failure;
    int failed = 0;
    try {
        const ToGraph graph(profile.calibration, QChar('.'));
        for (const QPointF& p : vectorCurvePoints(layer, profile.scan)) {
            try {
                result.text += NumberText(graph.x(p.x()), QChar('.')).toLatin1() + '\t' +
                               NumberText(graph.y(p.y()), QChar('.')).toLatin1() + '\n';
                ++result.points;
            } catch (const PointError& error) {
                failure = error.failure();
                ++failed;
            }
        }
    } catch (const PointError& error) {
        result.messages = QStringLiteral("quorvex-digitize: ") +
                          pointFailureReason(error.failure()) + QLatin1Char('\n');
        result.code = 1;
        return result;
    }
    noteLeftOut(result, failure, failed);
    return result;
}

ImageResult digitizeImage(const DigitizingProfile& profile, const QString& image, int page,
                          double dpi) {
    ImageResult result;
    const auto fail = [&result](const QString& why, int code) {
        result.messages += why + QLatin1Char('\n');
        result.code = code;
        return result;
    };
    Raster raster;
    const ScanSettings& s = profile.scan;
    const bool vectorMode = s.recognition.mode == RecognitionMode::Vector;
    std::optional<VectorLayer> layer;
    try {
        // The window shows a placeholder for a missing file; here it is an error.
        if (!QFileInfo::exists(image))
            throw ImageError(
                message(Msg::ImageReadFailed).arg(image, QStringLiteral("no such file")));
        if (vectorKindOfFile(image) != VectorKind::None) {
            const VectorFile file(image);
            if (page > file.pageCount())
                return fail(QStringLiteral("quorvex-digitize: %1 has %2 pages; --page %3 is none")
                                .arg(image)
                                .arg(file.pageCount())
                                .arg(page),
                            2);
            const double fitted = fittingDpi(file.pageSize(page), dpi);
            if (vectorMode)
                layer = file.record(page, fitted);
            else
                raster = file.render(page, fitted);
        } else if (vectorMode) {
            return fail(QStringLiteral("quorvex-digitize: --mode vector reads the paths of a PDF "
                                       "or SVG picture; %1 is none")
                            .arg(image),
                        2);
        } else {
            raster = readImageFile(image, readerForPath(image));
        }
    } catch (const ImageError& error) {
        return fail(error.message(), 1);
    }
    if (layer) return digitizeLayer(profile, *layer);
    GridLines lines;
    try {
        const auto words = [](const QString& t) {
            return static_cast<int>(t.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
        };
        if (s.grid.typedOn)
            readTypedLines(profile.gridRows, words(profile.gridRows), profile.gridColumns,
                           words(profile.gridColumns), raster.height(), lines);
        if (s.grid.searchOn)
            findHorizontalLines(raster, curveColourTest(s.recognition), s.area, s.indent, s.grid,
                                lines);
    } catch (const ConversionError& error) {
        return fail(QStringLiteral("quorvex-digitize: ") + error.message() + QLatin1Char('\n') +
                        digitizeUsage().chopped(1),
                    2);
    }
    std::optional<PointFailure> failure;
    int failed = 0;
    try {
        const ToGraph graph(profile.calibration, QChar('.'));
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
                result.text += line;
                ++result.points;
            },
            nullptr);
    } catch (const PointError& error) {
        // The corner values themselves do not convert.
        return fail(QStringLiteral("quorvex-digitize: ") + pointFailureReason(error.failure()), 1);
    } catch (const ConversionError& error) {
        return fail(QStringLiteral("quorvex-digitize: ") + error.message(), 1);
    }
    noteLeftOut(result, failure, failed);
    return result;
}

// A project of one digitized picture: the picture's file, the options as its profile and the
// points in the first pair of the Table.
bool saveResultProject(const QString& path, const DigitizingProfile& profile, const QString& image,
                       const QByteArray& points, QString* reason) {
    QFile picture(image);
    if (!picture.open(QIODevice::ReadOnly)) {
        *reason = picture.errorString();
        return false;
    }
    Project project;
    project.pictureName = QFileInfo(image).fileName();
    project.pictureBytes = picture.readAll();
    project.profile = profile;
    project.curveColour = profile.scan.recognition.curve;
    Table table;
    int row = 0;
    for (const QByteArray& line : points.split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0 || row >= Table::kMaxRows) continue;
        ++row;
        table.store().setPairBytes(
            1, row, std::string_view(line.constData(), tab),
            std::string_view(line.constData() + tab + 1, line.size() - tab - 1));
    }
    table.setRowCount(std::max(row, Table::kStartRows));
    table.setNextRow(1, row + 1);
    return writeProjectFile(path, project, table, reason);
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
    const DigitizingProfile& profile = o.profile;
    QString profileError;
    if (!o.saveProfile.isEmpty() && !writeProfileFile(o.saveProfile, profile, &profileError)) {
        err << "quorvex-digitize: " << message(Msg::ProfileWriteFailed).arg(o.saveProfile) << ": "
            << profileError << "\n";
        return 1;
    }
    if (o.images.isEmpty()) return 0;

    // One picture without an output folder: the points go to standard output or the -o file.
    // A name ending in "/" is a folder too, so that one task of a spread batch writes NAME.txt.
    const bool folder =
        o.images.size() > 1 || QFileInfo(o.output).isDir() || o.output.endsWith(QLatin1Char('/'));
    if (!folder) {
        const ImageResult result = digitizeImage(profile, o.images.front(), o.page, o.dpi);
        err << result.messages;
        if (result.code != 0) return result.code;
        if (!o.saveProject.isEmpty()) {
            QString reason;
            if (!saveResultProject(o.saveProject, profile, o.images.front(), result.text,
                                   &reason)) {
                err << "quorvex-digitize: "
                    << message(Msg::ProjectWriteFailed).arg(o.saveProject, reason) << "\n";
                return 1;
            }
        }
        if (o.output.isEmpty()) {
            // A full disk or a closed pipe must not pass for a complete list of points.
            out << QString::fromLatin1(result.text);
            out.flush();
            if (out.status() != QTextStream::Ok) {
                const QString reason =
                    out.device() ? out.device()->errorString() : QStringLiteral("write error");
                err << "quorvex-digitize: cannot write the points to standard output: " << reason
                    << "\n";
                return 1;
            }
            return 0;
        }
        QString reason;
        if (!writeFileAtomically(o.output, result.text, false, &reason)) {
            err << "quorvex-digitize: cannot write " << o.output << ": " << reason << "\n";
            return 1;
        }
        return 0;
    }

    // A batch: NAME.txt per picture in the output folder, N pictures at a time.
    if (o.output.isEmpty()) {
        err << "quorvex-digitize: several images need -o FOLDER\n" << digitizeUsage();
        return 2;
    }
    QStringList targets;
    for (const QString& image : o.images) {
        const QString target =
            QDir(o.output).filePath(QFileInfo(image).completeBaseName() + QStringLiteral(".txt"));
        if (targets.contains(target)) {
            err << "quorvex-digitize: two images would both write " << target << "\n";
            return 2;
        }
        targets << target;
    }
    if (!QDir().mkpath(o.output)) {
        err << "quorvex-digitize: cannot make the folder " << o.output << "\n";
        return 1;
    }
    const int total = static_cast<int>(o.images.size());
    std::atomic<int> next{0};
    std::atomic<int> failures{0};
    std::mutex reporting;
    int done = 0;
    const auto work = [&] {
        for (int i = next++; i < total; i = next++) {
            const QString& image = o.images[i];
            ImageResult result = digitizeImage(profile, image, o.page, o.dpi);
            QString reason;
            if (result.code == 0 && !writeFileAtomically(targets[i], result.text, false, &reason)) {
                result.code = 1;
                result.messages += QStringLiteral("quorvex-digitize: cannot write %1: %2\n")
                                       .arg(targets[i], reason);
            }
            if (result.code != 0) ++failures;
            const std::lock_guard<std::mutex> lock(reporting);
            ++done;
            err << result.messages;
            err << "quorvex-digitize: [" << done << "/" << total << "] " << image << ": "
                << (result.code == 0
                        ? QStringLiteral("%1 points -> %2").arg(result.points).arg(targets[i])
                        : QStringLiteral("failed"))
                << "\n";
            err.flush();
        }
    };
    std::vector<std::thread> workers;
    for (int j = 1; j < std::min(o.jobs, total); ++j)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    if (failures > 0)
        err << "quorvex-digitize: " << failures << " of " << total << " images failed\n";
    return failures > 0 ? 1 : 0;
}

} // namespace quorvex
