// Feeds one image reader arbitrary bytes; which one is fixed when the target is built
// (IMAGE_KIND, the name of its folder in fuzz/corpus). PNG, GIF and TIFF are read from a file,
// as the program reads them through Qt's image plug-ins; the others decode from memory.
#include "fuzz_support.h"
#include "image/bmp.h"
#include "image/ico.h"
#include "image/image_file.h"
#include "image/jpeg.h"
#include "image/metafile.h"

#include <cstring>

using namespace quorvex;

namespace {

Raster readKind(const char* kind, const std::uint8_t* data, std::size_t size) {
    const auto is = [kind](const char* name) { return std::strcmp(kind, name) == 0; };
    if (is("bmp")) return decodeBmp(data, size);
    if (is("ico")) return decodeIcon(data, size);
    if (is("jpeg")) return decodeJpeg(data, size);
    if (is("wmf")) return decodeWmf(data, size);
    if (is("emf")) return decodeEmf(data, size);
    if (is("png"))
        return readImageFile(fuzz::scratchFile("input.png", data, size), ImageReader::BuiltIn);
    if (is("gif"))
        return readImageFile(fuzz::scratchFile("input.gif", data, size), ImageReader::Gif);
    if (is("tiff"))
        return readImageFile(fuzz::scratchFile("input.tif", data, size), ImageReader::Tiff);
    fuzz::broken("an image kind without a reader");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readImage([&] { return readKind(IMAGE_KIND, data, size); });
    return 0;
}
