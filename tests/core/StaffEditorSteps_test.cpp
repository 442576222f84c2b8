#include "document/StaffEditorSteps.h"

#include "ScriptedUi.h"
#include "TestFiles.h"
#include "TestWard.h"
#include "document/WeekChain.h"
#include "document/StaffOnGrid.h"
#include "document/Totals.h"
#include "document/WeekFileCommands.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

namespace {

StaffEditorRow Row(const char* name, const char* grade, const char* hours, const char* shift, int preferredDay)
{
    StaffEditorRow r{QString::fromLatin1(name), QStringLiteral("IV"), QString::fromLatin1(grade),
                     QString::fromLatin1(hours), QString::fromLatin1(shift), {}};
    r.preferred[preferredDay] = true;
    return r;
}

// A ward of Ann, Bob and Cara read from its Staff.txt, with the week of 4 March 2024
// chosen.
struct Ward {
    test::BritishDates dates;
    QTemporaryDir dir;
    WardModel model;
    ScriptedUi ui;
    WeekView labels;
    RosterWeek& w = model.Week;
    StaffEditorData data;

    Ward()
    {
        data = EditorDataFromSettings(test::TestWardSettings(), {Row("Ann", "B7", "37.5", "EARLY", 1),
                                                                  Row("Bob", "B5", "30", "LATE", 2),
                                                                  Row("Cara", "B5", "22.5", "NIGHT", 3)});
        w.DataFolder = dir.path() + u'/';
        w.StartupPickerDate = w.PickerDate = QDate(2024, 3, 4);
        writeStaff();
        ConnectTotals(model);
        EXPECT_TRUE(Read_StaffTxtFile(model, nullptr));
        DateTimePickerCloseUp(model, labels, ui, false);
    }
    void writeStaff() { EXPECT_TRUE(UpdateStaffFile(w.DataFolder + kStaffFileName, data, model.Settings, nullptr)); }
};

}  // namespace

// The grid agrees with the new file: its people in its order, their preferred days and
// standard shifts, nothing left of a person no longer there but the week's own entries.
TEST(StaffEditorSteps, ReloadPutsTheNewFileOnTheGrid)
{
    Ward t;
    t.model.typeText(BoxRef::cell(5, 3), QStringLiteral("NIGHT"));
    t.model.markSaved();
    t.data.rows[1] = Row("Bob", "B6", "22.5", "LATE", 7);
    t.data.rows[2] = Row("Ann", "B7", "37.5", "EARLY", 1);
    t.data.rows[3] = StaffEditorRow();
    t.data.values[QStringLiteral("MondayAMStaffRequired")] = QStringLiteral("4");
    t.writeStaff();
    ASSERT_TRUE(ReloadAfterStaffEditor(t.model, t.labels, t.ui));

    EXPECT_EQ(t.w.data().Names[1], QStringLiteral("Bob"));
    EXPECT_EQ(t.w.data().Grades[1], QStringLiteral("B6"));
    EXPECT_EQ(t.w.data().HoursSet[1], QStringLiteral("22.5"));
    EXPECT_EQ(t.w.data().Hints[1], QStringLiteral("LATE"));
    for (int day = 1; day <= kDays; ++day) {
        EXPECT_EQ(t.w.data().CellColours[day][1], day == 7 ? RequestColour : White) << day;
        EXPECT_EQ(t.w.data().CellColours[day][3], White) << day;
        EXPECT_TRUE(t.w.data().Hints[3].isEmpty()) << day;
    }
    EXPECT_EQ(t.w.data().Names[2], QStringLiteral("Ann"));
    for (const BoxRef f : {BoxRef::name(3), BoxRef::grade(3), BoxRef::hoursSet(3)})
        EXPECT_TRUE(t.w.text(f).isEmpty());
    EXPECT_TRUE(t.w.StaffSkillCodes[3].isEmpty());
    EXPECT_EQ(t.w.data().Cells[5][3], QStringLiteral("NIGHT"));  // the week's, not the file's
    EXPECT_EQ(t.w.data().Required[1][1], QStringLiteral("4"));
    EXPECT_EQ(t.model.Settings.StaffRequired[1][1], 4);
    EXPECT_FALSE(t.w.RosterChanged);  // never loaded: nothing stored to differ from
    EXPECT_TRUE(t.ui.shown.empty());
}

