#include "settings/StaffEditorForm.h"

#include "TestFiles.h"
#include "TestWard.h"
#include "util/TraceLog.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;
using test::ReadBytes;
using test::WriteBytes;

namespace {

using Names = std::array<QString, kDutyNameCount>;

// Fourteen codes of which none holds another.
Names DistinctNames()
{
    return {"AM", "PM", "NT", "HD", "BH", "SK", "MA", "PA", "CA", "DO", "EM", "AB", "ST", "AD"};
}

class StaffEditorDir : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString path() const { return tmp.path() + QStringLiteral("/Staff.txt"); }
};

}  // namespace

TEST(StaffEditorForm, NamesCheckExtendsContainedCodes)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, const char*>> set;       // box, text
        std::vector<std::pair<int, const char*>> expected;  // box, text afterwards
        std::vector<int> clashing;
    };
    const Case cases[] = {
        {"L inside LATE: the shorter gets the mark", {{1, "L"}, {13, "LATE"}}, {{1, "L_"}, {13, "LATE"}}, {1, 13}},
        {"LATE holding L from a later box: still the shorter", {{1, "LATE"}, {13, "L"}}, {{1, "LATE"}, {13, "L_"}}, {1, 13}},
        {"the same code twice: both extended", {{0, "E"}, {3, "E"}}, {{0, "E_"}, {3, "E_"}}, {0, 3}},
        {"empty boxes never clash", {{2, ""}, {5, ""}}, {{2, ""}, {5, ""}}, {}},
        {"case counts", {{1, "l"}, {13, "LATE"}}, {{1, "l"}, {13, "LATE"}}, {}},
        {"distinct codes stay", {}, {}, {}},
    };
    for (const Case& c : cases) {
        Names names = DistinctNames();
        for (const auto& [box, text] : c.set)
            names[box] = QString::fromLatin1(text);
        const NamesCheckResult r = NamesCheck(names);
        Names expected = names;
        for (const auto& [box, text] : c.expected)
            expected[box] = QString::fromLatin1(text);
        for (int k = 0; k < kDutyNameCount; ++k) {
            EXPECT_EQ(r.names[k], expected[k]) << c.what << ", box " << k;
            const bool marked = std::find(c.clashing.begin(), c.clashing.end(), k) != c.clashing.end();
            EXPECT_EQ(r.clashing[k], marked) << c.what << ", box " << k;
        }
    }
}

TEST(StaffEditorForm, NamesCheckTracesEachClash)
{
    QTemporaryDir tmp;
    const QString log = OpenTraceLog(tmp.path());
    ASSERT_FALSE(log.isEmpty());
    Names names = DistinctNames();
    names[1] = QStringLiteral("L");
    names[13] = QStringLiteral("LATE");
    NamesCheck(names);
    CloseTraceLog();
    EXPECT_EQ(ReadBytes(log), QByteArray("\n\r\n\rNames Check\r\n>L< >LATE<\r\n"));
}

TEST(StaffEditorForm, FiltersAndDateCheck)
{
    const std::pair<const char*, const char*> numbers[] = {
        {"7,5", "75"}, {"-2", "2"}, {"37.5", "37.5"}, {"1a 2", "12"}, {"", ""}};
    for (const auto& [typed, kept] : numbers)
        EXPECT_EQ(NumericFilter(QString::fromLatin1(typed)), QString::fromLatin1(kept)) << typed;
    EXPECT_EQ(DropSeparators(u"Smith, Ann; =B5"), QStringLiteral("Smith Ann B5"));
    for (const char* key : {"MondayAMStaffRequired", "SundayNStaffRequired", "HoursWorkedOnN", "MidShiftBreak"})
        EXPECT_TRUE(TakesNumericFilter(QString::fromLatin1(key))) << key;
    for (const char* key : {"HOSPITAL", "AnalysisStartDate", "RequiredNursesPerDoctor", "SkillRequired1"})
        EXPECT_FALSE(TakesNumericFilter(QString::fromLatin1(key))) << key;

    test::BritishDates british;
    EXPECT_TRUE(AnalysisDateValid(QStringLiteral("05/10/2026")));
    for (const char* text : {"", "31/02/2026", "soon"})
        EXPECT_FALSE(AnalysisDateValid(QString::fromLatin1(text))) << text;
}

