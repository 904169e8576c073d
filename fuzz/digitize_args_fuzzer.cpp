// Runs quorvex-digitize with arbitrary arguments (the input split at NUL bytes) in a scratch
// folder that holds a small chart, "chart.bmp", and a profile for it, "layout.json". Slashes
// become underscores, so no argument can name a file outside that folder.
#include "autodigit/command_line.h"
#include "autodigit/profile.h"
#include "core/canvas.h"
#include "fuzz_support.h"
#include "image/bmp.h"

#include <QDir>
#include <QStringList>
#include <QTextStream>

using namespace quorvex;

namespace {

void writeChart() {
    Raster chart(100, 80, PixelFormat::Bit24, kWhite);
    Canvas canvas(chart);
    canvas.pen.colour = kRed;
    canvas.line(0, 79, 99, 10);
    canvas.pen.colour = kBlack;
    canvas.line(0, 40, 99, 40);
    writeBmpFile(chart, fuzz::scratch().filePath(QStringLiteral("chart.bmp")));
    // A profile for --profile layout.json.
    DigitizingProfile profile;
    profile.calibration.pixelLeftBottom = QPoint(0, 79);
    profile.calibration.pixelRightTop = QPoint(99, 0);
    profile.calibration.xRightTop = QStringLiteral("10");
    profile.calibration.yRightTop = QStringLiteral("1");
    profile.scan.recognition.curve = kRed;
    profile.scan.area = ScanArea{0, 0, 99, 79};
    writeProfileFile(fuzz::scratch().filePath(QStringLiteral("layout.json")), profile);
}

// Empties the scratch folder of what -o and --save-profile wrote and puts the chart back.
void resetFolder() {
    QDir dir(fuzz::scratch().path());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        QFileInfo(dir.filePath(name)).isDir() ? QDir(dir.filePath(name)).removeRecursively()
                                              : dir.remove(name);
    writeChart();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    QDir::setCurrent(fuzz::scratch().path());
    resetFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QStringList arguments;
    const char* p = reinterpret_cast<const char*>(data);
    const char* end = p + size;
    while (p < end) {
        const char* stop = static_cast<const char*>(std::memchr(p, '\0', std::size_t(end - p)));
        if (!stop) stop = end;
        arguments << QString::fromUtf8(p, qsizetype(stop - p))
                         .replace(QLatin1Char('/'), QLatin1Char('_'));
        p = stop + 1;
    }
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const int code = runDigitizeCommand(arguments, out, err);
    fuzz::check(code == 0 || code == 1 || code == 2, "an exit code beyond 0, 1 and 2");
    fuzz::check(code == 0 || !errText.isEmpty(), "a failure without a message");
    if (arguments.contains(QLatin1String("-o")) ||
        arguments.contains(QLatin1String("--save-profile")))
        resetFolder();
    return 0;
}
