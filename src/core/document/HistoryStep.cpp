#include "document/HistoryStep.h"

#include "render/NonPrefChart.h"
#include "document/Totals.h"
#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"

#include <QLocale>
#include <algorithm>

namespace tavrola {

void UseStaffFileDataforInitialisation(WardModel& model, HistoryScan& scan, Ui& ui)
{
    const WardSettings& s = model.Settings;
    RosterWeek& w = model.Week;

    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            if (s.StaffRequired[day][shift] == 0)
                w.setColour(BoxRef::required(day, shift), RequestColour);

    TraceLog(QStringLiteral("\n\r\n\rProcessing Files for NPW & HA .....  from ") + s.AnalysisStartDate +
             QStringLiteral(" to ") + QLocale().toString(w.PickerDate.addDays(-1), QLocale::ShortFormat));

    // Without a period to analyse the last scan's names stay listed, with zero counts.
    std::fill(std::begin(scan.NonPrefShifts), std::end(scan.NonPrefShifts), 0);
    std::fill(std::begin(scan.NameAdjHours), std::end(scan.NameAdjHours), 0.0f);
    scan.Scanned = false;
    scan.Damaged.clear();

    if (s.AnalysisStartDateValid) {
        ui.setBusy(true);
        ScanStoredWeeks(w.DataFolder, s.AnalysisStartDateValue, w.PickerDate, scan, &scan.Damaged);
        ui.setBusy(false);
        scan.Scanned = true;
        TraceNonPrefChart(ComputeNonPrefChart(w.data(), scan), scan);
        WriteCarriedOverHours(w, scan);
        // Each damaged week is reported once per run of the program; the others count.
        for (const QString& message : scan.Damaged) {
            if (scan.Reported.contains(message))
                continue;
            scan.Reported.append(message);
            ui.showError(message);
        }
    }

    if (w.Recalculate)
        w.Recalculate();
    else
        TavrolaChange(model);
}

void WriteCarriedOverHours(RosterWeek& w, const HistoryScan& scan)
{
    const RecalcBatch batch(w);  // the caller recalculates once afterwards
    for (int line = 1; line <= kLines; ++line) {
        const QString& name = w.data().Names[line];
        const int k = name.isEmpty() ? -1 : scan.IndexOf(name);
        if (k < 0 || k >= kHistoryCapacity)
            continue;
        const BoxRef box = BoxRef::hoursSet(line);
        try {
            const QString base = HoursText(HoursSetValue(w.text(box), true));
            const float adj = scan.NameAdjHours[k];
            if (adj > 0)
                w.setText(box, base + u'+' + HoursText(adj));
            else if (adj < 0)
                w.setText(box, base + u' ' + HoursText(adj));
            else
                w.setText(box, base);
        } catch (const ConversionError&) {
            // No contracted hours to add to: the box stays as the user wrote it.
        }
    }
}

}  // namespace tavrola
