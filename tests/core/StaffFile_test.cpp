#include "settings/StaffFile.h"

#include "TestFiles.h"
#include "util/TextFile.h"
#include "util/TraceLog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace tavrola;
using test::ReadBytes;
using test::WriteBytes;

namespace {



StaffEditorRow Row(const QString& name, const QString& skills, const QString& grade,
                   const QString& hours, const QString& shift, std::initializer_list<int> days = {})
{
    StaffEditorRow r;
    r.name = name;
    r.skills = skills;
    r.grade = grade;
    r.hours = hours;
    r.standardShift = shift;
    for (int d : days)
        r.preferred[d] = true;
    return r;
}

QString Mask(std::initializer_list<int> hours, int width = 24)
{
    QString m(width, u'0');
    for (int h : hours)
        m[h] = u'1';
    return m;
}

// A ward with every setting given a distinct value.
WardSettings SampleSettings()
{
    WardSettings s;
    s.HOSPITAL = QStringLiteral("St Elsewhere General");
    s.WARD = QStringLiteral("Ward 7 Zoë");
    s.AnalysisStartDate = QStringLiteral("01/03/2024");
    for (int d = 1; d <= kDays; ++d)
        for (int sh = 1; sh <= kShifts; ++sh)
            s.StaffRequired[d][sh] = d * 10 + sh;
    const char* codes[] = {"E", "L", "N", "HOL", "BH", "SICK", "MAT",
                           "PAT", "CAR", "DOM", "EME", "AWOL", "STUDY", "ADMIN"};
    for (int k = 1; k <= 14; ++k)
        s.DutyName(k) = QString::fromLatin1(codes[k - 1]);
    s.HoursWorkedOnAM = 7.5f;
    s.HoursWorkedOnPM = 7.3f;
    s.HoursWorkedOnN = 10;
    s.HoursHolidayFullDay = 7.5f;
    s.HoursHolidayHalfDay = 3.75f;
    s.MidShiftBreak = 0.5f;
    s.AMShiftHours = Mask({7, 8, 9, 10, 11, 12, 13, 14});
    s.PMShiftHours = Mask({14, 15, 16, 17, 18, 19, 20});
    s.NShiftHours = Mask({0, 1, 2, 3, 4, 5, 6, 20, 21, 22, 23});
    s.RequiredNursesPerDoctor = 4;
    s.PreferableNursesPerDoctor = -2;
    for (int k = 1; k <= kSkills; ++k) {
        s.SkillName[k] = QStringLiteral("Skill name %1").arg(k);
        s.SkillCode[k] = QStringLiteral("S%1").arg(k);
        s.SkillRequired[k] = k;
        s.SkillPreferable[k] = 10 + k;
    }
    s.SkillCheckBoxes = QStringLiteral("101001");
    s.ShortestShiftHours = 5.5f;
    return s;
}

std::vector<StaffEditorRow> SampleStaff()
{
    return {Row("Ann Smith", "IV S2", "Band 5", "37.5", "E", {1, 3, 5}),
            Row("José Łukasz", "", "Band 6", "22.5", "N", {6, 7}),
            Row("Bob Jones", "S1", "HCA", "30", "L")};
}

QStringList SplitCrLf(const QString& text)
{
    return text.split(QStringLiteral("\r\n"));
}

class StaffFileDir : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    QString path(const QString& name = QStringLiteral("Staff.txt")) const
    {
        return QDir(tmp.path()).filePath(name);
    }
    StaffFileReadResult readBytes(const QByteArray& bytes, const WardSettings& previous = {})
    {
        EXPECT_TRUE(WriteBytes(path(), bytes));
        return ReadStaffFile(path(), previous);
    }
    QTemporaryDir tmp;
};

}  // namespace

// ---- Writing ---------------------------------------------------------------------------

TEST(StaffFile, DayPrefsPadsEachPreferredDayToTwelve)
{
    bool none[kDays + 1] = {};
    EXPECT_EQ(DayPrefsStr(none), QString());

    bool some[kDays + 1] = {};
    some[1] = some[3] = some[7] = true;
    EXPECT_EQ(DayPrefsStr(some), QStringLiteral(" ,Monday     ,Wednesday  ,Sunday    "));

    bool all[kDays + 1] = {false, true, true, true, true, true, true, true};
    EXPECT_EQ(DayPrefsStr(all).size(), 7 * 12);
    EXPECT_TRUE(DayPrefsStr(all).startsWith(QStringLiteral(" ,Monday     ,Tuesday    ,")));
}

