#pragma once
#include "roster/Colours.h"
#include "settings/WardSettings.h"

#include <QString>

namespace tavrola {

// How a shift's staff compare with its required box. Unknown: the box is not a whole
// number, so only the count can be shown.
enum class Cover { Unknown, Short, Staffed, Surplus };

Cover CoverOf(bool requiredRead, qint32 required, qint32 counted);

// The read-only count under a required box: the status's glyph and the staff on the
// shift ("\u25BC3" short, "=4" staffed, "\u25B26" more than required, "!3" when the box
// is not a number). Kept texts, so the recalculation after each keystroke allocates
// nothing.
const QString& CoverText(Cover cover, qint32 counted);
// The count's background; its text is InkOn() that.
Colour CoverColour(Cover cover);

// What the count says in words: "3 on the early shift, 5 needed: 2 short".
QString CoverDescription(int shift, Cover cover, qint32 counted, qint32 required);

}  // namespace tavrola
