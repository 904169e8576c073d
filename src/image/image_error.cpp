#include "image/image_error.h"

#include "core/messages.h"
#include "core/raster.h"

namespace quorvex {

void throwCorrupt(const char* detail) {
    throw ImageError(message(Msg::ImageCorrupt).arg(QString::fromLatin1(detail)));
}

void throwTruncated() {
    throw ImageError(message(Msg::ImageTruncated));
}

void throwTooLarge(long long width, long long height) {
    throw ImageError(message(Msg::ImageTooLarge).arg(width).arg(height));
}

void checkRasterSize(long long width, long long height) {
    if (width <= 0 || height <= 0) throwCorrupt("no pixels");
    if (!rasterSizeAllowed(width, height)) throwTooLarge(width, height);
}

} // namespace quorvex
