#include "FuzzBodies.h"

#include "autofill/FillSearch.h"
#include "autofill/RequiredNurses.h"
#include "clinics/RtfReader.h"
#include "clinics/RtfWriter.h"
#include "document/StatisticsRun.h"
#include "print/PrintCommands.h"
#include "render/RecordingCanvas.h"
#include "render/StatsPicture.h"
#include "rules/RuleLimits.h"
#include "rules/WorkingTimeRules.h"
#include "settings/DutyText.h"
#include "settings/StaffEditorForm.h"
#include "settings/StaffFile.h"
#include "settings/WardSettings.h"
#include "stats/StatsCsv.h"
#include "util/ConversionError.h"
#include "util/Locale.h"
#include "util/TextFile.h"
#include "weeks/HistoryScan.h"
#include "weeks/WeekFileReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavrola::fuzz {

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

#define FUZZ_CHECK(cond) \
    do { \
        if (!(cond)) \
            Fail(#cond); \
    } while (0)

QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The demo ward's settings, read once.
const WardSettings& DemoSettings()
{
    static const WardSettings s = [] {
        StaffFileReadResult r = ReadStaffFile(QStringLiteral(TAVROLA_DEMO_DIR "/Staff.txt"), WardSettings());
        if (!r.ok)
            Fail("the demo ward's Staff.txt reads");
        return r.settings;
    }();
    return s;
}

// The demo ward with no core hours in any mask.
const WardSettings& EmptyMaskSettings()
{
    static const WardSettings s = [] {
        WardSettings e = DemoSettings();
        e.AMShiftHours = QString(24, u'0');
        e.PMShiftHours.clear();
        e.NShiftHours = QString(24, u'0');
        ComputeDerivedSettings(e);
        return e;
    }();
    return s;
}

// A private folder for the readers that take a path; lives as long as the process.
QString ScratchPath(const QString& name)
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        Fail("a scratch folder can be made");
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    return path;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        Fail("the scratch file can be written");
}

bool HasDigit(const QString& text)
{
    for (QChar c : text)
        if (c >= u'0' && c <= u'9')
            return true;
    return false;
}

// Every way a duty or hours text is read, against one set of settings.
void EvaluateDuty(const QString& text, const WardSettings& s)
{
    const DutyEvaluator ev(s);
    int flags = -1;
    const float hours = ev.DutyHours(text, &flags);
    FUZZ_CHECK(!std::isnan(hours));
    FUZZ_CHECK(flags >= 0 && flags <= (ShiftAM | ShiftPM | ShiftN));
    // Without a digit there is no clock range, so at most one shift name gives a flag.
    if (!HasDigit(text))
        FUZZ_CHECK((flags & (flags - 1)) == 0);
    ev.AddAbsenceHours(text, hours, true);  // skipping unreadable codes never throws
    ev.HoldsIllness(text);
    try {
        DayHoursWithCodes(text, ev, &flags);
    } catch (const ConversionError&) {
    }
    for (int k = 0; k < kAbsenceCodes; ++k) {
        try {
            CodeHours(text, s.AbsenceCode(k), 0.0f, s);
        } catch (const ConversionError&) {
        }
    }
}

void ReadHoursText(const QString& text)
{
    for (bool firstOnly : {false, true}) {
        try {
            HoursSetValue(text, firstOnly);
        } catch (const ConversionError&) {
        }
    }
    try {
        FirstNumber(text);
    } catch (const ConversionError&) {
    }
}

}  // namespace

int DutyText(const uint8_t* data, size_t size)
{
    const QString text = DecodeText(Bytes(data, size));
    EvaluateDuty(text, DemoSettings());
    EvaluateDuty(text, EmptyMaskSettings());
    ReadHoursText(text);
    return 0;
}

