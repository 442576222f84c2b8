#include "ScriptedUi.h"
#include "TestWard.h"
#include "document/RequirementsStep.h"
#include "document/WeekChain.h"
#include "document/DutyClicks.h"
#include "document/Totals.h"
#include "document/WeekFileCommands.h"
#include "weeks/WeekFileFormat.h"
#include "document/WeekFileLoad.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekFileNumbers.h"

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

// A ward of three staff in a data folder of its own, started on kStartDay.
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
        model.Settings.HoursWorkedOnAM = 7.3f;
        for (int day = 1; day <= kDays; ++day) {
            const bool weekend = day >= 6;
            model.Settings.StaffRequired[day][1] = weekend ? 1 : 2;
            model.Settings.StaffRequired[day][2] = weekend ? 1 : 2;
            model.Settings.StaffRequired[day][3] = 1;
        }
        ConnectTotals(model);
        SetupRequiredNurses(model);
        w.RosterChanged = false;
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void put(int day, int line, const char* text) { model.typeText(BoxRef::cell(day, line), QString::fromUtf8(text)); }
};

// The Christmas week of 2008 as the golden file holds it.
void FillChristmasWeek(Ward& t)
{
    RosterWeek& w = t.w;
    w.PickerDate = kChristmasWeek;
    w.setText(BoxRef::name(1), QStringLiteral("Ann Lee"));
    w.setText(BoxRef::name(2), QString::fromUtf8("Zoë Łukasz"));
    w.setText(BoxRef::name(3), QStringLiteral("Bob"));
    w.setText(BoxRef::hoursSet(2), QStringLiteral("37.5 +2.5"));
    w.setText(BoxRef::hoursSet(3), QStringLiteral("30"));
    w.setColour(BoxRef::cell(1, 1), RequestColour);
    w.setColour(BoxRef::cell(7, 2), RequestColour);
    for (int line = 1; line <= 3; ++line) {
        w.setColour(BoxRef::cell(4, line), AlertColour);
        w.setColour(BoxRef::cell(5, line), AlertColour);
    }
    const char* cells[3][7] = {{"EARLY", "EARLY", "LATE", "HOL", "HOL", "", ""},
                               {"NIGHT", "NIGHT", "NIGHT", "SICK NIGHT", "", "", "7-3"},
                               {"BH 3.75", "LATE", "STUDY", "", "HOL 4", "", ""}};
    for (int line = 1; line <= 3; ++line)
        for (int day = 1; day <= kDays; ++day)
            t.put(day, line, cells[line - 1][day - 1]);
    w.setText(BoxRef::lectures(1), QStringLiteral("Fire drill"));
    w.setText(BoxRef::lectures(5), QStringLiteral("cover from bank"));
}

// The golden file, written out from the layout line by line.
QStringList ChristmasWeekLines()
{
    QStringList l;
    l << "22/12/2008" << "St Elsewhere" << "Ward 9";
    l << "EARLY" << "LATE" << "NIGHT" << "HOL" << "BH" << "SICK" << "MAT" << "PAT" << "CAR" << "DOM"
      << "EMG" << "AWOL" << "STUDY" << "ADMIN";
    l << "7.30000019073486" << "7.5" << "10" << "0.5" << "7.5" << "3.75";
    l << "Ann Lee" << "37.5" << "37.1" << "2"
      << "EARLY" << "EARLY" << "LATE" << "HOL" << "HOL" << "" << "" << "Fire drill";
    l << QString::fromUtf8("Zoë Łukasz") << "37.5" << "47.5" << "4"
      << "NIGHT" << "NIGHT" << "NIGHT" << "SICK NIGHT" << "" << "" << "7-3" << "";
    l << "Bob" << "30" << "22.75" << "1"
      << "BH 3.75" << "LATE" << "STUDY" << "" << "HOL 4" << "" << "" << "";
    for (int line = 4; line <= 25; ++line) {
        l << "" << "0" << "" << "0" << "" << "" << "" << "" << "" << "" << "";
        l << (line == 5 ? "cover from bank" : "");
    }
    for (int day = 1; day <= 7; ++day)
        l << (day >= 6 ? "1" : "2") << (day >= 6 ? "1" : "2") << "1";
    const char* counts[7] = {"1 0 1", "1 1 1", "0 1 1", "0 0 0", "0 0 0", "0 0 0", "1 0 0"};
    for (const char* c : counts)
        l << QString::fromLatin1(c).split(u' ');
    for (int day = 1; day <= 7; ++day) {
        for (int line = 1; line <= 25; ++line) {
            QString colour = "16777215";
            if ((day == 4 || day == 5) && line <= 3)
                colour = "7851263";
            if ((day == 1 && line == 1) || (day == 7 && line == 2))
                colour = "12320699";
            l << colour;
        }
    }
    return l;
}

