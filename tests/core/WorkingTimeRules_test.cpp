#include "TestFiles.h"
#include "TestWard.h"
#include "rules/RuleLimits.h"
#include "rules/RuleWeeksReader.h"
#include "rules/WorkingTimeRules.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileName.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

namespace {

const QDate kMonday(2026, 11, 16);
using Days = std::array<const char*, 7>;
const Days kFree = {"", "", "", "", "", "", ""};

// The test ward under other names: E, L and N shifts, AL and ADMIN among the codes.
WardSettings RenamedWard()
{
    WardSettings s = test::TestWardSettings();
    s.NameAMShift = QStringLiteral("E");
    s.NamePMShift = QStringLiteral("L");
    s.NameNShift = QStringLiteral("N");
    s.NameHolidayFullDay = QStringLiteral("AL");
    return s;
}

WeekData OneLine(const Days& days)
{
    WeekData week;
    week.Names[1] = QStringLiteral("Ann Lee");
    for (int day = 1; day <= kDays; ++day)
        week.Cells[day][1] = QString::fromUtf8(days[day - 1]);
    return week;
}

RuleWeek Stored(int offset, const Days& days, const WardSettings& settings, const char* name = "ANN LEE")
{
    RuleWeek w;
    w.monday = kMonday.addDays(7 * offset);
    w.settings = settings;
    w.names[1] = QString::fromUtf8(name);
    for (int day = 1; day <= kDays; ++day)
        w.cells[day][1] = QString::fromUtf8(days[day - 1]);
    return w;
}

struct Found {
    Rule rule;
    int day;
    double value;
    bool operator==(const Found&) const = default;
};

std::vector<Found> Only(const std::vector<Breach>& all, Rule rule)
{
    std::vector<Found> out;
    for (const Breach& b : all)
        if (b.rule == rule)
            out.push_back({b.rule, b.day, b.value});
    return out;
}

std::ostream& operator<<(std::ostream& os, const Found& f)
{
    return os << RuleKey(f.rule).data() << " day " << f.day << " value " << f.value;
}

}  // namespace