int StaffRead(const uint8_t* data, size_t size)
{
    const QByteArray bytes = Bytes(data, size);
    const QString path = QStringLiteral("Staff.txt");
    // The window's and the editor's character sets in turn, by the input's length.
    const StaffFileChars chars = size % 2 ? StaffFileChars::Editor : StaffFileChars::Reader;
    const StaffFileReadResult r = ParseStaffFileBytes(path, bytes, DemoSettings(), chars);
    FUZZ_CHECK(r.ok == r.error.isEmpty());
    if (!r.ok)
        return 0;
    for (const StaffGridLine& g : r.lines)
        FUZZ_CHECK(g.line >= 1 && g.line <= kLines && !g.name.isEmpty());
    FUZZ_CHECK(r.settings.AnalysisStartDateValid == r.settings.AnalysisStartDateValue.isValid());
    return 0;
}

int StaffFile(const uint8_t* data, size_t size)
{
    const QByteArray bytes = Bytes(data, size);
    for (const QString& line : DecodeText(bytes).split(u'\n'))
        FUZZ_CHECK(SplitStaffFileLine(line).size() <= 21);

    const QString path = ScratchPath(QStringLiteral("staff/Staff.txt"));
    WriteFile(path, bytes);
    const StaffFileReadResult r = ReadStaffFile(path, DemoSettings());
    // The staff editor takes every staff line the reader takes, and what it writes
    // settles: a second open-and-OK writes what the first one wrote.
    const StaffEditorLoad editor = LoadStaffEditor(path, DemoSettings(), {});
    FUZZ_CHECK(editor.error.isEmpty() == r.ok);
    if (r.ok) {
        int rows = 0;
        while (rows < kLines && !editor.data.rows[rows + 1].name.isEmpty())
            ++rows;
        FUZZ_CHECK(rows >= int(r.lines.size()));
        QString text = StaffFileText(editor.data);
        for (int pass = 0; pass < 2; ++pass) {
            WriteFile(path, text.toUtf8());
            const QString again = StaffFileText(LoadStaffEditor(path, DemoSettings(), {}).data);
            if (pass == 1)
                FUZZ_CHECK(again == text);
            text = again;
        }
    }
    if (!r.ok) {
        FUZZ_CHECK(!r.error.isEmpty());
        return 0;
    }
    // Whatever the file set, the ward's texts still evaluate.
    for (const StaffGridLine& g : r.lines) {
        FUZZ_CHECK(g.line >= 1 && g.line <= kLines);
        ReadHoursText(g.hoursSet);
        EvaluateDuty(g.standardShift, r.settings);
    }
    for (const char* text : {"7-3", "19-07", "0730-1530", "pm 1-9", "EARLY", "HOL", "SICK 4"})
        EvaluateDuty(QString::fromLatin1(text), r.settings);
    return 0;
}

int WeekRead(const uint8_t* data, size_t size)
{
    const QString path = QStringLiteral("week.rwk");
    WeekFileData week;
    QString error;
    if (!ParseWeekFileBytes(path, Bytes(data, size), &week, &error)) {
        // One line, naming the file.
        FUZZ_CHECK(error.contains(path) && !error.contains(u'\n'));
        return 0;
    }
    // A week it takes is written and read back to the same text, and every staff block
    // reads as the history reads it, or names its hours-worked line.
    const QString text = WeekFileText(week);
    WeekFileData again;
    FUZZ_CHECK(ParseWeekFileBytes(path, text.toUtf8(), &again, &error));
    FUZZ_CHECK(WeekFileText(again) == text);
    for (int staff = 1; staff <= kLines; ++staff) {
        WeekFileHistoryBlock block;
        if (!ReadHistoryBlock(path, week, staff, &block, &error))
            FUZZ_CHECK(error.contains(QStringLiteral(", line %1:").arg(WeekFileBlockStart(staff) + 2)));
    }
    return 0;
}

