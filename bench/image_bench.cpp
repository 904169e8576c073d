// Image file benchmarks: our readers and writer against plain work on the same bytes.
#include "bench.h"
#include "image/bmp.h"
#include "image/image_file.h"
#include "jpeg_files.h"

#include <QFile>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

using namespace quorvex;

namespace {

const bench::Register jpegDecode("jpeg_decode", [] {
    const QString path = bench::scratchFolder() + "/large.jpg";
    bench::writeLargeJpeg(path, 8000, 6000);
    const bench::Pair t = bench::compare(
        5,
        [&] {
            const Raster raster = readBuiltIn(path);
            if (raster.width() != 8000) std::abort();
        },
        [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            if (bench::bareDecode(f.readAll()) != 8000u * 6000u * 3u) std::abort();
        });
    bench::report("jpeg_decode", t.ms, t.baselineMs);
});

const bench::Register bmpIo("bmp_io", [] {
    Raster raster(6000, 4000, PixelFormat::Bit24, kWhite);
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            raster.setPixelRaw(x, y, makeColour(x & 255, y & 255, (x ^ y) & 255));
    const QString ourPath = bench::scratchFolder() + "/large.bmp";
    const QString plainPath = bench::scratchFolder() + "/plain.bin";
    const std::size_t bytes =
        static_cast<std::size_t>(encodeBmp(Raster(1, 1, PixelFormat::Bit24)).size()) - 4 +
        static_cast<std::size_t>(raster.width()) * 3 * raster.height();
    std::vector<char> buffer(bytes, 'q');
    const auto baseline = [&] {
        FILE* out = std::fopen(plainPath.toLocal8Bit().constData(), "wb");
        std::fwrite(buffer.data(), 1, buffer.size(), out);
        std::fclose(out);
        FILE* in = std::fopen(plainPath.toLocal8Bit().constData(), "rb");
        std::vector<char> back(bytes);
        if (std::fread(back.data(), 1, back.size(), in) != bytes) std::abort();
        std::fclose(in);
    };
    const bench::Pair t = bench::compare(
        7,
        [&] {
            writeBmpFile(raster, ourPath);
            const Raster back = readBuiltIn(ourPath);
            if (back.width() != raster.width()) std::abort();
        },
        baseline);
    bench::report("bmp_io", t.ms, t.baselineMs);
});

} // namespace
