#include "cli/CliCommon.h"

#include "autofill/RequiredNurses.h"
#include "clinics/ClinicFile.h"
#include "settings/StaffFile.h"
#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TextUtil.h"

namespace tavrola::cli {

namespace {
}  // namespace

int RunRequirements(const QStringList& args, const QString& programFolder)
{
    static const CommandSyntax syntax{"requirements", "requirements --week DATE [--data DIR] [--json]", true, false, 0, 0};
    CommandArgs common;
    if (const int rc = ParseCommand(args, programFolder, syntax, &common); rc >= 0)
        return rc;
    const QDate week = common.week;
    WardModel model;
    if (!LoadWard(model, common.dataFolder))
        return BadInput;

    QString error;
    const QStringList clinicLines = ReadClinicLines(common.dataFolder, &error);
    if (!error.isEmpty()) {
        PrintError(error);
        return BadInput;
    }
    const QString clinicPath = common.dataFolder + kClinicFileName;
    const Requirements r = ComputeRequirements(model.Settings, week, clinicLines);
    if (r.overflow) {
        PrintError(QStringLiteral("Integer overflow adding the clinic extras of %1 to the requirements of %2")
                       .arg(Quoted(clinicPath), Quoted(common.dataFolder + kStaffFileName)));
        return BadInput;
    }

    if (!common.json)
        PrintLine(QStringLiteral("day\tshift\tstanding\tclinic_extra\trequired"));
    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            const QString dayName = QString(DayName(day));
            const QString shiftName = QString(ShiftCode(shift));
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
