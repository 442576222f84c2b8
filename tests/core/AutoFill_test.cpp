#include "autofill/FillSearch.h"
#include "autofill/ShortenShift.h"
#include "document/AutoFill.h"
#include "document/Totals.h"
#include "roster/WeekData.h"
#include "util/TraceLog.h"

#include "ScriptedUi.h"
#include "TestWard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>

#include <gtest/gtest.h>

using namespace tavrola;
using namespace tavrola::test;

namespace {

// A fill input over the test ward: `staff` lines contracted for 37.5 hours, no
// requirements unless set.
FillInput Input(int staff)
{
    FillInput in;
    in.NumberOfStaff = staff;
    for (int line = 1; line <= staff; ++line)
        in.HoursSet[line] = QStringLiteral("37.5");
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            in.Required[day][shift] = QStringLiteral("0");
    return in;
}

int CountShifts(const FillEngine& e, int line)
{
    int n = 0;
    for (int day = 1; day <= kDays; ++day)
        n += e.form().Cells[day][line] != kEmptyCell;
    return n;
}

}  // namespace

TEST(FillRandom, KnownSeedGivesKnownDrawsAndSkipMatchesDrawing)
{
    FillRandom r(12345);
    EXPECT_EQ(r.Random(7), 2u);
    EXPECT_EQ(r.Random(18), 5u);
    EXPECT_EQ(r.Random(3), 0u);
    EXPECT_EQ(r.Random(100), 55u);
    EXPECT_EQ(r.Random(1000), 633u);
    EXPECT_EQ(r.Random(0), 0u);
    EXPECT_EQ(FillSeedFromTime(QTime(1, 2, 3, 4)), 3723004u);

    FillRandom one(99), three(99);
    std::uint32_t r3[3];
    for (int i = 0; i < 50; ++i) {
        const std::uint32_t a = one.Random(7), b = one.Random(18), c = one.Random(3);
        three.Random3(7, 18, 3, r3);
        ASSERT_EQ(std::vector<std::uint32_t>({a, b, c}), std::vector<std::uint32_t>(r3, r3 + 3));
    }

    FillRandom drawn(77), skipped(77);
    for (int i = 0; i < 2999; ++i)
        drawn.Random(5);
    skipped.Skip(2999);
    EXPECT_EQ(drawn.seed(), skipped.seed());
}

TEST(ShortenShift, EndsEarlierByTheHoursCut)
{
    const WardSettings s = TestWardSettings();
    ASSERT_EQ(s.AMShiftTimes, QStringLiteral("7 to 3pm"));
    const struct {
        const char* code;
        double remaining;
        const char* expected;
    } cases[] = {
        {"EARLY", 5, "7 - 12"},       // cut 2.5 + the break: 3 becomes 0, then 12
        {"8-4", 3, "8 - 11"},         // 7.5 worth, 5 hours cut
        {"0730-1530", 7, "7:30 - 15"},  // four-digit times keep their minutes
        {"EARLY", 6.75, "7 - 2:15"},  // a quarter of an hour
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortenShift(QString::fromLatin1(c.code), c.remaining, s), QString::fromLatin1(c.expected))
            << c.code << " " << c.remaining;
}