TEST(StaffFile, WriterLaysOutEveryLineInItsColumns)
{
    const StaffEditorData data = EditorDataFromSettings(SampleSettings(), SampleStaff());
    const QString text = StaffFileText(data);
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))));

    QStringList lines = SplitCrLf(text);
    lines.removeLast();  // after the final CR LF
    ASSERT_EQ(lines.size(), 119);

    const std::set<int> blanks = {2, 4, 5, 31, 32, 40, 48, 56, 63, 70, 79, 83, 86, 93, 100, 107, 114, 116, 118};
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].isEmpty(), blanks.count(i) == 1) << "line " << i + 1;

    // Form A: "=" in column 25, value in 27..76, ";" in 77.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("HOSPITAL                = St Elsewhere General ")));
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(lines[i].indexOf(u'='), 24) << i;
        EXPECT_EQ(lines[i].indexOf(u';'), 76) << i;
    }
    EXPECT_EQ(lines[0].mid(77), QStringLiteral("HOSPITAL OR OTHER TITLE"));
    EXPECT_EQ(lines[3].mid(77),
              QStringLiteral("NON PREFERENCE WORKING ANALYSIS START DATE, THIS CONTROLS HOW FAR BACK YOU "
                             "ARE LOOKING FOR WEEKEND/BANK HOL WORKING & ALSO CARRY OVER OF HOURS FROM "
                             "THE WEEKS BEFORE, TYPICALLY THIS MIGHT BE OVER ONE/TWO MONTHS"));

    // Form B: "=" in column 26, value in 28..67, ";" in 68.
    for (int i = 33; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        EXPECT_EQ(lines[i].indexOf(u'='), 25) << lines[i].toStdString();
        EXPECT_EQ(lines[i].indexOf(u';'), 67) << lines[i].toStdString();
    }
    EXPECT_EQ(lines[33], QStringLiteral("MondayAMStaffRequired    = 11") + QString(38, u' ') + u';');
    EXPECT_TRUE(lines[39].startsWith(QStringLiteral("SundayAMStaffRequired    = 71 ")));
    EXPECT_TRUE(lines[55].startsWith(QStringLiteral("SundayNStaffRequired     = 73 ")));
    EXPECT_EQ(lines[57], QStringLiteral("NameAMShift              = E") + QString(39, u' ') +
                             QStringLiteral(";NAME/CODE USED FOR AM    SHIFT - E, EARLY, AM"));
    EXPECT_TRUE(lines[58].endsWith(QStringLiteral(";NAME/CODE USED FOR PM    SHIFT - L, LATE,  PM")));
    EXPECT_TRUE(lines[61].endsWith(
        QStringLiteral(";NAME/CODE USED FOR HOLIDAY     - HOL, A/L, 1/2DAY")));
    EXPECT_TRUE(lines[65].startsWith(QStringLiteral("HoursWorkedOnPM          = 7.3 ")));
    EXPECT_TRUE(lines[65].endsWith(QStringLiteral(";Number of Hours Worked for an PM Shift")));
    EXPECT_TRUE(lines[69].endsWith(QStringLiteral(";Number of Hours for Mid-Shift Break - i.e. lunch")));
    EXPECT_TRUE(lines[76].startsWith(QStringLiteral("NameLeaveAbsent          = AWOL ")));
    EXPECT_EQ(lines[80], QStringLiteral("AMShiftHours             = 000000011111111000000000") +
                             QString(16, u' ') +
                             QStringLiteral(";AM SHIFT CORE HOURS TO ENABLE IDENTIFICATION"));
    EXPECT_TRUE(lines[82].endsWith(QStringLiteral(";NIGHT SHIFT CORE HOURS")));
    EXPECT_TRUE(lines[85].startsWith(QStringLiteral("PreferableNursesPerDoctor= -2 ")));
    EXPECT_TRUE(lines[85].endsWith(QStringLiteral("; ")));
    EXPECT_TRUE(lines[92].startsWith(QStringLiteral("SkillName6               = Skill name 6 ")));
    EXPECT_TRUE(lines[113].startsWith(QStringLiteral("SkillPreferable6         = 16 ")));
    EXPECT_EQ(lines[115], QStringLiteral("SkillCheckBoxes          = 101001") + QString(34, u' ') +
                              QStringLiteral("; "));
    EXPECT_EQ(lines[117], QStringLiteral("ShortestShiftHours       = 5.5") + QString(37, u' ') +
                              QStringLiteral(";Shortest shift in hours the automatic fill cuts a shift to"));

    // Staff lines: commas in columns 31, 62, 73, 79; standard shift in 80..94.
    const QString ann = lines[6];
    EXPECT_EQ(ann.indexOf(u','), 30);
    EXPECT_EQ(ann.indexOf(u',', 31), 61);
    EXPECT_EQ(ann.indexOf(u',', 62), 72);
    EXPECT_EQ(ann.indexOf(u',', 73), 78);
    EXPECT_EQ(ann.mid(79, 15), QStringLiteral("E              "));
    EXPECT_EQ(ann.mid(94), QStringLiteral(" ,Monday     ,Wednesday  ,Friday    "));
    EXPECT_EQ(lines[8].size(), 94);  // Bob: no preferred day

    // Rows without anyone are spaces and four commas.
    const QString empty = QString(30, u' ') + u',' + QString(30, u' ') + u',' + QString(10, u' ') +
                          u',' + QString(5, u' ') + u',' + QString(15, u' ');
    for (int i = 9; i <= 30; ++i)
        EXPECT_EQ(lines[i], empty) << "line " << i + 1;
}

