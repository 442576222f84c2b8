#include "weeks/HistoryScan.h"

#include "roster/Totals.h"
#include "util/ConversionError.h"
#include "util/DutyText.h"
#include "util/Locale.h"
#include "util/TextFile.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileNumbers.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <limits>

namespace tavrola {

namespace {

// A week's first line is a short date; no more than this is read to find it.
constexpr qint64 kFirstLineBytes = 4096;

// The last line of a week file the scan needs: the end of the 25th staff block.
constexpr int kLastScannedLine = WeekFileBlockStart(kLines) + kWeekFileBlockLines - 1;

// A value quoted in a message: one line, control characters shown as "?", long texts cut.
QString Shown(const QString& text)
{
    QString t = text.left(40);
    for (QChar& c : t)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'?';
    if (text.size() > 40)
        t += QStringLiteral("...");
    return t;
}

QString DamagedWeek(const QString& path, int line, const QString& reason)
{
    return QStringLiteral("Cannot read week file \"%1\", line %2: %3").arg(path).arg(line).arg(reason);
}

// The first line of a file, decoded as the program's text files are. On failure
// `reason` says why the file could not be read.
bool ReadFirstLine(const QString& path, QString* line, QString* reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    const QByteArray head = file.read(kFirstLineBytes);
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return false;
    }
    qsizetype end = 0;
    while (end < head.size() && head[end] != '\r' && head[end] != '\n')
        ++end;
    QString text = DecodeText(head.left(end));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    *line = text;
    return true;
}

// The week files of a folder: *.rwk in any letter case, sorted by name without regard
// to case as the Windows file system lists them (ties broken by exact order).
QStringList WeekFilesIn(const QString& folder)
{
    const QDir dir(folder);
    QStringList names;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort))
        if (name.endsWith(QLatin1String(".rwk"), Qt::CaseInsensitive))
            names += name;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = UpperCase(a).compare(UpperCase(b));
        return c != 0 ? c < 0 : a < b;
    });
    QStringList paths;
    for (const QString& name : names)
        paths += dir.filePath(name);
    return paths;
}

qint32 SaturatingAdd(qint32 a, qint32 b)
{
    qint32 sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<qint32>::max() : std::numeric_limits<qint32>::min();
}

// Adds one counted week's staff blocks into the scan. Returns false with `error` set at
// the first line that does not convert; the blocks before it stay added.
bool AddWeek(const QString& path, const QStringList& lines, HistoryScan& scan, QString& trace,
             QString* error)
{
    if (lines.size() < kLastScannedLine) {
        *error = DamagedWeek(path, int(lines.size()) + 1,
                             QStringLiteral("the file ends before this line (a week file has %1 lines)")
                                 .arg(kWeekFileLines));
        return false;
    }
    for (int staff = 1; staff <= kLines; ++staff) {
        const int at = WeekFileBlockStart(staff);
        const QString& name = lines[at - 1];
        const QString& contracted = lines[at];
        const QString& worked = lines[at + 1];
        const QString& nonPref = lines[at + 2];

        int i = scan.IndexOf(name);
        if (i < 0) {
            if (scan.HistoryNames.size() >= kHistoryCapacity) {
                trace += QStringLiteral(" Ignored >") + name + u'<';
                continue;  // the tables are full: further names are left out
            }
            scan.HistoryNames.append(name);
            i = int(scan.HistoryNames.size()) - 1;
            trace += u' ' + IntToText(i + 1) + QStringLiteral(" Adding >") + name + u'<';
        } else {
            trace += u'.';
        }

        float c = 0;
        if (!contracted.isEmpty()) {
            try {
                c = FirstNumber(contracted);
            } catch (const ConversionError& e) {
                *error = DamagedWeek(path, at + 1, e.message());
                return false;
            }
        }
        float w = 0;
        if (!worked.trimmed().isEmpty()) {
            const std::optional<float> v = WeekFileReal(worked);
            if (!v) {
                *error = DamagedWeek(path, at + 2, ConversionError::notFloat(Shown(worked)).message());
                return false;
            }
            w = *v;
        }
        qint32 n = 0;
        if (!nonPref.trimmed().isEmpty()) {
            const std::optional<qint32> v = WeekFileWhole(nonPref);
            if (!v) {
                *error = DamagedWeek(path, at + 3, ConversionError::notInteger(Shown(nonPref)).message());
                return false;
            }
            n = *v;
        }
        const float difference = c - w;
        scan.NameAdjHours[i] = scan.NameAdjHours[i] + difference;
        scan.NonPrefShifts[i] = SaturatingAdd(scan.NonPrefShifts[i], n);
    }
    return true;
}

