// Batch digitizing: 40 charts of 2000 x 1500 (JPEG) with one profile, two images at a time
// against one at a time.
#include "autodigit/command_line.h"
#include "bench.h"
#include "jpeg_files.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdlib>

using namespace quorvex;

namespace {

const bench::Register batch("batch", [] {
    const QString folder = bench::scratchFolder() + "/batch";
    QDir().mkpath(folder);
    QStringList images;
    for (int i = 0; i < 40; ++i) {
        images << folder + QStringLiteral("/chart%1.jpg").arg(i);
        bench::writeLargeJpeg(images.back(), 2000, 1500);
    }
    const QString profile = folder + "/layout.json";
    {
        QString out, err;
        QTextStream o(&out), e(&err);
        // The curve of the benchmark's charts is (220, 20, 20); JPEG needs the distance mode.
        if (runDigitizeCommand({"--corners", "0,1499,1999,0", "--values", "0,0,1,1", "--colour",
                                "0x1414DC", "--mode", "distance", "--save-profile", profile},
                               o, e) != 0)
            std::abort();
    }
    const auto run = [&](const char* jobs) {
        QString out, err;
        QTextStream o(&out), e(&err);
        const QStringList args =
            QStringList{"--profile", profile, "-o", folder + "/out", "-j", jobs} + images;
        if (runDigitizeCommand(args, o, e) != 0) std::abort();
    };
    const bench::Pair t = bench::compare(
        3, [&] { run("2"); }, [&] { run("1"); });
    std::printf("batch ratio=%.3f ms=%.1f baseline_ms=%.1f images_per_s=%.1f "
                "baseline_images_per_s=%.1f\n",
                t.ms / t.baselineMs, t.ms, t.baselineMs, 40 / (t.ms / 1000),
                40 / (t.baselineMs / 1000));
    std::fflush(stdout);
});

} // namespace
