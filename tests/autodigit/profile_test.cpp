#include "autodigit/command_line.h"
#include "autodigit/profile.h"
#include "core/canvas.h"
#include "image/bmp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

// Every field away from its default.
DigitizingProfile unusualProfile() {
    DigitizingProfile p;
    p.calibration.pixelLeftBottom = QPoint(12, 340);
    p.calibration.pixelRightTop = QPoint(610, -3);
    p.calibration.xLeftBottom = "0.5";
    p.calibration.yLeftBottom = "1E-3";
    p.calibration.xRightTop = "100";
    p.calibration.yRightTop = "-7.25";
    p.calibration.xTransfer = 6;
    p.calibration.yTransfer = 1;
    Recognition& r = p.scan.recognition;
    r.mode = RecognitionMode::Distance;
    r.curve = makeColour(200, 17, 3);
    r.interval = 44;
    r.side = IntervalSide::Right;
    r.brightnessMax = 99;
    r.tolerance = 61;
    r.subPixel = true;
    p.scan.area = ScanArea{3, 4, 500, 300};
    p.scan.step = 7;
    p.scan.indent = 2;
    p.scan.oneValued = false;
    p.scan.thickness = 11;
    p.scan.selfCorrection = false;
    p.scan.correctionDepth = 9;
    p.scan.grid = GridSettings{true, false, 4, 17, 2, 6};
    p.gridRows = "10 20";
    p.gridColumns = "5";
    p.imageSize = QSize(640, 480);
    return p;
}

void expectSame(const DigitizingProfile& a, const DigitizingProfile& b) {
    EXPECT_EQ(a.calibration.pixelLeftBottom, b.calibration.pixelLeftBottom);
    EXPECT_EQ(a.calibration.pixelRightTop, b.calibration.pixelRightTop);
    EXPECT_EQ(a.calibration.xLeftBottom, b.calibration.xLeftBottom);
    EXPECT_EQ(a.calibration.yLeftBottom, b.calibration.yLeftBottom);
    EXPECT_EQ(a.calibration.xRightTop, b.calibration.xRightTop);
    EXPECT_EQ(a.calibration.yRightTop, b.calibration.yRightTop);
    EXPECT_EQ(a.calibration.xTransfer, b.calibration.xTransfer);
    EXPECT_EQ(a.calibration.yTransfer, b.calibration.yTransfer);
    const Recognition &r = a.scan.recognition, &q = b.scan.recognition;
    EXPECT_EQ(r.mode, q.mode);
    EXPECT_EQ(r.curve, q.curve);
    EXPECT_EQ(r.interval, q.interval);
    EXPECT_EQ(r.side, q.side);
    EXPECT_EQ(r.brightnessMax, q.brightnessMax);
    EXPECT_EQ(r.tolerance, q.tolerance);
    EXPECT_EQ(r.subPixel, q.subPixel);
    const ScanSettings &s = a.scan, &t = b.scan;
    EXPECT_EQ(std::tie(s.area.left, s.area.top, s.area.right, s.area.bottom),
              std::tie(t.area.left, t.area.top, t.area.right, t.area.bottom));
    EXPECT_EQ(
        std::tie(s.step, s.indent, s.oneValued, s.thickness, s.selfCorrection, s.correctionDepth),
        std::tie(t.step, t.indent, t.oneValued, t.thickness, t.selfCorrection, t.correctionDepth));
    EXPECT_EQ(std::tie(s.grid.searchOn, s.grid.typedOn, s.grid.searchFactorH, s.grid.searchFactorV,
                       s.grid.lineWidthH, s.grid.lineWidthV),
              std::tie(t.grid.searchOn, t.grid.typedOn, t.grid.searchFactorH, t.grid.searchFactorV,
                       t.grid.lineWidthH, t.grid.lineWidthV));
    EXPECT_EQ(a.gridRows, b.gridRows);
    EXPECT_EQ(a.gridColumns, b.gridColumns);
    EXPECT_EQ(a.imageSize, b.imageSize);
}

int run(const QStringList& args, QString* errors = nullptr, QString* output = nullptr) {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int code = runDigitizeCommand(args, outStream, errStream);
    outStream.flush();
    errStream.flush();
    if (errors) *errors = err;
    if (output) *output = out;
    return code;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

// A chart of 300 x 200 pixels: a red sine curve of the given phase over white paper, a black
// frame and grid (which a red colour test leaves out).
QString writeChart(const QString& path, double phase) {
    Raster chart(300, 200, PixelFormat::Bit24, kWhite);
    Canvas canvas(chart);
    canvas.pen.colour = kBlack;
    for (int x = 20; x <= 280; x += 52)
        canvas.line(x, 10, x, 190);
    canvas.pen.colour = kRed;
    canvas.pen.width = 2;
    int lastY = 0;
    for (int x = 20; x <= 280; ++x) {
        const int y = 100 - static_cast<int>(std::lround(70 * std::sin(x / 30.0 + phase)));
        if (x > 20) canvas.line(x - 1, lastY, x, y);
        lastY = y;
    }
    writeBmpFile(chart, path);
    return path;
}

const QStringList kCalibration{"--corners", "20,190,280,10", "--values",
                               "0,-1,10,1", "--colour",      "0x0000FF"};

} // namespace

