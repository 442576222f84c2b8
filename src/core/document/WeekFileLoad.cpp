#include "document/WeekFileLoad.h"

#include "util/TextUtil.h"
#include "weeks/WeekFileReader.h"

namespace tavrola {

void ApplyWeekFile(WardModel& model, WeekView& labels, const WeekFileData& d)
{
    RosterWeek& w = model.Week;
    WardSettings& s = model.Settings;
    {
        const RecalcBatch batch(w);

        w.PickerDate = d.weekCommencing;
        s.HOSPITAL = d.hospital;
        labels.HospitalCaption = d.hospital;
        s.WARD = d.ward;
        labels.WardCaption = d.ward;
        model.RulesCheckedValid = false;  // the week's own duty names and hours
        for (int k = 1; k <= 14; ++k)
            s.DutyName(k) = d.dutyNames[k];
        for (int k = 0; k < kWeekFileHourSettings; ++k)
            WeekFileHourSetting(s, k) = d.hours[k];

        for (int line = 1; line <= kLines; ++line) {
            const WeekFileStaffLine& l = d.lines[line];
            w.setText(BoxRef::name(line), l.name);
            // The contracted hours are shown in their shortest form (7.3, not the stored
            // 7.30000019073486); they read back as the same value.
            w.setText(BoxRef::hoursSet(line),
                      !l.name.isEmpty() && l.contracted ? FloatToShortest(*l.contracted) : QString());
            if (l.nonPref)
                w.setNonPrefCount(line, *l.nonPref);
            for (int day = 1; day <= kDays; ++day)
                w.setText(BoxRef::cell(day, line), l.days[day]);
            w.setText(BoxRef::lectures(line), l.notes);
        }
        for (int day = 1; day <= kDays; ++day) {
            for (int shift = 1; shift <= kShifts; ++shift) {
                w.setText(BoxRef::required(day, shift), d.required[day][shift]);
                if (d.counts[day][shift])
                    w.setShiftCount(day, shift, *d.counts[day][shift]);
            }
            for (int line = 1; line <= kLines; ++line)
                if (d.colours[day][line])
                    w.setColour(BoxRef::cell(day, line), *d.colours[day][line]);
        }

        w.RosterChanged = false;
    }
}

bool LoadWeekFile(WardModel& model, WeekView& labels, const QString& path, QString* error)
{
    WeekFileData data;
    if (!ReadWeekFile(path, &data, error))
        return false;
    model.Week.RosterFileLoaded = true;
    ApplyWeekFile(model, labels, data);
    model.File.attach(path);
    return true;
}

}  // namespace tavrola