QByteArray FileBytes(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines)
        out += line.toUtf8() + "\r\n";
    return out;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Everything a load could touch, one entry per value, for before/after comparisons.
QStringList ModelState(WardModel& model, const WeekView& labels)
{
    QStringList s;
    const RosterWeek& w = model.Week;
    auto box = [&s, &w](const char* what, int a, int b, BoxRef f) {
        s << QStringLiteral("%1[%2][%3] %4|%5|%6").arg(what).arg(a).arg(b).arg(w.text(f)).arg(w.colour(f)).arg(w.hint(f));
    };
    for (int line = 0; line <= kLines; ++line) {
        box("name", line, 0, BoxRef::name(line));
        box("grade", line, 0, BoxRef::grade(line));
        box("set", line, 0, BoxRef::hoursSet(line));
        box("worked", line, 0, BoxRef::hoursWorking(line));
        box("notes", line, 0, BoxRef::lectures(line));
        s << QStringLiteral("line %1 %2 %3 %4")
                 .arg(line)
                 .arg(w.StaffSkillCodes[line])
                 .arg(w.status().WeekHours[line])
                 .arg(w.data().NonPrefCount[line]);
        for (int day = 0; day <= kDays; ++day) {
            box("cell", day, line, BoxRef::cell(day, line));
            s << QStringLiteral("base/saved %1 %2 %3 %4").arg(day).arg(line).arg(w.BaseCellColours[day][line]).arg(w.SavedRequests[day][line]);
        }
    }
    for (int day = 0; day <= kDays; ++day)
        for (int shift = 0; shift <= kShifts; ++shift) {
            box("required", day, shift, BoxRef::required(day, shift));
            s << QStringLiteral("count %1 %2 %3").arg(day).arg(shift).arg(w.status().ShiftCounts[day][shift]);
        }
    s << QStringLiteral("flags %1 %2 %3 %4 %5").arg(w.RosterChanged).arg(w.RosterFileLoaded).arg(w.RecalcSuspended).arg(w.FillRunning).arg(w.RequestsSaved);
    s << w.PickerDate.toString(Qt::ISODate) << w.StartupPickerDate.toString(Qt::ISODate) << w.DataFolder;
    for (const SettingKey& k : SettingsKeyTable(model.Settings)) {
        switch (k.kind) {
        case SettingKind::Text: s << QStringLiteral("%1=%2").arg(k.key, *k.text); break;
        case SettingKind::Whole: s << QStringLiteral("%1=%2").arg(k.key).arg(*k.whole); break;
        case SettingKind::Real: s << QStringLiteral("%1=%2").arg(k.key).arg(double(*k.real), 0, 'g', 17); break;
        }
    }
    s << QStringLiteral("labels %1 %2 %3 %4 %5 %6").arg(labels.WeekYear).arg(labels.WeekMonth).arg(labels.WeekDay)
             .arg(labels.WeekOfMonthLabel, labels.HospitalCaption, labels.WardCaption);
    for (const QString& h : labels.HolidayLabels)
        s << h;
    return s;
}

