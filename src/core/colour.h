#pragma once

#include <QString>
#include <cstdint>

namespace quorvex {

// A colour as the program keeps it everywhere: 0x00BBGGRR (red in the low byte).
using Colour = std::uint32_t;

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGrey = 0x808080;

constexpr int redOf(Colour c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr Colour makeColour(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr bool isGrey(Colour c) {
    return redOf(c) == greenOf(c) && greenOf(c) == blueOf(c);
}

// The text shown for a colour in the read-outs: the name of one of the sixteen basic colours
// ("clWhite"), otherwise "$" and eight upper-case hexadecimal digits of the value ("$00FF8040").
QString colourText(Colour c);

// Converting to and from the 0xAARRGGBB order of QRgb (the alpha byte is dropped).
constexpr Colour fromQRgb(std::uint32_t argb) {
    return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}
constexpr std::uint32_t toQRgb(Colour c) {
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

} // namespace quorvex
