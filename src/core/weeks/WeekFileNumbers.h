#pragma once
#include "roster/Colours.h"

#include <QString>
#include <optional>

namespace tavrola {

// A real as week files store it: the single value widened to double and written in
// general form with up to 15 significant digits, trailing zeros dropped, "." as the
// decimal point (7.3 gives 7.30000019073486, 37.5 gives 37.5). Scientific form, as the
// older program wrote it, has an exponent without "+" or leading zeros (1E-5, 1E15).
QString FloatToGeneral15(float value);

// Strict readers for the number lines of a week file. Blanks around the number are
// allowed; nothing else is. Each returns nothing when the text is not such a number.
//  - real: optional sign, digits with "." or "," as decimal point, optional exponent;
//    it must fit in single precision;
//  - whole: optional sign and decimal digits, or "$" and hex digits, within 32 bits.
std::optional<float> WeekFileReal(const QString& text);
std::optional<qint32> WeekFileWhole(const QString& text);

// A cell colour line: a whole number. Older files may hold a system colour reference
// (a negative number, the edit's default window colour) for cells never painted; those
// read as white, as the window showed them.
std::optional<Colour> WeekFileColour(const QString& text);

}  // namespace tavrola
