#include "weeks/HistoryScan.h"

#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileReader.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <memory>

namespace tavrola {

namespace {

qint32 SaturatingAdd(qint32 a, qint32 b)
{
    qint32 sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<qint32>::max() : std::numeric_limits<qint32>::min();
}

// Adds one counted week's staff blocks into the scan. Returns false with `error` set at
// the first line that does not convert; the blocks before it stay added. The blocks of
// names left out (the tables are full) are not converted.
bool AddWeek(const QString& path, const WeekFileData& week, HistoryScan& scan, QString& trace,
             QString* error)
{
    for (int staff = 1; staff <= kLines; ++staff) {
        const QString& name = week.lines[staff].name;
        int i = scan.IndexOf(name);
        if (i < 0) {
            if (scan.HistoryNames.size() >= kHistoryCapacity) {
                trace += QStringLiteral(" Ignored >") + name + u'<';
                continue;
            }
            scan.HistoryNames.append(name);
            i = int(scan.HistoryNames.size()) - 1;
            trace += u' ' + IntToText(i + 1) + QStringLiteral(" Adding >") + name + u'<';
        } else {
            trace += u'.';
        }

        WeekFileHistoryBlock block;
        if (!ReadHistoryBlock(path, week, staff, &block, error))
            return false;
        const float difference = block.contracted - block.worked;
        scan.NameAdjHours[i] = scan.NameAdjHours[i] + difference;
        scan.NonPrefShifts[i] = SaturatingAdd(scan.NonPrefShifts[i], block.nonPref);
    }
    return true;
}

}  // namespace

QString HoursText(float value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[128];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

int HistoryScan::IndexOf(const QString& name) const
{
    for (qsizetype i = 0; i < HistoryNames.size(); ++i)
        if (HistoryNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool ScanStoredWeeks(const QString& folder, const QDate& analysisStart, const QDate& picked,
                     HistoryScan& scan, QStringList* damaged)
{
    scan.HistoryNames.clear();
    std::fill(std::begin(scan.NonPrefShifts), std::end(scan.NonPrefShifts), 0);
    std::fill(std::begin(scan.NameAdjHours), std::end(scan.NameAdjHours), 0.0f);
    if (folder.isEmpty())
        return true;

    // Whole-day dates: from the start date itself to two days before the picked one.
    const QDate after = analysisStart.addDays(-1);
    const QDate before = picked.addDays(-1);
    bool allRead = true;
    auto leaveOut = [&](const QString& message) {
        allRead = false;
        if (damaged)
            damaged->append(message);
    };
    for (const QString& path : ListWeekFiles(folder)) {
        const WeekFileHead head = ReadWeekFileHead(path);
        QString trace = QStringLiteral("File Date:") + head.firstLine;
        if (!head.read || !head.date.isValid()) {
            TraceLog(trace);
            leaveOut(head.error);
            continue;
        }
        const QDate d = head.date;
        const bool counts = after.isValid() && before.isValid() && after < d && d < before;
        if (counts) {
            // A week counts whole or not at all: it is read as the loader reads it (what
            // the loader refuses is left out), then added to a copy first.
            HistoryScan withWeek = scan;
            auto week = std::make_unique<WeekFileData>();
            QString failure;
            const bool added = ReadWeekFile(path, week.get(), &failure) &&
                               AddWeek(path, *week, withWeek, trace, &failure);
            TraceLog(trace);
            if (added)
                scan = std::move(withWeek);
            else
                leaveOut(failure);
        } else {
            TraceLog(trace);
        }
    }
    return allRead;
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
