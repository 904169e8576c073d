// Feeds the PDF or SVG reader arbitrary bytes (VECTOR_KIND, the name of its folder in
// fuzz/corpus): a clear error, or pages that render within the pixel limit and whose recorded
// paths the vector recognition reads. poppler and QtSvg are the system's, not instrumented.
#include "autodigit/vector_scan.h"
#include "fuzz_support.h"
#include "image/vector_page.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace quorvex;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool pdf = std::strcmp(VECTOR_KIND, "pdf") == 0;
    const QString path = fuzz::scratchFile(pdf ? "input.pdf" : "input.svg", data, size);
    try {
        const VectorFile file(path);
        fuzz::check(file.pageCount() >= 1, "an opened file without pages");
        for (int page = 1; page <= std::min(file.pageCount(), 2); ++page) {
            // A low resolution keeps a page of any size quick.
            const double dpi = fittingDpi(file.pageSize(page), 12);
            const Raster raster = file.render(page, dpi);
            fuzz::checkRaster(raster);
            const VectorLayer layer = file.record(page, dpi);
            ScanSettings settings;
            settings.recognition.mode = RecognitionMode::Vector;
            settings.area = ScanArea{0, 0, raster.width(), raster.height()};
            for (const QPointF& p : vectorCurvePoints(layer, settings))
                fuzz::check(std::isfinite(p.x()) && std::isfinite(p.y()),
                            "a point that is no number");
        }
    } catch (const ImageError&) {
    }
    return 0;
}
