#include "ScriptedUi.h"
#include "TestWard.h"
#include "document/HistoryStep.h"
#include "render/NonPrefChart.h"
#include "util/TraceLog.h"
#include "weeks/HistoryScan.h"
#include "weeks/WeekFileFormat.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// One staff block of a stored week.
struct Block {
    QString name;
    float contracted = 37.5f;
    QString worked;
    qint32 nonPref = 0;
};

// A ward whose stored weeks live in a folder of their own, analysed from Monday
// 1 September 2025 (dates are day/month/year, as the ward writes them).
struct History {
    QLocale savedLocale;
    QTemporaryDir dir;
    WardModel model;
    ScriptedUi ui;
    HistoryScan scan;
    int recalculations = 0;

    // `namedLines` lines of the grid are named "Nurse 1", "Nurse 2", ... for 37.5 hours.
    explicit History(int namedLines = 0)
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        test::SetUpTestWard(model, namedLines);
        model.Week.DataFolder = dir.path() + u'/';
        model.Week.PickerDate = QDate(2025, 9, 29);
        setStart(QStringLiteral("01/09/2025"));
        model.Week.Recalculate = [this] { ++recalculations; };
    }
    ~History() { QLocale::setDefault(savedLocale); }

    void setStart(const QString& text)
    {
        model.Settings.AnalysisStartDate = text;
        ComputeDerivedSettings(model.Settings);
    }

    // A week file as the program saves it; blocks past the given ones are unused lines.
    void writeWeek(const QString& fileName, const QDate& date, const std::vector<Block>& blocks)
    {
        WeekFileData d;
        d.weekCommencing = date;
        for (int line = 1; line <= kLines; ++line) {
            WeekFileStaffLine& l = d.lines[line];
            if (line <= int(blocks.size())) {
                const Block& b = blocks[size_t(line - 1)];
                l.name = b.name;
                l.contracted = b.contracted;
                l.hoursWorked = b.worked;
                l.nonPref = b.nonPref;
            } else {
                l.contracted = 0.0f;
                l.nonPref = 0;
            }
        }
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                d.required[day][shift] = QStringLiteral("0");
        writeRaw(fileName, WeekFileText(d).toUtf8());
    }

    void writeRaw(const QString& fileName, const QByteArray& bytes)
    {
        QFile f(dir.filePath(fileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A stored week with one line of it replaced (line numbers from 1).
    void writeDamaged(const QString& fileName, const QDate& date, const std::vector<Block>& blocks,
                      int lineNumber, const QString& text)
    {
        writeWeek(fileName, date, blocks);
        QFile f(dir.filePath(fileName));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
        f.close();
        lines[lineNumber - 1] = text;
        writeRaw(fileName, lines.join(QStringLiteral("\r\n")).toUtf8());
    }

    // The messages of the weeks left out, joined.
    bool scanStored(QString* error = nullptr)
    {
        QStringList damaged;
        const bool allRead = ScanStoredWeeks(model.Week.DataFolder, model.Settings.AnalysisStartDateValue,
                                             model.Week.PickerDate, scan, &damaged);
        if (error)
            *error = damaged.join(u'\n');
        return allRead;
    }

    qint32 nonPref(const QString& name) const
    {
        const int i = scan.IndexOf(name);
        return i < 0 ? -1 : scan.NonPrefShifts[i];
    }
    float adj(const QString& name) const
    {
        const int i = scan.IndexOf(name);
        return i < 0 ? -999.0f : scan.NameAdjHours[i];
    }
};

}  // namespace

// Each week's count is a different power of two, so the total says which weeks counted.
TEST(HistoryScan, CountsWeeksFromTheStartDateToTwoDaysBeforeThePickedWeek)
{
    History h;
    const std::pair<QDate, qint32> weeks[] = {
        {QDate(2025, 8, 25), 1},  {QDate(2025, 9, 1), 2},   {QDate(2025, 9, 8), 4},
        {QDate(2025, 9, 15), 8},  {QDate(2025, 9, 22), 16}, {QDate(2025, 9, 29), 32},
        {QDate(2025, 8, 31), 64},  // the day before the start date
        {QDate(2025, 9, 27), 128},  // two days before the picked Monday: still in
        {QDate(2025, 9, 28), 256},  // the day before it: out
    };
    for (const auto& [date, count] : weeks)
        h.writeWeek(QStringLiteral("week %1.rwk").arg(date.toString(Qt::ISODate)), date, {{"Ann", 37.5f, "", count}});

    ASSERT_TRUE(h.scanStored());
    EXPECT_EQ(h.nonPref("Ann"), 2 + 4 + 8 + 16 + 128);

    // Moving the start date onto the day before brings that week in.
    h.setStart(QStringLiteral("31/08/2025"));
    ASSERT_TRUE(h.scanStored());
    EXPECT_EQ(h.nonPref("Ann"), 64 + 2 + 4 + 8 + 16 + 128);
}

TEST(HistoryScan, NamesMatchWithoutRegardToCaseAndAppendInFileOrder)
{
    History h;
    // Files are visited by name without regard to case ("a ..." before "B ..."), whatever
    // their dates, and *.RWK counts as *.rwk; other files are passed over.
    h.writeWeek(QStringLiteral("B second.RWK"), QDate(2025, 9, 1),
                {{"ANN SMITH", 37.5f, "40", 1}, {"Cara", 30.0f, "30", 0}});
    h.writeWeek(QStringLiteral("a first.rwk"), QDate(2025, 9, 8),
                {{"Ann Smith", 37.5f, "40", 2}, {"Bob", 37.5f, "", 0}});
    h.writeRaw(QStringLiteral("notes.txt"), "not a week\r\n");
    QDir(h.dir.path()).mkdir(QStringLiteral("old.rwk"));

    ASSERT_TRUE(h.scanStored());
    EXPECT_EQ(h.scan.HistoryNames, (QStringList{"Ann Smith", "Bob", "", "Cara"}));
    EXPECT_EQ(h.nonPref("ann smith"), 3);
    EXPECT_EQ(h.adj("Ann Smith"), -5.0f);
    EXPECT_EQ(h.adj("Bob"), 37.5f);  // contracted, nothing worked
    EXPECT_EQ(h.adj("Cara"), 0.0f);
    // Unused lines add the empty name once, with nothing to carry.
    EXPECT_EQ(h.scan.HistoryNames.count(QString()), 1);
    EXPECT_EQ(h.adj(""), 0.0f);
}

TEST(HistoryScan, UnusedLinesCountTheNumbersTheyHold)
{
    History h;
    h.writeWeek(QStringLiteral("w1.rwk"), QDate(2025, 9, 1), {{"Ann", 37.5f, "37.5", 0}, {"", 7.5f, "", 2}});
    h.writeWeek(QStringLiteral("w2.rwk"), QDate(2025, 9, 8), {{"", 0.0f, "3", 0}});
    ASSERT_TRUE(h.scanStored());
    EXPECT_EQ(h.scan.HistoryNames, (QStringList{"Ann", ""}));
    EXPECT_EQ(h.adj(""), 7.5f - 3.0f);
    EXPECT_EQ(h.nonPref(""), 2);
}

TEST(HistoryScan, AdjustmentsAddUpInSinglePrecision)
{
    History h;
    // 7.3 is not exact in single precision; each week adds (7.3f - 7.5f) as a float.
    for (int k = 0; k < 3; ++k)
        h.writeWeek(QStringLiteral("w%1.rwk").arg(k), QDate(2025, 9, 1).addDays(7 * k), {{"Ann", 7.3f, "7.5", 0}});
    ASSERT_TRUE(h.scanStored());
    float expected = 0;
    for (int k = 0; k < 3; ++k)
        expected = expected + (7.3f - 7.5f);
    EXPECT_EQ(h.adj("Ann"), expected);
}

TEST(HistoryScan, KeepsTwentySixNamesAndIgnoresTheRest)
{
    History h;
    std::vector<Block> first, second;
    for (int k = 1; k <= kLines; ++k) {
        first.push_back({QStringLiteral("First %1").arg(k), 37.5f, "", 1});
        second.push_back({QStringLiteral("Second %1").arg(k), 37.5f, "", 1});
    }
    second[10] = {"FIRST 3", 37.5f, "30", 4};  // already listed: still adds up
    h.writeWeek(QStringLiteral("w1.rwk"), QDate(2025, 9, 1), first);
    h.writeWeek(QStringLiteral("w2.rwk"), QDate(2025, 9, 8), second);

    ASSERT_TRUE(h.scanStored());
    ASSERT_EQ(h.scan.HistoryNames.size(), kHistoryCapacity);
    EXPECT_EQ(h.scan.HistoryNames.last(), "Second 1");
    EXPECT_EQ(h.scan.IndexOf("Second 2"), -1);
    EXPECT_EQ(h.nonPref("First 3"), 5);
    EXPECT_EQ(h.adj("First 3"), 37.5f + 7.5f);
}

TEST(HistoryScan, DamagedWeeksAreLeftOutWholeNamingFileAndLine)
{
    struct Case {
        int line;
        QByteArray text;
    };
    const int bob = WeekFileBlockStart(2);
    const Case cases[] = {
        {1, "not a date"},
        {bob + 2, "seven"},    // hours worked
        {bob + 3, "1.5"},      // non-preference count
        {bob + 1, "37..5"},    // contracted hours
        {5, QByteArray("EAR\0LY", 6)},  // a NUL byte in a duty name, as the loader refuses
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        History h;
        h.writeWeek(QStringLiteral("a.rwk"), QDate(2025, 9, 1), {{"Ann", 37.5f, "30", 1}});
        h.writeDamaged(QStringLiteral("b.rwk"), QDate(2025, 9, 8), {{"Ann", 37.5f, "30", 2}, {"Bob", 37.5f, "", 1}},
                       c.line, QString::fromLatin1(c.text));
        h.writeWeek(QStringLiteral("c.rwk"), QDate(2025, 9, 15), {{"Ann", 37.5f, "30", 4}});
        QString error;
        EXPECT_FALSE(h.scanStored(&error));
        EXPECT_TRUE(error.contains(h.dir.filePath("b.rwk"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("line %1:").arg(c.line))) << error.toStdString();
        EXPECT_EQ(error.count(u'\n'), 0) << "one message for the one damaged week";
        // The damaged week adds nothing, not even its blocks before the fault; the
        // weeks around it count.
        EXPECT_EQ(h.nonPref("Ann"), 1 + 4);
        EXPECT_EQ(h.adj("Ann"), 7.5f + 7.5f);
        EXPECT_EQ(h.nonPref("Bob"), -1);
    }
}

TEST(HistoryScan, ShortOrUnreadableWeeksAreReported)
{
    History h;
    h.writeRaw(QStringLiteral("short.rwk"), "01/09/2025\r\nSt Elsewhere\r\n");
    QString error;
    EXPECT_FALSE(h.scanStored(&error));
    EXPECT_TRUE(error.contains("short.rwk") && error.contains("line 3:")) << error.toStdString();

    // A short week outside the period is never read past its date.
    h.setStart(QStringLiteral("08/09/2025"));
    EXPECT_TRUE(h.scanStored(&error));
}

TEST(HistoryScan, ChosenWeekRunsChartAndTotals)
{
    History h(2);
    h.writeWeek(QStringLiteral("w1.rwk"), QDate(2025, 9, 1), {{"NURSE 1", 37.5f, "35", 3}, {"Nurse 2", 37.5f, "40", 0}});

    UseStaffFileDataforInitialisation(h.model, h.scan, h.ui);
    EXPECT_TRUE(h.scan.Scanned);
    EXPECT_TRUE(h.scan.Damaged.isEmpty());
    EXPECT_TRUE(h.ui.shown.empty());
    EXPECT_EQ(h.model.Week.data().HoursSet[1], "37.5+2.5");
    EXPECT_EQ(h.model.Week.data().HoursSet[2], "37.5 -2.5");
    const NonPrefChart chart = ComputeNonPrefChart(h.model.Week.data(), h.scan);
    ASSERT_EQ(chart.Bars.size(), 1u);
    EXPECT_EQ(chart.Bars[0].line, 1);
    EXPECT_EQ(chart.Bars[0].height, 3);
    EXPECT_EQ(h.recalculations, 1);
}

TEST(HistoryScan, NoAnalysisDateOpensNothingButStillTotals)
{
    History h(1);
    h.writeWeek(QStringLiteral("w1.rwk"), QDate(2025, 9, 1), {{"Nurse 1", 37.5f, "30", 3}});
    UseStaffFileDataforInitialisation(h.model, h.scan, h.ui);
    ASSERT_EQ(h.scan.NonPrefShifts[0], 3);

    // A damaged week in the folder would be reported if anything were opened.
    h.writeRaw(QStringLiteral("w0.rwk"), "garbage\r\n");
    h.setStart(QString());
    ASSERT_FALSE(h.model.Settings.AnalysisStartDateValid);
    UseStaffFileDataforInitialisation(h.model, h.scan, h.ui);
    EXPECT_TRUE(h.ui.shown.empty());
    EXPECT_FALSE(h.scan.Scanned);
    for (int i = 0; i < kHistoryCapacity; ++i) {
        EXPECT_EQ(h.scan.NonPrefShifts[i], 0);
        EXPECT_EQ(h.scan.NameAdjHours[i], 0.0f);
    }
    EXPECT_EQ(h.scan.HistoryNames.first(), "Nurse 1");  // the last scan's list stays
    EXPECT_EQ(h.recalculations, 2);
}

TEST(HistoryScan, DamagedWeekIsShownOnceAndTheOthersStillCount)
{
    History h(1);
    h.writeWeek(QStringLiteral("a.rwk"), QDate(2025, 9, 1), {{"Nurse 1", 37.5f, "30", 3}});
    h.writeDamaged(QStringLiteral("b.rwk"), QDate(2025, 9, 8), {{"Nurse 1", 37.5f, "30", 3}},
                   WeekFileBlockStart(1) + 3, QStringLiteral("x"));
    h.writeWeek(QStringLiteral("c.rwk"), QDate(2025, 9, 15), {{"Nurse 1", 37.5f, "35", 2}});
    UseStaffFileDataforInitialisation(h.model, h.scan, h.ui);

    ASSERT_EQ(h.ui.count("error"), 1);
    const QString& message = h.ui.shown[0].text;
    EXPECT_TRUE(message.contains("b.rwk") && message.contains(QStringLiteral("line %1:").arg(WeekFileBlockStart(1) + 3)))
        << message.toStdString();
    EXPECT_EQ(h.scan.Damaged, QStringList{message});
    EXPECT_TRUE(h.scan.Scanned);
    EXPECT_EQ(h.scan.NonPrefShifts[0], 3 + 2);
    EXPECT_EQ(h.model.Week.data().HoursSet[1], "37.5+10");  // carried over from a and c
    EXPECT_EQ(ComputeNonPrefChart(h.model.Week.data(), h.scan).Bars.size(), 1u);
    EXPECT_EQ(h.recalculations, 1);

    // The next pick scans again but says nothing new.
    h.model.Week.PickerDate = h.model.Week.PickerDate.addDays(7);
    UseStaffFileDataforInitialisation(h.model, h.scan, h.ui);
    EXPECT_EQ(h.ui.count("error"), 1);
    EXPECT_EQ(h.scan.Damaged.size(), 1);
}

TEST(HistoryScan, RequiredBoxesKeepTheirTextsAndZeroRequirementsAreMarked)
{
    History h;
    RosterWeek& w = h.model.Week;
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift) {
            h.model.Settings.StaffRequired[day][shift] = day + shift;
            w.setText(BoxRef::required(day, shift), QStringLiteral("9"));  // as a loaded week left them
            w.setColour(BoxRef::required(day, shift), White);
        }
    h.model.Settings.StaffRequired[7][3] = 0;
    h.setStart(QString());

    UseStaffFileDataforInitialisation(h.model, h.scan, h.ui);
    EXPECT_EQ(w.data().Required[2][1], "9");
    EXPECT_EQ(w.status().RequiredColours[7][3], RequestColour);  // a requirement of 0
    EXPECT_EQ(w.status().RequiredColours[7][2], White);
}

TEST(HistoryScan, TracesThePeriodAndEachFile)
{
    History h;
    h.writeWeek(QStringLiteral("a.rwk"), QDate(2025, 9, 1), {{"Ann", 37.5f, "", 0}});
    h.writeWeek(QStringLiteral("b.rwk"), QDate(2025, 9, 8), {{"ann", 37.5f, "", 0}});
    h.writeWeek(QStringLiteral("c.rwk"), QDate(2025, 9, 29), {{"Zed", 37.5f, "", 0}});
    QTemporaryDir traceDir;
    const QString path = OpenTraceLog(traceDir.path());
    UseStaffFileDataforInitialisation(h.model, h.scan, h.ui);
    CloseTraceLog();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    const QString empties = QString(kLines - 2, u'.');
    EXPECT_TRUE(text.contains(
        QStringLiteral("\n\r\n\rProcessing Files for NPW & HA .....  from 01/09/2025 to 28/09/2025\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nFile Date:01/09/2025 1 Adding >Ann< 2 Adding ><") + empties +
                              QStringLiteral("\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nFile Date:08/09/2025.") + QString(kLines - 1, u'.') +
                              QStringLiteral("\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nFile Date:29/09/2025\r\n")));
}

TEST(HistoryScan, BrushToolTipsNameTheDutyCodes)
{
    const WardSettings s = test::TestWardSettings();
    EXPECT_EQ(BrushToolTip(s, 1), "AM Shift: EARLY");
    EXPECT_EQ(BrushToolTip(s, 2), "PM Shift: LATE");
    EXPECT_EQ(BrushToolTip(s, 3), "Night Shift: NIGHT");
    EXPECT_EQ(BrushToolTip(s, 4), "Holiday: HOL, BH");
    EXPECT_EQ(BrushToolTip(s, 5), "Illness: SICK");
    EXPECT_EQ(BrushToolTip(s, 6), "Other Types of Leave: MAT, PAT, CAR, DOM, EMG, AWOL");
    EXPECT_EQ(BrushToolTip(s, 7), "Study/Admin: STUDY, ADMIN");
    EXPECT_EQ(BrushToolTip(s, 8), "");
}
