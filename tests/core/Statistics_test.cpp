#include "TestFiles.h"
#include "TestWard.h"
#include "document/StatisticsRun.h"
#include "stats/StatsAnalysis.h"
#include "stats/StatsCsv.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileReader.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// One staff line of a stored week: name, contracted hours, non-preferred count, the
// seven day texts (Monday first) and the notes.
struct Line {
    QString name;
    float contracted = 37.5f;
    QStringList days = {};
    QString notes = {};
    qint32 nonPref = 0;
};

// A ward folder of stored weeks, analysed under the test ward's settings.
struct Folder {
    test::BritishDates dates;
    QTemporaryDir dir;
    WardSettings settings = test::TestWardSettings();
    StatsTables tables;
    QString error;  // the weeks left out, one message a line

    static WeekFileData Week(const QDate& monday, const std::vector<Line>& lines)
    {
        WeekFileData d;
        d.weekCommencing = monday;
        const WardSettings s = test::TestWardSettings();
        for (int k = 1; k <= 14; ++k)
            d.dutyNames[k] = s.DutyName(k);
        for (int k = 0; k < kWeekFileHourSettings; ++k)
            d.hours[k] = WeekFileHourSetting(s, k);
        for (int line = 1; line <= kLines; ++line) {
            WeekFileStaffLine& l = d.lines[line];
            l.contracted = 0.0f;  // as the program saves an unused line
            l.nonPref = 0;
            if (line > int(lines.size()))
                continue;
            const Line& in = lines[size_t(line - 1)];
            l.name = in.name;
            l.contracted = in.contracted;
            l.nonPref = in.nonPref;
            for (int day = 1; day <= kDays; ++day)
                l.days[day] = in.days.value(day - 1);
            l.notes = in.notes;
        }
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift) {
                d.required[day][shift] = QStringLiteral("0");
                d.counts[day][shift] = 0;
            }
        for (int day = 1; day <= kDays; ++day)
            for (int line = 1; line <= kLines; ++line)
                d.colours[day][line] = White;
        return d;
    }
    void write(const QString& name, const WeekFileData& d) { writeText(name, WeekFileText(d)); }
    void write(const QString& name, const QDate& monday, const std::vector<Line>& lines)
    {
        write(name, Week(monday, lines));
    }
    void writeText(const QString& name, const QString& text)
    {
        ASSERT_TRUE(test::WriteBytes(dir.filePath(name), text.toUtf8()));
    }
    bool run(const QDate& from, const QDate& to)
    {
        QStringList damaged;
        const bool allRead = CollectStatistics(dir.path(), settings, from, to, &tables, &damaged);
        error = damaged.join(u'\n');
        return allRead;
    }
    float hours(int name, int slot, int month) const { return tables.StatHoursWorked[name][slot][month]; }
};

QStringList Days(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out += QString::fromLatin1(t);
    return out;
}

TEST(Statistics, WeeksInRangeLandInTheirYearSlotAndMonth)
{
    Folder f;
    const std::vector<Line> early{{QStringLiteral("Ann Lee"), 37.5f, Days({"EARLY"})}};
    f.write(QStringLiteral("a.rwk"), QDate(2003, 3, 2), early);   // the day before From: out
    f.write(QStringLiteral("b.RWK"), QDate(2003, 3, 3), early);   // From itself: slot 2
    f.write(QStringLiteral("c.Rwk"), QDate(2005, 3, 14), early);  // a year before To: slot 1
    f.write(QStringLiteral("d.rwk"), QDate(2006, 5, 1), early);   // To itself: slot 0
    f.write(QStringLiteral("e.rwk"), QDate(2006, 5, 8), early);   // after To: out
    ASSERT_TRUE(f.run(QDate(2003, 3, 3), QDate(2006, 5, 1))) << f.error.toStdString();
    EXPECT_EQ(f.tables.Weeks, 3);
    ASSERT_EQ(f.tables.StatNames, QStringList{QStringLiteral("Ann Lee")});
    EXPECT_EQ(f.hours(0, 2, 3), 7.5f);
    EXPECT_EQ(f.hours(0, 1, 3), 7.5f);
    EXPECT_EQ(f.hours(0, 0, 5), 7.5f);
    EXPECT_EQ(f.hours(0, 0, 3) + f.hours(0, 2, 2) + f.hours(0, 0, 6), 0.0f);
    EXPECT_EQ(YearSlot(2006, 2003), 2);
}

