#include "ScriptedUi.h"
#include "document/ClearForm.h"
#include "roster/RosterWeek.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace tavrola;
using tavrola::test::ScriptedUi;

TEST(RosterQueries, NamesOnLinesOneTwoAndFive)
{
    RosterWeek w;
    for (int line : {1, 2, 5})
        w.setText(BoxRef::name(line), QStringLiteral("N%1").arg(line));
    EXPECT_EQ(w.NumberOfStaff(), 5);
    EXPECT_EQ(w.LinesWithNames(), 6);
    EXPECT_EQ(w.LinesUsedonTableGrid(), 5);
}

TEST(RosterQueries, EmptyGridCountsNothing)
{
    RosterWeek w;
    EXPECT_EQ(w.NumberOfStaff(), 0);
    EXPECT_EQ(w.LinesWithNames(), 0);
    EXPECT_EQ(w.LinesUsedonTableGrid(), 0);
}

TEST(RosterQueries, NoteOrDayTextWithoutNameCountsOnlyForTheTableGrid)
{
    RosterWeek w;
    w.setText(BoxRef::name(2), QStringLiteral("Ann"));
    w.setText(BoxRef::lectures(9), QStringLiteral("fire training"));
    EXPECT_EQ(w.NumberOfStaff(), 2);
    EXPECT_EQ(w.LinesUsedonTableGrid(), 9);
    w.setText(BoxRef::cell(7, 25), QStringLiteral("E"));
    EXPECT_EQ(w.LinesUsedonTableGrid(), 25);
    EXPECT_EQ(w.NumberOfStaff(), 2);
}

TEST(RosterWeekModel, IndexZeroStaysEmptyWhateverIsWritten)
{
    RosterWeek w;
    w.setText(BoxRef::name(0), QStringLiteral("ghost"));
    w.setText(BoxRef::cell(0, 3), QStringLiteral("E"));
    w.setText(BoxRef::cell(3, 0), QStringLiteral("E"));
    w.setText(BoxRef::required(2, 0), QStringLiteral("4"));
    w.setColour(BoxRef::cell(0, 0), AlertColour);
    EXPECT_TRUE(w.data().Names[0].isEmpty());
    EXPECT_TRUE(w.data().Cells[0][3].isEmpty());
    EXPECT_TRUE(w.data().Cells[3][0].isEmpty());
    EXPECT_TRUE(w.data().Required[2][0].isEmpty());
    EXPECT_EQ(w.data().CellColours[0][0], White);
    EXPECT_EQ(w.NumberOfStaff(), 0);
    EXPECT_FALSE(w.RosterChanged);
}

TEST(RosterWeekModel, EveryChangeTheTotalsReadRecalculates)
{
    RosterWeek w;
    int recalcs = 0;
    w.Recalculate = [&] { ++recalcs; };
    w.setText(BoxRef::name(1), QStringLiteral("Ann"));
    w.setColour(BoxRef::cell(1, 1), RequestColour);
    w.setText(BoxRef::hoursSet(1), QStringLiteral("37.5"));
    w.setText(BoxRef::required(1, 1), QStringLiteral("3"));
    w.setText(BoxRef::cell(4, 7), QStringLiteral("7-3"));
    EXPECT_EQ(recalcs, 5);
    w.setText(BoxRef::cell(4, 7), QStringLiteral("7-3"));
    w.setText(BoxRef::grade(1), QStringLiteral("5"));
    w.setText(BoxRef::lectures(1), QStringLiteral("note"));
    w.setColour(BoxRef::hoursSet(1), AlertColour);
    w.setText(BoxRef::hoursWorking(1), QStringLiteral("7.5"));
    EXPECT_EQ(recalcs, 5) << "the same text, and what the totals do not read, recalculate nothing";
    EXPECT_FALSE(w.RosterChanged) << "marking the week is the edit commands' business";
}

TEST(RosterWeekModel, WeekCountsAsChosenAfterAPickOrALoad)
{
    RosterWeek w;
    w.StartupPickerDate = w.PickerDate = QDate(2026, 12, 8);
    EXPECT_FALSE(w.WeekChosen());
    w.PickerDate = QDate(2026, 12, 14);
    EXPECT_TRUE(w.WeekChosen());
    w.PickerDate = w.StartupPickerDate;
    w.RosterFileLoaded = true;
    EXPECT_TRUE(w.WeekChosen());
}

namespace {
struct Reports : RosterObserver {
    std::vector<std::pair<BoxRef, BoxChange>> seen;
    void boxChanged(BoxRef box, BoxChange what) override { seen.push_back({box, what}); }
};
}  // namespace