TEST(FillEngine, SummaryLineCountsEachShiftWithItsSkillCodes)
{
    WardSettings s = TestWardSettings();
    s.SkillCode[1] = QStringLiteral("A");
    s.SkillCode[2] = QStringLiteral("B");
    FillInput in = Input(6);
    const char* codes[] = {"", "A", "AB", "", "B", "", ""};
    const char* monday[] = {"", "EARLY", "EARLY", "EARLY", "LATE", "NIGHT", "NIGHT"};
    for (int line = 1; line <= 6; ++line) {
        in.SkillCodes[line] = QString::fromLatin1(codes[line]);
        in.Requests[1][line] = QString::fromLatin1(monday[line]);
    }
    in.Requests[2][9] = QStringLiteral("clinic note");
    FillEngine e(s, in);
    FillRandom r(1);
    e.FillVirtualForm(r);
    EXPECT_EQ(e.SummaryText(e.form().Summary[1]), QStringLiteral("3AAB/1B/2"));
    EXPECT_EQ(e.SummaryText(e.form().Summary[2]), QStringLiteral("0/0/0"));
    EXPECT_EQ(e.CoverText(e.form().Summary[1]), QStringLiteral("EARLY 3: A 2, B 1\nLATE 1: B 1\nNIGHT 2"));
    // The summary is no cell: the line below the staff keeps what it held.
    EXPECT_TRUE(e.CellText(e.form(), 1, 7).isEmpty());
    EXPECT_EQ(e.CellText(e.form(), 2, 9), QStringLiteral("clinic note"));  // requests stay
    for (int line = 1; line <= 6; ++line)
        EXPECT_EQ(e.CellText(e.form(), 1, line), in.Requests[1][line]);
}

TEST(FillEngine, PhasesKeepTheirLimits)
{
    WardSettings s = TestWardSettings();
    s.SkillCode[1] = QStringLiteral("A");
    s.SkillRequired[1] = 9;  // never met: phase 1 runs its 1000 draws
    FillInput in = Input(1);
    in.SkillCodes[1] = QStringLiteral("A");
    for (int day = 1; day <= kDays; ++day)
        in.Required[day][1] = QStringLiteral("1");
    FillEngine e(s, in);
    FillRandom r(5);
    e.Prepare();
    e.PhaseSkillCover(r);
    EXPECT_EQ(CountShifts(e, 1), 4);  // 30 + 7.5 is not below 37.5
    e.PhaseHeadCount(r);
    EXPECT_EQ(CountShifts(e, 1), 5);

    // Three hours left: a shortened shift, not the code. A night is refused with less
    // than a night's hours left, whatever the line's standard shift.
    FillInput shortLine = Input(1);
    shortLine.HoursSet[1] = QStringLiteral("3");
    for (int day = 1; day <= kDays; ++day)
        shortLine.Required[day][1] = shortLine.Required[day][3] = QStringLiteral("1");
    shortLine.MinShortShift = 0;  // allow any shortened shift here
    FillEngine g(s, shortLine);
    g.FillVirtualForm(r);
    EXPECT_EQ(CountShifts(g, 1), 1);
    for (int day = 1; day <= kDays; ++day) {
        const QString cell = g.CellText(g.form(), day, 1);
        EXPECT_NE(cell, QStringLiteral("NIGHT"));
        EXPECT_NE(cell, QStringLiteral("EARLY"));
    }
}

TEST(FillEngine, PhaseThreeFillsOnlyRequestedDaysOfStaffedShifts)
{
    const WardSettings s = TestWardSettings();
    FillInput in = Input(1);
    in.StandardShift[1] = QStringLiteral("EARLY");
    in.RequestDay[2][1] = in.RequestDay[4][1] = true;
    in.Required[4][1] = QStringLiteral("0");  // Thursday early never staffed
    in.Required[2][1] = QStringLiteral("2");
    FillEngine e(s, in);
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        FillRandom r(seed);
        e.FillVirtualForm(r);
        for (int day = 1; day <= kDays; ++day)
            EXPECT_EQ(e.CellText(e.form(), day, 1), day == 2 ? QStringLiteral("EARLY") : QString()) << day;
    }
}

