#include "cli/CliCommon.h"

#include "autofill/RequiredNurses.h"
#include "clinics/RtfReader.h"
#include "util/Locale.h"
#include "util/TextUtil.h"

#include <QFileInfo>

namespace tavrola::cli {

namespace {
const char* const kDayNames[kDays + 1] = {"", "Monday", "Tuesday", "Wednesday", "Thursday",
                                          "Friday", "Saturday", "Sunday"};
const char* const kShiftNames[kShifts + 1] = {"", "AM", "PM", "N"};
}  // namespace

QDate TakeWeekOption(QStringList& rest, QString* error)
{
    QString text;
    bool given = false;
    for (int i = 0; i < rest.size();) {
        if (rest[i] == QLatin1String("--week")) {
            if (i + 1 >= rest.size()) {
                *error = QStringLiteral("--week needs a date");
                return {};
            }
            text = rest[i + 1];
            rest.remove(i, 2);
            given = true;
        } else if (rest[i].startsWith(QLatin1String("--week="))) {
            text = rest[i].mid(7);
            rest.remove(i);
            given = true;
        } else {
            ++i;
        }
    }
    if (!given) {
        *error = QStringLiteral("--week DATE is required");
        return {};
    }
    const QDate week = ParseDateText(text);
    if (!week.isValid())
        *error = QStringLiteral("'%1' is not a date (use yyyy-mm-dd or dd/mm/yyyy)").arg(text);
    return week;
}

int RunRequirements(const QStringList& args, const QString& programFolder)
{
    CommonArgs common = ParseCommonArgs(args, programFolder);
    QString error = common.error;
    const QDate week = error.isEmpty() ? TakeWeekOption(common.rest, &error) : QDate();
    if (error.isEmpty() && !common.rest.isEmpty())
        error = QStringLiteral("requirements takes no argument '%1'").arg(common.rest.first());
    if (!error.isEmpty()) {
        PrintError(error);
        return Usage;
    }
    WardModel model;
    if (!LoadWard(model, common.dataFolder))
        return BadInput;

    QStringList clinicLines;
    const QString clinicPath = common.dataFolder + kClinicFileName;
    if (QFileInfo::exists(clinicPath)) {
        const RtfText clinics = ReadRtfFile(clinicPath);
        if (!clinics.ok) {
            PrintError(clinics.error);
            return BadInput;
        }
        clinicLines = clinics.lines;
    }
    const Requirements r = ComputeRequirements(model.Settings, week, clinicLines);
    if (r.overflow) {
        PrintError(QStringLiteral("Integer overflow adding the clinic extras of \"%1\" to the requirements of \"%2\"")
                       .arg(clinicPath, common.dataFolder + QStringLiteral("Staff.txt")));
        return BadInput;
    }

    if (!common.json)
        PrintLine(QStringLiteral("day\tshift\tstanding\tclinic_extra\trequired"));
    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            const QString dayName = QString::fromLatin1(kDayNames[day]);
            const QString shiftName = QString::fromLatin1(kShiftNames[shift]);
            const qint32 standing = model.Settings.StaffRequired[day][shift];
            const qint32 extra = r.ClinicExtra[day][shift];
            const qint32 required = r.Required[day][shift];
            if (common.json) {
                PrintLine(JsonLine()
                              .add("day", dayName)
                              .add("shift", shiftName)
                              .add("standing", qint64(standing))
                              .add("clinic_extra", qint64(extra))
                              .add("required", qint64(required))
                              .text());
            } else {
                PrintLine(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                              .arg(dayName, shiftName, IntToText(standing), IntToText(extra), IntToText(required)));
            }
        }
    }
    return Ok;
}

}  // namespace tavrola::cli
