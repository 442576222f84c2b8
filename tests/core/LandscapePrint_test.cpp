#include "ScriptedUi.h"
#include "print/LandscapePrint.h"
#include "print/PrintCommands.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {

// At 144 dpi the recording canvas makes a font of n points 2n pixels high and each of its
// characters n pixels wide: 10-point "--" is 20 wide, 12-point "___" 36.
constexpr int kDpi = 144;

PrintSheet Sheet(std::initializer_list<const char*> names)
{
    PrintSheet s;
    int line = 1;
    for (const char* name : names)
        s.Week.Names[line++] = QString::fromUtf8(name);
    s.Hospital = QStringLiteral("St Elsewhere Hospital NHS Trust");
    s.Ward = QStringLiteral("Ward 9");
    s.WeekDate = QDate(2026, 12, 28);
    return s;
}

QStringList Draw(const PrintSheet& sheet, int width = 6600, int height = 4800)
{
    RecordingCanvas page(width, height, kDpi);
    DrawLandscapePrint(page, sheet);
    return page.calls;
}

LandscapeLayout Layout(const PrintSheet& sheet, int width = 6600, int height = 4800)
{
    RecordingCanvas page(width, height, kDpi);
    return ComputeLandscapeLayout(page, sheet);
}

}  // namespace

TEST(LandscapePrint, WorkedNumbersOfA4800PixelPage)
{
    const PrintSheet sheet = Sheet({"Ann Smith", "Bob"});
    const LandscapeLayout l = Layout(sheet);
    EXPECT_EQ(l.LineSpace, 96);
    EXPECT_EQ(l.RowSpacing, 144);
    EXPECT_EQ(l.Margin, 36);
    EXPECT_EQ(l.RuleOffset, 6);  // "TH" is 20 wide
    EXPECT_EQ(l.NameColumnWidth, 110);  // "-Ann Smith-"
    const int xtab[11] = {20, 130, 200, 310, 420, 530, 640, 750, 860, 970, 6580};
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(l.Xtab[i], xtab[i]) << "Xtab " << i;

    const QStringList calls = Draw(sheet);
    for (const char* expected : {
             "text 55,864 NAME",        // headings centred in their columns at 9 x LineSpace
             "text 150,864 HRS",
             "text 225,864 MONDAY",
             "text 30,1008 Ann Smith",  // line 1 at 1008, line 2 at 1152, each after a dash
             "text 30,1152 Bob",
             "text 210,1152 ",          // Monday's cell of line 2, empty
             "line 20,858 6580,858",    // rules a rule offset above each row
             "line 20,1002 6580,1002",
             "line 20,1146 6580,1146",
             "line 20,1290 6580,1290",  // the closing rule
             "line 970,858 970,1290",   // vertical rules from the top rule to the closing one
             "text 36,576 Week Commencing Monday   Monday, 28 December 2026",
             "text 3264,576 Ward 9",    // on the same line, centred on the page
             "text 294,826 28",         // the dates right-aligned in their day columns
             "text 404,826 29",
             "text 852,826 2",
             "text 36,4656 Tavrola duty roster",
         })
        EXPECT_TRUE(calls.contains(QString::fromLatin1(expected))) << expected;
}