TEST(ScoreVirtualForm, PenaltiesAndWhatTheyLeaveOut)
{
    WardSettings s = TestWardSettings();
    s.SkillCode[1] = QStringLiteral("A");
    s.SkillCode[2] = QStringLiteral("B");
    s.SkillCheckBoxes = QStringLiteral("111111");
    FillInput in = Input(4);
    in.Required[1][1] = QStringLiteral("3");  // Monday early wants three
    const char* monday[] = {"", "EARLY", "EARLY", "SICK EARLY", "DO"};
    for (int line = 1; line <= 4; ++line) {
        in.Requests[1][line] = QString::fromLatin1(monday[line]);
        in.SkillCodes[line] = QStringLiteral("AB");
        for (int day = 2; day <= 5; ++day)
            in.Requests[day][line] = QStringLiteral("HOL");  // 37.5 hours: contracts met
    }
    in.Requests[6][4] = QStringLiteral("HOL");
    FillEngine e(s, in);
    FillRandom r(3);
    e.FillVirtualForm(r);
    // The summary of three on the early (all AB) would read as an early shift itself; it
    // is not on the form, so the shift stays one short: 2 points for each of six skills.
    // The sick and "DO" cells count for nothing.
    ASSERT_EQ(e.SummaryText(e.form().Summary[1]), QStringLiteral("3ABABAB/0/0"));
    EXPECT_TRUE(e.CellText(e.form(), 1, 5).isEmpty());
    std::vector<Penalty> list;
    int unclamped = 0;
    EXPECT_EQ(e.ScoreVirtualForm(e.form(), &list, &unclamped), 88);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].rule, PenaltyRule::Understaffed);
    EXPECT_EQ(list[0].have, 2);
    EXPECT_EQ(PenaltyText(list[0], s), QStringLiteral("Monday AM understaffed: 2 on for 3 needed (-12)"));

    // Required skills cost 5 a shift, preferable 1; a short contract 10; never below 0.
    s.SkillRequired[1] = 3;
    s.SkillPreferable[2] = 3;
    in.HoursSet[1] = QStringLiteral("39.5");
    FillEngine g(s, in);
    g.FillVirtualForm(r);
    list.clear();
    EXPECT_EQ(g.ScoreVirtualForm(g.form(), &list, &unclamped), 100 - 12 - 5 - 1 - 10);
    int sum = 0;
    for (const Penalty& p : list)
        sum += p.points;
    EXPECT_EQ(sum, 100 - unclamped);
    EXPECT_TRUE(PenaltyText(list.back(), s, QStringLiteral("Nurse 1")).contains(QStringLiteral("2 short")));
    for (int line = 6; line <= 20; ++line)
        in.HoursSet[line] = QStringLiteral("99");
    FillEngine h(s, in);
    h.FillVirtualForm(r);
    EXPECT_EQ(h.ScoreVirtualForm(h.form(), nullptr, &unclamped), 0);
    EXPECT_LT(unclamped, 0);
}

TEST(FillSearch, SlotRuleAndReplay)
{
    EXPECT_EQ(SlotToReplace({100, 80, 70, 70, 90, 95}, 75), 2);
    EXPECT_EQ(SlotToReplace({100, 80, 70, 70, 90, 95}, 60), -1);
    EXPECT_EQ(SlotToReplace({0, 0, 0, 0, 0, 0}, 0), 1);

    WardSettings s = TestWardSettings();
    FillInput in = Input(8);
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            in.Required[day][shift] = QStringLiteral("2");
    FillSearch a(s, in, 99), b(s, in, 99);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(a.next(), b.next()) << i;
    for (int n = 0; n < kSolutionSlots; ++n)
        EXPECT_EQ(a.slot(n).score, b.slot(n).score);
    EXPECT_GE(a.bestScore(), a.slot(1).score);
}

