#include "ScriptedUi.h"
#include "document/ClearForm.h"
#include "roster/RosterWeek.h"

#include <gtest/gtest.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

TEST(RosterQueries, NamesOnLinesOneTwoAndFive)
{
    RosterWeek w;
    for (int line : {1, 2, 5})
        w.NameEdits[line].setText(QStringLiteral("N%1").arg(line));
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
    w.NameEdits[2].setText(QStringLiteral("Ann"));
    w.LecturesEdits[9].setText(QStringLiteral("fire training"));
    EXPECT_EQ(w.NumberOfStaff(), 2);
    EXPECT_EQ(w.LinesUsedonTableGrid(), 9);
    w.DayCells[7][25].setText(QStringLiteral("E"));
    EXPECT_EQ(w.LinesUsedonTableGrid(), 25);
    EXPECT_EQ(w.NumberOfStaff(), 2);
}

TEST(RosterWeekModel, IndexZeroStaysEmptyWhateverIsWritten)
{
    RosterWeek w;
    w.NameEdits[0].setText(QStringLiteral("ghost"));
    w.DayCells[0][3].setText(QStringLiteral("E"));
    w.DayCells[3][0].setText(QStringLiteral("E"));
    w.ShiftRequiredEdits[2][0].setText(QStringLiteral("4"));
    w.DayCells[0][0].setColour(AlertColour);
    EXPECT_TRUE(w.NameEdits[0].text().isEmpty());
    EXPECT_TRUE(w.DayCells[0][3].text().isEmpty());
    EXPECT_TRUE(w.DayCells[3][0].text().isEmpty());
    EXPECT_TRUE(w.ShiftRequiredEdits[2][0].text().isEmpty());
    EXPECT_EQ(w.DayCells[0][0].colour(), White);
    EXPECT_EQ(w.NumberOfStaff(), 0);
    EXPECT_FALSE(w.RosterChanged);
}

TEST(RosterWeekModel, EveryChangeTheTotalsReadRecalculates)
{
    RosterWeek w;
    int recalcs = 0;
    w.Recalculate = [&] { ++recalcs; };
    w.NameEdits[1].setText(QStringLiteral("Ann"));
    w.DayCells[1][1].setColour(RequestColour);
    w.HoursSetEdits[1].setText(QStringLiteral("37.5"));
    w.ShiftRequiredEdits[1][1].setText(QStringLiteral("3"));
    w.DayCells[4][7].setText(QStringLiteral("7-3"));
    EXPECT_EQ(recalcs, 5);
    w.DayCells[4][7].setText(QStringLiteral("7-3"));
    w.GradeEdits[1].setText(QStringLiteral("5"));
    w.LecturesEdits[1].setText(QStringLiteral("note"));
    w.HoursSetEdits[1].setColour(AlertColour);
    w.HoursWorkingEdits[1].setText(QStringLiteral("7.5"));
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
void fillWeek(WardModel& m)
{
    RosterWeek& w = m.Week;
    for (int line = 1; line <= kLines; ++line) {
        w.NameEdits[line].setText(QStringLiteral("Nurse %1").arg(line));
        w.HoursSetEdits[line].setText(QStringLiteral("37.5"));
        w.LecturesEdits[line].setText(QStringLiteral("note"));
        for (int day = 1; day <= kDays; ++day) {
            w.DayCells[day][line].setText(QStringLiteral("E"));
            w.DayCells[day][line].setColour(day == 3 ? RequestColour : White);
        }
    }
    w.ShiftRequiredEdits[1][1].setText(QStringLiteral("4"));
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
        EXPECT_TRUE(w.LecturesEdits[line].text().isEmpty());
        EXPECT_EQ(w.NameEdits[line].text(), QStringLiteral("Nurse %1").arg(line));
        EXPECT_EQ(w.HoursSetEdits[line].text(), QStringLiteral("37.5"));
        for (int day = 1; day <= kDays; ++day) {
            EXPECT_TRUE(w.DayCells[day][line].text().isEmpty());
            EXPECT_EQ(w.DayCells[day][line].colour(), day == 3 ? RequestColour : White);
        }
    }
    EXPECT_EQ(w.ShiftRequiredEdits[1][1].text(), QStringLiteral("4"));
    EXPECT_TRUE(w.RosterChanged);
    // One step, undone whole.
    EXPECT_EQ(m.Undo.count(), 1);
    m.Undo.undo();
    EXPECT_EQ(w.DayCells[7][25].text(), QStringLiteral("E"));
    EXPECT_EQ(w.LecturesEdits[1].text(), QStringLiteral("note"));
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
    EXPECT_EQ(w.DayCells[2][4].text(), QStringLiteral("HOL"));
    EXPECT_TRUE(w.DayCells[1][4].text().isEmpty());
    EXPECT_TRUE(w.RequestsSaved);
    ClearForm1Click(m, ui);
    EXPECT_TRUE(w.DayCells[2][4].text().isEmpty());
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
    EXPECT_EQ(w.DayCells[5][5].text(), QStringLiteral("E"));
    EXPECT_EQ(w.LecturesEdits[5].text(), QStringLiteral("note"));
    EXPECT_FALSE(w.RosterChanged);
}
