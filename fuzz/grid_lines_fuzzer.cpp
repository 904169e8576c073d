// Reads typed grid lines from arbitrary field texts. The first three bytes give the word counts
// of the two fields and the image height; the rest is the horizontal field, a newline, and the
// vertical field.
#include "autodigit/grid.h"
#include "core/numbers.h"
#include "fuzz_support.h"

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int horizontalWords = data[0] % 40, verticalWords = data[1] % 40;
    const int imageHeight = 1 + data[2] * 97;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 3), qsizetype(size - 3));
    const qsizetype split = text.indexOf(QLatin1Char('\n'));
    const QString horizontal = split < 0 ? text : text.left(split);
    const QString vertical = split < 0 ? QString() : text.mid(split + 1);
    GridLines lines;
    try {
        readTypedLines(horizontal, horizontalWords, vertical, verticalWords, imageHeight, lines);
    } catch (const ConversionError&) {
        return 0;
    }
    fuzz::check(lines.horizontal.size() <= 20 && lines.vertical.size() <= 20,
                "more than 20 grid lines");
    for (int k = 1; k <= 3; ++k) {
        gridWord(horizontal, k);
        gridWord(vertical, k);
    }
    return 0;
}