int WeekFile(const uint8_t* data, size_t size)
{
    const QString path = ScratchPath(QStringLiteral("weeks/week.rwk"));
    WriteFile(path, Bytes(data, size));

    // The history scan: head, lines and staff blocks, over every date it could count.
    HistoryScan scan;
    QStringList damaged;
    const bool scanned = ScanStoredWeeks(QFileInfo(path).path(), QDate(1, 1, 1), QDate(9999, 12, 31), scan, &damaged);
    if (!scanned)
        FUZZ_CHECK(damaged.size() == 1 && !damaged.front().isEmpty());
    else
        FUZZ_CHECK(damaged.isEmpty());

    // The statistics over every date: the week whole or left out, and what they hold draws.
    StatsTables tables;
    QStringList left;
    if (CollectStatistics(QFileInfo(path).path(), DemoSettings(), QDate(1, 1, 1), QDate(9999, 12, 31), &tables,
                          &left)) {
        FUZZ_CHECK(tables.Weeks <= 1 && tables.StatNames.size() <= kStatNames);
        RecordingCanvas canvas(kStatsSurfaceWidth, kStatsSurfaceHeight);
        DisplayStatistics(canvas, tables, {QStringLiteral("Ward"), QDate(1, 1, 1), QDate(9999, 12, 31)});
        FUZZ_CHECK(!StatisticsCsv(tables, QDate(1, 1, 1), QDate(9999, 12, 31)).isEmpty());
    } else {
        FUZZ_CHECK(left.size() == 1 && !left.front().isEmpty() && tables.Weeks == 0);
    }

    // The loader: what it refuses, the statistics and the history (for a date it counts)
    // refuse too.
    QString error;
    WeekFileData week;
    if (!ReadWeekFile(path, &week, &error)) {
        FUZZ_CHECK(!error.isEmpty() && left.size() == 1);
        FUZZ_CHECK(damaged.size() == 1 || ReadWeekFileHead(path).date >= QDate(9999, 12, 30));
        return 0;
    }
    FUZZ_CHECK(left.isEmpty());
    const QString text = WeekFileText(week);
    const QString again = ScratchPath(QStringLiteral("again.rwk"));
    WriteFile(again, text.toUtf8());
    WeekFileData reread;
    FUZZ_CHECK(ReadWeekFile(again, &reread, &error));
    FUZZ_CHECK(WeekFileText(reread) == text);

    // Both prints of the week: a portrait whose figures do not convert says why.
    PrintSheet sheet;
    sheet.WeekDate = week.weekCommencing;
    sheet.Hospital = week.hospital;
    sheet.Ward = week.ward;
    for (int line = 1; line <= kLines; ++line) {
        const WeekFileStaffLine& l = week.lines[line];
        sheet.Week.Names[line] = l.name;
        sheet.Week.HoursWorked[line] = l.hoursWorked;
        sheet.Week.HoursSet[line] = l.hoursWorked;  // any text will do as a contract
        sheet.Week.Notes[line] = l.notes;
        for (int day = 1; day <= kDays; ++day)
            sheet.Week.Cells[day][line] = l.days[day];
    }
    for (const PageOrientation layout : {PageOrientation::Landscape, PageOrientation::Portrait}) {
        RecordingCanvas page(4900, 7000, 144);
        QString printError;
        if (!DrawPrintPage(page, sheet, layout, &printError))
            FUZZ_CHECK(layout == PageOrientation::Portrait && !printError.isEmpty() && page.calls.isEmpty());
    }

    // A few fill candidates over the week's texts as requests and standard shifts: the
    // requests stay, the score stays within 0..100.
    FillInput in;
    for (int line = 1; line <= kLines; ++line) {
        const WeekFileStaffLine& l = week.lines[line];
        if (!l.name.isEmpty())
            in.NumberOfStaff = line;
        if (l.contracted)
            in.HoursSet[line] = QString::number(*l.contracted);
        in.StandardShift[line] = l.days[line % kDays + 1];
        in.SkillCodes[line] = l.notes;
        for (int day = 1; day <= kDays; ++day) {
            in.Requests[day][line] = l.days[day];
            in.RequestDay[day][line] = (line + day) % 2 == 0;
        }
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            in.Required[day][shift] = week.required[day][shift];
    FillSearch search(DemoSettings(), in, std::uint32_t(size));
    if (search.error().isEmpty())
        for (int i = 0; i < 3; ++i) {
            const int score = search.next();
            FUZZ_CHECK(score >= 0 && score <= 100);
            for (int day = 1; day <= kDays; ++day)
                for (int line = 1; line <= in.NumberOfStaff; ++line)
                    if (!in.Requests[day][line].isEmpty())
                        FUZZ_CHECK(search.engine().CellText(search.engine().form(), day, line) ==
                                   in.Requests[day][line]);
        }
    return 0;
}

int RichText(const uint8_t* data, size_t size)
{
    const RtfText r = RtfToPlainLines(Bytes(data, size));
    FUZZ_CHECK(r.ok);
    for (const QString& line : r.lines)
        for (QChar c : line) {
            FUZZ_CHECK(c != u'\r' && c != u'\n');
            if (r.rich)
                FUZZ_CHECK(c == u'\t' || c.unicode() >= 0x20);
        }
    ComputeRequirements(DemoSettings(), QDate(2026, 10, 12), r.lines);

    // The editor's reading gives the same lines; written and read again, the same lines
    // (control characters of a plain-text file other than tab are not written).
    QTextDocument doc;
    const RtfText d = RtfToDocument(Bytes(data, size), &doc);
    FUZZ_CHECK(d.ok && d.lines == r.lines);
    FUZZ_CHECK(DocumentPlainLines(doc) == r.lines);
    QStringList expected = r.lines;
    for (QString& line : expected)
        line.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F; });
    if (expected == QStringList{QString()})
        expected.clear();
    const RtfText again = RtfToPlainLines(DocumentToRtf(doc));
    FUZZ_CHECK(again.ok && again.rich);
    FUZZ_CHECK(again.lines == expected);
    return 0;
}

