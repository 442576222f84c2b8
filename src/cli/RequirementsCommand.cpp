#include "cli/CliCommon.h"

#include "autofill/RequiredNurses.h"
#include "clinics/ClinicFile.h"
#include "settings/StaffFile.h"
#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TextUtil.h"

namespace tavrola::cli {

namespace {

class RequirementsVerb final : public Command {
public:
    const char* name() const override { return "requirements"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{"week", "DATE", OptionKind::Date, Shown::Required},
                                              kDataOption,
                                              kJsonOption};
        return list;
    }
    const char* help() const override
    {
        return "  requirements --week DATE\n"
               "                   staff required on each shift of the week: standing plus clinic\n"
               "                   extras, one line per day and shift (Monday AM, PM, N, Tuesday AM,\n"
               "                   ...); --json gives {day, shift, standing, clinic_extra, required}\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int RequirementsVerb::execute(const CommandArgs& common, Console& io) const
{
    const QDate week = common.week;
    WardModel model;
    if (!LoadWard(model, common.dataFolder, io))
        return BadInput;

    QString error;
    const QStringList clinicLines = ReadClinicLines(common.dataFolder, &error);
    if (!error.isEmpty()) {
        io.error(error);
        return BadInput;
    }
    const QString clinicPath = common.dataFolder + kClinicFileName;
    const Requirements r = ComputeRequirements(model.Settings, week, clinicLines);
    if (r.overflow) {
        io.error(QStringLiteral("Integer overflow adding the clinic extras of %1 to the requirements of %2")
                     .arg(Quoted(clinicPath), Quoted(common.dataFolder + kStaffFileName)));
        return BadInput;
    }

    if (!common.json)
        io.line(QStringLiteral("day\tshift\tstanding\tclinic_extra\trequired"));
    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            const QString dayName = QString(DayName(day));
            const QString shiftName = QString(ShiftCode(shift));
            const qint32 standing = model.Settings.StaffRequired[day][shift];
            const qint32 extra = r.ClinicExtra[day][shift];
            const qint32 required = r.Required[day][shift];
            if (common.json) {
                io.line(JsonLine()
                            .add("day", dayName)
                            .add("shift", shiftName)
                            .add("standing", qint64(standing))
                            .add("clinic_extra", qint64(extra))
                            .add("required", qint64(required))
                            .text());
            } else {
                io.line(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                            .arg(dayName, shiftName, IntToText(standing), IntToText(extra), IntToText(required)));
            }
        }
    }
    return Ok;
}

const Command& RequirementsCommand()
{
    static const RequirementsVerb command;
    return command;
}

}  // namespace tavrola::cli
