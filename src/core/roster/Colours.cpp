#include "roster/Colours.h"

#include <algorithm>
#include <cmath>

namespace tavrola {

namespace {

// Relative luminance of a 0x00BBGGRR colour (sRGB).
double Luminance(Colour c)
{
    auto channel = [](unsigned v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) + 0.0722 * channel((c >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(Colour a, Colour b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace tavrola
