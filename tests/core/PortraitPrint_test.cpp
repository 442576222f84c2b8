#include "ScriptedUi.h"
#include "print/PortraitPrint.h"
#include "print/PrintCommands.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {

// At 144 dpi a font of n points is 2n pixels high with characters n pixels wide.
constexpr int kDpi = 144;

// Named lines 1 and 2; line 3 has no name but a Wednesday entry (it still counts toward
// the day widths), line 4 a Thursday one (it does not).
PrintSheet Sheet()
{
    PrintSheet s;
    WeekData& w = s.Week;
    w.Names[1] = QStringLiteral("Ann");
    w.Grades[1] = QStringLiteral("SN");
    w.HoursSet[1] = QStringLiteral("37.5");
    w.HoursWorked[1] = QStringLiteral("40");
    w.Cells[1][1] = QStringLiteral("EARLY");
    w.Names[2] = QStringLiteral("Bob");
    w.HoursSet[2] = QStringLiteral("37.5");
    w.HoursWorked[2] = QStringLiteral("30");
    w.Cells[3][3] = QStringLiteral("LATE");
    w.Cells[4][4] = QStringLiteral("NIGHT");
    s.Hospital = QStringLiteral("St Elsewhere Hospital NHS Trust");
    s.Ward = QStringLiteral("Ward 9");
    s.WeekDate = QDate(2026, 12, 7);
    // The legend names the ward's own codes, those it has.
    s.DutyNames[1] = QStringLiteral("EARLY");
    s.DutyNames[2] = QStringLiteral("LATE");
    s.DutyNames[3] = QStringLiteral("NIGHT");
    s.DutyNames[4] = QStringLiteral("HOL");
    s.DutyNames[6] = QStringLiteral("SICK");
    return s;
}

QStringList Draw(const PrintSheet& sheet)
{
    RecordingCanvas page(4900, 7000, kDpi);
    QString error;
    EXPECT_TRUE(DrawPortraitPrint(page, sheet, &error)) << error.toStdString();
    return page.calls;
}

int CountStarting(const QStringList& calls, const QString& prefix)
{
    int n = 0;
    for (const QString& c : calls)
        n += c.startsWith(prefix);
    return n;
}

}  // namespace

TEST(PortraitPrint, WorkedNumbersOfA7000PixelPage)
{
    RecordingCanvas page(4900, 7000, kDpi);
    const PortraitLayout l = ComputePortraitLayout(page, Sheet());
    EXPECT_EQ(l.LineSpace, 100);
    EXPECT_EQ(l.RowSpacing, 150);
    EXPECT_EQ(l.LastNamed, 2);
    // Names as wide as the " Staff Numbers" label under them; Monday as wide as "-EARLY-",
    // Wednesday as "-LATE-" (line 3 counts), the other weekdays as their headings, the
    // empty weekend nothing.
    const int p[13] = {20, 156, 206, 266, 336, 386, 446, 496, 546, 546, 546, 4810, 4880};
    for (int i = 0; i <= 12; ++i)
        EXPECT_EQ(l.P[i], p[i]) << "P" << i;

    const QStringList calls = Draw(Sheet());
    for (const char* expected : {
             "text 68,900 Name",          // the heading line at 900
             "text 286,900 Mon",
             "text 346,900 Tue",          // an empty weekday keeps its heading
             "text 506,900 Fri",
             "text 2638,900 Comments",
             "text 4820,900 Extra",
             "text 4820,1000 Hours",
             "text 172,1436 GRADE",       // turned upward, feet over row 1's rule
             "text 217,1436 CONTRACTED",
             "text 237,1436 HOURS",
             "text 26,1450 Ann",          // line 1 at 1450
             "text 171,1450 SN",          // grade and contracted hours centred in their columns
             "text 216,1450 37.5",
             "text 272,1450 EARLY",
             "text 4816,1450 2.5",        // 40 worked against 37.5
             "text 26,1600 Bob",
             "text 36,5350  WARD CLERKS",
             "text 36,5950  Staff Numbers",
             "text 168,5950  E",
             "text 168,6400  Twilight",
             "text 36,6550  Shift Codes   EARLY:Early   LATE:Late   NIGHT:Night   HOL:Annual leave   "
             "SICK:Sick leave",
             "text 36,6850 Tavrola duty roster",
             "line 20,892 4880,892",      // the heading rule
             "line 20,6692 4880,6692",    // row 36's rule
             "line 20,892 20,6692",       // outer verticals 36 rows deep,
             "line 206,892 206,5942",     // the contracted-hours column's 31,
             "line 156,892 156,6542",     // the others 35
             "rectangle 24,300 660x300",  // the title box around " Tavrola Rota Ward 9 ... 7 Dec 26"
             "text 36,400  Tavrola Rota ",
             "text 276,400       Week beginning  ",
             "text 4570,100 St Elsewhere Hospital",  // the hospital at the top right, on two lines
             "text 4792,250 NHS Trust",
         })
        EXPECT_TRUE(calls.contains(QString::fromLatin1(expected))) << expected;
    // The ward and the date are bold.
    const qsizetype ward = calls.indexOf(QStringLiteral("text 204,400 Ward 9"));
    ASSERT_GT(ward, 0);
    EXPECT_TRUE(calls[ward - 1].contains(QStringLiteral(" bold ")));
    EXPECT_TRUE(calls.contains(QStringLiteral("text 540,400 7 Dec 26")));

    // Empty weekend columns have neither width nor heading; Bob gets no extra hours; the
    // line after the last name is not printed; every one of the 36 rows has its rule.
    EXPECT_FALSE(calls.contains(QStringLiteral("text 546,900 Sat")));
    EXPECT_FALSE(calls.contains(QStringLiteral("text 546,900 Sun")));
    EXPECT_EQ(CountStarting(calls, QStringLiteral("text 4816,")), 1);
    EXPECT_EQ(calls.filter(QStringLiteral("text 396,")).size(), 0);  // line 3's LATE
    EXPECT_EQ(CountStarting(calls, QStringLiteral("line 20,")) - 1, 1 + kPortraitRows);
}