TEST(StaffFile, EditorDataTakesValuesByKeyAndChecksFromMasks)
{
    WardSettings s = SampleSettings();
    s.SkillCheckBoxes = QStringLiteral("01");       // shorter than six: the rest unchecked
    s.NShiftHours = QStringLiteral("1");             // shorter than 24
    const StaffEditorData d = EditorDataFromSettings(s, SampleStaff());

    EXPECT_EQ(d.values.size(), 71);  // every key but the three core-hour strings and SkillCheckBoxes
    EXPECT_FALSE(d.values.contains(QStringLiteral("AMShiftHours")));
    EXPECT_FALSE(d.values.contains(QStringLiteral("SkillCheckBoxes")));
    EXPECT_EQ(d.values.value(QStringLiteral("WARD")), QStringLiteral("Ward 7 Zoë"));
    EXPECT_EQ(d.values.value(QStringLiteral("ThursdayPMStaffRequired")), QStringLiteral("42"));
    EXPECT_EQ(d.values.value(QStringLiteral("HoursWorkedOnAM")), QStringLiteral("7.5"));
    EXPECT_EQ(d.values.value(QStringLiteral("HoursWorkedOnPM")), QStringLiteral("7.3"));
    EXPECT_EQ(d.values.value(QStringLiteral("HoursWorkedOnN")), QStringLiteral("10"));
    EXPECT_EQ(d.values.value(QStringLiteral("PreferableNursesPerDoctor")), QStringLiteral("-2"));
    EXPECT_EQ(d.values.value(QStringLiteral("NameTrainingAdminDay")), QStringLiteral("ADMIN"));

    EXPECT_FALSE(d.hourChecks[0][6]);
    EXPECT_TRUE(d.hourChecks[0][7]);
    EXPECT_TRUE(d.hourChecks[0][14]);
    EXPECT_FALSE(d.hourChecks[0][15]);
    EXPECT_TRUE(d.hourChecks[1][20]);
    EXPECT_TRUE(d.hourChecks[2][0]);
    EXPECT_FALSE(d.hourChecks[2][1]);
    EXPECT_FALSE(d.hourChecks[2][23]);
    EXPECT_FALSE(d.skillChecks[0]);
    EXPECT_TRUE(d.skillChecks[1]);
    EXPECT_FALSE(d.skillChecks[2]);

    EXPECT_EQ(d.rows[2].name, QStringLiteral("José Łukasz"));
    EXPECT_TRUE(d.rows[2].preferred[7]);
    EXPECT_EQ(d.rows[3].standardShift, QStringLiteral("L"));
    EXPECT_TRUE(d.rows[4].name.isEmpty());
    EXPECT_TRUE(d.rows[25].hours.isEmpty());
}

