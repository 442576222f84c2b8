#include "settings/StaffFile.h"

#include "util/FileAccess.h"
#include "util/TextFile.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"

#include <QLatin1StringView>
#include <QVarLengthArray>

namespace tavrola {

namespace {

constexpr int kMaxFields = 21;    // fields 0..20 of a line
constexpr int kTrimmedFields = 11;  // fields 0..10 are trimmed

// Column widths of the file as written (the value widths are in the header).
constexpr int kHeadKeyWidth = 24, kKeyWidth = 25, kDayPrefWidth = 12;

const char* const kUpperDayNames[kDays + 1] = {"",         "MONDAY", "TUESDAY",  "WEDNESDAY",
                                               "THURSDAY", "FRIDAY", "SATURDAY", "SUNDAY"};

const QString kCrLf = QStringLiteral("\r\n");

bool IsSeparator(char16_t c)
{
    return c == u',' || c == u';' || c == u'=';
}

// The characters a value may hold: a small ASCII set, plus letters beyond ASCII so
// accented and non-Latin names survive.
bool IsKeptChar(char16_t c, StaffFileChars chars)
{
    if (chars == StaffFileChars::Editor &&
        (c == u'\'' || c == u'^' || c == u'`' || c == u'\u2018' || c == u'\u2019'))
        return true;
    if (c < 128) {
        return c == u' ' || c == u'+' || c == u'-' || c == u'.' || c == u'/' || c == u':' ||
               c == u'\\' || c == u'_' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
               (c >= u'a' && c <= u'z');
    }
    return QChar::isLetter(char32_t(c));
}

}  // namespace

// Comments written after ";" on the setting lines; keys not listed get a single space,
// except the staff-required keys, which get none.
QString SettingComment(QLatin1StringView key)
{
    static const struct {
        const char* key;
        const char* comment;
    } kComments[] = {
        {"HOSPITAL", "HOSPITAL OR OTHER TITLE"},
        {"WARD", "WARD OR CLINIC"},
        {"AnalysisStartDate", "NON PREFERENCE WORKING ANALYSIS START DATE, THIS CONTROLS HOW FAR BACK YOU ARE LOOKING FOR WEEKEND/BANK HOL WORKING & ALSO CARRY OVER OF HOURS FROM THE WEEKS BEFORE, TYPICALLY THIS MIGHT BE OVER ONE/TWO MONTHS"},
        {"NameAMShift", "NAME/CODE USED FOR AM    SHIFT - E, EARLY, AM"},
        {"NamePMShift", "NAME/CODE USED FOR PM    SHIFT - L, LATE,  PM"},
        {"NameNShift", "NAME/CODE USED FOR NIGHT SHIFT - NIGHT,    N"},
        {"NameHolidayFullDay", "NAME/CODE USED FOR HOLIDAY or ANNUAL LEAVE     - HOL, A/L, DO"},
        {"NameHolidayHalfDay", "NAME/CODE USED FOR HOLIDAY     - HOL, A/L, 1/2DAY"},
        {"NameIllness", "NAME/CODE USED FOR ILLNESS     - SICK, ILL, ill"},
        {"HoursWorkedOnAM", "Number of Hours Worked for an AM Shift"},
        {"HoursWorkedOnPM", "Number of Hours Worked for an PM Shift"},
        {"HoursWorkedOnN", "Number of Hours Worked for a Night Shift"},
        {"HoursHolidayFullDay", "Number of Hours covered by Full Day holiday"},
        {"HoursHolidayHalfDay", "Number of Hours covered by Half Day holiday"},
        {"MidShiftBreak", "Number of Hours for Mid-Shift Break - i.e. lunch"},
        {"NameLeaveMaternity", "NAME/CODE USED FOR MATERNITY LEAVE"},
        {"NameLeavePaternity", "NAME/CODE USED FOR PATERNITY LEAVE"},
        {"NameLeaveCarers", "NAME/CODE USED FOR CARERS LEAVE"},
        {"NameLeaveDomestic", "NAME/CODE USED FOR DOMESTIC LEAVE"},
        {"NameLeaveEmergency", "NAME/CODE USED FOR EMERGENCY LEAVE"},
        {"NameLeaveAbsent", "NAME/CODE USED FOR ABSENT WITHOUT LEAVE"},
        {"NameTrainingStudyDay", "NAME/CODE USED FOR TRAINING OR STUDY TIME"},
        {"NameTrainingAdminDay", "NAME/CODE USED FOR ADMINISTRATION"},
        {"AMShiftHours", "AM SHIFT CORE HOURS TO ENABLE IDENTIFICATION"},
        {"PMShiftHours", "PM SHIFT CORE HOURS"},
        {"NShiftHours", "NIGHT SHIFT CORE HOURS"},
        {"ShortestShiftHours", "Shortest shift in hours the automatic fill cuts a shift to"},
    };
    for (const auto& c : kComments)
        if (key == QLatin1StringView(c.key))
            return QString::fromLatin1(c.comment);
    if (key.endsWith(QLatin1StringView("StaffRequired")))
        return QString();
    return QStringLiteral(" ");
}

namespace {

bool IsCoreHoursKey(QLatin1StringView key)
{
    return key == QLatin1StringView("AMShiftHours") || key == QLatin1StringView("PMShiftHours") ||
           key == QLatin1StringView("NShiftHours");
}

bool IsCheckBoxKey(QLatin1StringView key)
{
    return IsCoreHoursKey(key) || key == QLatin1StringView("SkillCheckBoxes");
}

// A value typed into the editor can never break the file into extra lines.
QString OneLine(const QString& text)
{
    QString out = text;
    out.remove(u'\r');
    out.remove(u'\n');
    return out;
}

QString ChecksToMask(const bool* checks, int count)
{
    QString mask(count, u'0');
    for (int k = 0; k < count; ++k)
        if (checks[k])
            mask[k] = u'1';
    return mask;
}

QString HeadLine(QLatin1StringView key, const QString& value)
{
    return PadToWidth(QString(key), kHeadKeyWidth) + QStringLiteral("= ") +
           PadToWidth(OneLine(value), kHeadValueWidth) + u';' + SettingComment(key);
}

QString SettingLine(QLatin1StringView key, const QString& value)
{
    return PadToWidth(QString(key), kKeyWidth) + QStringLiteral("= ") +
           PadToWidth(OneLine(value), kValueWidth) + u';' + SettingComment(key);
}

QString StaffLine(const StaffEditorRow& row)
{
    return PadToWidth(OneLine(row.name), kNameWidth) + u',' +
           PadToWidth(OneLine(row.skills), kSkillsWidth) + u',' +
           PadToWidth(OneLine(row.grade), kGradeWidth) + u',' +
           PadToWidth(OneLine(row.hours), kHoursWidth) + u',' +
           PadToWidth(OneLine(row.standardShift), kShiftWidth) + DayPrefsStr(row.preferred);
}

// The three core-hour strings and SkillCheckBoxes as the editor's check boxes give them.
struct CheckBoxMasks {
    QString am, pm, night, skills;
};

CheckBoxMasks MasksFromChecks(const StaffEditorData& data)
{
    return {ChecksToMask(data.hourChecks[0], 24), ChecksToMask(data.hourChecks[1], 24),
            ChecksToMask(data.hourChecks[2], 24), ChecksToMask(data.skillChecks, kSkills)};
}

}  // namespace

QStringList SplitStaffFileLine(QStringView line, StaffFileChars chars)
{
    // The kept characters of every field one after another, and where each field starts:
    // one buffer instead of a string grown character by character per field.
    const qsizetype n = line.size();
    QVarLengthArray<QChar, 512> kept;
    kept.reserve(n);
    qsizetype starts[kMaxFields + 1] = {};
    int index = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = line[i].unicode();
        if (IsSeparator(c)) {
            if (index < kMaxFields)
                starts[++index] = kept.size();
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && line[i + 1].isLowSurrogate()) {
            const char32_t cp = QChar::surrogateToUcs4(c, line[i + 1].unicode());
            if (index < kMaxFields && QChar::isLetter(cp)) {
                kept.append(line[i]);
                kept.append(line[i + 1]);
            }
            ++i;
            continue;
        }
        if (index < kMaxFields && IsKeptChar(c, chars))
            kept.append(QChar(c));
    }
    const int trimmed = chars == StaffFileChars::Editor ? kMaxFields : kTrimmedFields;
    QStringList out;
    out.reserve(kMaxFields);
    for (int k = 0; k < kMaxFields; ++k) {
        const qsizetype from = k <= index ? starts[k] : kept.size();
        const qsizetype to = k < index ? starts[k + 1] : kept.size();
        const QStringView field(kept.constData() + from, to - from);
        out.append(k < trimmed ? TrimSpaces(field) : field.toString());
    }
    return out;
}