TEST(PortraitPrint, AngledTextAndTheHospitalSplit)
{
    // Stacked letters: "GRADE" in 6 points (6 pixels a character), 1.4 x 6 = 8.4 pixels apart.
    RecordingCanvas stacked(1000, 1000, kDpi);
    TextOutAngled(stacked, QStringLiteral("GRADE"), 95, 6, 90, 900);
    for (const char* letter : {"text 95,900 G", "text 95,908 R", "text 95,917 A", "text 95,925 D", "text 95,934 E"})
        EXPECT_TRUE(stacked.calls.contains(QString::fromLatin1(letter))) << letter;

    // Halves go to the even neighbour: "AB" 15 wide puts B 10.5, so 10, below A.
    RecordingCanvas page(1000, 1000, 72);
    page.setFontSize(9, true);
    const Canvas::Font before = page.font();
    TextOutAngled(page, QStringLiteral("AB"), 5, 15, 90, 100);
    EXPECT_TRUE(page.calls.contains(QStringLiteral("text 5,110 B")));
    EXPECT_EQ(page.font(), before);

    const struct {
        const char* title;
        const char* first;
        const char* second;
    } splits[] = {
        {"St Elsewhere Hospital NHS Trust", "St Elsewhere Hospital", "NHS Trust"},
        {"General Hospital", "General Hospital", ""},
        {"NHS Trust", "", "NHS Trust"},
        {"", "", ""},
    };
    for (const auto& s : splits) {
        const auto [first, second] = SplitHospitalTitle(QString::fromUtf8(s.title));
        EXPECT_EQ(first, QString::fromUtf8(s.first)) << s.title;
        EXPECT_EQ(second, QString::fromUtf8(s.second)) << s.title;
    }
}

TEST(PortraitPrint, ContractedAndExtraHours)
{
    const struct {
        const char* set;
        const char* worked;
        const char* contracted;
        const char* extra;
    } cases[] = {
        {"37.5", "40", "37.5", "2.5"},
        {"37.5", "30", "37.5", ""},             // only positive differences
        {"37.5 +2.5", "40", "37.5", ""},        // carried-over hours raise what is owed
        {"37.5 -2.5", "40", "37.5", "5"},
        {"7.3", "10", "7.30000019073486", "2.7"},  // single precision shown as it is
        {"37.5", "", "37.5", ""},
        {"", "40", "", ""},
        {"", "abc", "", ""},                    // no contract: the worked text is not read
    };
    for (const auto& c : cases) {
        WeekData week;
        week.Names[1] = QStringLiteral("Ann");
        week.HoursSet[1] = QString::fromLatin1(c.set);
        week.HoursWorked[1] = QString::fromLatin1(c.worked);
        PortraitFigures figures;
        QString error;
        ASSERT_TRUE(ComputePortraitFigures(week, &figures, &error)) << c.set << " " << c.worked;
        EXPECT_EQ(figures.Contracted[1], QString::fromLatin1(c.contracted)) << c.set;
        EXPECT_EQ(figures.Extra[1], QString::fromLatin1(c.extra)) << c.set << " " << c.worked;
    }

    // A text that does not convert stops the print before the dialog, naming the line;
    // past the last name nothing is read.
    for (const auto& [set, worked] : {std::pair{"37..5", "40"}, std::pair{"37.5", "forty"}}) {
        PrintSheet sheet = Sheet();
        sheet.Week.HoursSet[2] = QString::fromLatin1(set);
        sheet.Week.HoursWorked[2] = QString::fromLatin1(worked);
        test::ScriptedUi ui;
        ui.printerPage = std::make_unique<RecordingCanvas>(4900, 7000, kDpi);
        EXPECT_FALSE(PrintPortrait(sheet, ui)) << set;
        EXPECT_TRUE(ui.printDialogs.empty());
        ASSERT_EQ(ui.count("error"), 1);
        EXPECT_TRUE(ui.shown[0].text.contains(QStringLiteral("line 2 (\"Bob\")"))) << ui.shown[0].text.toStdString();
        EXPECT_TRUE(ui.shown[0].text.contains(QStringLiteral("is not a valid floating point value")));
    }
    PrintSheet pastNames = Sheet();
    pastNames.Week.HoursSet[5] = QStringLiteral("37..5");
    PortraitFigures figures;
    QString error;
    EXPECT_TRUE(ComputePortraitFigures(pastNames.Week, &figures, &error));
}