TEST(Statistics, NamesMatchInAnyCaseAndDutiesCountByTheWeeksOwnCodes)
{
    Folder f;
    // The half-day holiday name holds the full-day one: such a day is 1.5 days.
    WeekFileData first = Folder::Week(QDate(2026, 1, 5), {{QStringLiteral("ann lee"), 30.0f,
                                                           Days({"HOL", "HOLH", "SICK", "SICK EARLY", "MORNING", "", "LATE"}),
                                                           QStringLiteral("Mentor course"), 2}});
    first.dutyNames[1] = QStringLiteral("MORNING");  // the early shift's name that week
    first.dutyNames[5] = QStringLiteral("HOLH");
    first.hours[0] = 8.0f;
    f.write(QStringLiteral("a.rwk"), first);
    f.write(QStringLiteral("b.rwk"), QDate(2026, 1, 12),
            {{QStringLiteral("ANN LEE"), 37.5f, Days({"EARLY"}), QString(), 1}});
    const WardSettings before = f.settings;
    ASSERT_TRUE(f.run(QDate(2026, 1, 1), QDate(2026, 12, 31))) << f.error.toStdString();

    ASSERT_EQ(f.tables.StatNames, QStringList{QStringLiteral("ann lee")});  // as first met
    EXPECT_EQ(f.tables.StatHrsPerWeek[0], 37.5f);                          // the last one met
    // MORNING 8 + LATE 7.5 in the first week, EARLY 7.5 in the second; no hours when sick.
    EXPECT_EQ(f.hours(0, 0, 1), 23.0f);
    EXPECT_EQ(f.tables.StatDaysHoliday[0][0][1], 2.5f);
    EXPECT_EQ(f.tables.StatDaysIllness[0][0][1], 2.0f);
    EXPECT_EQ(f.tables.StatNonPref[0][0][1], 3.0f);
    EXPECT_EQ(f.tables.StatTraining[0], QStringLiteral("Mentor course"));
    // The analysis worked on a copy: the settings in force are as they were.
    EXPECT_EQ(f.settings.NameAMShift, before.NameAMShift);
    EXPECT_EQ(f.settings.HoursWorkedOnAM, before.HoursWorkedOnAM);
}

TEST(Statistics, UnusedLinesContinueThePersonAboveButKeepTheirContract)
{
    Folder f;
    // Line 1 unused with duties (no one above: nothing counts), then Ann, then unused
    // lines with "0" contracted hours, one with a duty and a note that are Ann's.
    f.write(QStringLiteral("a.rwk"), QDate(2026, 2, 2),
            {{QString(), 0.0f, Days({"LATE"})},
             {QStringLiteral("Ann"), 37.5f, Days({"EARLY"})},
             {QString(), 0.0f, Days({"", "NIGHT"}), QStringLiteral("ward study")},
             {QString(), 0.0f}});
    ASSERT_TRUE(f.run(QDate(2026, 1, 1), QDate(2026, 12, 31))) << f.error.toStdString();
    ASSERT_EQ(f.tables.StatNames, QStringList{QStringLiteral("Ann")});
    EXPECT_EQ(f.tables.StatHrsPerWeek[0], 37.5f);
    EXPECT_EQ(f.hours(0, 0, 2), 17.5f);
    EXPECT_EQ(f.tables.StatTraining[0], QStringLiteral("ward study"));
    EXPECT_EQ(f.tables.Ledger[0].Nights, 1);
}

TEST(Statistics, NamesPastTheTablesRoomAreLeftOutAndCounted)
{
    Folder f;
    std::vector<Line> first, second;
    for (int i = 1; i <= 20; ++i)
        first.push_back({QStringLiteral("Nurse %1").arg(i), 37.5f, Days({"EARLY"})});
    for (int i = 15; i <= 29; ++i)  // 21..29 are new: 6 fit, 3 are left out
        second.push_back({QStringLiteral("NURSE %1").arg(i), 37.5f, Days({"EARLY"})});
    second.push_back({QString(), 0.0f, Days({"LATE"})});  // continues a name left out
    second.push_back({QStringLiteral("nurse 29"), 37.5f, Days({"EARLY"})});
    f.write(QStringLiteral("a.rwk"), QDate(2026, 3, 2), first);
    f.write(QStringLiteral("b.rwk"), QDate(2026, 3, 9), second);
    ASSERT_TRUE(f.run(QDate(2026, 1, 1), QDate(2026, 12, 31))) << f.error.toStdString();
    EXPECT_EQ(f.tables.StatNames.size(), kStatNames);
    EXPECT_EQ(f.tables.StatNames.last(), QStringLiteral("NURSE 26"));
    EXPECT_EQ(f.tables.LeftOut, (QStringList{QStringLiteral("NURSE 27"), QStringLiteral("NURSE 28"),
                                             QStringLiteral("NURSE 29")}));
    float total = 0;
    for (int i = 0; i < kStatNames; ++i)
        total += f.hours(i, 0, 3);
    EXPECT_EQ(total, (20 + 15 - 3) * 7.5f);
}

