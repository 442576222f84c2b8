// File > Setup Ward/Staff: the ward and staff editor, and the reload after it.
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "app/StaffForm.h"
#include "document/EditorFileGuard.h"
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
    // The ward's lock on Staff.txt while the editor is open; OK checks nobody changed it.
    EditorFileGuard guard(model_.Week.DataFolder + kStaffFileName,
                          QStringLiteral("The ward settings file \"%1\"").arg(kStaffFileName));
    bool readOnly = false;
    if (!guard.open(*ui_, &readOnly))
        return;
    StaffForm form(model_, *ui_, this);
    if (readOnly)
        form.setWindowTitle(form.windowTitle() + QStringLiteral(" (read-only)"));
    form.setBeforeWrite([&] { return guard.mayWrite(*ui_); });
    if (form.exec() != QDialog::Accepted)
        return;  // Cancel: Staff.txt and the grid stay as they were
    if (ReloadAfterStaffEditor(model_, model_.Labels, *ui_)) {
        statusBar()->showMessage(tr("Ward settings saved to Staff.txt and put on the grid"), 5000);
    }
}

}  // namespace tavrola
