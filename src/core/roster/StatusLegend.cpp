#include "roster/StatusLegend.h"

namespace tavrola {

const std::vector<StatusMark>& StatusMarks()
{
    static const std::vector<StatusMark> marks = {
        {Status::PreferredDay, QStringLiteral("Preferred day"), RequestColour, QStringLiteral("\u2713"),
         QStringLiteral("A day cell on one of the person's preferred (or requested) working days; "
                        "the tick stands at the cell's right end.")},
        {Status::ContractMet, QStringLiteral("Contract met"), RequestColour, QStringLiteral("="),
         QStringLiteral("Hours worked equal the contracted hours (with the hours carried over).")},
        {Status::OverContract, QStringLiteral("Over contract"), AlertColour, QStringLiteral("+"),
         QStringLiteral("Hours worked above the contracted hours; the excess follows the sign.")},
        {Status::UnderContract, QStringLiteral("Under contract"), White, QStringLiteral("\u2212"),
         QStringLiteral("Hours worked below the contracted hours; the shortfall follows the sign.")},
        {Status::BankHoliday, QStringLiteral("Bank holiday"), AlertColour, QStringLiteral("BH"),
         QStringLiteral("A day cell on a bank holiday; the holiday's name stands over the day's heading.")},
        {Status::ShiftStaffed, QStringLiteral("Shift staffed"), RequestColour, QStringLiteral("="),
         QStringLiteral("A required box whose shift has as many staff as required; the count under it "
                        "follows the sign.")},
        {Status::ShortShift, QStringLiteral("Short shift"), ShortShiftColour, QStringLiteral("\u25BC"),
         QStringLiteral("Under a required box: fewer staff on the shift than required; the count of staff "
                        "follows the sign. The box keeps the required number.")},
        {Status::ShiftSurplus, QStringLiteral("More than required"), SurplusColour, QStringLiteral("\u25B2"),
         QStringLiteral("Under a required box: more staff on the shift than required; the count follows the "
                        "sign.")},
        {Status::BadNumber, QStringLiteral("Bad number"), White, QStringLiteral("!"),
         QStringLiteral("A required box that is not a whole number, or hours after an absence code that do "
                        "not read (\"HOL 7..5\"): a red frame and the sign; a message names it.")},
        {Status::RuleBreach, QStringLiteral("Rule breach"), White, QStringLiteral("\u26A0"),
         QStringLiteral("A duty that breaks a working-time rule (rest, nights in a row, weekly hours); "
                        "its tool tip names the rule.")},
    };
    return marks;
}

const StatusMark& MarkOf(Status status)
{
    return StatusMarks()[size_t(status)];
}

QString DayCellGlyphs(Colour colour, bool badNumber)
{
    QString glyphs;
    if (colour == RequestColour)
        glyphs = MarkOf(Status::PreferredDay).glyph;
    else if (colour == AlertColour)
        glyphs = MarkOf(Status::BankHoliday).glyph;
    if (badNumber)
        glyphs += MarkOf(Status::BadNumber).glyph;
    return glyphs;
}

Colour InkOn(Colour background)
{
    return ContrastRatio(background, 0) >= ContrastRatio(background, White) ? Colour(0) : White;
}

}  // namespace tavrola
