#include "app/ClinicForm.h"
#include "app/ClinicScheduleForm.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "clinics/ClinicFile.h"
#include "document/ClinicNotesStep.h"
#include "document/EditorFileGuard.h"
#include "document/RequirementsStep.h"

#include <QLineEdit>

#include <QLabel>

namespace tavrola {

void MainWindow::Clinics1Click()
{
    // The ward's lock on Clinic.rtf while the editor is open; OK checks nobody changed it.
    EditorFileGuard guard(model_.Week.DataFolder + kClinicFileName,
                          QStringLiteral("The clinic list \"%1\"").arg(kClinicFileName));
    bool readOnly = false;
    if (!guard.open(*ui_, &readOnly))
        return;
    TClinicForm form(model_.Week.DataFolder, *ui_, this);
    if (readOnly)
        form.setWindowTitle(form.windowTitle() + QStringLiteral(" (read-only)"));
    form.setBeforeWrite([&] { return guard.mayWrite(*ui_); });
    if (!form.FormActivate())
        return;
    // The clinic extras may have changed: the required boxes follow, as one undo step.
    if (form.exec() == QDialog::Accepted)
        SetUpRequirementsStep(model_, *ui_);
}

void MainWindow::DayLabelClick(int day)
{
    // A second click on the heading whose list is up closes it.
    if (clinicPopUp_ && clinicPopUp_->isVisible() && clinicPopUp_->day() == day) {
        clinicPopUp_->close();
        return;
    }
    ClinicDayChoice choice;
    if (!ChooseClinicDay(model_, *ui_, day, &choice))
        return;
    if (!clinicPopUp_)
        clinicPopUp_ = new TClinicScheduleForm(model_, this);
    // The pop-up opens just under its day's heading.
    const QLabel* heading = grid_->DayLabels[day];
    clinicPopUp_->openFor(choice, heading->mapToGlobal(QPoint(0, heading->height())));
}

}  // namespace tavrola
