#include "document/RequirementsStep.h"

#include "autofill/RequiredNurses.h"
#include "clinics/ClinicFile.h"
#include "util/TextUtil.h"

namespace tavrola {

void SetupRequiredNurses(WardModel& model, Ui* ui)
{
    QString error;
    const QStringList clinicLines = model.clinicLines(&error);
    if (!error.isEmpty() && ui)
        ui->showError(error);
    const Requirements r = ComputeRequirements(model.Settings, model.Week.PickerDate, clinicLines);
    if (r.overflow && ui)
        ui->showError(QStringLiteral("Integer overflow"));
    for (int shift = 1; shift <= kShifts; ++shift)
        for (int day = 1; day <= kDays; ++day)
            model.Week.setText(BoxRef::required(day, shift), IntToText(r.Required[day][shift]));
    if (model.Week.Recalculate)
        model.Week.Recalculate();
}

void ApplyStandingRequirements(RosterWeek& w, const WardSettings& s)
{
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            w.setText(BoxRef::required(day, shift), IntToText(s.StaffRequired[day][shift]));
}

std::vector<BoxEdit> RequirementsEdits(const Requirements& r)
{
    std::vector<BoxEdit> edits;
    for (int shift = 1; shift <= kShifts; ++shift)
        for (int day = 1; day <= kDays; ++day)
            edits.push_back({BoxRef::required(day, shift), IntToText(r.Required[day][shift]), White});
    return edits;
}

bool SetUpRequirementsStep(WardModel& model, Ui& ui)
{
    QString error;
    const QStringList clinicLines = model.clinicLines(&error);
    if (!error.isEmpty())
        ui.showError(error);
    const Requirements r = ComputeRequirements(model.Settings, model.Week.PickerDate, clinicLines);
    if (r.overflow)
        ui.showError(QStringLiteral("Integer overflow"));
    return model.applyEdits(QStringLiteral("Set up requirements"), RequirementsEdits(r));
}

}  // namespace tavrola
