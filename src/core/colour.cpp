#include "core/colour.h"

namespace quorvex {

namespace {
struct NamedColour {
    Colour value;
    const char* name;
};
constexpr NamedColour kBasicColours[] = {
    {0x000000, "clBlack"},  {0x000080, "clMaroon"},  {0x008000, "clGreen"}, {0x008080, "clOlive"},
    {0x800000, "clNavy"},   {0x800080, "clPurple"},  {0x808000, "clTeal"},  {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"}, {0x0000FF, "clRed"},     {0x00FF00, "clLime"},  {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},   {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"},  {0xFFFFFF, "clWhite"},
};
} // namespace

QString colourText(Colour c) {
    for (const auto& named : kBasicColours)
        if (named.value == c) return QString::fromLatin1(named.name);
    return QStringLiteral("$%1").arg(c, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace quorvex