TEST(FillSearch, RanksByTheRealScoreAndTracesOnlyImprovements)
{
    QTemporaryDir tmp;
    const QString path = OpenTraceLog(tmp.path());
    ASSERT_FALSE(path.isEmpty());
    WardSettings s = TestWardSettings();
    for (int k = 1; k <= kSkills; ++k) {
        s.SkillCode[k] = QStringLiteral("Z%1").arg(k);
        s.SkillRequired[k] = 50;  // far out of reach: every candidate scores 0 after the floor
    }
    FillInput in = Input(3);
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            in.Required[day][shift] = QStringLiteral("1");
    FillSearch search(s, in, 11);
    int best = INT_MIN, improvements = 0;
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(search.next(), 0);
        const int real = search.unclampedScore();
        // A new best when the real score is at least the best's: a tie counts.
        EXPECT_EQ(search.newBest(), real >= best) << i;
        improvements += real > best;
        best = std::max(best, real);
        EXPECT_EQ(search.bestUnclamped(), best);
    }
    CloseTraceLog();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_EQ(text.count("Candidate "), improvements);
    EXPECT_EQ(text.count("\r\n"), improvements * (1 + kLines));
}

namespace {

// The test ward's model with a chosen week and short-staffed requirements.
struct FillWard {
    WardModel model;
    ScriptedUi ui;
    AutoFill fill{model};

    FillWard()
    {
        ConnectTotals(model);
        SetUpTestWard(model, 6);
        model.Week.PickerDate = QDate(2026, 11, 30);
        model.Week.StartupPickerDate = QDate(2026, 11, 23);
        for (int day = 1; day <= kDays; ++day)
            model.Settings.StaffRequired[day][1] = 2;
        model.Week.setText(BoxRef::cell(1, 1), QStringLiteral("HOL"));
        model.startFreshHistory();
    }
};

}  // namespace

TEST(AutoFillDriver, StartStopBrowseAndUndo)
{
    FillWard t;
    t.model.Week.PickerDate = t.model.Week.StartupPickerDate;
    EXPECT_EQ(t.fill.ContinueButtonClick(t.ui), AutoFill::Click::WeekNotSet);
    EXPECT_EQ(t.ui.shown.back().text, kWeekNotSetMessage);
    t.model.Week.PickerDate = QDate(2026, 11, 30);

    EXPECT_EQ(t.fill.ContinueButtonClick(t.ui), AutoFill::Click::Declined);
    EXPECT_EQ(t.ui.shown.back().text, kAutoFillQuestion);
    EXPECT_EQ(t.fill.caption(), kAutoFillCaption);
    EXPECT_EQ(t.model.Undo.count(), 0);
    EXPECT_FALSE(t.model.Week.RequestsSaved);

    t.fill.candidateLimit = 50;
    t.ui.answers = {Answer::Yes};
    ASSERT_EQ(t.fill.ContinueButtonClick(t.ui, 42u), AutoFill::Click::Started);
    EXPECT_TRUE(t.fill.caption().startsWith(QStringLiteral("Stop ")));
    while (t.fill.runSlice(0)) {
    }
    const int best = t.fill.search()->bestScore();
    EXPECT_EQ(t.fill.caption(), QStringLiteral("Done (%1)").arg(best));
    EXPECT_TRUE(t.fill.browserVisible());
    EXPECT_TRUE(t.fill.countText().isEmpty());
    EXPECT_EQ(t.model.Undo.count(), 1);
    EXPECT_EQ(t.model.Undo.undoText(), kAutoFillStep);
    EXPECT_TRUE(t.model.Week.RosterChanged);
    EXPECT_EQ(t.model.Week.data().Cells[1][1], QStringLiteral("HOL"));
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= 6; ++line)
            EXPECT_FALSE(t.model.Week.data().Cells[day][line].isEmpty());
    // The summary is shown beside the grid, not written below the staff.
    EXPECT_TRUE(t.model.Week.data().Cells[1][7].isEmpty());
    EXPECT_EQ(t.fill.summaryText(1), t.fill.search()->summaryText(0, 1));
    EXPECT_FALSE(t.fill.summaryText(1).isEmpty());

    t.fill.UpDown1Click(-1);  // wraps to 5
    EXPECT_EQ(t.fill.position(), 5);
    EXPECT_EQ(t.fill.caption(), QStringLiteral("Done (5) %1%").arg(t.fill.search()->slot(5).score));
    EXPECT_EQ(t.model.Undo.count(), 2);

    t.model.Undo.undo();
    t.model.Undo.undo();
    EXPECT_EQ(t.model.Week.data().Cells[2][1], QString());
    EXPECT_FALSE(t.model.Week.RosterChanged);

    // A second fill starts from the saved requests, not from what the grid shows.
    t.model.Week.setText(BoxRef::cell(3, 2), QStringLiteral("LATE"));
    t.model.Settings.SkillCode[1] = QStringLiteral("Z");
    t.model.Settings.SkillRequired[1] = 1;  // nobody holds Z: never 100
    t.model.Settings.ShortestShiftHours = 6;  // the ward's shortest cut shift reaches the fill
    t.fill.candidateLimit = 0;
    t.ui.answers = {Answer::Yes};
    ASSERT_EQ(t.fill.ContinueButtonClick(t.ui, 7u), AutoFill::Click::Started);
    EXPECT_TRUE(t.fill.search()->engine().input().Requests[3][2].isEmpty());
    EXPECT_EQ(t.fill.search()->engine().input().MinShortShift, 6.0f);
    EXPECT_TRUE(t.fill.runSlice(5));
    EXPECT_EQ(t.fill.ContinueButtonClick(t.ui), AutoFill::Click::Stopped);
    EXPECT_FALSE(t.fill.running());
    EXPECT_FALSE(t.model.Week.FillRunning);
}

