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

inline QColor toQColor(Colour c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Colour fromQColor(const QColor& q)
{
    return Colour(q.red()) | (Colour(q.green()) << 8) | (Colour(q.blue()) << 16);
}

}  // namespace tavrola
