#pragma once
#include "roster/Colours.h"

#include <QString>
#include <vector>

namespace tavrola {

// The statuses the grid shows, in the legend's order.
enum class Status {
    PreferredDay,
    ContractMet,
    OverContract,
    UnderContract,
    BankHoliday,
    ShiftStaffed,
    ShortShift,
    ShiftSurplus,
    BadNumber,
    RuleBreach,
};

// One status the grid shows: its colour, the glyph or text that carries it without
// the colour, and what it means. The grid, the legend window and the guide all take
// their glyphs from this table, so they always agree.
struct StatusMark {
    Status status;
    QString name;
    Colour colour;
    QString glyph;
    QString meaning;
};

// Every status of the grid, in the legend's order.
const std::vector<StatusMark>& StatusMarks();
const StatusMark& MarkOf(Status status);

// The glyphs a day cell shows for its colour ("\u2713" preferred day, "BH" bank
// holiday) and for hours that do not convert ("!").
QString DayCellGlyphs(Colour colour, bool badNumber);

// Black or white, whichever reads better on `background`.
Colour InkOn(Colour background);

}  // namespace tavrola