TEST(AutoFillDriver, AnotherEditStopsTheFillWhereItStands)
{
    FillWard t;
    t.ui.answers = {Answer::Yes};
    t.model.Settings.SkillCode[1] = QStringLiteral("Z");
    t.model.Settings.SkillRequired[1] = 1;  // nobody holds Z: never 100
    ASSERT_EQ(t.fill.ContinueButtonClick(t.ui, 3u), AutoFill::Click::Started);
    ASSERT_TRUE(t.fill.runSlice(5));
    const int steps = t.model.Undo.count();
    t.model.typeText(BoxRef::cell(5, 3), QStringLiteral("STUDY"));
    EXPECT_FALSE(t.model.Week.FillRunning);
    EXPECT_FALSE(t.fill.runSlice(0));
    EXPECT_EQ(t.model.Undo.count(), steps + 1);  // nothing written after the typed cell
    EXPECT_EQ(t.model.Week.data().Cells[5][3], QStringLiteral("STUDY"));
}

TEST(AutoFillDriver, SlicesDoNotChangeTheResult)
{
    // The random phase and the local search after it replay alike in slices of any length.
    FillWard whole, sliced, longer;
    for (FillWard* t : {&whole, &sliced, &longer}) {
        t->model.Settings.SkillCode[1] = QStringLiteral("Z");
        t->model.Settings.SkillRequired[1] = 1;  // never 100: both run to the limit
        t->fill.candidateLimit = 300;
        t->ui.answers = {Answer::Yes};
        ASSERT_EQ(t->fill.ContinueButtonClick(t->ui, 2024u), AutoFill::Click::Started);
    }
    while (whole.fill.runSlice(0)) {
    }
    while (sliced.fill.runSlice(1)) {
    }
    while (longer.fill.runSlice(50)) {
    }
    EXPECT_GT(whole.fill.search()->moves(), 0);
    for (FillWard* t : {&sliced, &longer}) {
        EXPECT_EQ(whole.model.Week.data(), t->model.Week.data());
        EXPECT_EQ(whole.fill.caption(), t->fill.caption());
        EXPECT_EQ(whole.fill.search()->moves(), t->fill.search()->moves());
    }
}