// Opening the window on the demo ward and pressing OK changes not one byte.
TEST_F(StaffEditorDir, DemoWardComesBackByteForByte)
{
    const QByteArray demo = ReadBytes(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"));
    ASSERT_TRUE(WriteBytes(path(), demo));
    const StaffEditorLoad load = LoadStaffEditor(path(), WardSettings(), {});
    EXPECT_TRUE(load.error.isEmpty());
    EXPECT_TRUE(load.warning.isEmpty());
    WardSettings live;
    ASSERT_TRUE(UpdateStaffFile(path(), load.data, live, nullptr));
    EXPECT_EQ(ReadBytes(path()), demo);
}

// The editor edits the file as the main reader takes it: lines holding "*" are staff
// too, apostrophes stay, an emptied row closes up on reopening, and nothing of an
// earlier, longer staff list lingers in the rows past the file's staff.
TEST_F(StaffEditorDir, RowsAreTheFilesStaffLines)
{
    StaffEditorData data = LoadStaffEditor(path(), test::TestWardSettings(), {}).data;
    const char* names[] = {"Ann O'Neill", "", "Cara Doyle", "Dev Patel", "Eve Stone"};
    for (int n = 1; n <= 5; ++n)
        data.rows[n] = {QString::fromUtf8(names[n - 1]), "IV", "B5", "37.5", "EARLY", {}};
    data.rows[3].preferred[6] = true;
    WardSettings live;
    ASSERT_TRUE(UpdateStaffFile(path(), data, live, nullptr));

    StaffEditorLoad load = LoadStaffEditor(path(), WardSettings(), {});
    EXPECT_EQ(load.data.rows[1].name, QStringLiteral("Ann O'Neill"));
    EXPECT_EQ(load.data.rows[2].name, QStringLiteral("Cara Doyle"));
    EXPECT_TRUE(load.data.rows[2].preferred[6]);
    EXPECT_EQ(load.data.rows[4].name, QStringLiteral("Eve Stone"));

    // A hand-edited line with "*" is taken (the "*" itself is not a kept character).
    QByteArray bytes = ReadBytes(path());
    bytes.replace("Dev Patel", "*Dev Patel*");
    ASSERT_TRUE(WriteBytes(path(), bytes));
    load = LoadStaffEditor(path(), WardSettings(), {});
    EXPECT_EQ(load.data.rows[3].name, QStringLiteral("Dev Patel"));

    // Two people fewer: rows 3 and 4 come back wholly empty.
    for (int n = 3; n <= 4; ++n)
        load.data.rows[n] = StaffEditorRow();
    ASSERT_TRUE(UpdateStaffFile(path(), load.data, live, nullptr));
    load = LoadStaffEditor(path(), WardSettings(), {});
    for (int n = 3; n <= kLines; ++n)
        EXPECT_EQ(load.data.rows[n], StaffEditorRow()) << "row " << n;
}

TEST_F(StaffEditorDir, LoadedNumbersPassTheFilter)
{
    ASSERT_TRUE(WriteBytes(path(), "MondayAMStaffRequired = -2;\r\nHoursWorkedOnAM = -7.5;\r\n"
                                   "Ann,IV,B5,-30,EARLY\r\nRequiredNursesPerDoctor = -1;\r\n"));
    const StaffEditorData d = LoadStaffEditor(path(), WardSettings(), {}).data;
    EXPECT_EQ(d.values.value("MondayAMStaffRequired"), QStringLiteral("2"));
    EXPECT_EQ(d.values.value("HoursWorkedOnAM"), QStringLiteral("7.5"));
    EXPECT_EQ(d.rows[1].hours, QStringLiteral("30"));
    EXPECT_EQ(d.values.value("RequiredNursesPerDoctor"), QStringLiteral("-1"));  // free text
}

TEST_F(StaffEditorDir, MissingFileShowsTheSettingsInForce)
{
    StaffGridLine ann;
    ann.line = 1;
    ann.name = QStringLiteral("Ann");
    ann.preferred[2] = true;
    const StaffEditorLoad load = LoadStaffEditor(path(), test::TestWardSettings(), {ann});
    EXPECT_TRUE(load.error.contains(path())) << load.error.toStdString();
    EXPECT_EQ(load.data.values.value("NamePMShift"), QStringLiteral("LATE"));
    EXPECT_EQ(load.data.rows[1].name, QStringLiteral("Ann"));
    EXPECT_TRUE(load.data.rows[1].preferred[2]);
}

TEST_F(StaffEditorDir, MoreStaffLinesThanRowsAreReported)
{
    QByteArray bytes;
    for (int n = 1; n <= 27; ++n)
        bytes += "Person " + QByteArray::number(n) + ",IV,B5,30,EARLY\r\n";
    ASSERT_TRUE(WriteBytes(path(), bytes));
    const StaffEditorLoad load = LoadStaffEditor(path(), WardSettings(), {});
    EXPECT_EQ(load.data.rows[25].name, QStringLiteral("Person 27"));
    EXPECT_TRUE(load.warning.contains(QStringLiteral("27 staff lines"))) << load.warning.toStdString();
    EXPECT_TRUE(load.warning.contains(QStringLiteral("the other 2"))) << load.warning.toStdString();
}