void ExpectSameState(const QStringList& before, const QStringList& after, const QString& context)
{
    ASSERT_EQ(before.size(), after.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) {
            ADD_FAILURE() << context.toStdString() << ": " << before[i].toStdString() << " became "
                          << after[i].toStdString();
            return;
        }
}

}  // namespace

TEST(WeekFileNumbers, RealsAreWrittenInGeneralFormWithFifteenDigits)
{
    EXPECT_EQ(FloatToGeneral15(7.3f), "7.30000019073486");
    EXPECT_EQ(FloatToGeneral15(37.5f), "37.5");
    EXPECT_EQ(FloatToGeneral15(7.0f), "7");
    EXPECT_EQ(FloatToGeneral15(0.5f), "0.5");
    EXPECT_EQ(FloatToGeneral15(0.0f), "0");
    EXPECT_EQ(FloatToGeneral15(-2.5f), "-2.5");
    EXPECT_EQ(FloatToGeneral15(0.001f), "0.00100000004749745");
    // Scientific form below 0.0001 and from 16 whole digits, exponent as the older
    // program wrote it.
    EXPECT_EQ(FloatToGeneral15(1e-5f), "9.99999974737875E-6");
    EXPECT_EQ(FloatToGeneral15(1e15f), "999999986991104");
    EXPECT_EQ(FloatToGeneral15(1e16f), "1.00000002725642E16");
}

TEST(WeekFileNumbers, ReadersTakeWhatTheWriterWritesAndRefuseTheRest)
{
    for (float v : {7.3f, 37.5f, 0.1f, 1e-5f, 1e16f, -2.5f, 3.4028235e38f, 1e-38f, 1e-45f})
        EXPECT_EQ(WeekFileReal(FloatToGeneral15(v)), v) << v;
    EXPECT_EQ(WeekFileReal(" 37,5 "), 37.5f);
    EXPECT_EQ(WeekFileReal(".5"), 0.5f);
    EXPECT_EQ(WeekFileReal("-7."), -7.0f);
    EXPECT_EQ(WeekFileReal("1e-400"), 0.0f);
    for (const char* bad : {"", " ", "7..5", "7.5x", "abc", "1e40", "1e400", "1E", "+", "."})
        EXPECT_FALSE(WeekFileReal(QString::fromLatin1(bad))) << bad;

    EXPECT_EQ(WeekFileWhole(" 12 "), 12);
    EXPECT_EQ(WeekFileWhole("-3"), -3);
    EXPECT_EQ(WeekFileWhole("$FFFFFF"), 16777215);
    for (const char* bad : {"", "1.5", "12a", "99999999999", "$", "-"})
        EXPECT_FALSE(WeekFileWhole(QString::fromLatin1(bad))) << bad;

    EXPECT_EQ(WeekFileColour("12320699"), RequestColour);
    EXPECT_EQ(WeekFileColour("-16777211"), White);  // the window colour of an unpainted cell
    EXPECT_FALSE(WeekFileColour("white"));
}

TEST(WeekFile, FileNameComesFromTheLongDateAndTheWard)
{
    Ward t;
    t.w.PickerDate = kChristmasWeek;
    EXPECT_EQ(WeekFileBaseName(t.model), "Monday, 22 December 2008 (Ward 9).rwk");
    EXPECT_EQ(WeekFileName(t.model), t.w.DataFolder + "Monday, 22 December 2008 (Ward 9).rwk");
    t.model.Settings.WARD = QStringLiteral("A/B: \"C\\D\" <E>|*?\t");
    EXPECT_EQ(WeekFileBaseName(t.model), "Monday, 22 December 2008 (A-B- -C-D- -E-----).rwk");
}

