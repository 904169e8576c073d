#pragma once

// What every fuzz target shares: a Qt application object, a private
// scratch folder, and the promise an image reader keeps (a clear error, or a raster within the
// pixel limit whose every row can be read).

#include "core/raster.h"
#include "image/image_error.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace fuzz {

// Stops the run with a report libFuzzer records as a crash, keeping the input.
[[noreturn]] inline void broken(const char* what) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what) {
    if (!holds) broken(what);
}

// A GUI application on the offscreen platform: metafile text needs fonts, PNG, GIF and TIFF need
// Qt's image plug-ins.
inline void startQt() {
    static int argc = 1;
    static char name[] = "quorvex-fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// A folder of the fuzzing process's own, removed when it ends.
inline const QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    if (!dir.isValid()) broken("no scratch folder");
    return dir;
}

inline QString scratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const QString path = scratch().filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        broken("cannot write a scratch file");
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

// Where checkRaster puts what it read, so the reads are not optimised away.
inline volatile unsigned rowSink;

// A raster a reader hands over: a size the program allows, a palette that fits the format, and
// rows that hold their pixels (touching the first and last of each lets the address sanitizer
// see a short buffer).
inline void checkRaster(const quorvex::Raster& raster) {
    using namespace quorvex;
    check(raster.width() > 0 && raster.height() > 0, "an empty raster");
    check(rasterSizeAllowed(raster.width(), raster.height()), "a raster beyond the pixel limit");
    if (isIndexed(raster.format()))
        check(!raster.palette().empty() &&
                  raster.palette().size() <= (std::size_t(1) << bitsPerPixel(raster.format())),
              "a palette that does not fit the format");
    unsigned sum = 0;
    for (int y = 0; y < raster.height(); ++y)
        sum += raster.row(y)[0] ^ raster.row(y)[raster.width() - 1];
    rowSink = sum;
}

// Runs a reader: it either fails with ImageError (the program shows its message) or gives a
// sound raster. Anything else escaping is a broken promise.
template <typename Read> void readImage(Read&& read) {
    try {
        checkRaster(read());
    } catch (const quorvex::ImageError&) {
    }
}

} // namespace fuzz
