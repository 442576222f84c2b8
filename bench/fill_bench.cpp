// The automatic fill on the demo ward, from a stored week's entries as the requests:
// candidates per second of the search (built, scored and kept), and how long a fill
// takes until its best score stops improving. Then whole fills (random phase, then the
// local search, the working-time rules as hard rules) on ten generated wards of 15-25
// staff: the real score after 1, 2 and 5 seconds, and candidates plus moves per second.
#include "autofill/FillSearch.h"
#include "document/RequirementsStep.h"
#include "document/Totals.h"
#include "roster/WeekData.h"
#include "rules/FillRules.h"
#include "settings/DutyText.h"
#include "support/DemoData.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

using namespace tavrola;

namespace {

// The demo ward with a stored week on the grid and the week's requirements set up. The
// requests are the week's cells, or with `absencesOnly` only those that are no shift
// (holidays, study days): the fill then has the whole week to build.
FillInput DemoFillInput(WardModel& model, bool absencesOnly = false)
{
    bench::LoadDemoWeek(model);
    SetupRequiredNurses(model);
    QString requests[kDays + 1][kLines + 1];
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= kLines; ++line)
        {
            const QString& text = model.Week.DayCells[day][line].text();
            int flags = 0;
            DutyHours(text, model.Settings, &flags);
            requests[day][line] = absencesOnly && flags != 0 ? QString() : text;
        }
    return MakeFillInput(StoreWeekData(model.Week), model.Week.StaffSkillCodes, requests);
}

// Generated ward `n` (0..9): 15-25 staff, four skills, requirements of 2-5 by day and 1-3 at
// night, contracts of 22.5-37.5 hours with carried-over hours now and then, and a few
// requests. The same `n` always gives the same ward.
struct GeneratedWard {
    WardSettings settings;
    FillInput input;
    WeekData requests;
};

GeneratedWard MakeGeneratedWard(int n)
{
    GeneratedWard w;
    WardModel model;
    bench::LoadDemoWeek(model);  // the demo ward's duty names, hours and shift times
    w.settings = model.Settings;
    std::mt19937 g(2026u + unsigned(n) * 101u);
    auto pick = [&g](int k) { return int(g() % unsigned(k)); };
    const char* codes[] = {"SL", "IV", "MT", "BT"};
    for (int k = 1; k <= kSkills; ++k) {
        w.settings.SkillCode[k] = k <= 4 ? QString::fromLatin1(codes[k - 1]) : QString();
        w.settings.SkillRequired[k] = k <= 2 ? 1 : 0;
        w.settings.SkillPreferable[k] = k <= 4 ? 1 : 0;
    }
    w.settings.SkillCheckBoxes = QStringLiteral("111111");
    const int staff = 15 + pick(11);
    w.input.NumberOfStaff = staff;
    const char* contracts[] = {"37.5", "37.5", "30", "22.5", "37.5 +7.5", "37.5 -3.75"};
    const char* asked[] = {"HOL", "SICK", "STUDY"};
    for (int line = 1; line <= staff; ++line) {
        w.requests.Names[line] = QStringLiteral("Nurse %1").arg(line);
        w.input.HoursSet[line] = w.requests.HoursSet[line] = QString::fromLatin1(contracts[pick(6)]);
        QString skills;
        for (int k = 0; k < 4; ++k)
            if (pick(3) == 0)
                skills += QString::fromLatin1(codes[k]);
        w.input.SkillCodes[line] = skills;
        for (int day = 1; day <= kDays; ++day) {
            w.input.RequestDay[day][line] = pick(2) == 0;
            if (pick(12) == 0)
                w.input.Requests[day][line] = w.requests.Cells[day][line] = QString::fromLatin1(asked[pick(3)]);
        }
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            w.input.Required[day][shift] = w.requests.Required[day][shift] =
                QString::number(shift == 3 ? 1 + pick(3) : 2 + staff / 8 + pick(2));
    return w;
}

}  // namespace

static void BM_FillCandidates(benchmark::State& state)
{
    WardModel model;
    const FillInput input = DemoFillInput(model, state.range(0) == 1);
    FillSearch search(model.Settings, input, 20261130u);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.next());
    state.counters["candidates/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["best"] = search.bestScore();
}
// Arg 0: the stored week's cells as requests; 1: its absences only.
BENCHMARK(BM_FillCandidates)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A fill of 200,000 candidates from each of a few seeds: the time and candidate at which
// the best score last improved. The demo ward's skill rules cannot all be met, so every
// candidate scores 0 after the floor; the improvement is measured before it.
static void BM_FillTimeToBest(benchmark::State& state)
{
    WardModel model;
    const FillInput input = DemoFillInput(model, state.range(1) == 1);
    const std::uint32_t seed = std::uint32_t(state.range(0));
    for (auto _ : state) {
        using Clock = std::chrono::steady_clock;
        FillSearch search(model.Settings, input, seed);
        const auto start = Clock::now();
        double lastImprovement = 0;
        int best = -1000000;
        qint64 bestAt = 0;
        while (search.candidates() < 200000 && search.bestScore() < 100) {
            search.next();
            if (search.unclampedScore() > best) {
                best = search.unclampedScore();
                bestAt = search.candidates();
                lastImprovement = std::chrono::duration<double>(Clock::now() - start).count();
            }
        }
        state.counters["best_unclamped"] = best;
        state.counters["best_at_candidate"] = double(bestAt);
        state.counters["seconds_to_best"] = lastImprovement;
    }
}
BENCHMARK(BM_FillTimeToBest)
    ->ArgsProduct({{1, 20261130, 43210987}, {0, 1}})
    ->Iterations(1)->Unit(benchmark::kMillisecond);

// A whole fill of a generated ward for 5 seconds, as the window runs it: random candidates
// until 5,000 bring no better real score (or 40% of the time), then the local search.
static void BM_FillGeneratedWard(benchmark::State& state)
{
    const GeneratedWard w = MakeGeneratedWard(int(state.range(0)));
    for (auto _ : state) {
        using Clock = std::chrono::steady_clock;
        WorkingTimeGuard guard(w.settings, RuleLimits(), w.requests, QDate(2026, 12, 7), RuleHistory{});
        FillInput input = w.input;
        input.HoursCap = float(guard.hoursCap());
        FillSearch search(w.settings, input, 1u, &guard);
        const auto start = Clock::now();
        auto seconds = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
        int at[3] = {};
        const double marks[3] = {1, 2, 5};
        int mark = 0;
        bool improving = true;
        while (mark < 3 && search.bestScore() < 100) {
            if (search.phase() == FillPhase::Random && search.sinceImprovement() < 5000 && seconds() < 2)
                search.next();
            else if (improving)
                improving = search.improve(64);
            else
                break;
            while (mark < 3 && seconds() >= marks[mark])
                at[mark++] = search.bestUnclamped();
        }
        for (; mark < 3; ++mark)
            at[mark] = search.bestUnclamped();
        state.counters["staff"] = w.input.NumberOfStaff;
        state.counters["real_1s"] = at[0];
        state.counters["real_2s"] = at[1];
        state.counters["real_5s"] = at[2];
        state.counters["steps/s"] = double(search.candidates() + search.moves()) / seconds();
        state.counters["candidates"] = double(search.candidates());
    }
}
BENCHMARK(BM_FillGeneratedWard)->DenseRange(0, 9)->Iterations(1)->Unit(benchmark::kSecond);
