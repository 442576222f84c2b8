#include "roster/StatusLegend.h"

namespace tavrola {

const std::vector<StatusMark>& StatusMarks()
{
    static const std::vector<StatusMark> marks = {
        {QStringLiteral("Preferred day"), RequestColour, QStringLiteral("\u2713"),
         QStringLiteral("A day cell on one of the person's preferred (or requested) working days.")},
        {QStringLiteral("Contract met"), RequestColour, QStringLiteral("="),
         QStringLiteral("Hours worked equal the contracted hours.")},
        {QStringLiteral("Over contract"), AlertColour, QStringLiteral("+"),
         QStringLiteral("Hours worked above the contracted hours; the excess follows the sign.")},
        {QStringLiteral("Under contract"), White, QStringLiteral("\u2212"),
         QStringLiteral("Hours worked below the contracted hours; the shortfall follows the sign.")},
        {QStringLiteral("Bank holiday"), AlertColour, QStringLiteral("BH"),
         QStringLiteral("The day is a bank holiday; its name stands over the day's heading.")},
        {QStringLiteral("Shift staffed"), RequestColour, QStringLiteral("="),
         QStringLiteral("A required-staff box whose shift has as many staff as required.")},
        {QStringLiteral("Short shift"), White, QStringLiteral("\u25BC"),
         QStringLiteral("A shift with fewer staff than required; the box keeps the required number.")},
        {QStringLiteral("Bad number"), White, QStringLiteral("!"),
         QStringLiteral("A contracted-hours or required-staff text that is not a number; a message names it.")},
        {QStringLiteral("Rule breach"), White, QStringLiteral("\u26A0"),
         QStringLiteral("A duty that breaks a working-time rule (rest, nights in a row, weekly hours).")},
    };
    return marks;
}

}  // namespace tavrola