TEST_F(StaffFileDir, WrittenFileReadsBackTheSameValues)
{
    const WardSettings original = SampleSettings();
    const StaffEditorData data = EditorDataFromSettings(original, SampleStaff());

    ASSERT_FALSE(QFile::exists(path()));
    WardSettings live;  // what the program holds; its masks come from the check boxes
    live.AMShiftHours = QStringLiteral("stale");
    QString error;
    ASSERT_TRUE(UpdateStaffFile(path(), data, live, &error)) << error.toStdString();
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Staff_.txt"))));
    EXPECT_EQ(live.AMShiftHours, original.AMShiftHours);
    EXPECT_EQ(live.NShiftHours, original.NShiftHours);
    EXPECT_EQ(live.SkillCheckBoxes, original.SkillCheckBoxes);
    EXPECT_EQ(ReadBytes(path()), StaffFileText(data).toUtf8());

    const StaffFileReadResult r = ReadStaffFile(path(), WardSettings{});
    ASSERT_TRUE(r.ok) << r.error.toStdString();

    WardSettings a = original, b = r.settings;
    const std::vector<SettingKey> ka = SettingsKeyTable(a), kb = SettingsKeyTable(b);
    for (std::size_t i = 0; i < ka.size(); ++i) {
        switch (ka[i].kind) {
        case SettingKind::Text: EXPECT_EQ(*ka[i].text, *kb[i].text) << ka[i].key; break;
        case SettingKind::Whole: EXPECT_EQ(*ka[i].whole, *kb[i].whole) << ka[i].key; break;
        case SettingKind::Real: EXPECT_EQ(*ka[i].real, *kb[i].real) << ka[i].key; break;
        }
    }
    EXPECT_TRUE(r.settings.AnalysisStartDateValid);
    EXPECT_EQ(r.settings.AnalysisStartDateValue, QDate(2024, 3, 1));
    EXPECT_EQ(r.settings.AMShiftTimes, QStringLiteral("7 to 3pm"));
    EXPECT_EQ(r.settings.NShiftTimes, QStringLiteral("8pm to 6"));
    EXPECT_EQ(r.settings.NCoreHourCount, 11);

    ASSERT_EQ(r.lines.size(), 3u);  // the 22 empty rows use no grid line
    const std::vector<StaffEditorRow> staff = SampleStaff();
    for (int i = 0; i < 3; ++i) {
        const StaffGridLine& g = r.lines[i];
        EXPECT_EQ(g.line, i + 1);
        EXPECT_EQ(g.name, staff[i].name);
        EXPECT_EQ(g.skills, staff[i].skills);
        EXPECT_EQ(g.grade, staff[i].grade);
        EXPECT_EQ(g.hoursSet, staff[i].hours);
        EXPECT_EQ(g.standardShift, staff[i].standardShift);
        for (int d = 1; d <= kDays; ++d)
            EXPECT_EQ(g.preferred[d], staff[i].preferred[d]) << i << " day " << d;
    }
}

TEST_F(StaffFileDir, LongValuesComeBackCutAndForeignCharactersDropped)
{
    StaffEditorData data;
    data.values[QStringLiteral("HOSPITAL")] = QStringLiteral("St Mary's & St John's ") + QString(60, u'H');
    data.values[QStringLiteral("WARD")] = QStringLiteral("Zoë (Łukasz) ward");
    data.values[QStringLiteral("NameAMShift")] = QString(45, u'A');
    data.values[QStringLiteral("SkillName1")] = QStringLiteral("Smith, John");
    data.rows[1] = Row(QStringLiteral("O'Brien ") + QString(40, u'n'), QString(35, u's'),
                       QStringLiteral("Band 5 senior"), QStringLiteral("37.50000"),
                       QStringLiteral("Early long shift rota"));
    data.rows[2] = Row(QStringLiteral("Smith, John"), QStringLiteral("IV"), QString(), QString(), QString());
    data.rows[3] = Row(QStringLiteral("Bad\nname"), QString(), QString(), QString(), QString());
    data.values[QStringLiteral("NamePMShift")] = QStringLiteral("L\r\nHOSPITAL = injected");
    WardSettings live;
    ASSERT_TRUE(UpdateStaffFile(path(), data, live, nullptr));

    const StaffFileReadResult r = ReadStaffFile(path(), WardSettings{});
    ASSERT_TRUE(r.ok);
    // 50 characters kept, then the apostrophes and "&" vanish from what is left.
    EXPECT_EQ(r.settings.HOSPITAL, QStringLiteral("St Marys  St Johns ") + QString(28, u'H'));
    EXPECT_EQ(r.settings.WARD, QStringLiteral("Zoë Łukasz ward"));
    EXPECT_EQ(r.settings.NameAMShift, QString(40, u'A'));
    EXPECT_EQ(r.settings.SkillName[1], QStringLiteral("Smith"));
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0].name, QStringLiteral("OBrien ") + QString(22, u'n'));
    EXPECT_EQ(r.lines[0].skills, QString(30, u's'));
    EXPECT_EQ(r.lines[0].grade, QStringLiteral("Band 5 sen"));
    EXPECT_EQ(r.lines[0].hoursSet, QStringLiteral("37.50"));
    EXPECT_EQ(r.lines[0].standardShift, QStringLiteral("Early long shif"));
    EXPECT_EQ(r.lines[1].name, QStringLiteral("Smith"));
    EXPECT_EQ(r.lines[1].skills, QStringLiteral("John"));
    // A line break inside a value cannot start a line of its own.
    EXPECT_EQ(r.lines[2].name, QStringLiteral("Badname"));
    EXPECT_EQ(r.settings.NamePMShift, QStringLiteral("LHOSPITAL"));
}