TEST(AutoFillDriver, ClinicNotesJoinTheResultStepWhenNursesFollowDoctors)
{
    for (const int perDoctor : {0, 1}) {
        FillWard t;
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QFile clinic(dir.filePath(QStringLiteral("Clinic.rtf")));
        ASSERT_TRUE(clinic.open(QIODevice::WriteOnly));
        clinic.write("{\\rtf1\\ansi Monday AM, Dr Ash wk1,2,3,4,5 [ENT]\\par "
                     "Monday PM, Dr Birch wk1,2,3,4,5 [Eyes]\\par "
                     "Tuesday AM, Dr Cole wk2 [Skin]\\par}");
        clinic.close();
        t.model.Week.DataFolder = dir.path() + u'/';
        t.model.Settings.RequiredNursesPerDoctor = perDoctor;
        t.fill.candidateLimit = 20;
        t.ui.answers = {Answer::Yes};
        ASSERT_EQ(t.fill.ContinueButtonClick(t.ui, 5u), AutoFill::Click::Started);
        while (t.fill.runSlice(0)) {
        }
        EXPECT_EQ(t.model.Undo.count(), 1);
        const auto& cells = t.model.Week.data().Cells;
        if (perDoctor == 0) {  // nothing is written below the staff
            EXPECT_TRUE(cells[1][7].isEmpty());
            continue;
        }
        // Monday 30 November is in week 5 of its month, Tuesday 1 December in week 1.
        EXPECT_EQ(cells[1][7], QStringLiteral("ENT"));
        EXPECT_EQ(cells[1][8], QStringLiteral("**********"));
        EXPECT_EQ(cells[1][9], QStringLiteral("Eyes"));
        EXPECT_TRUE(cells[2][7].isEmpty());
        t.model.Undo.undo();  // notes and result go together
        EXPECT_TRUE(cells[1][7].isEmpty());
        EXPECT_TRUE(cells[2][1].isEmpty());
    }
}

// The run reads Clinic.rtf once: one that cannot be read is reported when the fill starts
// (not dropped at the end), and the week's requirements join the run's own undo step.
TEST(AutoFillDriver, RequirementsJoinTheRunsStepAndAnUnreadableClinicFileIsReported)
{
    for (const bool unreadable : {false, true}) {
        FillWard t;
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        if (unreadable) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Clinic.rtf")));  // a folder is no file
        }
        t.model.Week.DataFolder = dir.path() + u'/';
        t.fill.candidateLimit = 20;
        t.ui.answers = {Answer::Yes};
        ASSERT_EQ(t.fill.ContinueButtonClick(t.ui, 5u), AutoFill::Click::Started);
        while (t.fill.runSlice(0)) {
        }
        EXPECT_EQ(t.ui.count("error"), unreadable ? 1 : 0);
        EXPECT_EQ(t.fill.clinicError().isEmpty(), !unreadable);
        EXPECT_EQ(t.model.Undo.count(), 1);
        EXPECT_EQ(t.model.Week.data().Required[3][1], "2");  // the ward's standing number
        t.model.Undo.undo();
        EXPECT_EQ(t.model.Week.data().Required[3][1], "0");  // as the week had it
        EXPECT_FALSE(t.model.Week.RosterChanged);
    }
}

TEST(AutoFillDriver, RequestsThatBreakARuleStayAndAreReported)
{
    FillWard t;
    // A night, then an early the next morning: too little rest, but asked for.
    t.model.Week.setText(BoxRef::cell(2, 2), QStringLiteral("NIGHT"));
    t.model.Week.setText(BoxRef::cell(3, 2), QStringLiteral("EARLY"));
    t.fill.candidateLimit = 30;
    t.ui.answers = {Answer::Yes};
    ASSERT_EQ(t.fill.ContinueButtonClick(t.ui, 9u), AutoFill::Click::Started);
    while (t.fill.runSlice(0)) {
    }
    EXPECT_EQ(t.model.Week.data().Cells[3][2], QStringLiteral("EARLY"));
    ASSERT_FALSE(t.fill.requestBreaches().empty());
    EXPECT_EQ(t.fill.requestBreaches()[0].line, 2);
    EXPECT_TRUE(t.fill.explanation().last().startsWith(QStringLiteral("Kept as requested: Nurse 2 on")));
}
