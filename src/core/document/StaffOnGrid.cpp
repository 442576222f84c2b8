#include "document/StaffOnGrid.h"

#include "document/WorkingTime.h"

namespace tavrola {

void ApplyStaffFile(WardModel& model, const StaffFileReadResult& read)
{
    RosterWeek& w = model.Week;
    model.Settings = read.settings;
    model.RulesCheckedValid = false;  // the duties read otherwise now
    model.Staff = read.lines;
    {
        const RecalcBatch batch(w);  // one recalculation at the end, not one per box
        for (const StaffGridLine& s : read.lines) {
            const int n = s.line;
            if (n < 1 || n > kLines)
                continue;
            w.setText(BoxRef::name(n), s.name);
            w.StaffSkillCodes[n] = s.skills;
            w.setText(BoxRef::grade(n), s.grade);
            w.setText(BoxRef::hoursSet(n), s.hoursSet);
            w.setLineHint(n, s.standardShift);
            for (int day = 1; day <= kDays; ++day)
                w.setColour(BoxRef::cell(day, n), s.preferred[day] ? RequestColour : White);
        }
        for (int day = 1; day <= kDays; ++day)
            for (int line = 1; line <= kLines; ++line)
                w.BaseCellColours[day][line] = w.data().CellColours[day][line];
    }
    if (w.Recalculate)
        w.Recalculate();
}

bool Read_StaffTxtFile(WardModel& model, QString* error, QStringList* rulesProblems)
{
    const StaffFileReadResult read = ReadStaffFile(model.Week.DataFolder + kStaffFileName, model.Settings);
    if (!read.ok) {
        if (error)
            *error = read.error;
        return false;
    }
    const QStringList problems = ReadRulesTxtFile(model);
    if (rulesProblems)
        *rulesProblems = problems;
    ApplyStaffFile(model, read);
    return true;
}

bool ReloadStaffTxtFile(WardModel& model, QString* error)
{
    if (!Read_StaffTxtFile(model, error))
        return false;
    RosterWeek& w = model.Week;
    const int staff = model.Staff.empty() ? 0 : model.Staff.back().line;
    {
        const RecalcBatch batch(w);
        for (int line = staff + 1; line <= kLines; ++line) {
            w.setText(BoxRef::name(line), QString());
            w.StaffSkillCodes[line].clear();
            w.setText(BoxRef::grade(line), QString());
            w.setText(BoxRef::hoursSet(line), QString());
            w.setLineHint(line, QString());
            for (int day = 1; day <= kDays; ++day) {
                w.setColour(BoxRef::cell(day, line), White);
                w.BaseCellColours[day][line] = White;
            }
        }
    }
    if (w.Recalculate)
        w.Recalculate();
    return true;
}

}  // namespace tavrola