TEST(LandscapePrint, ColumnsAndRows)
{
    // A long name widens only the name column; the notes column takes what is left.
    const LandscapeLayout shortName = Layout(Sheet({"Bob"}));
    const LandscapeLayout longName = Layout(Sheet({"Bob", "Philippa Montgomery-Smythe"}));
    EXPECT_GT(longName.Xtab[1] - longName.Xtab[0], shortName.Xtab[1] - shortName.Xtab[0]);
    for (int i = 1; i < 9; ++i)
        EXPECT_EQ(longName.Xtab[i + 1] - longName.Xtab[i], shortName.Xtab[i + 1] - shortName.Xtab[i]) << i;
    EXPECT_EQ(longName.Xtab[10], shortName.Xtab[10]);

    // A holiday's name starts where its day heading starts (the names' column is as wide
    // as "-NAME-" at least).
    PrintSheet holiday = Sheet({"Bob"});
    holiday.Holidays[1] = QStringLiteral("BH");
    const QStringList calls = Draw(holiday);
    EXPECT_TRUE(calls.contains(QStringLiteral("text 175,720 BH")));
    EXPECT_TRUE(calls.contains(QStringLiteral("text 175,864 MONDAY")));

    // Empty lines between used ones are printed as empty ruled rows; a note alone uses a line.
    PrintSheet gaps = Sheet({"Ann"});
    gaps.Week.Notes[4] = QStringLiteral("course");
    EXPECT_EQ(Layout(gaps).Lines, 4);
    EXPECT_TRUE(Draw(gaps).contains(QStringLiteral("text 30,1296 ")));  // line 3's empty name

    // No line in use: one row between the top rule and the closing rule.
    const QStringList empty = Draw(PrintSheet());
    EXPECT_TRUE(empty.contains(QStringLiteral("line 20,1002 6580,1002")));
    EXPECT_TRUE(empty.contains(QStringLiteral("line 20,858 20,1002")));

    // All 25 lines: the closing rule stays above the footer, on the one page.
    PrintSheet full;
    for (int line = 1; line <= kLines; ++line)
        full.Week.Names[line] = QStringLiteral("N%1").arg(line);
    const LandscapeLayout l = Layout(full);
    EXPECT_EQ(l.bottomRule(), 864 + 26 * 144 - 6);
    EXPECT_LT(l.bottomRule(), 4800 - l.RowSpacing);
}

TEST(PrintCommands, TheDialogDecidesWhetherAnythingPrints)
{
    const PrintSheet sheet = Sheet({"Ann Smith"});
    test::ScriptedUi cancel;
    EXPECT_FALSE(PrintClick(sheet, cancel));
    EXPECT_EQ(cancel.printDialogs, std::vector<PageOrientation>{PageOrientation::Landscape});
    EXPECT_EQ(cancel.documentsBegun, 0);
    EXPECT_TRUE(cancel.shown.empty());

    test::ScriptedUi print;
    print.printerPage = std::make_unique<RecordingCanvas>(6600, 4800, kDpi);
    EXPECT_TRUE(PrintClick(sheet, print));
    EXPECT_EQ(print.documentsEnded, 1);
    ASSERT_TRUE(print.printed);
    EXPECT_TRUE(print.printed->calls.contains(QStringLiteral("text 30,1008 Ann Smith")));

    test::ScriptedUi portrait;
    portrait.printerPage = std::make_unique<RecordingCanvas>(4900, 7000, kDpi);
    EXPECT_TRUE(PrintPortrait(sheet, portrait));
    EXPECT_EQ(portrait.printDialogs, std::vector<PageOrientation>{PageOrientation::Portrait});
    EXPECT_EQ(portrait.documentsEnded, 1);

    // Export PDF: cancelling the layout question asks for no file.
    test::ScriptedUi exportCancel;
    exportCancel.fileChoices.push_back(QStringLiteral("/nonexistent/never.pdf"));
    EXPECT_FALSE(ExportPdfClick(sheet, exportCancel, QString()));
    EXPECT_EQ(exportCancel.fileChoices.size(), 1u);
    EXPECT_EQ(exportCancel.count("choice"), 1);
}