// A week shown as its file stored it is marked changed only when the reload leaves it
// otherwise; it no longer counts as loaded either way.
TEST(StaffEditorSteps, LoadedWeekIsMarkedChangedWhenNoLongerAsStored)
{
    for (const bool rename : {false, true}) {
        Ward t;
        const QString week = t.dir.filePath(QStringLiteral("week.rwk"));
        t.ui.fileChoices = {week};
        ASSERT_TRUE(SaveClick(t.model, t.ui));
        ASSERT_TRUE(AutoLoadRWKfile(t.model, t.labels, t.ui, week));
        ASSERT_TRUE(t.w.RosterFileLoaded);
        if (rename)
            t.data.rows[2].name = QStringLiteral("Bea");
        t.writeStaff();
        ASSERT_TRUE(ReloadAfterStaffEditor(t.model, t.labels, t.ui));
        EXPECT_EQ(t.w.RosterChanged, rename);
        EXPECT_FALSE(t.w.RosterFileLoaded);
    }
}

TEST(StaffEditorSteps, ChangedWeekIsOfferedForSavingFirst)
{
    Ward t;
    EXPECT_TRUE(SaveBeforeStaffReload(t.model, t.ui));
    EXPECT_TRUE(t.ui.shown.empty());  // nothing to save, nothing asked

    t.model.typeText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
    struct Case {
        Answer answer;
        bool saveGoesThrough;
        bool goOn;
    };
    for (const Case c : {Case{Answer::No, false, true}, Case{Answer::Cancel, false, false},
                         Case{Answer::Yes, false, false}, Case{Answer::Yes, true, true}}) {
        t.ui.shown.clear();
        t.ui.answers = {c.answer};
        if (c.saveGoesThrough)
            t.ui.fileChoices = {t.dir.filePath(QStringLiteral("week.rwk"))};
        EXPECT_EQ(SaveBeforeStaffReload(t.model, t.ui), c.goOn);
        ASSERT_FALSE(t.ui.shown.empty());
        EXPECT_EQ(t.ui.shown[0].kind, "savediscardcancel");
        EXPECT_EQ(t.ui.shown[0].text, SaveChangesQuestion(t.w.PickerDate));
        EXPECT_EQ(t.w.RosterChanged, !c.saveGoesThrough);
    }
}

TEST(StaffEditorSteps, UnreadableStaffFileChangesNothing)
{
    Ward t;
    ASSERT_TRUE(test::WriteBytes(t.w.DataFolder + kStaffFileName, QByteArray("Zed\0", 4)));
    t.w.RosterFileLoaded = true;
    EXPECT_FALSE(ReloadAfterStaffEditor(t.model, t.labels, t.ui));
    ASSERT_EQ(t.ui.count(QStringLiteral("error")), 1);
    EXPECT_TRUE(t.ui.shown[0].text.contains(kStaffFileName));
    EXPECT_EQ(t.w.data().Names[1], QStringLiteral("Ann"));
    EXPECT_TRUE(t.w.RosterFileLoaded);
}

// A person added on a line that held clinic notes does not inherit them: the notes move,
// in order, to the first empty lines below the staff.
TEST(StaffEditorSteps, NotesOnALineThatGainsAPersonMoveBelowTheStaff)
{
    RosterWeek w;
    w.setText(BoxRef::name(1), QStringLiteral("Ann"));
    w.setText(BoxRef::name(2), QStringLiteral("Bob"));
    w.setText(BoxRef::cell(1, 2), QStringLiteral("EARLY"));   // Bob's own duty stays
    w.setText(BoxRef::cell(1, 4), QStringLiteral("Fracture"));  // notes on lines 3..4
    w.setText(BoxRef::cell(3, 3), QStringLiteral("**********"));
    w.setText(BoxRef::cell(2, 6), QStringLiteral("Diabetes"));  // notes left alone below
    const WeekData before = w.data();
    // The editor added Cy on line 3 and Di on line 4.
    w.setText(BoxRef::name(3), QStringLiteral("Cy"));
    w.setText(BoxRef::name(4), QStringLiteral("Di"));
    MoveNotesBelowStaff(w, before);
    EXPECT_EQ(w.data().Cells[1][2], QStringLiteral("EARLY"));
    for (int line : {3, 4})
        for (int day = 1; day <= kDays; ++day)
            EXPECT_TRUE(w.data().Cells[day][line].isEmpty()) << line << " " << day;
    EXPECT_EQ(w.data().Cells[3][5], QStringLiteral("**********"));  // line 3's notes first
    EXPECT_EQ(w.data().Cells[1][7], QStringLiteral("Fracture"));    // line 6 is taken
    EXPECT_EQ(w.data().Cells[2][6], QStringLiteral("Diabetes"));
}