// The window mirrors the week from these reports alone: each real change of a box is
// reported once, with the box; writes a box does not take report nothing.
TEST(RosterWeekModel, EachRealChangeIsReportedWithItsBox)
{
    using Seen = std::vector<std::pair<BoxRef, BoxChange>>;
    const BoxRef cell = BoxRef::cell(2, 3), name = BoxRef::name(1), required = BoxRef::required(1, 2);
    Seen hints;
    for (int day = 1; day <= kDays; ++day)
        hints.push_back({BoxRef::cell(day, 4), BoxChange::Hint});
    const struct {
        const char* what;
        std::function<void(RosterWeek&)> write;
        Seen expected;
    } cases[] = {
        {"text", [&](RosterWeek& w) { w.setText(name, QStringLiteral("Ann")); }, {{name, BoxChange::Text}}},
        {"same text", [&](RosterWeek& w) { w.setText(cell, QString()); }, {}},
        {"cell colour", [&](RosterWeek& w) { w.setColour(cell, RequestColour); }, {{cell, BoxChange::Colour}}},
        {"colour on a name", [&](RosterWeek& w) { w.setColour(name, AlertColour); }, {}},
        {"error", [&](RosterWeek& w) { w.setError(required, QStringLiteral("bad")); }, {{required, BoxChange::Error}}},
        {"error on a name", [&](RosterWeek& w) { w.setError(name, QStringLiteral("bad")); }, {}},
        {"line hint", [](RosterWeek& w) { w.setLineHint(4, QStringLiteral("EARLY")); }, hints},
        {"placeholder", [](RosterWeek& w) { w.setText(BoxRef::cell(8, 1), QStringLiteral("E")); }, {}},
        {"load", [&](RosterWeek& w) {
             WeekData d = w.data();
             d.Cells[2][3] = QStringLiteral("LATE");
             w.load(d);
         }, {{cell, BoxChange::Text}}},
    };
    for (const auto& c : cases) {
        RosterWeek w;
        Reports reports;
        w.addObserver(&reports);
        c.write(w);
        EXPECT_TRUE(reports.seen == c.expected) << c.what;
    }
    RosterWeek w;
    w.setError(BoxRef::cell(1, 1), QStringLiteral("bad"));
    EXPECT_EQ(w.error(BoxRef::cell(1, 1)), QStringLiteral("bad"));
    EXPECT_TRUE(w.error(name).isEmpty());
    EXPECT_EQ(w.colour(name), White);
}

namespace {
void fillWeek(WardModel& m)
{
    RosterWeek& w = m.Week;
    for (int line = 1; line <= kLines; ++line) {
        w.setText(BoxRef::name(line), QStringLiteral("Nurse %1").arg(line));
        w.setText(BoxRef::hoursSet(line), QStringLiteral("37.5"));
        w.setText(BoxRef::lectures(line), QStringLiteral("note"));
        for (int day = 1; day <= kDays; ++day) {
            w.setText(BoxRef::cell(day, line), QStringLiteral("E"));
            w.setColour(BoxRef::cell(day, line), day == 3 ? RequestColour : White);
        }
    }
    w.setText(BoxRef::required(1, 1), QStringLiteral("4"));
    w.RosterChanged = false;
}
}  // namespace

TEST(ClearForm, YesWithoutSavedRequestsEmptiesCellsAndNotesOnly)
{
    WardModel m;
    RosterWeek& w = m.Week;
    fillWeek(m);
    ScriptedUi ui;
    ui.answers = {Answer::Yes};
    ClearForm1Click(m, ui);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].kind, "yesnoall");
    EXPECT_EQ(ui.shown[0].text, kClearFormQuestion);
    EXPECT_TRUE(ui.shown[0].text.contains(QStringLiteral("continue?\r\rClick \"All\"")));
    for (int line = 1; line <= kLines; ++line) {
        EXPECT_TRUE(w.data().Notes[line].isEmpty());
        EXPECT_EQ(w.data().Names[line], QStringLiteral("Nurse %1").arg(line));
        EXPECT_EQ(w.data().HoursSet[line], QStringLiteral("37.5"));
        for (int day = 1; day <= kDays; ++day) {
            EXPECT_TRUE(w.data().Cells[day][line].isEmpty());
            EXPECT_EQ(w.data().CellColours[day][line], day == 3 ? RequestColour : White);
        }
    }
    EXPECT_EQ(w.data().Required[1][1], QStringLiteral("4"));
    EXPECT_TRUE(w.RosterChanged);
    // One step, undone whole.
    EXPECT_EQ(m.Undo.count(), 1);
    m.Undo.undo();
    EXPECT_EQ(w.data().Cells[7][25], QStringLiteral("E"));
    EXPECT_EQ(w.data().Notes[1], QStringLiteral("note"));
    EXPECT_FALSE(w.RosterChanged);
}

TEST(ClearForm, YesPutsSavedRequestsBackAndAllForgetsThem)
{
    WardModel m;
    RosterWeek& w = m.Week;
    fillWeek(m);
    w.RequestsSaved = true;
    w.SavedRequests[2][4] = QStringLiteral("HOL");
    ScriptedUi ui;
    ui.answers = {Answer::Yes, Answer::All};
    ClearForm1Click(m, ui);
    EXPECT_EQ(w.data().Cells[2][4], QStringLiteral("HOL"));
    EXPECT_TRUE(w.data().Cells[1][4].isEmpty());
    EXPECT_TRUE(w.RequestsSaved);
    ClearForm1Click(m, ui);
    EXPECT_TRUE(w.data().Cells[2][4].isEmpty());
    EXPECT_FALSE(w.RequestsSaved);
}

TEST(ClearForm, NoChangesNothing)
{
    WardModel m;
    RosterWeek& w = m.Week;
    fillWeek(m);
    ScriptedUi ui;
    ui.answers = {Answer::No};
    ClearForm1Click(m, ui);
    EXPECT_EQ(w.data().Cells[5][5], QStringLiteral("E"));
    EXPECT_EQ(w.data().Notes[5], QStringLiteral("note"));
    EXPECT_FALSE(w.RosterChanged);
}