TEST(LandscapePrint, BreachListUnderTheTable)
{
    // Without breaches the page ends with the last vertical rule, as it always has.
    PrintSheet sheet = Sheet({"Ann Smith", "Bob"});
    EXPECT_EQ(Draw(sheet).last(), QStringLiteral("line 6580,858 6580,1290"));

    // With them, a bold heading and the entries in 8 points, two rule offsets under the
    // closing rule, measured one after another.
    sheet.Breaches = {{QStringLiteral("Daily rest"), QStringLiteral("Ann Smith"), 2},
                      {QStringLiteral("Weekly hours"), QStringLiteral("Bob"), 7}};
    const QStringList calls = Draw(sheet);
    for (const char* expected : {"text 20,1302 Working-time rules broken:",
                                 "text 260,1302 Daily rest \u2013 Ann Smith, Tuesday",  // 208 + 32 gap
                                 "text 540,1302 Weekly hours \u2013 Bob, Sunday"})     // 260 + 248 + 32
        EXPECT_TRUE(calls.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(calls.contains(QStringLiteral("text 36,4656 Tavrola duty roster")));  // the footer stays
}

TEST(LandscapePrint, ShortShiftsComeFirstUnderTheTable)
{
    // "Short:" in bold, then day, the ward's shift name (its code where it has none) and
    // the staff missing, 8 points, two blanks apart; the breach list a row and a half lower.
    PrintSheet sheet = Sheet({"Ann Smith", "Bob"});
    sheet.DutyNames[1] = QStringLiteral("EARLY");
    sheet.ShortShifts = {{1, 1, 1}, {3, 3, 2}};
    sheet.Breaches = {{QStringLiteral("Daily rest"), QStringLiteral("Ann Smith"), 2}};
    const QStringList calls = Draw(sheet);
    for (const char* expected : {"text 20,1302 Short:", "text 84,1302 Mon EARLY 1,",  // 20 + 48 + 16
                                 "text 196,1302 Wed N 2",                             // 84 + 96 + 16
                                 "text 20,1329 Working-time rules broken:"})          // 1302 + 18 + 9
        EXPECT_TRUE(calls.contains(QString::fromUtf8(expected))) << expected;
}

TEST(LandscapePrint, BreachListFitsItsBandOrCountsTheRest)
{
    // Entries "R – N, Monday" are 104 wide in 8 points; the heading 208, the gap 32. A row
    // is one text high (h), the next starts h + h/4 below. Rows of the band hold as many as
    // fit; the rest are counted.
    RecordingCanvas probe(6600, 4800, kDpi);
    probe.setFontSize(8);
    const int h = probe.textHeight(QStringLiteral("R"));
    struct Case {
        int count, right, bottom;
        int shown;  // -1: nothing placed at all
        const char* more;
    };
    const Case cases[] = {
        {5, 1000, h, 5, ""},                       // one row: heading and five entries
        {9, 1000, h, 5, "and 4 more"},             // the count just fits after the fifth
        {9, 990, h, 4, "and 5 more"},              // it does not: the fifth makes way
        {20, 1000, 2 * h + h / 4, 11, "and 9 more"},  // two rows
        {3, 1000, h - 1, -1, ""},                  // not even the heading fits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count * 10000 + c.right + c.bottom);
        RecordingCanvas page(6600, 4800, kDpi);
        const std::vector<PrintBreach> breaches(size_t(c.count), PrintBreach{"R", "N", 1});
        const std::vector<PlacedText> placed = LayOutBreachList(page, breaches, 0, c.right, 0, c.bottom);
        if (c.shown < 0) {
            EXPECT_TRUE(placed.empty());
            continue;
        }
        ASSERT_FALSE(placed.empty());
        EXPECT_TRUE(placed.front().bold);
        const bool counted = *c.more != 0;
        EXPECT_EQ(int(placed.size()), 1 + c.shown + (counted ? 1 : 0));
        if (counted) {
            EXPECT_EQ(placed.back().text, QString::fromLatin1(c.more));
        }
        // Nothing leaves the band or overlaps the text before it on its row.
        for (size_t i = 0; i < placed.size(); ++i) {
            const int width = page.textWidth(placed[i].text);
            EXPECT_LE(placed[i].x + width, c.right);
            EXPECT_LE(placed[i].y + h, c.bottom);
            if (i > 0 && placed[i].y == placed[i - 1].y) {
                EXPECT_GT(placed[i].x, placed[i - 1].x + page.textWidth(placed[i - 1].text));
            }
        }
    }
}
