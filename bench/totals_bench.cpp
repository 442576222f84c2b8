// One full totals recalculation over a realistic week: 25 named lines, cells holding
// shift names, clock ranges and absence codes with and without hours.
#include "roster/Totals.h"
#include "roster/WardModel.h"
#include "roster/StaffOnGrid.h"

#include <benchmark/benchmark.h>

using namespace tavrola;

namespace {
void fillWard(WardModel& model)
{
    WardSettings& s = model.Settings;
    const char* names[14] = {"EARLY", "LATE", "NIGHT", "HOL", "BH", "SICK", "MAT",
                             "PAT", "CARER", "DOM", "EMERG", "AWOL", "STUDY", "ADMIN"};
    for (int k = 1; k <= 14; ++k)
        s.DutyName(k) = QString::fromLatin1(names[k - 1]);
    s.HoursWorkedOnAM = s.HoursWorkedOnPM = 7.5f;
    s.HoursWorkedOnN = 10.0f;
    s.HoursHolidayFullDay = 7.5f;
    s.MidShiftBreak = 0.5f;
    s.AMShiftHours = CoreHoursMask(7, 15);
    s.PMShiftHours = CoreHoursMask(13, 21);
    s.NShiftHours = CoreHoursMask(21, 7);
    ComputeDerivedSettings(s);

    const char* texts[] = {"EARLY", "LATE", "NIGHT", "7-3", "0730-1530", "1-9 PM", "HOL",
                           "BH 3.75", "SICK EARLY", "STUDY", "7.30-15.30", "", "LATE", "EARLY",
                           "19-07", "HOL EARLY", "ADMIN 4", "", "12-8", "MAT", "9-5"};
    const int n = int(std::size(texts));
    RosterWeek& w = model.Week;
    for (int line = 1; line <= kLines; ++line) {
        w.NameEdits[line].setText(QStringLiteral("Nurse %1").arg(line));
        w.HoursSetEdits[line].setText(line % 3 ? QStringLiteral("37.5") : QStringLiteral("30 +2.5"));
        for (int day = 1; day <= kDays; ++day) {
            w.DayCells[day][line].setText(QString::fromLatin1(texts[(line * 7 + day * 3) % n]));
            w.DayCells[day][line].setColour(day % 2 ? RequestColour : White);
        }
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            w.ShiftRequiredEdits[day][shift].setText(QString::number(4 - shift));
}
}  // namespace

static void BM_TavrolaChange(benchmark::State& state)
{
    WardModel model;
    fillWard(model);
    for (auto _ : state) {
        TavrolaChange(model, nullptr);
        benchmark::DoNotOptimize(model.Week.WeekHours);
    }
}
BENCHMARK(BM_TavrolaChange)->Unit(benchmark::kMicrosecond);

// A keystroke in a cell: the change handler and the recalculation it runs.
static void BM_TypeIntoCell(benchmark::State& state)
{
    WardModel model;
    fillWard(model);
    ConnectTotals(model, nullptr);
    Field& cell = model.Week.DayCells[3][12];
    const QString a = QStringLiteral("7-3"), b = QStringLiteral("7-3.");
    bool flip = false;
    for (auto _ : state) {
        cell.setText((flip = !flip) ? a : b);
        benchmark::DoNotOptimize(model.Week.WeekHours);
    }
}
BENCHMARK(BM_TypeIntoCell)->Unit(benchmark::kMicrosecond);
