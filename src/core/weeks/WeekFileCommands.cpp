#include "weeks/WeekFileCommands.h"

#include "roster/Totals.h"
#include "util/ConversionError.h"
#include "util/FileAccess.h"
#include "util/TextFile.h"
#include "util/TraceLog.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileName.h"

#include <QFileInfo>

namespace tavrola {

namespace {
const QString kTwoLineBreaks = QStringLiteral("\n\r\n\r");
}  // namespace

bool SaveClick(WardModel& model, Ui& ui)
{
    RosterWeek& w = model.Week;
    if (!w.WeekChosen()) {
        ui.showError(kChooseWeekFirstMessage);
        return false;
    }
    TavrolaChange(model);

    WeekFileData data;
    try {
        data = WeekFileDataFromModel(model);
    } catch (const ConversionError& e) {
        ui.showError(e.message());
        return false;
    }

    QString path = ui.chooseSaveFile(QStringLiteral("Save Tavrola week"), w.DataFolder, WeekFileBaseName(model),
                                     kWeekFileSaveFilter);
    if (path.isEmpty())
        return false;
    // A folder is not a name to save under (nor is "folder.rwk" beside it).
    if (IsFolder(path)) {
        ui.showError(QStringLiteral("Cannot save the week as %1: it is a folder").arg(Quoted(path)));
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".rwk");
    TraceLog(kTwoLineBreaks + QStringLiteral("INTO SaveClick ") + path);

    QString error;
    if (!WriteTextFileAtomically(path, WeekFileText(data), &error)) {
        ui.showError(error);
        return false;
    }
    model.markSaved();
    return true;
}

}  // namespace tavrola
