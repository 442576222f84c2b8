// Every printed page and the statistics picture, checked as a whole on the recording
// canvas: no two texts overlap, no rule or bar runs through a text, nothing leaves the
// page, and nothing is shrunk past reading.
#include "LayoutCheck.h"
#include "TestWard.h"
#include "document/StatisticsRun.h"
#include "print/LandscapePrint.h"
#include "print/PortraitPrint.h"
#include "render/StatsPicture.h"
#include "settings/StaffFile.h"
#include "weeks/WeekFileReader.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

using namespace tavrola;
using tavrola::test::LayoutFaults;

namespace {

const QString kDemo = QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo");

WardSettings DemoSettings()
{
    return ReadStaffFile(kDemo + QStringLiteral("/Staff.txt"), WardSettings()).settings;
}

PrintSheet SheetFrom(const WeekFileData& file, const WardSettings& settings)
{
    PrintSheet s;
    s.WeekDate = file.weekCommencing;
    s.Hospital = file.hospital;
    s.Ward = file.ward;
    for (int k = 1; k <= 14; ++k)
        s.DutyNames[k] = settings.DutyName(k);
    for (int line = 1; line <= kLines; ++line) {
        const WeekFileStaffLine& l = file.lines[line];
        s.Week.Names[line] = l.name;
        s.Week.HoursWorked[line] = l.hoursWorked;
        if (l.contracted && !l.name.isEmpty())
            s.Week.HoursSet[line] = QString::number(double(*l.contracted));
        for (int day = 1; day <= kDays; ++day)
            s.Week.Cells[day][line] = l.days[day];
        s.Week.Notes[line] = l.notes;
    }
    return s;
}

// The most a ward could put on a page: 25 lines of 30-character names, 10-character
// grades, the longest clock ranges every day, long notes, a long hospital and ward, the
// longest holiday labels on every day, every shift short and a breach on every line.
PrintSheet LongestSheet()
{
    PrintSheet s;
    s.WeekDate = QDate(2026, 12, 21);
    s.Hospital = QStringLiteral("Queen Elizabeth the Queen Mother Hospital NHS Foundation Trust Wales");
    s.Ward = QStringLiteral("Intensive Therapy Unit Ward 12");
    for (int day = 1; day <= kDays; ++day)
        s.Holidays[day] = day % 2 ? QStringLiteral("Christmas Day") : QStringLiteral("Coronation BH");
    for (int k = 1; k <= 14; ++k)
        s.DutyNames[k] = QStringLiteral("CODE%1LONG").arg(k);
    for (int line = 1; line <= kLines; ++line) {
        s.Week.Names[line] = QStringLiteral("Wilhelmina Fitzgerald-Ogunbanj");
        s.Week.Grades[line] = QStringLiteral("Band 8a/b+");
        s.Week.HoursSet[line] = QStringLiteral("37.5");
        s.Week.HoursWorked[line] = QStringLiteral("112.25");
        for (int day = 1; day <= kDays; ++day)
            s.Week.Cells[day][line] = QStringLiteral("07.30-20.00");
        s.Week.Notes[line] = QStringLiteral("Mandatory training: moving and handling, fire safety, resus");
    }
    // Every shift short, and a breach on every line, under the table.
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            s.ShortShifts.push_back({day, shift, 12});
    for (int line = 1; line <= kLines; ++line)
        s.Breaches.push_back({QStringLiteral("Weekly hours"), s.Week.Names[line], 1 + line % kDays});
    return s;
}

struct Page {
    const char* name;
    int width, height, dpi;
};
// A4 less 5 mm margins, as the PDF and the printer give it.
const Page kLandscapePages[] = {{"A4 landscape, 144 dpi", 1655, 1162, 144}, {"A4 landscape, 300 dpi", 3449, 2421, 300}};
const Page kPortraitPages[] = {{"A4 portrait, 144 dpi", 1162, 1655, 144}, {"A4 portrait, 300 dpi", 2421, 3449, 300}};

std::vector<std::pair<QString, PrintSheet>> Weeks()
{
    std::vector<std::pair<QString, PrintSheet>> weeks;
    const WardSettings settings = DemoSettings();
    for (const QString& path : ListWeekFiles(kDemo)) {
        WeekFileData file;
        QString error;
        EXPECT_TRUE(ReadWeekFile(path, &file, &error)) << error.toStdString();
        weeks.emplace_back(QFileInfo(path).fileName(), SheetFrom(file, settings));
    }
    EXPECT_GE(weeks.size(), 9u);
    weeks.emplace_back(QStringLiteral("the longest week"), LongestSheet());
    return weeks;
}

void ExpectClean(const QStringList& faults, const QString& what)
{
    EXPECT_TRUE(faults.isEmpty()) << what.toStdString() << ":\n  " << faults.mid(0, 8).join(QStringLiteral("\n  ")).toStdString()
                                  << (faults.size() > 8 ? "\n  ..." : "");
}

}  // namespace

