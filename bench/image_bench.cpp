// Image file benchmarks: our readers and writer against plain work on the same bytes.
#include "bench.h"
#include "image/bmp.h"
#include "image/image_file.h"

#include <QFile>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>
// jpeglib.h needs FILE and size_t first.
#include <jpeglib.h>

using namespace quorvex;

namespace {

// A chart-like picture: white paper, a grid and a few coloured curves, with a soft gradient so
// the encoder has real work.
void writeLargeJpeg(const QString& path, int width, int height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    FILE* out = std::fopen(path.toLocal8Bit().constData(), "wb");
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            JSAMPLE* p = &row[static_cast<std::size_t>(x) * 3];
            const int shade = 235 + (x + y) % 20;
            p[0] = p[1] = p[2] = static_cast<JSAMPLE>(shade);
            if (x % 200 == 0 || y % 200 == 0) p[0] = p[1] = p[2] = 160;
            const int curve = height / 2 + static_cast<int>((height / 3) * std::sin(x / 300.0));
            if (std::abs(y - curve) < 2) p[0] = 220, p[1] = 20, p[2] = 20;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}

// The baseline: libjpeg alone decoding the same file from memory into a new RGB buffer.
std::size_t bareDecode(const QByteArray& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const std::size_t size = static_cast<std::size_t>(info.output_width) * info.output_height * 3;
    std::unique_ptr<JSAMPLE[]> image(new JSAMPLE[size]);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[] = {image.get() +
                           static_cast<std::size_t>(info.output_scanline) * info.output_width * 3};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return size;
}

const bench::Register jpegDecode("jpeg_decode", [] {
    const QString path = bench::scratchFolder() + "/large.jpg";
    writeLargeJpeg(path, 8000, 6000);
    const bench::Pair t = bench::compare(
        5,
        [&] {
            const Raster raster = readBuiltIn(path);
            if (raster.width() != 8000) std::abort();
        },
        [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            if (bareDecode(f.readAll()) != 8000u * 6000u * 3u) std::abort();
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
