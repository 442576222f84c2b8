#include "ScriptedUi.h"
#include "TestWard.h"
#include "document/DutyClicks.h"
#include "document/Totals.h"
#include "document/WeekChain.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekSelection.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// Readable texts in failure reports.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QDate kChristmasWeek(2008, 12, 22);
const QDate kStartDay(2024, 3, 4);
const Colour kMarker = 0x123456;

// Three staff; Ann prefers Mondays, Bob Sundays. Line 4 has no name but a painted cell.
struct Ward {
    test::BritishDates dates;
    QTemporaryDir dir;
    WardModel model;
    ScriptedUi ui;
    WeekView labels;
    RosterWeek& w = model.Week;

    Ward()
    {
        test::SetUpTestWardIn(model, 3, dir.path(), kStartDay);
        model.Settings.StaffRequired[1][1] = 2;
        w.setText(BoxRef::name(1), QStringLiteral("Ann"));
        w.setText(BoxRef::name(2), QStringLiteral("Bob"));
        w.BaseCellColours[1][1] = RequestColour;
        w.BaseCellColours[7][2] = RequestColour;
        for (int day = 1; day <= kDays; ++day)
            for (int line = 1; line <= 3; ++line)
                w.setColour(BoxRef::cell(day, line), w.BaseCellColours[day][line]);
        w.setColour(BoxRef::cell(4, 4), kMarker);
        ConnectTotals(model);
        w.RosterChanged = false;
    }
    void pick(const QDate& date)
    {
        w.PickerDate = date;
        DateTimePickerCloseUp(model, labels, ui, true);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

// Stores a week for `date` in the ward's data folder under the week's own name: other
// names, a night on the first Monday, and the first line's request mark moved from
// Monday to Tuesday. Returns the file's path.
QString StoreWeek(Ward& t, const QDate& date)
{
    Ward author;
    author.w.DataFolder = t.w.DataFolder;
    author.w.PickerDate = date;
    author.w.setText(BoxRef::name(1), QStringLiteral("Cara"));
    author.w.setText(BoxRef::name(2), QStringLiteral("Dev"));
    author.w.setText(BoxRef::cell(1, 1), QStringLiteral("NIGHT"));
    author.w.setColour(BoxRef::cell(1, 1), White);
    author.w.setColour(BoxRef::cell(2, 1), RequestColour);
    const QString path = WeekFileName(author.model);
    author.ui.fileChoices = {path};
    EXPECT_TRUE(SaveClick(author.model, author.ui));
    return path;
}

bool Orange(const Ward& t, int day, int line)
{
    return t.w.data().CellColours[day][line] == AlertColour;
}

}  // namespace

TEST(WeekSelection, ChristmasWeekMarksNamedLinesAndLabelsItsDays)
{
    Ward t;
    t.pick(kChristmasWeek);
    EXPECT_TRUE(t.ui.shown.empty());
    for (int line = 1; line <= 3; ++line)
        for (int day = 1; day <= kDays; ++day)
            EXPECT_EQ(Orange(t, day, line), day == 4 || day == 5) << day << " " << line;
    EXPECT_EQ(t.w.data().CellColours[4][4], kMarker);  // after the last named line
    const char* expected[8] = {"", "", "", "", "Christmas Day", "Boxing Day", "", ""};
    for (int day = 1; day <= kDays; ++day)
        EXPECT_EQ(t.labels.HolidayLabels[day], QString::fromLatin1(expected[day])) << day;

    // A Tuesday starts no week of the grid: the marks and a right-click mark go,
    // the preferred days come back.
    DutyMouseDown(t.model, BoxRef::cell(2, 2));
    t.pick(kChristmasWeek.addDays(1));
    for (int day = 1; day <= kDays; ++day) {
        EXPECT_TRUE(t.labels.HolidayLabels[day].isEmpty()) << day;
        for (int line = 1; line <= 3; ++line)
            EXPECT_EQ(t.w.data().CellColours[day][line], t.w.BaseCellColours[day][line]) << day << " " << line;
    }
    EXPECT_EQ(t.w.data().CellColours[1][1], RequestColour);
}

TEST(WeekSelection, WeekOfMonthLabel)
{
    const std::pair<int, const char*> cases[] = {{1, "Wk1"},   {4, "Wk1/2"},  {5, "Wk1/2"}, {7, "Wk1/2"},
                                                 {8, "Wk2"},   {14, "Wk2/3"}, {15, "Wk3"},  {21, "Wk3/4"},
                                                 {22, "Wk4"},  {25, "Wk4/5"}, {28, "Wk4/5"}, {29, "Wk5"},
                                                 {31, "Wk5"}};
    for (const auto& [day, text] : cases)
        EXPECT_EQ(WeekOfMonthText(day), QString::fromLatin1(text)) << day;

    Ward t;
    EXPECT_FALSE(t.w.WeekChosen()) << "no week selected yet";
    DateTimePickerCloseUp(t.model, t.labels, t.ui, false);  // the deferred start's selection
    EXPECT_TRUE(t.w.WeekChosen()) << "the week shown at start counts as chosen";
    EXPECT_EQ(t.labels.WeekOfMonthLabel, "Wk1/2");
    EXPECT_EQ(t.labels.WeekDay, 4);
    EXPECT_EQ(WeekCommencingMonday(QDate(2026, 12, 8)), QDate(2026, 12, 7));
    EXPECT_EQ(WeekCommencingMonday(QDate(2026, 12, 13)), QDate(2026, 12, 7));
    EXPECT_EQ(WeekCommencingMonday(QDate(2026, 12, 14)), QDate(2026, 12, 14));

    for (const auto& [date, text] : {std::pair{QDate(2008, 9, 1), "Wk1"}, std::pair{QDate(2008, 12, 4), "Wk1/2"},
                                     std::pair{QDate(2008, 9, 29), "Wk5"}}) {
        t.pick(date);
        EXPECT_EQ(t.labels.WeekOfMonthLabel, QString::fromLatin1(text));
        EXPECT_EQ(t.labels.WeekYear, date.year());
        EXPECT_EQ(t.labels.WeekMonth, date.month());
        EXPECT_EQ(t.labels.WeekDay, date.day());
    }
}

TEST(WeekSelection, APickedWeekWithAStoredFileAsksOnceAndLoadsItWithItsColours)
{
    Ward t;
    StoreWeek(t, kChristmasWeek);
    t.ui.answers = {Answer::Yes};
    t.pick(kChristmasWeek);
    ASSERT_EQ(t.ui.shown.size(), 1u);
    EXPECT_EQ(t.ui.shown[0].kind, "yesno");
    EXPECT_EQ(t.ui.shown[0].text, "You already have a Tavrola file saved for this week, "
                                  "Monday, 22 December 2008 (Ward 9).rwk do you wish to Load ?");
    EXPECT_EQ(t.w.data().Names[1], "Cara");
    EXPECT_TRUE(t.w.RosterFileLoaded);
    EXPECT_FALSE(t.w.RosterChanged);
    EXPECT_EQ(t.w.data().CellColours[2][1], RequestColour);  // the stored request mark
    EXPECT_EQ(t.w.data().CellColours[1][1], White);          // not the preferred day
    EXPECT_TRUE(Orange(t, 4, 1) && Orange(t, 5, 3));
    EXPECT_EQ(t.labels.HolidayLabels[4], "Christmas Day");
    EXPECT_EQ(t.labels.WeekOfMonthLabel, "Wk4");
    EXPECT_EQ(t.w.status().ShiftCounts[1][3], 1);

    // Picking a week restores the preferred days over the loaded colours.
    t.pick(QDate(2009, 1, 5));
    EXPECT_EQ(t.ui.shown.size(), 1u);
    EXPECT_EQ(t.w.data().CellColours[2][1], White);
    EXPECT_EQ(t.w.data().CellColours[1][1], RequestColour);
}

TEST(WeekSelection, AnsweringNoKeepsTheGridApartFromColoursAndLabels)
{
    Ward t;
    StoreWeek(t, kChristmasWeek);
    t.model.typeText(BoxRef::cell(3, 2), QStringLiteral("LATE"));
    t.ui.answers = {Answer::No};
    t.pick(kChristmasWeek);
    EXPECT_EQ(t.ui.count("yesno"), 1);
    EXPECT_EQ(t.w.data().Names[1], "Ann");
    EXPECT_EQ(t.w.data().Cells[3][2], "LATE");
    EXPECT_TRUE(t.w.RosterChanged);
    EXPECT_FALSE(t.w.RosterFileLoaded);
    EXPECT_TRUE(Orange(t, 4, 2));
    EXPECT_EQ(t.labels.HolidayLabels[5], "Boxing Day");

    // Without the user, a stored week is never offered.
    DateTimePickerCloseUp(t.model, t.labels, t.ui, false);
    EXPECT_EQ(t.ui.count("yesno"), 1);
}

TEST(WeekSelection, UnsavedChangesAreSavedUnderTheWeekShownBeforeTheStoredWeekLoads)
{
    Ward t;
    StoreWeek(t, kChristmasWeek);
    t.pick(QDate(2008, 12, 15));
    t.model.typeText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
    t.ui.answers = {Answer::Yes, Answer::Yes};
    t.ui.fileChoices = {t.path("mine.rwk")};
    t.pick(kChristmasWeek);
    // Leaving the edited week comes first, then the offer of the stored week.
    ASSERT_EQ(t.ui.shown.size(), 2u);
    EXPECT_EQ(t.ui.shown[0].kind, "savediscardcancel");
    EXPECT_EQ(t.ui.shown[0].text, "Save changes to the week of Monday, 15 December 2008?");
    EXPECT_EQ(t.ui.shown[1].kind, "yesno");
    QFile saved(t.path("mine.rwk"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readLine(), "15/12/2008\r\n");
    EXPECT_EQ(t.w.data().Names[1], "Cara");
    EXPECT_EQ(t.w.PickerDate, kChristmasWeek);

    // The stored week itself was not overwritten with the other week's roster.
    QFile stored(WeekFileName(t.model));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readLine(), "22/12/2008\r\n");
}

TEST(WeekSelection, EndsWithTheRequirementsTheCaptionsAndNoSavedRequests)
{
    Ward t;
    t.w.RequestsSaved = true;
    t.w.setText(BoxRef::required(1, 1), QStringLiteral("9"));
    t.w.setText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
    t.pick(QDate(2009, 1, 5));
    EXPECT_FALSE(t.w.RequestsSaved);
    EXPECT_EQ(t.w.data().Required[1][1], "2");
    EXPECT_EQ(t.w.status().RequiredColours[1][1], White);  // 1 of 2
    EXPECT_EQ(t.w.status().RequiredColours[2][1], RequestColour);  // 0 of 0
    EXPECT_EQ(t.labels.HospitalCaption, "St Elsewhere");
    EXPECT_EQ(t.labels.WardCaption, "Ward 9");
    EXPECT_EQ(t.labels.ShownWeek, QDate(2009, 1, 5));
}

TEST(WeekSelection, DeferredStartLoadsTheNamedWeekOrSelectsToday)
{
    Ward t;
    NonPrefTimerTimer(t.model, t.labels, t.ui, StoreWeek(t, kChristmasWeek));
    EXPECT_TRUE(t.ui.shown.empty());
    EXPECT_EQ(t.w.data().Names[1], "Cara");
    EXPECT_EQ(t.labels.WeekOfMonthLabel, "Wk4");

    Ward u;
    NonPrefTimerTimer(u.model, u.labels, u.ui, u.path("gone.rwk"));
    ASSERT_EQ(u.ui.count("error"), 1);
    EXPECT_TRUE(u.ui.shown[0].text.contains("gone.rwk"));
    EXPECT_EQ(u.labels.WeekDay, 4);  // the start-up week was selected all the same
    EXPECT_EQ(u.w.data().Required[1][1], "2");

    Ward v;
    NonPrefTimerTimer(v.model, v.labels, v.ui, QString());
    EXPECT_TRUE(v.ui.shown.empty());
    EXPECT_EQ(v.labels.WardCaption, "Ward 9");
}

TEST(WeekSelection, WindowTitleNamesTheWardAndTheWeek)
{
    EXPECT_EQ(WeekWindowTitle(QStringLiteral("Cedar Ward 7"), QDate(2026, 11, 30)),
              QStringLiteral("Cedar Ward 7 \u2014 week of 30 Nov 2026[*]"));
    EXPECT_EQ(WeekWindowTitle(QString(), QDate(2026, 1, 5)), QStringLiteral("Tavrola \u2014 week of 5 Jan 2026[*]"));
    EXPECT_EQ(WeekWindowTitle(QStringLiteral("Ward 9"), QDate()), QStringLiteral("Ward 9[*]"));
}