TEST_F(StaffFileDir, UpdateReplacesAnExistingFileWhole)
{
    ASSERT_TRUE(WriteBytes(path(), QByteArray(20000, 'x')));
    WardSettings live;
    ASSERT_TRUE(UpdateStaffFile(path(), EditorDataFromSettings(SampleSettings(), {}), live, nullptr));
    const QByteArray now = ReadBytes(path());
    EXPECT_TRUE(now.startsWith("HOSPITAL "));
    EXPECT_FALSE(now.contains("xxx"));
}

TEST_F(StaffFileDir, FailedUpdateChangesNothing)
{
    WardSettings live = SampleSettings();
    StaffEditorData data = EditorDataFromSettings(live, {});
    for (auto& shift : data.hourChecks)
        for (bool& h : shift)
            h = true;

    // A folder that cannot exist: its parent is a file.
    ASSERT_TRUE(WriteBytes(path(QStringLiteral("plain")), "x"));
    const QString impossible = path(QStringLiteral("plain/Staff.txt"));
    QString error;
    EXPECT_FALSE(UpdateStaffFile(impossible, data, live, &error));
    EXPECT_TRUE(error.contains(impossible)) << error.toStdString();
    EXPECT_EQ(live.AMShiftHours, SampleSettings().AMShiftHours);

#ifdef Q_OS_UNIX
    // The disk fills up half-way through: the old file stays as it was. A file-size limit
    // binds even the superuser, unlike permissions.
    const QByteArray old("HOSPITAL = Old;\r\n");
    ASSERT_TRUE(WriteBytes(path(), old));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = UpdateStaffFile(path(), data, live, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path()), old);
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files).size(), 2) << "no temporary left behind";
    EXPECT_EQ(live.AMShiftHours, SampleSettings().AMShiftHours);
#endif
}

// ---- Reading ---------------------------------------------------------------------------

TEST(StaffFile, SplitKeepsTwentyOneTrimmedFields)
{
    QStringList f = SplitStaffFileLine(u"  Ann  Smith ; IV=Band 5,, x ");
    ASSERT_EQ(f.size(), 21);
    EXPECT_EQ(f[0], QStringLiteral("Ann  Smith"));
    EXPECT_EQ(f[1], QStringLiteral("IV"));
    EXPECT_EQ(f[2], QStringLiteral("Band 5"));
    EXPECT_EQ(f[3], QString());
    EXPECT_EQ(f[4], QStringLiteral("x"));

    // Kept: + - . / : \ _ digits, ASCII letters and letters beyond ASCII (also beyond the
    // 16-bit range). Dropped: everything else.
    f = SplitStaffFileLine(u"a+b-c.d/e:f\\g_h 0'\"&()\t!?#*%é€ßИ𝒜😀");
    EXPECT_EQ(f[0], QStringLiteral("a+b-c.d/e:f\\g_h 0éßИ𝒜"));

    // Past the 21st field characters go nowhere; fields beyond 10 keep their spaces.
    QString many;
    for (int i = 0; i < 30; ++i)
        many += QStringLiteral(" v%1 ,").arg(i);
    f = SplitStaffFileLine(many);
    ASSERT_EQ(f.size(), 21);
    EXPECT_EQ(f[10], QStringLiteral("v10"));
    EXPECT_EQ(f[11], QStringLiteral(" v11 "));
    EXPECT_EQ(f[20], QStringLiteral(" v20 "));
}

