#include "document/WeekChain.h"

#include "document/HistoryStep.h"
#include "document/RequirementsStep.h"
#include "roster/Totals.h"
#include "util/TraceLog.h"
#include "weeks/WeekFileLoad.h"
#include "weeks/WeekFileName.h"

#include <QFileInfo>

namespace tavrola {

namespace {

const QString kTwoLineBreaks = QStringLiteral("\n\r\n\r");

// Saves unsaved changes under the week the grid shows: by the time the picker closes it
// already holds the new date, and saving under that would put this week's roster into
// the very file about to be loaded.
bool SaveShownWeek(WardModel& model, const WeekView& labels, Ui& ui)
{
    RosterWeek& w = model.Week;
    const QDate picked = w.PickerDate;
    if (labels.ShownWeek.isValid())
        w.PickerDate = labels.ShownWeek;
    const bool saved = SaveClick(model, ui);
    w.PickerDate = picked;
    return saved;
}

enum class Offer { NotTaken, Loaded, Abandoned };

// Offers the stored file of a picked week. Loaded: the load has run the whole selection
// already. Abandoned: the user wanted the unsaved changes saved first and that did not
// happen, so neither does the pick.
Offer OfferStoredWeek(WardModel& model, WeekView& labels, Ui& ui, const QString& path)
{
    if (!QFileInfo(path).isFile())
        return Offer::NotTaken;
    const QString question = kStoredWeekQuestionStart + QFileInfo(path).fileName() + kStoredWeekQuestionEnd;
    if (ui.askYesNo(question) != Answer::Yes)
        return Offer::NotTaken;
    if (model.Week.RosterChanged && ui.askYesNo(kSaveChangesQuestion) == Answer::Yes &&
        !SaveShownWeek(model, labels, ui))
        return Offer::Abandoned;
    return AutoLoadRWKfile(model, labels, ui, path) ? Offer::Loaded : Offer::NotTaken;
}

}  // namespace

void DateTimePickerCloseUp(WardModel& model, WeekView& labels, Ui& ui, bool fromUser)
{
    RosterWeek& w = model.Week;
    const QString path = WeekFileName(model);
    TraceLog(path);
    if (fromUser) {
        switch (OfferStoredWeek(model, labels, ui, path)) {
        case Offer::Loaded: return;
        case Offer::Abandoned:
            // The grid still shows the week it showed: so does the picker.
            if (labels.ShownWeek.isValid())
                w.PickerDate = labels.ShownWeek;
            return;
        case Offer::NotTaken: break;
        }
    }

    const QDate date = w.PickerDate;
    w.WeekSelected = true;
    labels.WeekYear = quint16(date.year());
    labels.WeekMonth = quint16(date.month());
    labels.WeekDay = quint16(date.day());
    TraceLog(QStringLiteral("DecodeDate - Year:%1 Month:%2 Day:%3")
                 .arg(labels.WeekYear)
                 .arg(labels.WeekMonth)
                 .arg(labels.WeekDay));
    if (w.WeekChosen())
        labels.WeekOfMonthLabel = WeekOfMonthText(labels.WeekDay);

    const int staff = w.NumberOfStaff();
    for (QString& label : labels.HolidayLabels)
        label.clear();
    const bool keepLoadedColours = !fromUser && w.RosterFileLoaded;
    if (!keepLoadedColours)
        for (int line = 1; line <= staff; ++line)
            for (int day = 1; day <= kDays; ++day)
                w.DayCells[day][line].setColour(w.BaseCellColours[day][line]);
    MarkBankHolidays(w, labels, staff);

    labels.HospitalCaption = model.Settings.HOSPITAL;
    labels.WardCaption = model.Settings.WARD;
    UseStaffFileDataforInitialisation(model, labels.History, ui);
    SetupRequiredNurses(model, &ui);
    if (!w.Recalculate)
        TavrolaChange(model);
    w.RequestsSaved = false;
    labels.ShownWeek = date;
    model.startFreshHistory();
}

bool LoadClick(WardModel& model, WeekView& labels, Ui& ui)
{
    RosterWeek& w = model.Week;
    // Yes means the changes must be kept: when the save does not happen, neither does
    // the load.
    if (w.RosterChanged && ui.askYesNo(kSaveChangesQuestion) == Answer::Yes && !SaveClick(model, ui))
        return false;

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