TEST(Profile, RoundTripKeepsEverySettingWithTheHeaderFirst) {
    const DigitizingProfile p = unusualProfile();
    const QByteArray json = profileJson(p);
    EXPECT_TRUE(json.startsWith("{\n    \"format\": \"quorvex-profile\",\n    \"version\": 1,\n"))
        << json.left(80).toStdString();
    expectSame(parseProfile(json), p);
    DigitizingProfile noSize = p;
    noSize.imageSize.reset();
    EXPECT_FALSE(parseProfile(profileJson(noSize)).imageSize);
}

// Fractional corners (a calibration on a vector picture) and the vector mode need version 2;
// everything else is still written as version 1, which older programs read.
TEST(Profile, FractionalCornersAndTheVectorModeWriteVersionTwo) {
    DigitizingProfile p = unusualProfile();
    p.calibration.setCorners(QPointF(143.5, 695.5), QPointF(1139.5, 55.25));
    QByteArray json = profileJson(p);
    EXPECT_TRUE(json.contains("\"version\": 2,"));
    DigitizingProfile back = parseProfile(json);
    EXPECT_TRUE(back.calibration.exact);
    EXPECT_EQ(back.calibration.leftBottom(), QPointF(143.5, 695.5));
    EXPECT_EQ(back.calibration.rightTop(), QPointF(1139.5, 55.25));
    EXPECT_EQ(profileJson(back), json);
    p.calibration.setCorners(QPointF(143, 695), QPointF(1139, 55));
    EXPECT_FALSE(p.calibration.exact);
    p.scan.recognition.mode = RecognitionMode::Vector;
    p.scan.recognition.everyStep = true;
    json = profileJson(p);
    EXPECT_TRUE(json.contains("\"version\": 2,"));
    back = parseProfile(json);
    EXPECT_EQ(back.scan.recognition.mode, RecognitionMode::Vector);
    EXPECT_TRUE(back.scan.recognition.everyStep);
}

TEST(Profile, DamagedForeignAndLaterFilesAreRefusedWithTheirReason) {
    const QByteArray good = profileJson(unusualProfile());
    auto changed = [&good](const char* from, const char* to) {
        QByteArray text = good;
        EXPECT_TRUE(text.contains(from)) << from;
        return text.replace(from, to);
    };
    const struct {
        QByteArray text;
        const char* reason;
    } cases[] = {
        {"", "damaged"},
        {good.left(good.size() / 2), "damaged"},
        {"[1, 2]", "not a Quorvex digitizing profile"},
        {"{\"format\": \"other\", \"version\": 1}", "not a Quorvex digitizing profile"},
        {changed("\"version\": 1", "\"version\": 3"), "later Quorvex"},
        {changed("\"pixelLeftBottom\": [", "\"pixelLeftBottom\": [0.5, "), "pixelLeftBottom"},
        {changed("\"version\": 1", "\"version\": \"1\""), "no valid version"},
        {changed("\"mode\": \"distance\"", "\"mode\": \"fuzzy\""), "recognition.mode"},
        {changed("\"step\": 7", "\"step\": 0"), "scan.step"},
        {changed("\"step\": 7", "\"step\": 2.5"), "scan.step"},
        {changed("\"step\": 7", "\"step\": 5e60"), "scan.step"}, // no integer holds it
        {changed("\"oneValued\": false", "\"oneValued\": 0"), "scan.oneValued"},
        {changed("\"colour\": \"0x0311c8\"", "\"colour\": \"red\""), "recognition.colour"},
        {changed("\"xScale\": 6", "\"xScale\": 9"), "calibration.xScale"},
        {changed("\"calibration\": {", "\"calibrations\": {"), "no calibration"},
        // Corner values that are no number would stop a batch at its first point.
        {changed("\"0.5\"", "\"1,5\""), "calibration.values[0] is not a number"},
        {changed("\"0.5\"", "\"nan\""), "calibration.values[0]"},
        {changed("\"0.5\"", "\"inf\""), "calibration.values[0]"},
        {changed("\"0.5\"", "\"1e309\""), "calibration.values[0]"},
        {changed("\"0.5\"", "\"\""), "calibration.values[0]"},
        {changed("\"0.5\"", "\"0x10\""), "calibration.values[0]"},
        {changed("\"-7.25\"", "\"abc\""), "calibration.values[3] is not a number: 'abc'"},
    };
    for (const auto& c : cases) {
        try {
            parseProfile(c.text);
            ADD_FAILURE() << "accepted: " << c.text.left(60).toStdString();
        } catch (const ProfileError& error) {
            EXPECT_TRUE(error.message().contains(c.reason))
                << c.reason << " / " << error.message().toStdString();
        }
    }
    QTemporaryDir dir;
    try {
        readProfileFile(dir.filePath("none.json"));
        ADD_FAILURE() << "read a missing file";
    } catch (const ProfileError& error) {
        EXPECT_TRUE(error.message().contains("none.json"));
    }
}