StaffFileReadResult ReadStaffFile(const QString& path, const WardSettings& previous, StaffFileChars chars)
{
    TraceLog(QStringLiteral("\n\r\n\rReading Application Staff.txt File"));
    const FileBytes bytes = ReadFileBytes(path, kMaxTextFileBytes);
    if (!bytes.ok) {
        StaffFileReadResult result;
        result.settings = previous;
        result.error = bytes.error;
        return result;
    }
    return ParseStaffFileBytes(path, bytes.bytes, previous, chars);
}

StaffFileReadResult ParseStaffFileBytes(const QString& path, const QByteArray& bytes, const WardSettings& previous,
                                        StaffFileChars chars)
{
    StaffFileReadResult result;
    result.settings = previous;
    const TextFileRead file = DecodeTextFile(path, bytes);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    // A NUL byte means this is not a settings file at all; take nothing from it.
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        if (file.lines[i].contains(QChar(0))) {
            result.error = QStringLiteral("Not a text file: %1 (NUL byte on line %2)")
                               .arg(Quoted(path))
                               .arg(i + 1);
            return result;
        }
    }

    WardSettings& s = result.settings;
    s.AnalysisStartDate.clear();
    const std::vector<SettingKey> keys = SettingsKeyTable(s);

    int n = 1;
    for (const QString& line : file.lines) {
        const QStringList f = SplitStaffFileLine(line, chars);
        const bool hasEquals = line.contains(u'=');

        if (!hasEquals && !f[0].isEmpty()) {
            StaffGridLine g;
            g.line = n;
            g.name = f[0];
            g.skills = f[1];
            g.grade = f[2];
            g.hoursSet = f[3];
            g.standardShift = f[4];
            const QString upper = UpperCase(line);
            for (int day = 1; day <= kDays; ++day)
                g.preferred[day] = upper.contains(QLatin1StringView(kUpperDayNames[day]));

            if (TraceLogOpen()) {
                QString trace = QStringLiteral("   StaffCount:") + QString::number(n);
                const int traced = chars == StaffFileChars::Editor ? kMaxFields : kTrimmedFields;
                for (int k = 0; k < traced; ++k)
                    trace += u'>' + f[k] + u'<';
                TraceLog(trace);
            }

            // Every line past the 25th lands on line 25 again, so only the last one counts:
            // replace rather than pile up entries.
            if (n == kLines && !result.lines.empty() && result.lines.back().line == kLines) {
                result.lines.back() = std::move(g);
                ++result.staffLinesOverwritten;
            } else
                result.lines.push_back(std::move(g));
            if (n < kLines)
                ++n;
            continue;
        }

        if (!hasEquals)
            continue;
        for (const SettingKey& k : keys) {
            if (f[0] != QLatin1StringView(k.key))
                continue;
            if (TraceLogOpen())
                TraceLog(QStringLiteral("Match >") + QLatin1StringView(k.key) + QStringLiteral("<>") + f[1] +
                         QStringLiteral("<>") + f[2] + u'<');
            switch (k.kind) {
            case SettingKind::Text: *k.text = f[1]; break;
            case SettingKind::Whole: *k.whole = ParseWholeSetting(f[1]); break;
            case SettingKind::Real: *k.real = ParseRealSetting(f[1]); break;
            }
            break;
        }
    }

    ComputeDerivedSettings(s);
    result.ok = true;
    return result;
}

