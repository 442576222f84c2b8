#include "document/WeekPrintSheet.h"

namespace tavrola {

PrintSheet PrintSheetFor(const WardModel& model, const WeekView& labels)
{
    PrintSheet sheet;
    sheet.Week = model.Week.data();
    sheet.WeekDate = model.Week.PickerDate;
    // The window shows the captions of the last week selection, else the ward's names.
    const bool captions = !labels.HospitalCaption.isEmpty() || !labels.WardCaption.isEmpty();
    sheet.Hospital = captions ? labels.HospitalCaption : model.Settings.HOSPITAL;
    sheet.Ward = captions ? labels.WardCaption : model.Settings.WARD;
    for (int k = 1; k <= 14; ++k)
        sheet.DutyNames[k] = model.Settings.DutyName(k);
    for (int day = 1; day <= kDays; ++day)
        sheet.Holidays[day] = labels.HolidayLabels[day];
    const WeekStatus& status = model.Week.status();
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            if (status.ShiftCovers[day][shift] == Cover::Short)
                sheet.ShortShifts.push_back(
                    {day, shift, status.ShiftRequired[day][shift] - status.ShiftCounts[day][shift]});
    for (const Breach& b : model.Breaches)
        sheet.Breaches.push_back({QString(RuleTitle(b.rule)), b.name, b.day});
    return sheet;
}

}  // namespace tavrola
