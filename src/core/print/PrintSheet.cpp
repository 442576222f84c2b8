#include "print/PrintSheet.h"

namespace tavrola {

PrintSheet PrintSheetFor(const WardModel& model, const WeekView& labels)
{
    PrintSheet sheet;
    sheet.Week = StoreWeekData(model.Week);
    sheet.WeekDate = model.Week.PickerDate;
    // The window shows the captions of the last week selection, else the ward's names.
    const bool captions = !labels.HospitalCaption.isEmpty() || !labels.WardCaption.isEmpty();
    sheet.Hospital = captions ? labels.HospitalCaption : model.Settings.HOSPITAL;
    sheet.Ward = captions ? labels.WardCaption : model.Settings.WARD;
    for (int day = 1; day <= kDays; ++day)
        sheet.Holidays[day] = labels.HolidayLabels[day];
    return sheet;
}

int LinesUsed(const WeekData& week)
{
    for (int line = kLines; line >= 1; --line) {
        if (!week.Names[line].isEmpty() || !week.Notes[line].isEmpty())
            return line;
        for (int day = 1; day <= kDays; ++day)
            if (!week.Cells[day][line].isEmpty())
                return line;
    }
    return 0;
}

int LinesWithNames(const WeekData& week)
{
    for (int line = kLines; line >= 1; --line)
        if (!week.Names[line].isEmpty())
            return line + 1;
    return 0;
}

}  // namespace tavrola
