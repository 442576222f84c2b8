#include "app/ClinicForm.h"
#include "app/ClinicScheduleForm.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "document/ClinicNotesStep.h"
#include "document/RequirementsStep.h"

#include <QLineEdit>

namespace tavrola {

void MainWindow::Clinics1Click()
{
    TClinicForm form(model_.Week.DataFolder, *ui_, this);
    if (!form.FormActivate())
        return;
    // The clinic extras may have changed: the required boxes follow, as one undo step.
    if (form.exec() == QDialog::Accepted)
        SetUpRequirementsStep(model_, *ui_);
}

void MainWindow::DayLabelClick(int day)
{
    ClinicDayChoice choice;
    if (!ChooseClinicDay(model_, *ui_, day, &choice))
        return;
    if (!clinicPopUp_)
        clinicPopUp_ = new TClinicScheduleForm(model_, this);
    // The pop-up stands at the top of the screen, at the left edge of the day's column.
    const QLineEdit* first = grid_->editFor(model_.Week.DayCells[day][1]);
    const int left = first ? first->mapToGlobal(QPoint(0, 0)).x() : x();
    clinicPopUp_->openFor(choice, QPoint(left, 0));
}

}  // namespace tavrola