TEST(WeekFile, SavedWeekMatchesTheLayoutByteForByte)
{
    Ward t;
    FillChristmasWeek(t);
    ASSERT_TRUE(t.w.RosterChanged);
    t.ui.fileChoices = {t.path("christmas")};  // the extension is added
    ASSERT_TRUE(SaveClick(t.model, t.ui));
    EXPECT_EQ(ReadAll(t.path("christmas.rwk")), FileBytes(ChristmasWeekLines()));
    EXPECT_FALSE(t.w.RosterChanged);
    EXPECT_TRUE(t.ui.shown.empty());
}

TEST(WeekFile, LoadThenSaveGivesTheSameBytes)
{
    Ward author;
    FillChristmasWeek(author);
    const QByteArray golden = FileBytes(ChristmasWeekLines());
    WriteAll(author.path("in.rwk"), golden);

    // A ward with other duty names and hours, other preferred days and other people.
    Ward t;
    t.model.Settings.NameAMShift = QStringLiteral("E");
    t.model.Settings.HoursWorkedOnAM = 8;
    t.w.setText(BoxRef::name(1), QStringLiteral("Someone Else"));
    t.w.BaseCellColours[1][1] = White;
    t.w.BaseCellColours[2][1] = RequestColour;
    ASSERT_TRUE(AutoLoadRWKfile(t.model, t.labels, t.ui, author.path("in.rwk")));
    EXPECT_TRUE(t.ui.shown.empty());
    EXPECT_EQ(t.w.PickerDate, kChristmasWeek);
    EXPECT_EQ(t.w.data().HoursSet[2], "37.5");  // the carried-over part is not stored
    EXPECT_EQ(t.w.data().CellColours[1][1], RequestColour);  // the stored colours stay
    EXPECT_EQ(t.w.data().CellColours[2][1], White);
    EXPECT_FALSE(t.w.RosterChanged);
    EXPECT_FALSE(t.w.RecalcSuspended);

    t.ui.fileChoices = {author.path("out.rwk")};
    ASSERT_TRUE(SaveClick(t.model, t.ui));
    EXPECT_EQ(ReadAll(author.path("out.rwk")), golden);
}

TEST(WeekFile, StoredDutyNamesAndHoursComeIntoForce)
{
    Ward t;
    QStringList lines = ChristmasWeekLines();
    lines[3] = "E";      // NameAMShift
    lines[17] = "8.25";  // HoursWorkedOnAM
    lines[24 + 3] = "E";
    lines[24 + 4] = "E";  // Ann's Monday and Tuesday
    WriteAll(t.path("w.rwk"), FileBytes(lines));
    ASSERT_TRUE(AutoLoadRWKfile(t.model, t.labels, t.ui, t.path("w.rwk")));
    EXPECT_EQ(t.model.Settings.NameAMShift, "E");
    EXPECT_EQ(t.model.Settings.HoursWorkedOnAM, 8.25f);
    EXPECT_EQ(t.w.data().HoursWorked[1], "39");  // 2 x 8.25 + 7.5 + 2 x 7.5 holiday
    EXPECT_EQ(t.w.status().ShiftCounts[1][1], 1);
    EXPECT_EQ(t.model.Settings.HOSPITAL, "St Elsewhere");
    EXPECT_EQ(t.labels.WardCaption, "Ward 9");

    // The AM brush writes the name now in force on a line without a standard shift.
    DutyClick(t.model, BoxRef::cell(6, 3), Brush::AM, 0);
    EXPECT_EQ(t.w.data().Cells[6][3], "E");
}