TEST_F(StaffFileDir, StaffLinesFillGridLinesInOrder)
{
    QByteArray file = "; a comment line\r\n"
                      ", starts with a separator\r\n"
                      "\r\n"
                      "Ann,IV,Band 5,37.5,E ,Monday ,Friday\r\n"
                      "   ,,,,\r\n"
                      "remember to order gloves\r\n"
                      "Sunday Smith,,,,\r\n"
                      "Tom, saturdays off\r\n";
    StaffFileReadResult r = readBytes(file);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0].line, 1);
    EXPECT_EQ(r.lines[0].standardShift, QStringLiteral("E"));
    EXPECT_TRUE(r.lines[0].preferred[1]);
    EXPECT_FALSE(r.lines[0].preferred[2]);
    EXPECT_TRUE(r.lines[0].preferred[5]);
    // A remark without ";" is a person.
    EXPECT_EQ(r.lines[1].line, 2);
    EXPECT_EQ(r.lines[1].name, QStringLiteral("remember to order gloves"));
    // A day name anywhere on the line, in any case, marks that day.
    EXPECT_EQ(r.lines[2].line, 3);
    EXPECT_TRUE(r.lines[2].preferred[7]);
    EXPECT_FALSE(r.lines[2].preferred[1]);
    EXPECT_TRUE(r.lines[3].preferred[6]);

    // The 26th and later named lines land on line 25; the last one wins.
    file.clear();
    for (int i = 1; i <= 27; ++i)
        file += QStringLiteral("Person %1,,,,%2\r\n").arg(i).arg(i == 27 ? QStringLiteral("Tuesday") : QString()).toUtf8();
    r = readBytes(file);
    ASSERT_TRUE(r.ok);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines[23].line, 24);
    EXPECT_EQ(r.lines[23].name, QStringLiteral("Person 24"));
    EXPECT_EQ(r.lines.back().line, 25);
    EXPECT_EQ(r.lines.back().name, QStringLiteral("Person 27"));
    EXPECT_TRUE(r.lines.back().preferred[2]);
    for (const StaffGridLine& g : r.lines)
        EXPECT_TRUE(g.line >= 1 && g.line <= 25);
}

TEST_F(StaffFileDir, SettingKeysAreExactAndSpacingIsFree)
{
    WardSettings previous;
    previous.WARD = QStringLiteral("Old ward");
    previous.HoursWorkedOnN = 11;
    previous.AnalysisStartDate = QStringLiteral("01/01/2024");
    previous.AnalysisStartDateValid = true;
    previous.AnalysisStartDateValue = QDate(2024, 1, 1);

    StaffFileReadResult r = readBytes("hospital = lower case\r\n"
                                      "Hospital = mixed case\r\n"
                                      "MondayAMStaffRequired=2.5;\r\n"
                                      "  TuesdayAMStaffRequired   =   -3   ; comment\r\n"
                                      "WednesdayAMStaffRequired =\r\n"
                                      "ThursdayAMStaffRequired = abc\r\n"
                                      "FridayAMStaffRequired = 99999999999\r\n"
                                      "HoursWorkedOnAM = 7,5\r\n"  // the comma ends the value
                                      "HoursWorkedOnPM = 7.3\r\n"
                                      "UnknownKey = 5\r\n"
                                      "NameAMShift = E = ignored\r\n",
                                      previous);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.settings.HOSPITAL.isEmpty());
    EXPECT_EQ(r.settings.StaffRequired[1][1], 2);
    EXPECT_EQ(r.settings.StaffRequired[2][1], -3);
    EXPECT_EQ(r.settings.StaffRequired[3][1], 0);
    EXPECT_EQ(r.settings.StaffRequired[4][1], 0);
    EXPECT_EQ(r.settings.StaffRequired[5][1], 2147483647);
    EXPECT_EQ(r.settings.HoursWorkedOnAM, 7.0f);
    EXPECT_EQ(r.settings.HoursWorkedOnPM, 7.3f);
    EXPECT_EQ(r.settings.NameAMShift, QStringLiteral("E"));
    EXPECT_TRUE(r.lines.empty());
    // Keys the file lacks keep their values, except the analysis date.
    EXPECT_EQ(r.settings.WARD, QStringLiteral("Old ward"));
    EXPECT_EQ(r.settings.HoursWorkedOnN, 11.0f);
    EXPECT_TRUE(r.settings.AnalysisStartDate.isEmpty());
    EXPECT_FALSE(r.settings.AnalysisStartDateValid);

    r = readBytes("   HOSPITAL=Upper ;x\r\n");
    EXPECT_EQ(r.settings.HOSPITAL, QStringLiteral("Upper"));
}