QString ShortDate(const QDate& date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

}  // namespace

int HistoryScan::IndexOf(const QString& name) const
{
    for (qsizetype i = 0; i < HistoryNames.size(); ++i)
        if (HistoryNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool ScanStoredWeeks(const QString& folder, const QDate& analysisStart, const QDate& picked,
                     HistoryScan& scan, QString* error)
{
    scan.HistoryNames.clear();
    std::fill(std::begin(scan.NonPrefShifts), std::end(scan.NonPrefShifts), 0);
    std::fill(std::begin(scan.NameAdjHours), std::end(scan.NameAdjHours), 0.0f);
    if (folder.isEmpty())
        return true;

    // Whole-day dates: from the start date itself to two days before the picked one.
    const QDate after = analysisStart.addDays(-1);
    const QDate before = picked.addDays(-1);
    QString failure;
    for (const QString& path : WeekFilesIn(folder)) {
        QString first, reason;
        if (!ReadFirstLine(path, &first, &reason)) {
            failure = DamagedWeek(path, 1, reason);
            break;
        }
        QString trace = QStringLiteral("File Date:") + first;
        const QDate d = ParseDateText(first);
        if (!d.isValid()) {
            TraceLog(trace);
            failure = DamagedWeek(path, 1, QStringLiteral("'%1' is not a valid date").arg(Shown(first)));
            break;
        }
        const bool counts = after.isValid() && before.isValid() && after < d && d < before;
        if (counts) {
            const TextFileRead file = ReadTextFile(path);
            if (!file.ok) {
                TraceLog(trace);
                failure = file.error;
                break;
            }
            const bool added = AddWeek(path, file.lines, scan, trace, &failure);
            TraceLog(trace);
            if (!added)
                break;
        } else {
            TraceLog(trace);
        }
    }
    if (error)
        *error = failure;
    return failure.isEmpty();
}

void UseStaffFileDataforInitialisation(WardModel& model, HistoryScan& scan, Ui& ui)
{
    WardSettings& s = model.Settings;
    RosterWeek& w = model.Week;

    if (s.StaffFileUpdated) {
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                w.ShiftRequiredEdits[day][shift].setText(IntToText(s.StaffRequired[day][shift]));
        s.StaffFileUpdated = false;
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            if (s.StaffRequired[day][shift] == 0)
                w.ShiftRequiredEdits[day][shift].setColour(RequestColour);

    TraceLog(QStringLiteral("\n\r\n\rProcessing Files for NPW & HA .....  from ") + s.AnalysisStartDate +
             QStringLiteral(" to ") + ShortDate(w.PickerDate.addDays(-1)));

    // Without a period to analyse the last scan's names stay listed, with zero counts.
    std::fill(std::begin(scan.NonPrefShifts), std::end(scan.NonPrefShifts), 0);
    std::fill(std::begin(scan.NameAdjHours), std::end(scan.NameAdjHours), 0.0f);
    scan.Scanned = false;
    scan.Error.clear();
    scan.Bars = NonPrefChart();

    if (s.AnalysisStartDateValid) {
        ui.setBusy(true);
        QString error;
        const bool complete = ScanStoredWeeks(w.DataFolder, s.AnalysisStartDateValue, w.PickerDate, scan, &error);
        ui.setBusy(false);
        if (complete) {
            scan.Scanned = true;
            scan.Bars = NonPrefGraphics(model, scan);
        } else {
            scan.Error = error;
            ui.showError(error);
        }
    }

    if (w.Recalculate)
        w.Recalculate();
    else
        TavrolaChange(model, &ui);
}

QString BrushToolTip(const WardSettings& s, int brush)
{
    const QString sep = QStringLiteral(", ");
    switch (brush) {
    case 1: return QStringLiteral("AM Shift: ") + s.NameAMShift;
    case 2: return QStringLiteral("PM Shift: ") + s.NamePMShift;
    case 3: return QStringLiteral("Night Shift: ") + s.NameNShift;
    case 4: return QStringLiteral("Holiday: ") + s.NameHolidayFullDay + sep + s.NameHolidayHalfDay;
    case 5: return QStringLiteral("Illness: ") + s.NameIllness;
    case 6:
        return QStringLiteral("Other Types of Leave: ") +
               QStringList{s.NameLeaveMaternity, s.NameLeavePaternity, s.NameLeaveCarers,
                           s.NameLeaveDomestic, s.NameLeaveEmergency, s.NameLeaveAbsent}
                   .join(sep);
    case 7: return QStringLiteral("Study/Admin: ") + s.NameTrainingStudyDay + sep + s.NameTrainingAdminDay;
    default: return QString();
    }
}

}  // namespace tavrola
