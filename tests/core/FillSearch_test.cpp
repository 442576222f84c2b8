// The fill's search beyond the random draw: ranking by the real score, distinct kept
// weeks, the local search reaching the optimum of small wards, and the working-time rules
// kept as hard rules over many generated wards.
#include "autofill/FillSearch.h"
#include "autofill/ShortenShift.h"
#include "rules/FillRules.h"

#include "TestWard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>

using namespace tavrola;
using namespace tavrola::test;

namespace {

// A generated ward: `staff` named lines, skills A and B, requirements of 0..2 on each
// shift, contracts with carried-over hours now and then, and a few requests (leave,
// sickness, study, shifts).
struct GeneratedWard {
    WardSettings settings = TestWardSettings();
    FillInput input;
    WeekData requests;

    GeneratedWard(unsigned seed, int staff)
    {
        std::mt19937 g(seed);
        auto pick = [&g](int n) { return int(g() % unsigned(n)); };
        settings.SkillCode[1] = QStringLiteral("A");
        settings.SkillCode[2] = QStringLiteral("B");
        settings.SkillRequired[1] = 1;
        settings.SkillPreferable[2] = 1;
        input.NumberOfStaff = staff;
        const char* contracts[] = {"37.5", "30", "22.5", "37.5 +15", "15", "37.5 -7.5"};
        const char* skills[] = {"", "A", "B", "AB"};
        const char* asked[] = {"HOL", "SICK", "STUDY", "EARLY", "NIGHT", "LATE"};
        for (int line = 1; line <= staff; ++line) {
            requests.Names[line] = QStringLiteral("Nurse %1").arg(line);
            input.HoursSet[line] = requests.HoursSet[line] = QString::fromLatin1(contracts[pick(6)]);
            input.SkillCodes[line] = QString::fromLatin1(skills[pick(4)]);
            for (int day = 1; day <= kDays; ++day) {
                input.RequestDay[day][line] = pick(3) == 0;
                if (pick(6) == 0)
                    input.Requests[day][line] = requests.Cells[day][line] = QString::fromLatin1(asked[pick(6)]);
            }
        }
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                input.Required[day][shift] = requests.Required[day][shift] = QString::number(pick(3));
    }
};

// The best real score over every week the fill could make from `free` cells, each empty
// or one of its line's three shift codes, the other cells as requested.
int ExhaustiveOptimum(FillEngine& e, const std::vector<std::pair<int, int>>& free)
{
    e.Prepare();
    VirtualForm form = e.form();
    int best = INT_MIN;
    const int combos = 1 << (2 * int(free.size()));
    for (int c = 0; c < combos; ++c) {
        for (size_t i = 0; i < free.size(); ++i) {
            const int choice = (c >> (2 * i)) & 3;
            const auto [day, line] = free[i];
            form.Cells[day][line] = choice == 0 ? kEmptyCell : e.ShiftCode(line, choice);
        }
        int unclamped = 0;
        e.ScoreVirtualForm(form, nullptr, &unclamped);
        best = std::max(best, unclamped);
    }
    return best;
}

}  // namespace

TEST(FillSearch, LocalSearchReachesTheOptimumOfSmallWards)
{
    // Three lines whose weeks are requested but for a few cells; contracts too large to
    // meet, so every placement is a whole shift and the contract points are the same in
    // every week.
    const struct {
        unsigned ward;
        int staff;
        int freeCells;
    } cases[] = {{1, 3, 7}, {2, 3, 8}, {3, 4, 8}, {4, 4, 8}, {5, 5, 8}, {6, 6, 8}};
    for (const auto& c : cases) {
        GeneratedWard w(c.ward, c.staff);
        std::mt19937 g(c.ward * 7919u);
        std::vector<std::pair<int, int>> free;
        while (int(free.size()) < c.freeCells) {
            const std::pair<int, int> cell{int(g() % 7) + 1, int(g() % unsigned(c.staff)) + 1};
            if (std::find(free.begin(), free.end(), cell) == free.end())
                free.push_back(cell);
        }
        for (int line = 1; line <= c.staff; ++line) {
            w.input.HoursSet[line] = QStringLiteral("99");
            for (int day = 1; day <= kDays; ++day) {
                const bool open = std::find(free.begin(), free.end(), std::make_pair(day, line)) != free.end();
                w.input.Requests[day][line] = open ? QString() : QStringLiteral("DO");
            }
        }
        FillEngine exact(w.settings, w.input);
        const int optimum = ExhaustiveOptimum(exact, free);
        FillSearch search(w.settings, w.input, c.ward);
        for (int i = 0; i < 50; ++i)
            search.next();
        for (int step = 0; step < 100 && search.bestUnclamped() < optimum && search.improve(256); ++step) {
        }
        EXPECT_EQ(search.bestUnclamped(), optimum) << "ward " << c.ward;
        EXPECT_LE(search.moves(), 100 * 256);
    }
}