TEST(Statistics, EmptyCountedLinesKeepTheValuesBefore)
{
    Folder f;
    WeekFileData one = Folder::Week(QDate(2026, 4, 6), {});
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift) {
            one.required[day][shift] = QStringLiteral("3");
            one.counts[day][shift] = 2;
        }
    WeekFileData two = Folder::Week(QDate(2026, 5, 4), {});
    two.required[1][1] = QStringLiteral("3");
    two.counts[1][1] = std::nullopt;  // keeps 2: Monday early is one short again
    two.counts[1][2] = 5;             // more than required: no shortfall
    f.write(QStringLiteral("a.rwk"), one);
    f.write(QStringLiteral("b.rwk"), two);
    ASSERT_TRUE(f.run(QDate(2026, 1, 1), QDate(2026, 12, 31))) << f.error.toStdString();
    EXPECT_EQ(f.tables.StatShortages[0][4], 21.0f);
    EXPECT_EQ(f.tables.StatShortages[0][5], 1.0f);
    EXPECT_EQ(f.tables.StatRequired[1][1], 3);
    EXPECT_EQ(f.tables.StatCounted[1][2], 5);
}

TEST(Statistics, FairnessLedgerOnAHandMadeWeek)
{
    Folder f;
    // Christmas week 2025: Thursday 25 and Friday 26 are bank holidays.
    WeekFileData d = Folder::Week(
        QDate(2025, 12, 22),
        {{QStringLiteral("Ann"), 37.5f, Days({"EARLY", "LATE", "", "NIGHT", "HOL", "EARLY", "SICK NIGHT"})},
         {QStringLiteral("Bob"), 37.5f, Days({"", "", "", "", "7-3", "NIGHT", "NIGHT"})}});
    d.colours[1][1] = RequestColour;  // Ann asked for Monday's early
    d.colours[6][2] = RequestColour;  // Bob asked for Saturday's night
    f.write(QStringLiteral("a.rwk"), d);
    f.write(QStringLiteral("b.rwk"), QDate(2026, 1, 5), {{QStringLiteral("Bob"), 37.5f, Days({"", "", "", "", "", "LATE"})}});
    ASSERT_TRUE(f.run(QDate(2025, 12, 1), QDate(2026, 1, 31))) << f.error.toStdString();
    ASSERT_EQ(f.tables.StatNames, (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
    // Ann: Sunday's night is a sick day and counts for nothing.
    EXPECT_EQ(f.tables.Ledger[0], (FairnessLedger{1, 1, 1, 3}));
    EXPECT_EQ(f.tables.Ledger[1], (FairnessLedger{2, 3, 1, 3}));
    EXPECT_EQ(f.hours(1, 1, 12), 27.5f);  // 7-3 and two nights, in the year before To
    EXPECT_EQ(f.hours(1, 0, 1), 7.5f);
}

TEST(Statistics, AWeekTheLoaderRefusesIsLeftOutNamingFileAndLine)
{
    struct Case {
        int line;
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {1, "Monday", "'Monday' is not a valid date"},
        {18, "7,5x", "'7,5x' is not a valid floating point value"},
        {WeekFileBlockStart(2) + 3, "two", "'two' is not a valid integer value"},
        {WeekFileRequiredLine(3, 2), "x", "'x' is not a valid integer value"},
        {WeekFileCountLine(7, 3), "1.5", "'1.5' is not a valid integer value"},
        {WeekFileBlockStart(1) + 1, "7..5", "not a valid floating point value"},
        {WeekFileColourLine(2, 4), "red", "'red' is not a valid integer value"},
        {6, "LA\x02TE", "the line holds binary data"},
    };
    for (const Case& c : cases) {
        Folder f;
        f.write(QStringLiteral("a.rwk"), QDate(2026, 6, 1), {{QStringLiteral("Ann"), 37.5f, Days({"EARLY"})}});
        QStringList lines = WeekFileText(Folder::Week(QDate(2026, 6, 8), {{QStringLiteral("Bob")}})).split(
            QStringLiteral("\r\n"));
        lines[c.line - 1] = QString::fromLatin1(c.text);
        f.writeText(QStringLiteral("b.rwk"), lines.join(QStringLiteral("\r\n")));
        EXPECT_FALSE(f.run(QDate(2026, 1, 1), QDate(2026, 12, 31))) << c.line;
        EXPECT_TRUE(f.error.contains(QStringLiteral("b.rwk\", line %1: ").arg(c.line))) << f.error.toStdString();
        EXPECT_TRUE(f.error.contains(QString::fromLatin1(c.reason))) << f.error.toStdString();
        EXPECT_FALSE(f.error.contains(u'\n'));
        // The other week still counts; nothing of the damaged one does.
        EXPECT_EQ(f.tables.Weeks, 1);
        EXPECT_EQ(f.tables.StatNames, QStringList{QStringLiteral("Ann")});
    }
}

TEST(Statistics, FilesOutsideTheRangeAreNotReadPastTheirDateAndShortFilesAreLeftOut)
{
    Folder f;
    QStringList damaged = WeekFileText(Folder::Week(QDate(2025, 6, 2), {})).split(QStringLiteral("\r\n"));
    damaged[17] = QStringLiteral("junk");
    f.writeText(QStringLiteral("a.rwk"), damaged.join(QStringLiteral("\r\n")));
    // A week cut short after Ann's Monday, as the loader refuses it.
    const QStringList whole = WeekFileText(Folder::Week(QDate(2026, 6, 1), {{QStringLiteral("Ann"), 37.5f,
                                                                             Days({"EARLY"})}}))
                                  .split(QStringLiteral("\r\n"));
    f.writeText(QStringLiteral("b.rwk"), whole.mid(0, WeekFileBlockStart(1) + 4).join(QStringLiteral("\r\n")));
    f.writeText(QStringLiteral("notes.txt"), QStringLiteral("not a week"));
    EXPECT_FALSE(f.run(QDate(2026, 1, 1), QDate(2026, 12, 31)));
    EXPECT_EQ(f.error, DamagedWeekFileMessage(f.dir.filePath(QStringLiteral("b.rwk")), WeekFileBlockStart(1) + 5,
                                              WeekFileEndsEarlyReason()));
    EXPECT_EQ(f.tables.Weeks, 0);
}

TEST(Statistics, CsvHoldsTheLedgerAndTheMonthsOfEachUsedYear)
{
    StatsTables t;
    t.StatNames = QStringList{QStringLiteral("Lee, Ann"), QStringLiteral("=cmd")};
    t.StatHrsPerWeek[0] = 37.5f;
    t.StatHoursWorked[0][1][12] = 15;
    t.StatHoursWorked[0][1][11] = 7.5f;
    t.Ledger[0] = {1, 2, 3, 4};
    t.StatTraining[0] = QStringLiteral("said \"hi\"");
    t.StatShortages[0][1] = 2;
    t.LeftOut = QStringList{QStringLiteral("X")};
    const QStringList rows = StatisticsCsv(t, QDate(2025, 1, 1), QDate(2026, 1, 31)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(rows[0], QChar(0xFEFF) + QStringLiteral("Name,Hours per week,Nights,Weekend shifts,"
                                                      "Bank holiday shifts,Non-preferred shifts,Training"));
    EXPECT_EQ(rows[1], QStringLiteral("\"Lee, Ann\",37.5,1,2,3,4,\"said \"\"hi\"\"\""));
    EXPECT_EQ(rows[2], QStringLiteral("'=cmd,0,0,0,0,0,"));
    EXPECT_EQ(rows[4], QStringLiteral("Name,Measure,Year,Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec,Total"));
    EXPECT_EQ(rows[5], QStringLiteral("\"Lee, Ann\",Hours worked,2026,0,0,0,0,0,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(rows[9], QStringLiteral("\"Lee, Ann\",Hours worked,2025,0,0,0,0,0,0,0,0,0,0,7.5,15,22.5"));
    // 2 names x 4 measures x 2 years, then the ward's shortages for both years.
    EXPECT_EQ(rows[5 + 16], QStringLiteral("Ward,Staff shortages,2026,2,0,0,0,0,0,0,0,0,0,0,0,2"));
    EXPECT_EQ(rows[5 + 18], QString());
    EXPECT_EQ(rows[5 + 19], QStringLiteral("Names left out (the table holds 26),1"));
    EXPECT_EQ(YearSlotLabel(2026, 2), QStringLiteral("2024 and earlier"));
}

}  // namespace