StaffEditorData EditorDataFromSettings(const WardSettings& s, const std::vector<StaffEditorRow>& staff)
{
    StaffEditorData data;
    WardSettings copy = s;  // the key table binds to a mutable record
    for (const SettingKey& k : SettingsKeyTable(copy)) {
        const QLatin1StringView key(k.key);
        if (IsCheckBoxKey(key))
            continue;
        switch (k.kind) {
        case SettingKind::Text: data.values.insert(key, *k.text); break;
        case SettingKind::Whole: data.values.insert(key, IntToText(*k.whole)); break;
        case SettingKind::Real: data.values.insert(key, FloatToShortest(*k.real)); break;
        }
    }
    const QString* masks[3] = {&s.AMShiftHours, &s.PMShiftHours, &s.NShiftHours};
    for (int shift = 0; shift < 3; ++shift)
        for (int hour = 0; hour < 24; ++hour)
            data.hourChecks[shift][hour] = hour < masks[shift]->size() && (*masks[shift])[hour] == u'1';
    for (int k = 0; k < kSkills; ++k)
        data.skillChecks[k] = k < s.SkillCheckBoxes.size() && s.SkillCheckBoxes[k] == u'1';
    for (int row = 1; row <= kLines && row <= int(staff.size()); ++row)
        data.rows[row] = staff[row - 1];
    return data;
}

