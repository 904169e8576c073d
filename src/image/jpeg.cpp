#include "image/jpeg.h"

#include "image/image_error.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace quorvex {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
    bool endOfData = false;
};

void onError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->text);
    std::longjmp(errors->jump, 1);
}

// Warnings are not shown; running out of data is remembered, since libjpeg then pads the image.
void onMessage(j_common_ptr info, int level) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) errors->endOfData = true;
}

// Everything that must survive a longjmp lives outside the function that calls setjmp.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    Raster raster;
    bool tooLarge = false;
    long long width = 0, height = 0;
    std::vector<JSAMPLE> cmykRow;

    ~Decoder() { jpeg_destroy_decompress(&info); }

    bool run(const std::uint8_t* data, std::size_t size) {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = onError;
        errors.base.emit_message = onMessage;
        if (setjmp(errors.jump)) return false;
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        jpeg_read_header(&info, TRUE);
        width = info.image_width;
        height = info.image_height;
        if (!rasterSizeAllowed(width, height)) {
            tooLarge = true;
            return false;
        }
        const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
        // Pixels arrive as R, G, B, X bytes, which on a little-endian machine is 0xXXBBGGRR.
        info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBX;
        jpeg_start_decompress(&info);
        raster = Raster::unfilled(static_cast<int>(info.output_width),
                                  static_cast<int>(info.output_height), PixelFormat::Bit24);
        const unsigned width = info.output_width; // a local, so the loops below vectorise
        cmykRow.resize(cmyk ? static_cast<std::size_t>(width) * 4 : 0);
        while (info.output_scanline < info.output_height) {
            const int y = static_cast<int>(info.output_scanline);
            Colour* row = raster.row(y);
            JSAMPROW target = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(row);
            if (jpeg_read_scanlines(&info, &target, 1) != 1) {
                errors.endOfData = true; // rows left unwritten: report the image as truncated
                return true;
            }
            if (cmyk) {
                // Adobe writes inverted CMYK: each stored value is 255 - ink.
                for (unsigned x = 0; x < width; ++x) {
                    const JSAMPLE* p = cmykRow.data() + 4 * x;
                    row[x] = makeColour(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255);
                }
            } else {
                for (unsigned x = 0; x < width; ++x)
                    row[x] &= 0xFFFFFFu;
            }
        }
        jpeg_finish_decompress(&info);
        return true;
    }
};

} // namespace

Raster decodeJpeg(const std::uint8_t* data, std::size_t size) {
    Decoder decoder;
    if (!decoder.run(data, size)) {
        if (decoder.tooLarge) throwTooLarge(decoder.width, decoder.height);
        throwCorrupt(decoder.errors.text[0] ? decoder.errors.text : "JPEG");
    }
    if (decoder.errors.endOfData) throwTruncated();
    return std::move(decoder.raster);
}

} // namespace quorvex