TEST(WeekFile, NamelessBlocksEmptyTheHoursSetAndEmptyCountOrColourLinesKeepTheCurrentValues)
{
    Ward t;
    QStringList lines = ChristmasWeekLines();
    lines[WeekFileBlockStart(4) - 1 + 1] = "37.5";  // a number for a line without a name
    for (int day = 1; day <= kDays; ++day) {
        lines[WeekFileCountLine(day, 2) - 1] = "";
        lines[WeekFileColourLine(day, 2) - 1] = "";
    }
    WeekFileParse parse = ParseWeekFile(lines);
    ASSERT_TRUE(parse.ok) << parse.reason.toStdString();

    const Colour marker = 0x123456;
    t.w.setText(BoxRef::hoursSet(4), QStringLiteral("20"));
    for (int day = 1; day <= kDays; ++day) {
        t.w.setColour(BoxRef::cell(day, 2), marker);
        t.w.setColour(BoxRef::cell(day, 3), marker);
    }
    for (int day = 1; day <= kDays; ++day) {
        t.w.setShiftCount(day, 1, 99);
        t.w.setShiftCount(day, 2, 99);
    }
    ApplyWeekFile(t.model, t.labels, parse.data);
    EXPECT_EQ(t.w.data().HoursSet[4], "");
    for (int day = 1; day <= kDays; ++day) {
        EXPECT_EQ(t.w.data().CellColours[day][2], marker) << day;
        EXPECT_NE(t.w.data().CellColours[day][3], marker) << day;
        EXPECT_EQ(t.w.status().ShiftCounts[day][2], 99) << day;
        EXPECT_NE(t.w.status().ShiftCounts[day][1], 99) << day;
    }
    EXPECT_FALSE(t.w.RecalcSuspended);
    EXPECT_FALSE(t.w.RosterChanged);
}

TEST(WeekFile, SaveRefusesUntilAWeekIsChosenAndKeepsUnsavedChangesUntilWritten)
{
    Ward t;
    t.put(1, 1, "EARLY");
    t.ui.fileChoices = {t.path("never.rwk")};
    EXPECT_FALSE(SaveClick(t.model, t.ui));
    ASSERT_EQ(t.ui.shown.size(), 1u);
    EXPECT_EQ(t.ui.shown[0].kind, "error");
    EXPECT_EQ(t.ui.shown[0].text, "Please set the tavrola \"Week Commencing Date\"");
    EXPECT_EQ(t.ui.fileChoices.size(), 1u);  // no dialog was shown
    EXPECT_FALSE(QFile::exists(t.path("never.rwk")));

    t.w.PickerDate = kChristmasWeek;
    t.ui.fileChoices.clear();  // the dialog is cancelled
    EXPECT_FALSE(SaveClick(t.model, t.ui));
    EXPECT_TRUE(t.w.RosterChanged);

    t.ui.fileChoices = {t.path("no such folder/week.rwk")};  // the write fails
    EXPECT_FALSE(SaveClick(t.model, t.ui));
    EXPECT_TRUE(t.w.RosterChanged);
    ASSERT_EQ(t.ui.count("error"), 2);
    EXPECT_TRUE(t.ui.shown.back().text.contains("week.rwk"));

    // A second save replaces the whole file.
    t.ui.fileChoices = {t.path("week.rwk")};
    ASSERT_TRUE(SaveClick(t.model, t.ui));
    EXPECT_FALSE(t.w.RosterChanged);
    t.put(1, 1, "");
    t.ui.fileChoices = {t.path("week.rwk")};
    ASSERT_TRUE(SaveClick(t.model, t.ui));
    const QList<QByteArray> saved = ReadAll(t.path("week.rwk")).split('\n');
    ASSERT_EQ(saved.size(), kWeekFileLines + 1);
    EXPECT_EQ(saved[WeekFileBlockStart(1) + 4 - 1], "\r");  // Monday of line 1, emptied

    // A malformed contracted-hours number stops the save before any file is chosen.
    t.w.setText(BoxRef::hoursSet(2), QStringLiteral("37..5"));
    t.ui.fileChoices = {t.path("bad.rwk")};
    EXPECT_FALSE(SaveClick(t.model, t.ui));
    EXPECT_FALSE(QFile::exists(t.path("bad.rwk")));
    EXPECT_TRUE(t.ui.shown.back().text.contains("37..5"));
}

