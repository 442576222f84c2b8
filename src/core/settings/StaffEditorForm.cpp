#include "settings/StaffEditorForm.h"

#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"

namespace tavrola {

namespace {

const char* const kDutyNameKeys[kDutyNameCount] = {
    "NameAMShift",        "NamePMShift",        "NameNShift",          "NameHolidayFullDay",
    "NameHolidayHalfDay", "NameIllness",        "NameLeaveMaternity",  "NameLeavePaternity",
    "NameLeaveCarers",    "NameLeaveDomestic",  "NameLeaveEmergency",  "NameLeaveAbsent",
    "NameTrainingStudyDay", "NameTrainingAdminDay"};

const char* const kHoursKeys[] = {"HoursWorkedOnAM",     "HoursWorkedOnPM",     "HoursWorkedOnN",
                                  "HoursHolidayFullDay", "HoursHolidayHalfDay", "MidShiftBreak",
                                  "ShortestShiftHours"};

}  // namespace

QLatin1StringView DutyNameKey(int k)
{
    return QLatin1StringView(k >= 0 && k < kDutyNameCount ? kDutyNameKeys[k] : "");
}

bool TakesNumericFilter(QStringView key)
{
    if (key.endsWith(u"StaffRequired"))
        return true;
    for (const char* hours : kHoursKeys)
        if (key == QLatin1StringView(hours))
            return true;
    return false;
}

QString NumericFilter(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if ((c >= u'0' && c <= u'9') || c == u'.')
            out += c;
    return out;
}

QString DropSeparators(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c != u',' && c != u';' && c != u'=')
            out += c;
    return out;
}

bool AnalysisDateValid(const QString& text)
{
    return !text.isEmpty() && ParseDateText(text).isValid();
}

NamesCheckResult NamesCheck(const std::array<QString, kDutyNameCount>& names)
{
    TraceLog(QStringLiteral("\n\r\n\rNames Check"));
    NamesCheckResult r;
    r.names = names;
    for (int j = 0; j < kDutyNameCount; ++j) {
        for (int i = 0; i < kDutyNameCount; ++i) {
            if (i == j || !Contains(r.names[i], r.names[j]))
                continue;
            TraceLog(u'>' + r.names[j] + QStringLiteral("< >") + r.names[i] + u'<');
            if (r.names[j].size() <= r.names[i].size())
                r.names[j] += u'_';
            else
                r.names[i] += u'_';
            r.clashing[j] = r.clashing[i] = true;
        }
    }
    return r;
}

void ApplyNumericFilters(StaffEditorData& data)
{
    for (auto it = data.values.begin(); it != data.values.end(); ++it)
        if (TakesNumericFilter(it.key()))
            it.value() = NumericFilter(it.value());
    for (int row = 1; row <= kLines; ++row)
        data.rows[row].hours = NumericFilter(data.rows[row].hours);
}

StaffEditorRow EditorRow(const StaffGridLine& line)
{
    StaffEditorRow row{line.name, line.skills, line.grade, line.hoursSet, line.standardShift, {}};
    for (int day = 1; day <= kDays; ++day)
        row.preferred[day] = line.preferred[day];
    return row;
}

StaffEditorLoad LoadStaffEditor(const QString& path, const WardSettings& inForce,
                                const std::vector<StaffGridLine>& staffInForce)
{
    StaffEditorLoad load;
    const StaffFileReadResult read = ReadStaffFile(path, inForce, StaffFileChars::Editor);
    const WardSettings& settings = read.ok ? read.settings : inForce;
    const std::vector<StaffGridLine>& lines = read.ok ? read.lines : staffInForce;
    std::vector<StaffEditorRow> rows;
    for (const StaffGridLine& line : lines)
        rows.push_back(EditorRow(line));
    load.data = EditorDataFromSettings(settings, rows);
    ApplyNumericFilters(load.data);

    if (!read.ok) {
        load.error = read.error +
                     QStringLiteral("\r\rThe window shows the ward settings in use now; OK writes them to %1.")
                         .arg(Quoted(path));
    } else if (read.staffLinesOverwritten > 0) {
        load.warning = QStringLiteral("%1 holds %2 staff lines, more than the %3 rows of this window: "
                                      "row %3 shows the last of them, and OK leaves out the other %4.")
                           .arg(Quoted(path))
                           .arg(kLines + read.staffLinesOverwritten)
                           .arg(kLines)
                           .arg(read.staffLinesOverwritten);
    }
    return load;
}

}  // namespace tavrola