TEST(FillSearch, KeptWeeksAreSafeDistinctAndKeepTheRequests)
{
    // 1,000 seeded fills over generated wards of 4..12 staff, with the working-time rules'
    // default limits as hard rules.
    const QDate monday(2026, 12, 7);
    int fills = 0, slotsChecked = 0;
    for (unsigned ward = 1; ward <= 100; ++ward) {
        GeneratedWard w(ward, 4 + int(ward % 9));
        for (int n = 1; n <= w.input.NumberOfStaff; ++n)
            w.requests.Names[n] = QStringLiteral("Nurse %1").arg(n);
        const RuleLimits limits;
        for (std::uint32_t seed = 1; seed <= 10; ++seed, ++fills) {
            WorkingTimeGuard guard(w.settings, limits, w.requests, monday, RuleHistory{});
            FillInput in = w.input;
            in.HoursCap = float(guard.hoursCap());
            FillSearch search(w.settings, in, seed * 1000 + ward, &guard);
            for (int i = 0; i < 12; ++i)
                search.next();
            search.improve(400);
            const int filled = search.filledSlots();
            ASSERT_GE(filled, 1);
            for (int n = 0; n < filled; ++n) {
                const SolutionSlot& slot = search.slot(n);
                WeekData week = w.requests;
                for (int day = 1; day <= kDays; ++day)
                    for (int line = 1; line <= kLines; ++line) {
                        const QString text = search.slotText(n, day, line);
                        week.Cells[day][line] = text;
                        if (!w.input.Requests[day][line].isEmpty()) {
                            ASSERT_EQ(text, w.input.Requests[day][line]) << "requests stay";
                        } else if (!text.isEmpty()) {  // no fragment: at least the shortest shift
                            ASSERT_GE(DutyHours(text, w.settings), in.MinShortShift - 1e-3) << text.toStdString();
                        }
                    }
                for (const Breach& b : CheckWorkingTime(w.settings, limits, week, monday, RuleHistory{})) {
                    bool asked = false;
                    for (const Breach& r : guard.requestBreaches())
                        asked = asked || (r.line == b.line && r.rule == b.rule && r.day == b.day);
                    ASSERT_TRUE(asked) << "ward " << ward << " seed " << seed << ": " << b.text.toStdString();
                }
                // The local search scores by parts and summarises by day: both agree
                // with a whole rescoring.
                int real = 0;
                search.engine().ScoreVirtualForm(slot.form, nullptr, &real);
                ASSERT_EQ(real, slot.unclamped) << "ward " << ward << " seed " << seed;
                VirtualForm whole = slot.form;
                search.engine().Summarise(whole);
                ASSERT_EQ(std::memcmp(whole.Summary, slot.form.Summary, sizeof whole.Summary), 0);
                for (int m = 0; m < n; ++m)
                    ASSERT_NE(std::memcmp(slot.form.Cells, search.slot(m).form.Cells, sizeof slot.form.Cells), 0);
                if (n > 0) {
                    EXPECT_LE(slot.unclamped, search.slot(0).unclamped);
                }
                ++slotsChecked;
            }
            for (int n = filled; n < kSolutionSlots; ++n)
                EXPECT_FALSE(search.slot(n).filled);
        }
    }
    EXPECT_EQ(fills, 1000);
    EXPECT_GT(slotsChecked, 3000);

    // The same wards filled without the rules do break them: the check above has teeth.
    int unguardedBreaches = 0;
    for (unsigned ward = 1; ward <= 20; ++ward) {
        GeneratedWard w(ward, 4 + int(ward % 9));
        FillSearch search(w.settings, w.input, ward);
        for (int i = 0; i < 12; ++i)
            search.next();
        WeekData week = w.requests;
        for (int day = 1; day <= kDays; ++day)
            for (int line = 1; line <= kLines; ++line)
                week.Cells[day][line] = search.slotText(0, day, line);
        unguardedBreaches += int(CheckWorkingTime(w.settings, RuleLimits(), week, monday, RuleHistory{}).size()) -
                             int(CheckWorkingTime(w.settings, RuleLimits(), w.requests, monday, RuleHistory{}).size());
    }
    EXPECT_GT(unguardedBreaches, 0);
}

