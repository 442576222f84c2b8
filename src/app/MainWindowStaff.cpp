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
    TraceLog(QStringLiteral("\n\r\n\rINTO EditStaffFile1Click"));
    // The reload after OK replaces the grid's staff columns: leaving a changed week asks
    // first, and a save happens under the settings the week was made with.
    if (!SaveBeforeStaffReload(model_, *ui_))
        return;
    StaffForm form(model_, *ui_, this);
    if (form.exec() != QDialog::Accepted)
        return;  // Cancel: Staff.txt and the grid stay as they were
    if (ReloadAfterStaffEditor(model_, model_.Labels, *ui_)) {
        statusBar()->showMessage(tr("Ward settings saved to Staff.txt and put on the grid"), 5000);
    }
}

}  // namespace tavrola
