#include "weeks/WeekFileCommands.h"

#include "roster/Totals.h"
#include "util/ConversionError.h"
#include "util/TextFile.h"
#include "util/TraceLog.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileLoad.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekSelection.h"

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
    TavrolaChange(model, &ui);

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
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".rwk");
    TraceLog(kTwoLineBreaks + QStringLiteral("INTO SaveClick ") + path);

    QString error;
    if (!WriteTextFileAtomically(path, WeekFileText(data), &error)) {
        ui.showError(error);
        return false;
    }
    w.RosterChanged = false;
    return true;
}

bool LoadClick(WardModel& model, WeekView& labels, Ui& ui)
{
    RosterWeek& w = model.Week;
    if (w.RosterChanged && ui.askYesNo(kSaveChangesQuestion) == Answer::Yes)
        SaveClick(model, ui);

    const QString path = ui.chooseOpenFile(QStringLiteral("Load Tavrola week"), w.DataFolder, kWeekFileOpenFilter);
    bool loaded = false;
    if (!path.isEmpty()) {
        TraceLog(kTwoLineBreaks + QStringLiteral("INTO LoadClick ") + path);
        QString error;
        loaded = LoadWeekFile(model, labels, path, &error);
        if (!loaded) {
            w.RecalcSuspended = false;
            ui.showError(error);
            return false;
        }
    }
    w.RecalcSuspended = false;
    DateTimePickerCloseUp(model, labels, ui, false);
    return loaded;
}

bool AutoLoadRWKfile(WardModel& model, WeekView& labels, Ui& ui, const QString& path)
{
    TraceLog(kTwoLineBreaks + QStringLiteral("INTO AutoLoadRWKfile ") + path);
    QString error;
    const bool loaded = LoadWeekFile(model, labels, path, &error);
    model.Week.RecalcSuspended = false;
    if (!loaded) {
        ui.showError(error);
        return false;
    }
    DateTimePickerCloseUp(model, labels, ui, false);
    return true;
}

void NonPrefTimerTimer(WardModel& model, WeekView& labels, Ui& ui, const QString& firstArgument)
{
    if (!firstArgument.isEmpty() && AutoLoadRWKfile(model, labels, ui, firstArgument))
        return;
    DateTimePickerCloseUp(model, labels, ui, false);
}

}  // namespace tavrola
