#include "ScriptedUi.h"
#include "TestFiles.h"
#include "TestWard.h"
#include "clinics/ClinicDay.h"
#include "document/ClinicNotesStep.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavrola;

namespace {

using Column = std::array<QString, 25>;

// A column with `named` lines holding a duty and the rest as given (line number, text).
Column ColumnWith(int named, std::initializer_list<std::pair<int, const char*>> spare = {})
{
    Column c;
    for (int line = 1; line <= named; ++line)
        c[size_t(line - 1)] = QStringLiteral("EARLY");
    for (const auto& [line, text] : spare)
        c[size_t(line - 1)] = QString::fromUtf8(text);
    return c;
}

// The lines from `first` on, up to the last non-empty one.
QStringList Tail(const Column& c, int first)
{
    QStringList out;
    for (int line = first; line <= 25; ++line)
        out += c[size_t(line - 1)];
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

const QString kStars = QStringLiteral("**********");

}  // namespace

TEST(ClinicDay, WeekNumberOfTheDaysOwnDate)
{
    const std::pair<int, int> cases[] = {{1, 1}, {7, 1}, {8, 2}, {14, 2}, {15, 3}, {21, 3},
                                         {22, 4}, {28, 4}, {29, 5}, {31, 5}};
    for (const auto& [day, week] : cases)
        EXPECT_EQ(ClinicWeekNumber(QDate(2026, 3, day)), week) << day;

    // The week of Monday 30 March: Monday is week 5, the Wednesday is 1 April, week 1.
    QTemporaryDir dir;
    WardModel model;
    test::SetUpTestWardIn(model, 3, dir.path(), QDate(2026, 3, 30));
    model.Week.StartupPickerDate = QDate(2026, 3, 2);
    test::ScriptedUi ui;
    ClinicDayChoice monday, wednesday;
    ASSERT_TRUE(ChooseClinicDay(model, ui, 1, &monday));
    ASSERT_TRUE(ChooseClinicDay(model, ui, 3, &wednesday));
    EXPECT_EQ(monday.weekNumber, 5);
    EXPECT_EQ(wednesday.date, QDate(2026, 4, 1));
    EXPECT_EQ(wednesday.weekNumber, 1);
    EXPECT_TRUE(ClinicCaption(wednesday).startsWith(QStringLiteral("Clinics-Wednesday ")));
    EXPECT_TRUE(ClinicCaption(wednesday).endsWith(QStringLiteral("2026 WK 1")));

    // No week chosen yet: the error box, and no pop-up.
    model.Week.StartupPickerDate = model.Week.PickerDate;
    EXPECT_FALSE(ChooseClinicDay(model, ui, 1, &monday));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("Please set the tavrola \"Week Commencing Date\""));
}

TEST(ClinicDay, TheDaysListFiltersAndOrders)
{
    const QStringList clinic = {
        QStringLiteral("Clinic list"),
        QStringLiteral("Monday PM, Dr C  wk1  [C]"),
        QStringLiteral("monday am, Dr A  WK 1,3  [A]"),
        QStringLiteral("Monday AM, Dr X  wk2 PAC 1  [X]"),       // week text stops before PAC
        QStringLiteral("Monday AM, PM, Dr Both  wk1  [Both]"),   // listed twice
        QStringLiteral("Monday clinic, no half  wk1  [N]"),      // no marker: left out
        QStringLiteral("Tuesday AM, Dr T  wk1  [T]"),
        QStringLiteral("Monday AM, Dr W  wk12  [W]"),            // "12" holds the 1
        QStringLiteral("Monday AM, Dr Z  wk2  [Z]"),
    };
    EXPECT_EQ(ClinicDayLines(clinic, 1, 1),
              (QStringList{clinic[2], clinic[4], clinic[7], clinic[1], clinic[4]}));
    EXPECT_EQ(ClinicDayLines(clinic, 1, 2), (QStringList{clinic[3], clinic[7], clinic[8]}));
    EXPECT_EQ(ClinicDayLines(clinic, 2, 1), QStringList{clinic[6]});
    EXPECT_TRUE(ClinicDayLines(clinic, 0, 1).isEmpty());
    EXPECT_TRUE(ClinicDayLines(clinic, 8, 1).isEmpty());

    EXPECT_EQ(ClinicWeekText(QStringLiteral("Mon wk2 PAC 1")), QStringLiteral("wk2 "));
    EXPECT_EQ(ClinicWeekText(QStringLiteral("PAC wk1")), QString());
    EXPECT_EQ(ClinicNote(QStringLiteral("a [x] [y]")), QStringLiteral("x"));
    EXPECT_EQ(ClinicNote(QStringLiteral("a ]x[")), QString());
    EXPECT_EQ(ClinicNote(QStringLiteral("a [x")), QString());
}