TEST(PageLayout, PrintedPagesHaveNoOverlapsForTheDemoWeeksAndTheLongestWeek)
{
    test::BritishDates british;
    for (const auto& [name, sheet] : Weeks()) {
        for (const Page& p : kLandscapePages) {
            RecordingCanvas page(p.width, p.height, p.dpi);
            DrawLandscapePrint(page, sheet);
            ExpectClean(LayoutFaults(page, QRect(0, 0, p.width, p.height), PointsToPixels(5, p.dpi)),
                        name + QStringLiteral(", ") + QLatin1String(p.name));
        }
        for (const Page& p : kPortraitPages) {
            RecordingCanvas page(p.width, p.height, p.dpi);
            QString error;
            ASSERT_TRUE(DrawPortraitPrint(page, sheet, &error)) << error.toStdString();
            ExpectClean(LayoutFaults(page, QRect(0, 0, p.width, p.height), PointsToPixels(5, p.dpi)),
                        name + QStringLiteral(", ") + QLatin1String(p.name));
        }
    }
}

TEST(PageLayout, StatisticsPictureHasNoOverlaps)
{
    test::BritishDates british;
    auto demo = std::make_unique<StatsTables>();
    QStringList damaged;
    ASSERT_TRUE(CollectStatistics(kDemo, DemoSettings(), QDate(2026, 1, 1), QDate(2026, 12, 31), demo.get(), &damaged))
        << damaged.join(u' ').toStdString();
    ASSERT_GT(demo->StatNames.size(), 10);

    // A full table: 26 long names, full months, large totals, long notes, three years.
    auto full = std::make_unique<StatsTables>();
    for (int i = 0; i < kStatNames; ++i) {
        full->StatNames += QStringLiteral("Wilhelmina Fitzgerald-Ogunb%1").arg(i, 2, 10, QLatin1Char('0'));
        full->StatHrsPerWeek[i] = 37.25f;
        for (int slot = 0; slot < kYearSlots; ++slot)
            for (int m = 1; m <= kMonths; ++m) {
                full->StatHoursWorked[i][slot][m] = 199.75f;
                full->StatDaysHoliday[i][slot][m] = 31;
                full->StatDaysIllness[i][slot][m] = 30.5f;
                full->StatNonPref[i][slot][m] = 31;
                full->StatShortages[slot][m] = 93;
            }
        full->StatTraining[i] = QStringLiteral("Mandatory training: moving and handling, fire safety, resus");
    }
    full->LeftOut = QStringList{QStringLiteral("Cy"), QStringLiteral("Di")};

    const std::pair<const char*, const StatsTables*> cases[] = {{"the demo ward's year", demo.get()},
                                                                {"a full table over three years", full.get()}};
    for (const auto& [name, tables] : cases) {
        const StatsPictureInput in{QStringLiteral("Intensive Therapy Unit Ward 12"), QDate(2024, 1, 1),
                                   QDate(2026, 12, 31)};
        const QSize size = StatisticsPictureSize(*tables, in);
        RecordingCanvas canvas(size.width(), size.height());
        DisplayStatistics(canvas, *tables, in);
        ExpectClean(LayoutFaults(canvas, QRect(QPoint(0, 0), size), 8), QString::fromLatin1(name));
    }
}
