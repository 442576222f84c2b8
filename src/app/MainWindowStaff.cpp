// File > Setup Ward/Staff: the ward and staff editor, and the reload after it.
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "app/StaffForm.h"
#include "document/StaffEditorSteps.h"
#include "util/TraceLog.h"

#include <QStatusBar>

namespace tavrola {

void MainWindow::EditStaffFile1Click()
{
    // The reload after OK replaces the grid's staff: no fill may be running.
    stopFill();
    TraceLog(QStringLiteral("\n\r\n\rINTO EditStaffFile1Click"));
    StaffForm form(model_, *ui_, this);
    // The reload replaces the grid's staff columns: a changed week may be saved first,
    // under the settings it was made with.
    form.setBeforeWrite([this] { return SaveBeforeStaffReload(model_, *ui_); });
    if (form.exec() != QDialog::Accepted)
        return;  // Cancel: Staff.txt and the grid stay as they were
    if (ReloadAfterStaffEditor(model_, labels_, *ui_)) {
        showWardNames();
        showWeek();
        statusBar()->showMessage(tr("Ward settings saved to Staff.txt and put on the grid"), 5000);
    }
}

}  // namespace tavrola
