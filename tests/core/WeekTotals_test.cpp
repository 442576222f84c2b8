#include "ScriptedUi.h"
#include "TestWard.h"
#include "document/DutyClicks.h"
#include "document/ClearForm.h"
#include "document/StaffOnGrid.h"
#include "document/Totals.h"
#include "roster/WeekData.h"
#include "roster/WeekTotals.h"
#include "util/ConversionError.h"
#include "settings/DutyText.h"
#include "util/TextUtil.h"
#include "document/WeekFileLoad.h"
#include "weeks/WeekFileReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace tavrola;

namespace {

// The totals worked out cell by cell, the plain way: every cell evaluated on its own.
struct Reference {
    float hours[kLines + 1] = {};
    qint32 nonPref[kLines + 1] = {};
    qint32 counts[kDays + 1][kShifts + 1] = {};
};

Reference PlainTotals(const WardSettings& s, const WeekData& w)
{
    Reference r;
    for (int line = 1; line <= kLines; ++line)
        for (int day = 1; day <= kDays; ++day) {
            const QString& text = w.Cells[day][line];
            if (text.isEmpty())
                continue;
            int flags = 0;
            float h = DutyHours(text, s, &flags);
            if (!text.contains(s.NameIllness))
                for (int shift = 1; shift <= kShifts; ++shift)
                    if (flags & (1 << (shift - 1)))
                        ++r.counts[day][shift];
            if (h > 0 && w.CellColours[day][line] != RequestColour)
                ++r.nonPref[line];
            for (int k = 0; k < kAbsenceCodes; ++k)
                if (text.contains(s.AbsenceCode(k))) {
                    try {
                        h = float(h + CodeHours(text, s.AbsenceCode(k), h, s));
                    } catch (const ConversionError&) {
                    }
                }
            r.hours[line] = w.Names[line].isEmpty() ? 0 : r.hours[line] + h;
        }
    return r;
}

WeekData RandomWeek(std::mt19937& rng)
{
    static const char* const texts[] = {
        "", "", "", "EARLY", "LATE", "NIGHT", "early", "HOL", "BH", "BH 3.75", "HOL 4", "SICK EARLY",
        "SICK", "STUDY", "ADMIN 4", "MAT", "AWOL", "7-3", "0730-1530", "19-07", "1-9 PM", "12-8",
        "7.30-15.30", "HOL 7..5", "HOL .", "EARLY HOL", "x", "9-5 STUDY 2", "CAR DOM", "N", "  LATE  "};
    static const char* const sets[] = {"", "37.5", "30 +2.5", "37.5 -7.5", "x", "7.3", "0"};
    static const char* const required[] = {"0", "1", "2", "3", " 2 ", "x", "", "-1"};
    auto pick = [&rng](auto& table) { return QString::fromLatin1(table[rng() % std::size(table)]); };
    WeekData w;
    for (int line = 1; line <= kLines; ++line) {
        w.Names[line] = rng() % 5 ? QStringLiteral("Nurse %1").arg(line) : QString();
        w.HoursSet[line] = pick(sets);
        for (int day = 1; day <= kDays; ++day) {
            w.Cells[day][line] = pick(texts);
            w.CellColours[day][line] = rng() % 3 ? White : RequestColour;
        }
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            w.Required[day][shift] = pick(required);
    return w;
}

}  // namespace

TEST(WeekTotals, EqualTheCellByCellTotalsOnRandomWeeksAndTheGridShowsThem)
{
    const WardSettings s = test::TestWardSettings();
    std::mt19937 rng(20261208);
    for (int round = 0; round < 300; ++round) {
        const WeekData w = RandomWeek(rng);
        const WeekTotals t = ComputeWeekTotals(s, w);
        const Reference r = PlainTotals(s, w);
        for (int line = 1; line <= kLines; ++line) {
            ASSERT_EQ(t.WeekHours[line], r.hours[line]) << round << " line " << line;
            ASSERT_EQ(t.WeekNonPrefCount[line], r.nonPref[line]) << round << " line " << line;
        }
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                ASSERT_EQ(t.ShiftCounts[day][shift], r.counts[day][shift]) << round;

        // The grid loads the week, keeps it whole, and recalculates to the same totals.
        WardModel m;
        m.Settings = s;
        m.Week.load(w);
        ASSERT_TRUE(m.Week.data() == w) << round;
        TavrolaChange(m);
        for (int line = 1; line <= kLines; ++line) {
            ASSERT_EQ(m.Week.status().WeekHours[line], t.WeekHours[line]);
            ASSERT_EQ(m.Week.data().HoursWorked[line], t.HoursWorked[line]);
            ASSERT_EQ(m.Week.status().HoursSetColours[line], t.HoursSetColours[line]);
        }
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
            {
                if (t.RequiredRead[day][shift]) {
                    ASSERT_EQ(m.Week.status().RequiredColours[day][shift], t.RequiredColours[day][shift]);
                }
                // The count under the box: short exactly when fewer than a readable number.
                bool ok = false;
                const int required = w.Required[day][shift].trimmed().toInt(&ok);
                const Cover cover = !ok ? Cover::Unknown
                                        : r.counts[day][shift] < required ? Cover::Short
                                        : r.counts[day][shift] == required ? Cover::Staffed
                                                                           : Cover::Surplus;
                ASSERT_EQ(m.Week.status().ShiftCovers[day][shift], cover) << round;
                ASSERT_EQ(m.Week.status().CountTexts[day][shift], CoverText(cover, r.counts[day][shift]));
            }
    }
}

TEST(WeekTotals, DemoWeeksShowTheCellByCellTotalsAndTheStaffListStaysAsStaffTxtGaveIt)
{
    WardModel m;
    m.Week.DataFolder = QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/");
    ConnectTotals(m);
    QString error;
    ASSERT_TRUE(Read_StaffTxtFile(m, &error)) << error.toStdString();
    ASSERT_EQ(m.Staff.size(), 18u);
    const QString first = m.Staff.front().name;
    const QStringList weeks = ListWeekFiles(m.Week.DataFolder);
    ASSERT_EQ(weeks.size(), 9);
    for (const QString& path : weeks) {
        WeekFileData file;
        ASSERT_TRUE(ReadWeekFile(path, &file, &error)) << error.toStdString();
        file.lines[1].name = QStringLiteral("Someone Else");  // a week may show other names
        WeekView labels;
        ApplyWeekFile(m, labels, file);
        TavrolaChange(m);
        const WeekData w = m.Week.data();
        const Reference r = PlainTotals(m.Settings, w);
        for (int line = 1; line <= kLines; ++line)
            ASSERT_EQ(m.Week.status().WeekHours[line], r.hours[line]) << path.toStdString() << " line " << line;
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                ASSERT_EQ(m.Week.status().ShiftCounts[day][shift], r.counts[day][shift]) << path.toStdString();
        EXPECT_EQ(m.Week.data().Names[1], QStringLiteral("Someone Else"));
        EXPECT_EQ(m.Staff.front().name, first) << "the staff list is Staff.txt's, not the week's";
    }
}

namespace {

struct Snapshot {
    WeekData data;
    float hours[kLines + 1];
    Colour setColours[kLines + 1], requiredColours[kDays + 1][kShifts + 1];
    bool changed;