TEST(WeekFile, LoadAsksAboutUnsavedChangesAndACancelledDialogLoadsNothing)
{
    Ward author;
    FillChristmasWeek(author);
    WriteAll(author.path("in.rwk"), FileBytes(ChristmasWeekLines()));

    Ward t;
    t.w.PickerDate = QDate(2009, 1, 5);
    t.put(1, 1, "LATE");
    t.ui.answers = {Answer::Yes};
    t.ui.fileChoices = {t.path("mine.rwk"), author.path("in.rwk")};
    ASSERT_TRUE(LoadClick(t.model, t.labels, t.ui));
    ASSERT_EQ(t.ui.count("savediscardcancel"), 1);
    EXPECT_EQ(t.ui.shown[0].text, "Save changes to the week of Monday, 5 January 2009?");
    EXPECT_TRUE(ReadAll(t.path("mine.rwk")).startsWith("05/01/2009\r\n"));
    EXPECT_EQ(t.w.data().Names[1], "Ann Lee");
    EXPECT_TRUE(t.w.RosterFileLoaded);

    t.ui.shown.clear();
    EXPECT_FALSE(LoadClick(t.model, t.labels, t.ui));  // nothing changed, nothing chosen
    EXPECT_TRUE(t.ui.shown.empty());
    EXPECT_EQ(t.w.data().Names[1], "Ann Lee");
    EXPECT_FALSE(t.w.RecalcSuspended);
}

// Every line of a good file spoiled in turn: the file loads, or it is refused with a
// message naming the file and that line and leaves everything as it was.
TEST(WeekFile, ASpoiledLineLoadsOrLeavesEverythingAsItWas)
{
    test::BritishDates dates;
    QTemporaryDir dir;
    const QString path = dir.filePath("spoiled.rwk");
    const QStringList good = ChristmasWeekLines();
    const QString garbage[] = {QStringLiteral("7..5 #x"), QStringLiteral("bin") + QChar(0) + QChar(1)};
    for (const QString& junk : garbage) {
        for (int n = 1; n <= kWeekFileLines; ++n) {
            QStringList lines = good;
            lines[n - 1] = junk;
            WriteAll(path, FileBytes(lines));
            Ward t;
            t.put(2, 2, "LATE");
            const QStringList before = ModelState(t.model, t.labels);
            if (AutoLoadRWKfile(t.model, t.labels, t.ui, path)) {
                EXPECT_TRUE(t.ui.shown.empty()) << n;
                EXPECT_FALSE(t.w.RecalcSuspended) << n;
                continue;
            }
            ASSERT_EQ(t.ui.shown.size(), 1u) << n;
            const QString message = t.ui.shown[0].text;
            EXPECT_TRUE(message.contains(path) && message.contains(QStringLiteral("line %1:").arg(n)))
                << n << " " << message.toStdString();
            ExpectSameState(before, ModelState(t.model, t.labels), QStringLiteral("line %1").arg(n));
            // Recalculation still works.
            t.put(3, 1, "EARLY");
            EXPECT_EQ(t.w.status().ShiftCounts[3][1], 1) << n;
        }
    }
}

TEST(WeekFile, ATruncatedFileIsRefusedWhereItEnds)
{
    test::BritishDates dates;
    QTemporaryDir dir;
    const QString path = dir.filePath("short.rwk");
    const QStringList good = ChristmasWeekLines();
    for (int kept = 0; kept < kWeekFileLines; ++kept) {
        for (bool cutInsideNextLine : {false, true}) {
            QByteArray bytes = FileBytes(good.mid(0, kept));
            if (cutInsideNextLine) {
                // Half of the last line may still be a valid value: that cut cannot show.
                const QByteArray next = good[kept].toUtf8();
                if (next.size() < 2 || kept + 1 == kWeekFileLines)
                    continue;
                bytes += next.left(next.size() / 2);
            }
            WriteAll(path, bytes);
            Ward t;
            const QStringList before = ModelState(t.model, t.labels);
            EXPECT_FALSE(AutoLoadRWKfile(t.model, t.labels, t.ui, path)) << kept;
            ASSERT_EQ(t.ui.shown.size(), 1u) << kept;
            const QString message = t.ui.shown[0].text;
            // A half line may itself be faulty; otherwise the file ends at the next line.
            const bool named = message.contains(QStringLiteral("line %1:").arg(kept + 1)) ||
                               (cutInsideNextLine && message.contains(QStringLiteral("line %1:").arg(kept + 2)));
            EXPECT_TRUE(message.contains(path) && named) << kept << " " << message.toStdString();
            ExpectSameState(before, ModelState(t.model, t.labels), QStringLiteral("kept %1").arg(kept));
        }
    }
}

