#pragma once
#include <QColor>
#include <cstdint>

namespace tavrola {

// Colours are stored the way week files carry them: 24-bit values with blue in the
// high byte (0x00BBGGRR).
using Colour = std::uint32_t;

inline constexpr Colour White = 0x00FFFFFF;
inline constexpr Colour RequestColour = 0x00BBFFBB;  // light green: preferred day, target met
inline constexpr Colour AlertColour = 0x0077CCFF;    // orange: over contract, bank holiday

// The mark of a day cell whose duty breaks a working-time rule: dark red, at least 3:1
// against every background a day cell takes, and dark enough to stand out in grey.
inline constexpr Colour BreachMarkColour = 0x002000B0;
// The count under a required box: a short shift is dark red (white text, over 5:1
// against white and the window's grey), more staff than required a pale blue.
inline constexpr Colour ShortShiftColour = 0x000030C0;
inline constexpr Colour SurplusColour = 0x00FFE0C8;
inline constexpr Colour DayCellColours[] = {White, RequestColour, AlertColour};

// The contrast ratio of two colours as WCAG defines it (1 to 21).
double ContrastRatio(Colour a, Colour b);

inline QColor toQColor(Colour c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Colour fromQColor(const QColor& q)
{
    return Colour(q.red()) | (Colour(q.green()) << 8) | (Colour(q.blue()) << 16);
}

}  // namespace tavrola