// A cell's duties as the rules see them: clock ranges in their 12-hour reading, shift names
// over the ward's shift times (two that meet are one duty), absences as rest.
TEST(WorkingTimeRules, CellsAsDuties)
{
    const WardSettings ward = test::TestWardSettings();
    const WardSettings renamed = RenamedWard();
    struct Piece {
        int start, end;  // minutes from the cell's day 00:00
        bool night;
        bool operator==(const Piece&) const = default;
    };
    struct Case {
        const char* text;
        std::vector<Piece> pieces;
        float hours;
        bool renamedWard = false;
    };
    const int h = 60;
    const Case cases[] = {
        {"7-3", {{7 * h, 15 * h, false}}, 7.5f},
        {"10-6", {{10 * h, 18 * h, false}}, 7.5f},
        {"PM 9-7", {{21 * h, 31 * h, true}}, 9.5f},
        {"8-8", {{8 * h, 20 * h, false}}, 11.5f},
        {"0730-1530", {{7 * h + 30, 15 * h + 30, false}}, 7.5f},
        {"LATE", {{13 * h, 21 * h, false}}, 7.5f},
        {"EARLY LATE", {{7 * h, 21 * h, false}}, 7.5f},
        {"EARLY NIGHT", {{7 * h, 15 * h, false}, {21 * h, 31 * h, true}}, 10},
        {"HOL", {}, 0},
        {"SICK 7-3", {}, 0},
        {"DO", {}, 0},
        {"ADMIN", {}, 0, true},
        {"AL", {}, 0, true},
        {"N", {{21 * h, 31 * h, true}}, 10, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CellDutyReader reader(c.renamedWard ? renamed : ward);
        const CellDuties cell = reader.Read(QString::fromUtf8(c.text), 2);
        std::vector<Piece> got;
        for (int k = 0; k < cell.count; ++k)
            got.push_back({cell.pieces[k].start - 1440, cell.pieces[k].end - 1440, cell.pieces[k].night});
        EXPECT_EQ(got, c.pieces);
        EXPECT_EQ(cell.hours, c.hours);
    }
}

// Each rule once broken and once kept, on the test ward: EARLY 07-15, LATE 13-21,
// NIGHT 21-07, 7.5 / 7.5 / 10 hours.
TEST(WorkingTimeRules, EachRuleBreachedAndKept)
{
    const WardSettings ward = test::TestWardSettings();
    const WardSettings renamed = RenamedWard();
    struct Case {
        const char* what;
        Rule rule;
        Days previous, shown, next;
        std::vector<Found> expected;
        bool renamedWard = false;
        bool renamedPrevious = false;
    };
    const Rule D = Rule::DailyRest, W = Rule::WeeklyRest, S = Rule::ShiftLength, C = Rule::ConsecutiveDays,
               N = Rule::ConsecutiveNights, R = Rule::RestAfterNights, H = Rule::WeeklyHours;
    const Case cases[] = {
        {"late then early", D, kFree, {"LATE", "EARLY", "", "", "", "", ""}, kFree, {{D, 2, 10}}},
        {"late then late", D, kFree, {"LATE", "LATE", "", "", "", "", ""}, kFree, {}},
        {"last Sunday's late into Monday", D, {"", "", "", "", "", "", "LATE"}, {"EARLY", "", "", "", "", "", ""},
         kFree, {{D, 1, 10}}},
        {"Sunday's late into next Monday", D, kFree, {"", "", "", "", "", "", "LATE"},
         {"EARLY", "", "", "", "", "", ""}, {{D, 7, 10}}},
        {"a night ends the next morning", D, kFree, {"NIGHT", "EARLY", "", "", "", "", ""}, kFree, {{D, 2, 0}}},
        {"a clock range across midnight", D, kFree, {"PM 9-7", "7-3", "", "", "", "", ""}, kFree, {{D, 2, 0}}},
        {"24-hour clock across midnight", D, kFree, {"1900-0730", "1900-0730", "", "", "", "", ""}, kFree, {}},
        {"a sick day between is rest", D, kFree, {"LATE", "SICK", "EARLY", "", "", "", ""}, kFree, {}},
        {"seven earlies", W, kFree, {"EARLY", "EARLY", "EARLY", "EARLY", "EARLY", "EARLY", "EARLY"}, kFree,
         {{W, 7, 16}}},
        {"a holiday on Sunday is rest", W, kFree, {"EARLY", "EARLY", "EARLY", "EARLY", "EARLY", "EARLY", "HOL"},
         kFree, {}},
        {"13 hours", S, kFree, {"", "0700-2000", "", "", "", "", ""}, kFree, {{S, 2, 13}}},
        {"12 hours", S, kFree, {"", "8-8", "PM 8-8", "", "", "", ""}, kFree, {}},
        {"two shift names are one duty", S, kFree, {"EARLY LATE", "", "", "", "", "", ""}, kFree, {{S, 1, 14}}},
        {"seven days from last Thursday", C, {"", "", "", "EARLY", "EARLY", "EARLY", "EARLY"},
         {"EARLY", "EARLY", "EARLY", "", "", "", ""}, kFree, {{C, 3, 7}}},
        {"a sick day breaks the run", C, kFree, {"EARLY", "EARLY", "EARLY", "SICK", "EARLY", "EARLY", "EARLY"},
         kFree, {}},
        {"past the limit only next week", C, kFree, {"", "EARLY", "EARLY", "EARLY", "EARLY", "EARLY", "EARLY"},
         {"EARLY", "", "", "", "", "", ""}, {}},
        {"five nights", N, kFree, {"NIGHT", "NIGHT", "NIGHT", "NIGHT", "NIGHT", "", ""}, kFree, {{N, 5, 5}}},
        {"four nights", N, kFree, {"NIGHT", "NIGHT", "NIGHT", "NIGHT", "", "", ""}, kFree, {}},
        {"an early a day after nights", R, kFree, {"NIGHT", "NIGHT", "NIGHT", "", "EARLY", "", ""}, kFree,
         {{R, 5, 24}}},
        {"two days after nights", R, kFree, {"NIGHT", "NIGHT", "NIGHT", "", "", "EARLY", ""}, kFree, {}},
        {"a night after a night is the run", R, kFree, {"NIGHT", "", "NIGHT", "", "", "", ""}, kFree, {}},
        {"a single night, then Sunday to Monday", R, kFree, {"", "", "", "", "", "", "NIGHT"},
         {"LATE", "", "", "", "", "", ""}, {{R, 7, 6}}},
        {"50 hours", H, kFree, {"NIGHT", "NIGHT", "NIGHT", "NIGHT", "NIGHT", "", ""}, kFree, {{H, 5, 50}}},
        {"absence hours are not work", H, kFree, {"NIGHT", "NIGHT", "NIGHT", "NIGHT", "HOL", "HOL", "HOL"},
         kFree, {}},
        {"renamed: L then E", D, kFree, {"L", "E", "", "", "", "", ""}, kFree, {{D, 2, 10}}, true},
        {"renamed: ADMIN and AL are leave", N, kFree, {"ADMIN", "ADMIN", "AL", "ADMIN", "ADMIN", "AL", "ADMIN"},
         kFree, {}, true},
        {"renamed: five N", N, kFree, {"N", "N", "N", "N", "N", "", ""}, kFree, {{N, 5, 5}}, true},
        {"last week stored under its own names", D, {"", "", "", "", "", "", "L"}, {"EARLY", "", "", "", "", "", ""},
         kFree, {{D, 1, 10}}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WardSettings& shown = c.renamedWard ? renamed : ward;
        const std::vector<RuleWeek> stored = {Stored(-1, c.previous, c.renamedPrevious ? renamed : shown),
                                              Stored(1, c.next, shown)};
        const RuleHistory history = PrepareRuleHistory(kMonday, stored);
        const auto breaches = CheckWorkingTime(shown, RuleLimits(), OneLine(c.shown), kMonday, history);
        EXPECT_EQ(Only(breaches, c.rule), c.expected);
    }
}

// The average takes this week and the stored weeks before it that hold the person, and
// is reported on the day that takes it over.
TEST(WorkingTimeRules, AverageOverSeventeenWeeks)
{
    const WardSettings ward = test::TestWardSettings();
    const Days five = {"NIGHT", "NIGHT", "NIGHT", "NIGHT", "NIGHT", "", ""};
    const Days longer = {"NIGHT", "NIGHT", "NIGHT", "NIGHT", "NIGHT", "0700-0900", ""};
    struct Case {
        const char* what;
        Days before, shown;
        std::vector<Found> expected;
        int weeksBefore = 16;
        const char* name = "ann lee";
    };
    const Rule A = Rule::AverageHours;
    const Case cases[] = {
        {"50 h a week", five, five, {{A, 2, 50}}},
        {"52 h a week before: over from the start", longer, kFree, {{A, 1, 832.0 / 17}}},
        {"an empty week brings it under", five, kFree, {}},
        {"weeks of someone else do not count", kFree, five, {{A, 5, 50}}, 16, "Bob Stone"},
        {"the 17th week back is left out", longer, kFree, {}, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<RuleWeek> stored;
        for (int k = 1; k <= c.weeksBefore; ++k)
            stored.push_back(Stored(-k, c.weeksBefore == 17 && k < 17 ? kFree : c.before, ward, c.name));
        const RuleHistory history = PrepareRuleHistory(kMonday, stored);
        EXPECT_EQ(Only(CheckWorkingTime(ward, RuleLimits(), OneLine(c.shown), kMonday, history), A), c.expected);
    }
}

// The tool tip's sentence names the duty, its day and end, and the limit; a rule switched
// off or with a higher limit is quiet; a history around another week counts for nothing.
TEST(WorkingTimeRules, MessagesLimitsAndOrder)
{
    const WardSettings ward = test::TestWardSettings();
    const RuleHistory history =
        PrepareRuleHistory(kMonday, {Stored(-1, {"", "", "", "", "", "", "LATE"}, ward)});
    const WeekData week = OneLine({"EARLY", "LATE", "EARLY", "0700-2000", "", "", ""});
    const auto all = CheckWorkingTime(ward, RuleLimits(), week, kMonday, history);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].text, QStringLiteral("Rest 10 h after LATE on last Sunday (ends 21:00) — at least 11 h"));
    EXPECT_EQ(all[1].day, 3);
    EXPECT_EQ(all[1].text, QStringLiteral("Rest 10 h after LATE on Tuesday (ends 21:00) — at least 11 h"));
    EXPECT_EQ(all[2].day, 4);
    EXPECT_EQ(all[2].rule, Rule::ShiftLength);
    EXPECT_EQ(all[2].text, QStringLiteral("0700-2000 on Thursday lasts 13 h (07:00 to 20:00) — at most 12.5 h"));
    EXPECT_EQ(all[0].name, QStringLiteral("Ann Lee"));
    EXPECT_EQ(all[0].limit, 11);

    RuleLimits limits;
    limits[Rule::DailyRest].on = false;
    limits[Rule::ShiftLength].limit = 13;
    EXPECT_TRUE(CheckWorkingTime(ward, limits, week, kMonday, history).empty());
    EXPECT_EQ(CheckWorkingTime(ward, RuleLimits(), week, kMonday.addDays(7), history).size(), 2u);

    WeekData unnamed = week;
    unnamed.Names[1] = QStringLiteral("  ");
    EXPECT_TRUE(CheckWorkingTime(ward, RuleLimits(), unnamed, kMonday, history).empty());
}

// Rules.txt: defaults when absent, every key written and read back, damaged lines named
// with the default kept.
TEST(WorkingTimeRules, RulesFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kRulesFileName);
    const RulesFileRead absent = ReadRulesFile(path);
    EXPECT_FALSE(absent.found);
    EXPECT_TRUE(absent.problems.isEmpty());
    EXPECT_EQ(absent.limits, RuleLimits());
    EXPECT_EQ(absent.limits[Rule::ShiftLength].limit, 12.5);

    RuleLimits changed;
    changed[Rule::DailyRest].limit = 12;
    changed[Rule::ConsecutiveNights].limit = 3;
    changed[Rule::AverageHours].limit = 45.5;
    changed[Rule::WeeklyHours].on = false;
    QString error;
    ASSERT_TRUE(WriteRulesFile(path, changed, &error)) << error.toStdString();
    const RulesFileRead back = ReadRulesFile(path);
    EXPECT_TRUE(back.found);
    EXPECT_TRUE(back.problems.isEmpty());
    EXPECT_EQ(back.limits, changed);
    EXPECT_EQ(test::ReadBytes(path), RulesFileText(changed).toUtf8());
    EXPECT_TRUE(RulesFileText(changed).contains(QStringLiteral("weekly_hours_on          = 0 ")));

    struct Case {
        const char* line;
        Rule rule;
        RuleLimit expected;
        bool damaged;
    };
    const Case cases[] = {
        {"daily_rest = 10,5 ;comma point", Rule::DailyRest, {true, 10.5}, false},
        {"  weekly_rest=30", Rule::WeeklyRest, {true, 30}, false},
        {"consecutive_days_on = off", Rule::ConsecutiveDays, {false, 6}, false},
        {"consecutive_days = 5.5", Rule::ConsecutiveDays, {true, 6}, true},
        {"shift_length = twelve", Rule::ShiftLength, {true, 12.5}, true},
        {"rest_after_nights = -1", Rule::RestAfterNights, {true, 46}, true},
        {"weekly_hours_on = maybe", Rule::WeeklyHours, {true, 48}, true},
        {"daily_rst = 10", Rule::DailyRest, {true, 11}, true},
        {"daily_rest 10", Rule::DailyRest, {true, 11}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const RulesFileRead read =
            ParseRulesLines({QStringLiteral("; comment"), QString(), QString::fromUtf8(c.line)}, path);
        EXPECT_EQ(read.limits[c.rule], c.expected);
        ASSERT_EQ(read.problems.size(), c.damaged ? 1 : 0);
        if (c.damaged) {
            EXPECT_TRUE(read.problems[0].contains(QStringLiteral("Rules.txt\", line 3:")))
                << read.problems[0].toStdString();
        }
    }
}

// The stored weeks are found by the names the week selection uses, read with their own
// duty names; a damaged one is named and left out.
TEST(WorkingTimeRules, ReadsTheStoredWeeksAround)
{
    test::BritishDates dates;
    QTemporaryDir dir;
    WardSettings ward = test::TestWardSettings();
    ward.WARD = QStringLiteral("Ward 9");
    const auto write = [&](const QDate& monday, const char* sunday, const char* late) {
        WeekFileData d;
        d.weekCommencing = monday;
        d.ward = ward.WARD;
        for (int k = 1; k <= 14; ++k)
            d.dutyNames[k] = ward.DutyName(k);
        d.dutyNames[2] = QString::fromUtf8(late);
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                d.required[day][shift] = QStringLiteral("0");
        d.lines[4].name = QStringLiteral("ANN LEE");
        d.lines[4].days[7] = QString::fromUtf8(sunday);
        ASSERT_TRUE(test::WriteBytes(WeekFileName(dir.path(), ward, monday), WeekFileText(d).toUtf8()));
    };
    write(kMonday.addDays(-7), "L", "L");
    write(kMonday.addDays(7), "", "LATE");
    write(kMonday, "", "LATE");
    ASSERT_TRUE(test::WriteBytes(WeekFileName(dir.path(), ward, kMonday.addDays(-14)), "14/11/2026\r\nshort\r\n"));

    const RuleHistory history = ReadRuleHistory(dir.path(), ward, kMonday);
    EXPECT_EQ(history.weeksRead, 3);
    ASSERT_EQ(history.damaged.size(), 1) << history.damaged.join(u'\n').toStdString();
    EXPECT_TRUE(history.damaged[0].contains(QStringLiteral("2 November 2026"))) << history.damaged[0].toStdString();
    const auto breaches =
        CheckWorkingTime(ward, RuleLimits(), OneLine({"EARLY", "", "", "", "", "", ""}), kMonday, history);
    EXPECT_EQ(Only(breaches, Rule::DailyRest), (std::vector<Found>{{Rule::DailyRest, 1, 10}}));
}