int DateText(const uint8_t* data, size_t size)
{
    const QDate d = ParseDateText(DecodeText(Bytes(data, size)));
    if (!d.isValid())
        return 0;
    LongDateText(d);
    // A date read back from its ISO form is the same date.
    if (d.year() >= 1000 && d.year() <= 9999)
        FUZZ_CHECK(ParseDateText(d.toString(Qt::ISODate)) == d);
    return 0;
}

}  // namespace tavrola::fuzz

namespace tavrola::fuzz {

// Rules.txt: whatever it holds, the limits stay usable and what the writer makes of them
// reads back the same without a complaint. Its lines, as the cells of three weeks of one
// person, give breaches on this week's days only, with sane figures.
int RulesFile(const uint8_t* data, size_t size)
{
    const QStringList lines = DecodeText(Bytes(data, size)).split(u'\n');
    const RulesFileRead read = ParseRulesLines(lines, QStringLiteral("Rules.txt"));
    for (int k = 0; k < kRuleCount; ++k) {
        const double limit = read.limits.rules[k].limit;
        FUZZ_CHECK(std::isfinite(limit) && limit >= 0);
        if (RuleCountsDays(Rule(k)))
            FUZZ_CHECK(limit >= 1 && limit == std::floor(limit));
    }
    const RulesFileRead again =
        ParseRulesLines(RulesFileText(read.limits).split(QStringLiteral("\r\n")), QStringLiteral("Rules.txt"));
    FUZZ_CHECK(again.problems.isEmpty());
    FUZZ_CHECK(again.limits == read.limits);

    const QDate monday(2026, 11, 30);
    WeekData week;
    week.Names[1] = QStringLiteral("Ann");
    std::vector<RuleWeek> around(2);
    for (int w = 0; w < 2; ++w) {
        around[w].monday = monday.addDays(w == 0 ? -7 : 7);
        around[w].settings = DemoSettings();
        around[w].names[1] = QStringLiteral("ANN");
    }
    for (int day = 1; day <= kDays; ++day) {
        week.Cells[day][1] = lines.value(day - 1);
        around[0].cells[day][1] = lines.value(day + 6);
        around[1].cells[day][1] = lines.value(day + 13);
    }
    const RuleHistory history = PrepareRuleHistory(monday, around);
    for (const Breach& b : CheckWorkingTime(DemoSettings(), read.limits, week, monday, history)) {
        FUZZ_CHECK(b.line == 1 && b.day >= 1 && b.day <= kDays);
        FUZZ_CHECK(std::isfinite(b.value) && b.value >= 0 && !b.text.isEmpty());
    }
    return 0;
}

}  // namespace tavrola::fuzz