TEST(FillSearch, ShortenedShiftsReadAsTheirHoursAndCarriedHoursStopAtTheCap)
{
    const WardSettings s = TestWardSettings();
    // A quarter of an hour left of an early would wrap round to "7 - 7:15", read as
    // nearly twelve hours: no range is written.
    EXPECT_EQ(ShortenShift(QStringLiteral("EARLY"), 0.25, s), QString());
    for (const double left : {4.0, 4.5, 5.0, 6.0, 6.5, 7.0})
        EXPECT_NEAR(DutyHours(ShortenShift(QStringLiteral("EARLY"), left, s), s), left, 0.01) << left;

    // 37.5 hours with 20 carried over, capped at 48: the week stops at 48, and never with
    // a shift under 4 hours to make it up.
    FillInput in;
    in.NumberOfStaff = 1;
    in.HoursSet[1] = QStringLiteral("37.5 +20");
    in.HoursCap = 48;
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            in.Required[day][shift] = QStringLiteral("1");
    FillEngine e(s, in);
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        FillRandom r(seed);
        e.FillVirtualForm(r);
        EXPECT_LE(e.LineHours(e.form(), 1), 48.0f + 1e-3f) << seed;
        for (int day = 1; day <= kDays; ++day)
            if (const CellId id = e.form().Cells[day][1]) {
                EXPECT_GE(e.Facts(id).hours, 4.0f) << e.CellText(e.form(), day, 1).toStdString();
            }
    }

    // 26.25 hours of earlies: three leave 3.75, under the shortest shift, which no single
    // change can pay. The local search trims earlies to pay a fourth, long enough to
    // count as an early, rather than a piece that counts for no shift.
    in.HoursSet[1] = QStringLiteral("30 -3.75");
    in.StandardShift[1] = QStringLiteral("EARLY");
    FillSearch search(s, in, 7u);
    for (int i = 0; i < 20; ++i)
        search.next();
    EXPECT_NEAR(search.engine().LineHours(search.slot(0).form, 1), 22.5f, 1e-3f);
    while (search.improve(256)) {
    }
    EXPECT_NEAR(search.engine().LineHours(search.slot(0).form, 1), 26.25f, 1e-3f);
    int counted = 0;
    for (int day = 1; day <= kDays; ++day)
        if (const CellId id = search.slot(0).form.Cells[day][1]) {
            EXPECT_GE(search.engine().Facts(id).hours, 4.0f - 1e-3f);
            EXPECT_NE(search.engine().Facts(id).flags, 0) << search.slotText(0, day, 1).toStdString();
            counted += search.engine().Facts(id).flags != 0;
        }
    EXPECT_EQ(counted, 4);
}

namespace {

// A hard rule that differs by line: line n may work at most `limits[n]` days.
class DaysGuard : public LineGuard {
public:
    explicit DaysGuard(std::vector<int> limits) : limits_(std::move(limits)) {}
    std::uint32_t newBreachDays(int line, const QString (&cells)[kDays + 1]) override
    {
        int worked = 0;
        for (int day = 1; day <= kDays; ++day)
            worked += cells[day].isEmpty() ? 0 : 1;
        return worked > limits_[line] ? 1u << kDays : 0u;
    }

private:
    std::vector<int> limits_;
};

}  // namespace

TEST(FillSearch, HardRulesAreAskedOfEachLineEvenWhenLinesWorkAlike)
{
    // Lines alike in all but the rule: the guard's answers, kept by a line's cells, must
    // not pass one line's week for another's. Every shift wants everyone, so the search
    // keeps trying the week a freer line works on the others.
    for (const std::vector<int>& limits : {std::vector<int>{0, 5, 2, 5, 3}, std::vector<int>{0, 2, 5, 2, 5}}) {
        FillInput in;
        in.NumberOfStaff = 4;
        for (int line = 1; line <= 4; ++line) {
            in.HoursSet[line] = QStringLiteral("37.5");
            in.StandardShift[line] = QStringLiteral("EARLY");
        }
        for (int day = 1; day <= kDays; ++day)
            in.Required[day][1] = QStringLiteral("4");
        DaysGuard guard(limits);
        const WardSettings settings = TestWardSettings();  // the search keeps a reference
        FillSearch search(settings, in, 11u, &guard);
        for (int i = 0; i < 20; ++i)
            search.next();
        for (int step = 0; step < 40 && search.improve(256); ++step) {
        }
        for (int n = 0; n < search.filledSlots(); ++n)
            for (int line = 1; line <= 4; ++line) {
                int worked = 0;
                for (int day = 1; day <= kDays; ++day)
                    worked += search.slot(n).form.Cells[day][line] != kEmptyCell;
                EXPECT_LE(worked, limits[line]) << "slot " << n << " line " << line;
            }
    }
}
