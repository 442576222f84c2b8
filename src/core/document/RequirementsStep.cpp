#include "document/RequirementsStep.h"

#include "autofill/RequiredNurses.h"
#include "clinics/ClinicFile.h"
#include "util/TextUtil.h"

namespace tavrola {

void SetupRequiredNurses(WardModel& model, Ui* ui)
{
    QString error;
    const QStringList clinicLines = ReadClinicLines(model.Week.DataFolder, &error);
    if (!error.isEmpty() && ui)
        ui->showError(error);
    const Requirements r = ComputeRequirements(model.Settings, model.Week.PickerDate, clinicLines);
    if (r.overflow && ui)
        ui->showError(QStringLiteral("Integer overflow"));
    for (int shift = 1; shift <= kShifts; ++shift)
        for (int day = 1; day <= kDays; ++day)
            model.Week.ShiftRequiredEdits[day][shift].setText(IntToText(r.Required[day][shift]));
    if (model.Week.Recalculate)
        model.Week.Recalculate();
}

}  // namespace tavrola