QString DayPrefsStr(const bool preferred[kDays + 1])
{
    QString out;
    for (int day = 1; day <= kDays; ++day)
        if (preferred[day])
            out += PadToWidth(QStringLiteral(" ,") + DayName(day), kDayPrefWidth);
    return out;
}

QString StaffFileText(const StaffEditorData& data)
{
    const CheckBoxMasks masks = MasksFromChecks(data);
    auto valueOf = [&](QLatin1StringView key) -> QString {
        if (key == QLatin1StringView("AMShiftHours"))
            return masks.am;
        if (key == QLatin1StringView("PMShiftHours"))
            return masks.pm;
        if (key == QLatin1StringView("NShiftHours"))
            return masks.night;
        if (key == QLatin1StringView("SkillCheckBoxes"))
            return masks.skills;
        return data.values.value(QString(key));
    };

    WardSettings scratch;
    const std::vector<SettingKey> keys = SettingsKeyTable(scratch);
    QStringList out;

    // Head: hospital, ward, analysis date, then the staff list.
    out << HeadLine(QLatin1StringView(keys[0].key), valueOf(QLatin1StringView(keys[0].key)));
    out << HeadLine(QLatin1StringView(keys[1].key), valueOf(QLatin1StringView(keys[1].key)));
    out << QString();
    out << HeadLine(QLatin1StringView(keys[2].key), valueOf(QLatin1StringView(keys[2].key)));
    out << QString() << QString();
    for (int row = 1; row <= kLines; ++row)
        out << StaffLine(data.rows[row]);
    out << QString() << QString();

    // The other settings in key-table order, in groups each followed by a blank line:
    // AM, PM and night staff required, duty names, hours, leave names, core hours,
    // nurses per doctor, skill names, codes, required, preferable, skill check boxes, the
    // fill's shortest shift.
    static const int kGroups[] = {7, 7, 7, 6, 6, 8, 3, 2, 6, 6, 6, 6, 1, 1};
    std::size_t next = 3;
    for (int size : kGroups) {
        for (int k = 0; k < size; ++k, ++next) {
            const QLatin1StringView key(keys[next].key);
            out << SettingLine(key, valueOf(key));
        }
        out << QString();
    }

    return out.join(kCrLf) + kCrLf;
}

bool UpdateStaffFile(const QString& path, const StaffEditorData& data, WardSettings& settings,
                     QString* error)
{
    TraceLog(QStringLiteral("TStaffForm.UpdateStaffFile "));
    if (!WriteTextFileAtomically(path, StaffFileText(data), error))
        return false;
    const CheckBoxMasks masks = MasksFromChecks(data);
    settings.AMShiftHours = masks.am;
    settings.PMShiftHours = masks.pm;
    settings.NShiftHours = masks.night;
    settings.SkillCheckBoxes = masks.skills;
    return true;
}

}  // namespace tavrola
