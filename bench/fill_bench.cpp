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

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

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
            const QString& text = model.Week.data().Cells[day][line];
            int flags = 0;
            DutyHours(text, model.Settings, &flags);
            requests[day][line] = absencesOnly && flags != 0 ? QString() : text;
        }
    return MakeFillInput(model.Week.data(), model.Week.StaffSkillCodes, requests);
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
// the best real score (before the floor at 0) last improved.
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

namespace {

// One whole fill of generated ward `w` from `seed`, as the window runs it: random candidates
// until 5,000 bring no better real score (or 40% of a 5-second run), then the local search,
// for at most `limit` seconds. The best real score at each of the `marks` (seconds) goes
// into `at`; returns the best real score at the end.
int RunGeneratedFill(const GeneratedWard& w, std::uint32_t seed, double limit, const std::vector<double>& marks,
                     std::vector<int>* at = nullptr, double* stepsPerSecond = nullptr, qint64* candidates = nullptr)
{
    using Clock = std::chrono::steady_clock;
    WorkingTimeGuard guard(w.settings, RuleLimits(), w.requests, QDate(2026, 12, 7), RuleHistory{});
    FillInput input = w.input;
    input.HoursCap = float(guard.hoursCap());
    FillSearch search(w.settings, input, seed, &guard);
    search.setKeepSearching(true);
    const auto start = Clock::now();
    auto seconds = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    std::size_t mark = 0;
    if (at)
        at->assign(marks.size(), 0);
    bool improving = true;
    while (seconds() < limit && search.bestScore() < 100) {
        if (search.phase() == FillPhase::Random && search.sinceImprovement() < 5000 && seconds() < 2)
            search.next();
        else if (improving)
            improving = search.improve(64);
        else
            break;
        for (; at && mark < marks.size() && seconds() >= marks[mark]; ++mark)
            (*at)[mark] = search.bestUnclamped();
    }
    for (; at && mark < marks.size(); ++mark)
        (*at)[mark] = search.bestUnclamped();
    if (stepsPerSecond)
        *stepsPerSecond = double(search.candidates() + search.moves()) / seconds();
    if (candidates)
        *candidates = search.candidates();
    return search.bestUnclamped();
}

}  // namespace

// A whole fill of each generated ward for 5 seconds from seed 1: the real score after 1, 2
// and 5 seconds, and candidates plus moves per second.
static void BM_FillGeneratedWard(benchmark::State& state)
{
    const GeneratedWard w = MakeGeneratedWard(int(state.range(0)));
    for (auto _ : state) {
        std::vector<int> at;
        double steps = 0;
        qint64 candidates = 0;
        RunGeneratedFill(w, 1u, 5, {1, 2, 5}, &at, &steps, &candidates);
        state.counters["staff"] = w.input.NumberOfStaff;
        state.counters["real_1s"] = at[0];
        state.counters["real_2s"] = at[1];
        state.counters["real_5s"] = at[2];
        state.counters["steps/s"] = steps;
        state.counters["candidates"] = double(candidates);
    }
}
BENCHMARK(BM_FillGeneratedWard)->DenseRange(0, 9)->Iterations(1)->Unit(benchmark::kSecond);

// The target: seed 1 after 5 seconds against the best real score other seeds find with 60
// seconds each (a fill that stops early is followed by another from the next seed until the
// minute is up). `gap` is that best less the 5-second score; the target is 2 or less on 9
// wards in 10. Slow (two minutes a ward): run it on its own, for a few wards at a time:
//   fill_bench --benchmark_filter='BM_FillGeneratedWardTarget/[0-3]/'
static void BM_FillGeneratedWardTarget(benchmark::State& state)
{
    const GeneratedWard w = MakeGeneratedWard(int(state.range(0)));
    for (auto _ : state) {
        std::vector<int> at;
        RunGeneratedFill(w, 1u, 5, {5}, &at);
        int best = at[0];
        for (std::uint32_t other : {2u, 3u}) {
            using Clock = std::chrono::steady_clock;
            const auto start = Clock::now();
            for (std::uint32_t seed = other * 1000;; ++seed) {
                const double left = 60 - std::chrono::duration<double>(Clock::now() - start).count();
                if (left <= 0)
                    break;
                best = std::max(best, RunGeneratedFill(w, seed, left, {}));
            }
        }
        state.counters["real_5s"] = at[0];
        state.counters["best_60s"] = best;
        state.counters["gap"] = best - at[0];
    }
}
BENCHMARK(BM_FillGeneratedWardTarget)->DenseRange(0, 9)->Iterations(1)->Unit(benchmark::kSecond);