// A valid profile is read whole, however long its typed grid lines make it; a file far
// larger than any profile is refused as such, not as a damaged one.
TEST(Profile, ALongProfileIsReadWhole) {
    DigitizingProfile p = unusualProfile();
    QStringList rows;
    for (int i = 0; i < 400000; ++i)
        rows << QString::number(i % 400);
    p.gridRows = rows.join(' ');
    QTemporaryDir dir;
    const QString path = dir.filePath("long.json");
    ASSERT_TRUE(writeProfileFile(path, p));
    ASSERT_GT(QFileInfo(path).size(), 1 << 20);
    expectSame(readProfileFile(path), p);
    QFile huge(dir.filePath("huge.json"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(17 << 20));
    huge.close();
    try {
        readProfileFile(huge.fileName());
        ADD_FAILURE() << "read a 17 MiB file";
    } catch (const ProfileError& error) {
        EXPECT_TRUE(error.message().contains("more than a profile holds"))
            << error.message().toStdString();
    }
}

// Calibrate once (options, saved as a profile), then digitize a folder of charts with it.
TEST(CommandLine, BatchWithAProfile) {
    QTemporaryDir dir;
    const QString profile = dir.filePath("layout.json");
    QStringList charts;
    for (int i = 0; i < 4; ++i)
        charts << writeChart(dir.filePath(QStringLiteral("fig%1.bmp").arg(i)), 0.7 * i);
    QString single, errors;
    ASSERT_EQ(run(QStringList{charts[1]} + kCalibration + QStringList{"--save-profile", profile},
                  &errors, &single),
              0)
        << errors.toStdString();
    ASSERT_GT(single.count('\n'), 200);
    ASSERT_EQ(run(QStringList{"--save-profile", dir.filePath("only.json")} + kCalibration), 0);
    EXPECT_EQ(fileBytes(dir.filePath("only.json")), fileBytes(profile));

    // The same points from the profile as from the options; options given change the profile.
    QString fromProfile;
    EXPECT_EQ(run({"--profile", profile, charts[1]}, nullptr, &fromProfile), 0);
    EXPECT_EQ(fromProfile, single);
    QString everyOther;
    EXPECT_EQ(run({charts[1], "--profile", profile, "--step", "2"}, nullptr, &everyOther), 0);
    EXPECT_NEAR(everyOther.count('\n'), single.count('\n') / 2, 2);

    // A folder of results, one at a time and two at a time, with a damaged image among them.
    QFile damaged(dir.filePath("broken.bmp"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("BM not really");
    damaged.close();
    const QStringList batch = charts + QStringList{damaged.fileName()};
    for (const char* jobs : {"1", "2"}) {
        const QString out = dir.filePath(QStringLiteral("out%1").arg(jobs));
        EXPECT_EQ(run(QStringList{"--profile", profile, "-o", out, "-j", jobs} + batch, &errors),
                  1);
        EXPECT_TRUE(errors.contains("broken.bmp")) << errors.toStdString();
        EXPECT_TRUE(errors.contains("1 of 5 images failed")) << errors.toStdString();
        EXPECT_EQ(errors.count("quorvex-digitize: ["), 5);
        EXPECT_FALSE(QFile::exists(QDir(out).filePath("broken.txt")));
        EXPECT_EQ(fileBytes(QDir(out).filePath("fig1.txt")), single.toLatin1());
    }
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("fig%1.txt").arg(i);
        EXPECT_EQ(fileBytes(dir.filePath("out1/" + name)), fileBytes(dir.filePath("out2/" + name)))
            << name.toStdString();
    }
    EXPECT_EQ(run(QStringList{"--profile", profile, "-o", dir.filePath("good")} + charts), 0);
    // One image of a batch spread over machines: a folder named with a final slash.
    EXPECT_EQ(run({"--profile", profile, "-o", dir.filePath("task") + "/", charts[1]}), 0);
    EXPECT_EQ(fileBytes(dir.filePath("task/fig1.txt")), single.toLatin1());

    // Bad arguments: several images without a folder, two images of one name, a bad profile.
    EXPECT_EQ(run(QStringList{"--profile", profile} + charts, &errors), 2);
    EXPECT_TRUE(errors.contains("-o FOLDER"));
    QDir().mkpath(dir.filePath("sub"));
    const QString twin = writeChart(dir.filePath("sub/fig0.bmp"), 0);
    EXPECT_EQ(run({"--profile", profile, "-o", dir.filePath("twins"), charts[0], twin}, &errors),
              2);
    EXPECT_EQ(run({"--profile", damaged.fileName(), charts[0]}, &errors), 2);
    EXPECT_TRUE(errors.contains("cannot be used as a digitizing profile")) << errors.toStdString();
    EXPECT_EQ(run(QStringList{charts[0], "-j", "0"} + kCalibration), 2);
}
