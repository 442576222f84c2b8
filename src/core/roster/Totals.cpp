#include "roster/Totals.h"

#include "util/ConversionError.h"
#include "settings/DutyText.h"
#include "util/TextUtil.h"

namespace tavrola {

qint32 WholeNumberFromText(const QString& text)
{
    bool ok = false;
    const qint32 v = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw ConversionError::notInteger(text);
    return v;
}

void TavrolaChange(WardModel& model, Ui* ui)
{
    RosterWeek& w = model.Week;
    const WardSettings& s = model.Settings;
    if (w.RecalcSuspended)
        return;

    for (int line = 0; line <= kLines; ++line) {
        w.WeekHours[line] = 0;
        w.WeekNonPrefCount[line] = 0;
    }
    for (auto& day : w.ShiftCounts)
        for (qint32& count : day)
            count = 0;

    const DutyEvaluator evaluator(s);
    for (int line = 1; line <= kLines; ++line) {
        const bool named = !w.NameEdits[line].text().isEmpty();
        for (int day = 1; day <= kDays; ++day) {
            const Field& cell = w.DayCells[day][line];
            const QString& text = cell.text();
            if (text.isEmpty())
                continue;
            int flags = 0;
            float dayHours = evaluator.DutyHours(text, &flags);
            // A sick person rostered to a shift is not there to count.
            if (!evaluator.HoldsIllness(text)) {
                for (int shift = 1; shift <= kShifts; ++shift)
                    if (flags & (1 << (shift - 1)))
                        ++w.ShiftCounts[day][shift];
            }
            if (dayHours > 0 && cell.colour() != RequestColour)
                ++w.WeekNonPrefCount[line];
            // Hours after a code that do not read as a number (a lone point while typing
            // "HOL .5") count nothing rather than stopping the totals.
            dayHours = evaluator.AddAbsenceHours(text, dayHours, true);
            if (named)
                w.WeekHours[line] = w.WeekHours[line] + dayHours;
            else
                w.WeekHours[line] = 0;
        }
    }

    for (int line = 1; line <= kLines; ++line)
        w.HoursWorkingEdits[line].setText(w.WeekHours[line] == 0 ? QString()
                                                                 : FloatToGeneral(w.WeekHours[line], 4));

    for (int line = 1; line <= kLines; ++line) {
        Field& set = w.HoursSetEdits[line];
        Colour colour = White;
        if (!set.text().isEmpty()) {
            try {
                const float target = HoursSetValue(set.text(), false);
                if (target == w.WeekHours[line])
                    colour = RequestColour;
                else if (target < w.WeekHours[line])
                    colour = AlertColour;
            } catch (const ConversionError&) {
                // No readable target: the box stays white.
            }
        }
        set.setColour(colour);
    }

    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            Field& box = w.ShiftRequiredEdits[day][shift];
            qint32 required = 0;
            try {
                required = WholeNumberFromText(box.text());
            } catch (const ConversionError& e) {
                if (ui)
                    ui->showError(e.message());
                return;
            }
            box.setColour(required > w.ShiftCounts[day][shift] ? White : RequestColour);
        }
    }
}

}  // namespace tavrola