TEST_F(StaffFileDir, LineEndsAndEncodingsReadAlike)
{
    const QByteArray body[] = {"HOSPITAL = Caf\xc3\xa9", "Zo\xc3\xab Ren\xe9" "e,IV,,,E,Monday",
                               "WARD = \x80 W\x92s", "", "Bob,,,,"};
    for (const char* end : {"\r\n", "\n", "\r"}) {
        QByteArray file;
        for (const QByteArray& line : body)
            file += line + end;
        file.chop(int(qstrlen(end)));  // no end after the last line
        const StaffFileReadResult r = readBytes(file);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.settings.HOSPITAL, QStringLiteral("Café"));
        EXPECT_EQ(r.settings.WARD, QStringLiteral("Ws"));  // euro sign and quote dropped
        ASSERT_EQ(r.lines.size(), 2u) << "line end " << QByteArray(end).toHex().toStdString();
        EXPECT_EQ(r.lines[0].name, QStringLiteral("Zoë Renée"));
        EXPECT_TRUE(r.lines[0].preferred[1]);
        EXPECT_EQ(r.lines[1].name, QStringLiteral("Bob"));
    }
}

TEST_F(StaffFileDir, UnreadableFilesAreRefusedWithNothingApplied)
{
    const WardSettings previous = SampleSettings();
    auto expectUnchanged = [&](const StaffFileReadResult& r) {
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(path())) << r.error.toStdString();
        EXPECT_TRUE(r.lines.empty());
        EXPECT_EQ(r.settings.HOSPITAL, previous.HOSPITAL);
        EXPECT_EQ(r.settings.AnalysisStartDate, previous.AnalysisStartDate);
    };

    StaffFileReadResult r = ReadStaffFile(path(), previous);
    expectUnchanged(r);
    EXPECT_EQ(r.error, QStringLiteral("File not found: \"%1\"").arg(path()));

    static const char binary[] = "HOSPITAL = Binary\r\nAnn,,,,\r\n\x7f" "ELF\0\0\x01";
    r = readBytes(QByteArray(binary, sizeof binary - 1), previous);
    expectUnchanged(r);

    r = readBytes("HOSPITAL = Huge\r\n" + QByteArray(kMaxTextFileBytes, ' '), previous);
    expectUnchanged(r);

    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("Staff.txt")));
    r = ReadStaffFile(path(), previous);
    expectUnchanged(r);
    EXPECT_TRUE(r.error.contains(QStringLiteral("is a folder"))) << r.error.toStdString();
}

TEST_F(StaffFileDir, ReaderTracesWhatItMatches)
{
    const QString log = OpenTraceLog(path(QStringLiteral("trace")));
    ASSERT_FALSE(log.isEmpty());
    readBytes("HOSPITAL = St Elsewhere ;HOSPITAL OR OTHER TITLE\r\n"
              "Ann Smith,IV,Band 5,37.5,E,Monday\r\n"
              "hospital = ignored\r\n");
    WardSettings live;
    UpdateStaffFile(path(), StaffEditorData{}, live, nullptr);
    CloseTraceLog();
    EXPECT_EQ(ReadBytes(log), QByteArray("\n\r\n\rReading Application Staff.txt File\r\n"
                                         "Match >HOSPITAL<>St Elsewhere<>HOSPITAL OR OTHER TITLE<\r\n"
                                         "   StaffCount:1>Ann Smith<>IV<>Band 5<>37.5<>E<>Monday<"
                                         "><><><><><\r\n"
                                         "TStaffForm.UpdateStaffFile \r\n"));
}
