#include "jpeg_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>
// jpeglib.h needs FILE and size_t first.
#include <jpeglib.h>

namespace bench {

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

} // namespace bench
