// What quorvex-digitize says when something is wrong, and where its points go.
#include "autodigit/command_line.h"
#include "charts.h"
#include "exchange/project.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quorvex;

namespace {

struct Outcome {
    int code = 0;
    QString out, err;
};

Outcome run(const QStringList& args) {
    Outcome r;
    QTextStream out(&r.out), err(&r.err);
    r.code = runDigitizeCommand(args, out, err);
    out.flush();
    err.flush();
    return r;
}

// The sine chart with its calibration; `extra` and the picture replace what they name.
QStringList sineArgs(const QString& picture, const QStringList& extra = {}) {
    return QStringList{picture,         "--corners", "98,525,733,62", "--values",
                       "0,-1.5,10,1.5", "--colour",  "0x0000FF"} +
           extra;
}

} // namespace

// A calibration that can give no point is refused before any image is read, saying why.
TEST(CommandLineMessages, CalibrationsThatCannotWork) {
    const QString chart = chartFile("lin_sine.png");
    ASSERT_CHART(chart);
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{chart, "--corners", "98,525,98,62", "--values", "0,-1.5,10,1.5"},
         "both corners are in pixel column 98"},
        {{chart, "--corners", "98,62,733,62", "--values", "0,-1.5,10,1.5"},
         "both corners are in pixel row 62"},
        {{chart, "--corners", "98,525,733,62", "--values", "-1,1,10,100", "--x-scale", "1"},
         "--x-scale 1 (log10 axis) is not defined for the X value -1"},
        {{chart, "--corners", "98,525,733,62", "--values", "0,0,10,1", "--y-scale", "3"},
         "--y-scale 3 (ln) is not defined for the Y value 0"},
        {{chart, "--corners", "98,525,733,62", "--values", "0,1e309,10,1"},
         "--values: '1e309' is not a number"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.code, 2) << c.says;
        EXPECT_TRUE(r.err.contains(QLatin1String(c.says))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("Wow!!!")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// Pictures are read by what they hold; a folder or a file of no known kind is named as such.
TEST(CommandLineMessages, PicturesByTheirContent) {
    const QString chart = chartFile("lin_sine.png");
    ASSERT_CHART(chart);
    const Outcome reference = run(sineArgs(chart));
    ASSERT_EQ(reference.code, 0) << reference.err.toStdString();
    QTemporaryDir dir;
    const QImage picture(chart);
    ASSERT_FALSE(picture.isNull());
    // A BMP named ".png" and a PNG without an extension give the same points as the chart.
    ASSERT_TRUE(picture.save(dir.filePath("bitmap.png"), "BMP"));
    ASSERT_TRUE(QFile::copy(chart, dir.filePath("chart_0")));
    for (const char* name : {"bitmap.png", "chart_0"}) {
        const Outcome r = run(sineArgs(dir.filePath(name)));
        EXPECT_EQ(r.code, 0) << name << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, reference.out) << name;
    }
    // A JPEG named ".png" is a JPEG: its points come, near the chart's.
    ASSERT_TRUE(picture.save(dir.filePath("photo.png"), "JPG", 95));
    const Outcome jpeg = run(sineArgs(dir.filePath("photo.png"), {"--mode", "distance"}));
    EXPECT_EQ(jpeg.code, 0) << jpeg.err.toStdString();
    EXPECT_GT(jpeg.out.count('\n'), 600);

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    Outcome r = run(sineArgs(dir.filePath("folder.png")));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QString::fromLocal8Bit(std::strerror(EISDIR))))
        << r.err.toStdString();
    QFile text(dir.filePath("notes"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    r = run(sineArgs(dir.filePath("notes")));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("\"notes\" has no type (extension)")) << r.err.toStdString();
}

// Where the points cannot be written, the run fails with the reason, and a device stays one.
TEST(CommandLineMessages, OutputsThatCannotBeWritten) {
    const QString chart = chartFile("lin_sine.png");
    ASSERT_CHART(chart);
    const QString full = QString::fromLocal8Bit(std::strerror(ENOSPC));
    Outcome r = run(sineArgs(chart, {"-o", "/dev/full"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("cannot write /dev/full: " + full)) << r.err.toStdString();
    struct stat st;
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(run(sineArgs(chart, {"-o", "/dev/null"})).code, 0);

    QTemporaryDir dir;
    const QString missing = dir.filePath("no/such/folder/points.txt");
    r = run(sineArgs(chart, {"-o", missing}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QString::fromLocal8Bit(std::strerror(ENOENT))))
        << r.err.toStdString();

    // Standard output on a full disk: the reason and exit code 1, never a cut list passed as
    // complete.
    QFile device("/dev/full");
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    QString errors;
    QTextStream out(&device), err(&errors);
    EXPECT_EQ(runDigitizeCommand(sineArgs(chart), out, err), 1);
    err.flush();
    EXPECT_TRUE(errors.contains("cannot write the points to standard output"))
        << errors.toStdString();
}

// A profile whose corner values are no numbers is refused by name, in a batch too: the batch
// ends with a message and exit code 2, not an abort.
TEST(CommandLineMessages, ProfilesWithCornerTextsThatAreNoNumbers) {
    const QString chart = chartFile("lin_sine.png");
    ASSERT_CHART(chart);
    QTemporaryDir dir;
    const QString profile = dir.filePath("layout.json");
    ASSERT_EQ(run(sineArgs(chart, {"--save-profile", profile, "-o", dir.filePath("a.txt")})).code,
              0);
    QFile file(profile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    for (const char* bad : {"1,5", "nan", "abc", ""}) {
        QByteArray text = good;
        ASSERT_TRUE(text.contains("\"-1.5\""));
        text.replace("\"-1.5\"", QByteArray("\"") + bad + "\"");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        const Outcome r = run({"--profile", profile, chart, "-o", dir.filePath("out/")});
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_TRUE(r.err.contains("calibration.values[1] is not a number")) << r.err.toStdString();
    }
}

// A run saved as a project digitizes again from the project alone, with the same points; the
// project's Table holds them.
TEST(CommandLineProjects, ARunSavedAsAProjectRunsAgainFromIt) {
    const QString chart = chartFile("lin_sine.png");
    ASSERT_CHART(chart);
    QTemporaryDir dir;
    const QString project = dir.filePath("sine.qvx");
    const Outcome first = run(sineArgs(chart, {"--step", "5", "--save-project", project}));
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    ASSERT_FALSE(first.out.isEmpty());
    const Project saved = readProjectFile(project);
    EXPECT_EQ(saved.pictureName, QStringLiteral("lin_sine.png"));
    EXPECT_EQ(saved.profile.scan.step, 5);
    const QStringList lines = first.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(saved.table->cell(1, 1) + '\t' + saved.table->cell(2, 1), lines.first());
    EXPECT_EQ(saved.table->nextRow(1), lines.size() + 1);

    const Outcome again = run({"--project", project});
    EXPECT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, first.out);
    // The options given change the project's settings.
    const Outcome coarser = run({"--project", project, "--step", "10"});
    EXPECT_EQ(coarser.code, 0);
    EXPECT_LT(coarser.out.size(), first.out.size());

    QFile broken(dir.filePath("broken.qvx"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a project");
    broken.close();
    const Outcome refused = run({"--project", broken.fileName()});
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.err.contains("cannot be opened as a project")) << refused.err.toStdString();
    const Outcome two = run(sineArgs(chart, {chart, "--save-project", project}));
    EXPECT_EQ(two.code, 2);
    EXPECT_TRUE(two.err.contains("--save-project needs exactly one image"));
}