TEST(WeekFile, BinaryHugeMissingAndOverlongFilesAreRefusedUntouched)
{
    Ward t;
    const QStringList before = ModelState(t.model, t.labels);
    QByteArray binary;
    for (int i = 0; i < 20000; ++i)
        binary += char((i * 7919) % 256);
    WriteAll(t.path("binary.rwk"), binary);
    WriteAll(t.path("huge.rwk"), QByteArray(5 * 1024 * 1024, '7'));
    QStringList extra = ChristmasWeekLines();
    extra << "" << "something more";
    WriteAll(t.path("long.rwk"), FileBytes(extra));
    QStringList wide = ChristmasWeekLines();
    wide[1] = QString(40000, u'x');
    WriteAll(t.path("wide.rwk"), FileBytes(wide));
    QStringList nul = ChristmasWeekLines();
    nul[23] = QStringLiteral("Ann") + QChar(0) + QStringLiteral("Lee");
    WriteAll(t.path("nul.rwk"), FileBytes(nul));

    for (const char* name : {"binary.rwk", "huge.rwk", "missing.rwk", "long.rwk", "wide.rwk", "nul.rwk"}) {
        t.ui.shown.clear();
        EXPECT_FALSE(AutoLoadRWKfile(t.model, t.labels, t.ui, t.path(name))) << name;
        ASSERT_EQ(t.ui.count("error"), 1) << name;
        EXPECT_TRUE(t.ui.shown[0].text.contains(t.path(name))) << t.ui.shown[0].text.toStdString();
        ExpectSameState(before, ModelState(t.model, t.labels), QString::fromLatin1(name));
        if (QLatin1String(name) == QLatin1String("long.rwk")) {
            EXPECT_TRUE(t.ui.shown[0].text.contains("line 542:"));  // past the empty line 541
        }
        if (QLatin1String(name) == QLatin1String("nul.rwk")) {
            EXPECT_TRUE(t.ui.shown[0].text.contains("line 24:"));  // a name is text, never binary
        }
    }

    // Trailing empty lines are harmless.
    QStringList trailing = ChristmasWeekLines();
    trailing << "" << "";
    WriteAll(t.path("trailing.rwk"), FileBytes(trailing));
    EXPECT_TRUE(AutoLoadRWKfile(t.model, t.labels, t.ui, t.path("trailing.rwk")));
}

TEST(WeekFile, OlderWindowsFilesLoad)
{
    Ward t;
    QStringList lines = ChristmasWeekLines();
    lines[2] = QString::fromUtf8("Station Müller");
    lines[17] = "7,5";                 // a decimal comma
    lines[365] = "-16777211";           // an unpainted cell (Monday, line 1)
    QByteArray bytes = FileBytes(lines);
    bytes.replace(QString::fromUtf8("Müller").toUtf8(), QByteArray("M\xfcller"));  // Windows-1252
    WriteAll(t.path("old.rwk"), bytes);
    ASSERT_TRUE(AutoLoadRWKfile(t.model, t.labels, t.ui, t.path("old.rwk")));
    EXPECT_EQ(t.model.Settings.WARD, QString::fromUtf8("Station Müller"));
    EXPECT_EQ(t.model.Settings.HoursWorkedOnAM, 7.5f);
    EXPECT_EQ(t.w.data().CellColours[1][1], White);
}