    explicit Snapshot(const WardModel& m) : data(m.Week.data()), changed(m.Week.RosterChanged)
    {
        for (int line = 0; line <= kLines; ++line) {
            hours[line] = m.Week.status().WeekHours[line];
            setColours[line] = m.Week.status().HoursSetColours[line];
        }
        for (int day = 0; day <= kDays; ++day)
            for (int shift = 0; shift <= kShifts; ++shift)
                requiredColours[day][shift] = m.Week.status().RequiredColours[day][shift];
    }
    bool operator==(const Snapshot& o) const
    {
        return data == o.data && std::equal(std::begin(hours), std::end(hours), std::begin(o.hours)) &&
               std::equal(std::begin(setColours), std::end(setColours), std::begin(o.setColours)) &&
               std::equal(&requiredColours[0][0], &requiredColours[0][0] + (kDays + 1) * (kShifts + 1),
                          &o.requiredColours[0][0]) &&
               changed == o.changed;
    }
};

}  // namespace

TEST(UndoRedo, EveryKindOfEditIsUndoneAndRedoneWhole)
{
    struct Case {
        const char* name;
        QString label;  // the step's name in the Edit menu
        std::function<void(WardModel&, test::ScriptedUi&)> edit;
    };
    const std::vector<Case> cases = {
        {"typing", "LATE on Tuesday, line 2",
         [](WardModel& m, test::ScriptedUi&) {
             m.typeText(BoxRef::cell(2, 2), QStringLiteral("L"));
             m.typeText(BoxRef::cell(2, 2), QStringLiteral("LA"));
             m.typeText(BoxRef::cell(2, 2), QStringLiteral("LATE"));
         }},
        {"brush", "BH EARLY on Monday, line 1",
         [](WardModel& m, test::ScriptedUi&) { DutyClick(m, BoxRef::cell(1, 1), Brush::Holiday, 0); }},
        {"request mark", "Request mark on Monday, line 1",
         [](WardModel& m, test::ScriptedUi&) { DutyMouseDown(m, BoxRef::cell(1, 1)); }},
        {"clear form", "Clear Form",
         [](WardModel& m, test::ScriptedUi& ui) {
             ui.answers = {Answer::Yes};
             ClearForm1Click(m, ui);
         }},
        {"name", "Name on line 3", [](WardModel& m, test::ScriptedUi&) { m.typeText(BoxRef::name(3), {}); }},
        {"note", "Note on line 4",
         [](WardModel& m, test::ScriptedUi&) { m.typeText(BoxRef::lectures(4), QStringLiteral("drill")); }},
        {"hours set", "Hours set on line 1",
         [](WardModel& m, test::ScriptedUi&) { m.typeText(BoxRef::hoursSet(1), QStringLiteral("15")); }},
        {"required", "Monday AM required",
         [](WardModel& m, test::ScriptedUi&) { m.typeText(BoxRef::required(1, 1), QStringLiteral("1")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WardModel m;
        test::SetUpTestWard(m, 3);
        ConnectTotals(m);
        m.Week.load([&] {
            WeekData w = m.Week.data();
            w.Cells[1][1] = w.Cells[2][1] = QStringLiteral("EARLY");
            w.Cells[3][2] = QStringLiteral("NIGHT");
            w.Required[1][1] = QStringLiteral("2");
            return w;
        }());
        TavrolaChange(m);
        m.startFreshHistory();
        test::ScriptedUi ui;
        const Snapshot before(m);
        c.edit(m, ui);
        const Snapshot after(m);
        ASSERT_EQ(m.Undo.count(), 1) << "one step";
        EXPECT_EQ(m.Undo.undoText(), c.label);
        EXPECT_FALSE(after == before);
        EXPECT_TRUE(after.changed);
        m.Undo.undo();
        EXPECT_TRUE(Snapshot(m) == before) << "undo";
        EXPECT_FALSE(m.Week.RosterChanged);
        m.Undo.redo();
        EXPECT_TRUE(Snapshot(m) == after) << "redo";
    }
}

TEST(UndoRedo, TheChangedMarkFollowsTheSavedState)
{
    WardModel m;
    test::SetUpTestWard(m, 2);
    ConnectTotals(m);
    const BoxRef a = BoxRef::cell(1, 1);
    const BoxRef b = BoxRef::cell(2, 1);
    m.typeText(a, QStringLiteral("E"));
    m.typeText(a, QStringLiteral("EARLY"));
    m.endTyping();  // the user left the cell: the next keystrokes are a new step
    m.typeText(a, QStringLiteral("EARLY 2"));
    EXPECT_EQ(m.Undo.count(), 2);
    m.markSaved();
    EXPECT_FALSE(m.Week.RosterChanged);
    m.typeText(b, QStringLiteral("LATE"));
    EXPECT_TRUE(m.Week.RosterChanged);
    m.Undo.undo();
    EXPECT_FALSE(m.Week.RosterChanged) << "back at the saved state";
    m.Undo.undo();
    EXPECT_TRUE(m.Week.RosterChanged) << "before the saved state";
    EXPECT_EQ(m.Week.text(a), QStringLiteral("EARLY"));

    // A loaded or picked week starts a fresh history and keeps the mark as it was.
    m.startFreshHistory();
    EXPECT_EQ(m.Undo.count(), 0);
    EXPECT_TRUE(m.Week.RosterChanged);
    m.Week.RosterChanged = false;
    m.startFreshHistory();
    EXPECT_FALSE(m.Week.RosterChanged);
    EXPECT_FALSE(m.applyEdit(a, m.Week.text(a), m.Week.colour(a))) << "no step for no change";
    EXPECT_EQ(m.Undo.count(), 0);
}