TEST(ClinicDay, NotesGoIntoTheSpareLines)
{
    const QString am = QStringLiteral("Monday AM, Dr %1 wk1 [%2]");
    const QString pm = QStringLiteral("Monday PM, Dr %1 wk1 [%2]");
    struct Case {
        const char* what;
        int named;
        Column before;
        QStringList lines;
        int from;
        QStringList expected;
    };
    const Case cases[] = {
        {"two mornings and an afternoon", 10, ColumnWith(10, {{11, "old"}, {20, "old"}}),
         {am.arg("A", "A"), am.arg("B", "B+"), pm.arg("C", "C")}, 11, {"A,B+", kStars, "C"}},
        {"an afternoon alone", 10, ColumnWith(10), {pm.arg("C", "C")}, 11, {kStars, "C"}},
        {"lines without a note bracket add nothing, missing brackets an empty note", 2, ColumnWith(2),
         {QStringLiteral("Monday AM, no note"), am.arg("B", "B"), QStringLiteral("Monday AM, [A"),
          QStringLiteral("Monday PM, no note"), pm.arg("C", "C")},
         3, {"B,", kStars, "C"}},
        {"no named line: the notes start at line 1", 0, ColumnWith(0, {{1, "x"}, {25, "y"}}),
         {am.arg("A", "A")}, 1, {"A"}},
        {"afternoon notes stop at line 25", 23, ColumnWith(23), {am.arg("A", "A+"), pm.arg("C", "C"), pm.arg("D", "D")},
         24, {"A+", kStars}},
        {"no line left for the separator", 24, ColumnWith(24), {am.arg("A", "A+"), pm.arg("C", "C")}, 25, {"A+"}},
        {"morning notes with + collect on line 25", 23, ColumnWith(23),
         {am.arg("A", "A+"), am.arg("B", "B+"), am.arg("E", "E+")}, 24, {"A+", "B+,E+"}},
        {"a full grid takes nothing", 25, ColumnWith(25), {am.arg("A", "A")}, 1, Tail(ColumnWith(25), 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Column once = ClinicNotesColumn(c.before, c.named ? c.named + 1 : 0, c.lines);
        EXPECT_EQ(Tail(once, c.from), c.expected);
        for (int line = 1; line < c.from; ++line)
            EXPECT_EQ(once[size_t(line - 1)], c.before[size_t(line - 1)]) << "line " << line;
        // A second click gives the same column: the spare lines are emptied first.
        EXPECT_EQ(ClinicNotesColumn(once, c.named ? c.named + 1 : 0, c.lines), once);
    }
}

TEST(ClinicDay, AClickIsOneUndoStepOnTheGrid)
{
    QTemporaryDir dir;
    WardModel model;
    test::SetUpTestWardIn(model, 10, dir.path(), QDate(2026, 6, 1));
    int recalculations = 0;
    model.Week.Recalculate = [&] { ++recalculations; };
    model.Week.setText(BoxRef::cell(1, 12), QStringLiteral("stale"));
    model.Week.setColour(BoxRef::cell(1, 12), RequestColour);
    const QStringList lines = {QStringLiteral("Monday AM, Dr A wk1 [A]"), QStringLiteral("Monday PM, Dr C wk1 [C]")};

    ASSERT_TRUE(WriteClinicNotes(model, 1, lines));
    EXPECT_EQ(model.Week.data().Cells[1][11], QStringLiteral("A"));
    EXPECT_EQ(model.Week.data().Cells[1][12], kStars);
    EXPECT_EQ(model.Week.data().CellColours[1][12], RequestColour) << "a cell keeps its colour";
    EXPECT_EQ(model.Week.data().Cells[1][13], QStringLiteral("C"));
    EXPECT_TRUE(model.Week.RosterChanged);
    EXPECT_GT(recalculations, 0);
    EXPECT_EQ(model.Undo.count(), 1);
    EXPECT_EQ(model.Undo.undoText(), QStringLiteral("Clinic notes on Monday"));
    EXPECT_FALSE(WriteClinicNotes(model, 1, lines)) << "a second click changes nothing";
    EXPECT_EQ(model.Undo.count(), 1);

    model.Undo.undo();
    EXPECT_EQ(model.Week.data().Cells[1][11], QString());
    EXPECT_EQ(model.Week.data().Cells[1][12], QStringLiteral("stale"));
    EXPECT_TRUE(ClinicNotesEdits(model, 0, lines).empty());
}

TEST(ClinicDay, ThePopUpListAndAMissingFile)
{
    QTemporaryDir dir;
    ClinicDayChoice choice{2, QDate(2026, 6, 9), 2};
    ClinicDayList list = ListClinicDay(dir.path() + u'/', choice);
    EXPECT_TRUE(list.lines.isEmpty());
    EXPECT_TRUE(list.problem.contains(QStringLiteral("Clinic.rtf"))) << list.problem.toStdString();
    EXPECT_TRUE(list.caption.startsWith(QStringLiteral("Clinics-Tuesday ")));

    ASSERT_TRUE(test::WriteBytes(dir.filePath(QStringLiteral("Clinic.rtf")),
                                 "{\\rtf1 {\\b Tuesday PM,} Dr B wk2 [B]\\par Tuesday AM, Dr A wk2,4 [A]\\par "
                                 "Tuesday AM, Dr Z wk3 [Z]\\par}"));
    list = ListClinicDay(dir.path() + u'/', choice);
    EXPECT_TRUE(list.problem.isEmpty());
    EXPECT_EQ(list.lines, (QStringList{"Tuesday AM, Dr A wk2,4 [A]", "Tuesday PM, Dr B wk2 [B]"}));
}
