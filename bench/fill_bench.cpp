// The automatic fill on the demo ward, from a stored week's entries as the requests:
// candidates per second of the search (built, scored and kept), and how long a fill
// takes until its best score stops improving.
#include "autofill/FillSearch.h"
#include "document/RequirementsStep.h"
#include "document/Totals.h"
#include "roster/WeekData.h"
#include "settings/DutyText.h"
#include "support/DemoData.h"

#include <benchmark/benchmark.h>

#include <chrono>

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
