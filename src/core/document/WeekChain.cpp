#include "document/WeekChain.h"

#include "document/HistoryStep.h"
#include "document/RequirementsStep.h"
#include "document/Totals.h"
#include "document/WorkingTime.h"
#include "util/Locale.h"
#include "util/TraceLog.h"
#include "weeks/BankHolidays.h"
#include "document/WeekFileLoad.h"
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
// already. Abandoned: the week shown has changes, the user was asked about them (unless
// `asked` already) and cancelled, or the save did not happen; so neither does the pick.
Offer OfferStoredWeek(WardModel& model, WeekView& labels, Ui& ui, const QString& path, bool asked)
{
    if (!QFileInfo(path).isFile())
        return Offer::NotTaken;
    const QString question = kStoredWeekQuestionStart + QFileInfo(path).fileName() + kStoredWeekQuestionEnd;
    if (ui.askYesNo(question) != Answer::Yes)
        return Offer::NotTaken;
    // Loading the week shown again over its own changes: those are left too.
    if (!asked && !AskToLeaveWeek(model, labels, ui))
        return Offer::Abandoned;
    return AutoLoadRWKfile(model, labels, ui, path) ? Offer::Loaded : Offer::NotTaken;
}

}  // namespace

QString SaveChangesQuestion(const QDate& week)
{
    return QStringLiteral("Save changes to the week of %1?").arg(LongDateText(week));
}

bool AskToLeaveWeek(WardModel& model, WeekView& labels, Ui& ui)
{
    model.stopFill();  // its result is part of what may be saved
    if (!model.Week.RosterChanged)
        return true;
    const QDate shown = labels.ShownWeek.isValid() ? labels.ShownWeek : model.Week.PickerDate;
    switch (ui.askSaveDiscardCancel(SaveChangesQuestion(shown))) {
    case Answer::Yes: return SaveShownWeek(model, labels, ui);
    case Answer::No: return true;
    default: return false;
    }
}

void MarkBankHolidays(RosterWeek& w, WeekView& labels, int staff)
{
    const BankHolidayWeek holidays = FindBankHolidayWeek(w.PickerDate);
    for (int i = 0; i < holidays.count; ++i) {
        const BankHolidayMark& mark = holidays.marks[i];
        for (int line = 1; line <= staff; ++line)
            w.setColour(BoxRef::cell(mark.day, line), AlertColour);
        labels.HolidayLabels[mark.day] = QString::fromLatin1(mark.label);
    }
}

void DateTimePickerCloseUp(WardModel& model, WeekView& labels, Ui& ui, bool fromUser)
{
    RosterWeek& w = model.Week;
    // Whatever week comes, the fill's run belongs to the one shown so far.
    model.endFillRun();
    const QString path = WeekFileName(model);
    TraceLog(path);
    if (fromUser) {
        // Leaving an edited week asks first, before anything about the week picked.
        const bool leaving = labels.ShownWeek.isValid() && w.PickerDate != labels.ShownWeek;
        Offer offer = leaving && !AskToLeaveWeek(model, labels, ui) ? Offer::Abandoned
                                                                     : OfferStoredWeek(model, labels, ui, path, leaving);
        switch (offer) {
        case Offer::Loaded: return;
        case Offer::Abandoned:
            // The grid still shows the week it showed: so does the picker.
            if (labels.ShownWeek.isValid())
                w.PickerDate = labels.ShownWeek;
            emit model.labelsChanged();
            return;
        case Offer::NotTaken:
            // A new week without its file in force: nothing to guard until it is saved.
            if (leaving)
                model.File.detach();
            break;
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
                w.setColour(BoxRef::cell(day, line), w.BaseCellColours[day][line]);
    MarkBankHolidays(w, labels, staff);

    // The stored weeks around this one, read once here rather than on every edit.
    ReadRuleWeeks(model);
    labels.HospitalCaption = model.Settings.HOSPITAL;
    labels.WardCaption = model.Settings.WARD;
    UseStaffFileDataforInitialisation(model, labels.History, ui);
    SetupRequiredNurses(model, &ui);
    if (!w.Recalculate)
        TavrolaChange(model);
    RecheckRules(model);
    w.RequestsSaved = false;
    labels.ShownWeek = date;
    model.startFreshHistory();
    emit model.weekReplaced();
}

bool LoadClick(WardModel& model, WeekView& labels, Ui& ui)
{
    RosterWeek& w = model.Week;
    model.endFillRun();
    // Cancel, or a save that does not happen, and nothing is loaded.
    if (!AskToLeaveWeek(model, labels, ui))
        return false;

    const QString path = ui.chooseOpenFile(QStringLiteral("Load Tavrola week"), w.DataFolder, kWeekFileOpenFilter);
    bool loaded = false;
    if (!path.isEmpty()) {
        TraceLog(kTwoLineBreaks + QStringLiteral("INTO LoadClick ") + path);
        bool readOnly = false;
        if (!model.File.askAboutHeldFile(path, ui, &readOnly))
            return false;
        QString error;
        loaded = LoadWeekFile(model, labels, path, &error);
        if (!loaded) {
            ui.showError(error);
            return false;
        }
        emit model.settingsChanged();  // the file's names, duty names and hours
    }
    DateTimePickerCloseUp(model, labels, ui, false);
    return loaded;
}

bool AutoLoadRWKfile(WardModel& model, WeekView& labels, Ui& ui, const QString& path)
{
    TraceLog(kTwoLineBreaks + QStringLiteral("INTO AutoLoadRWKfile ") + path);
    model.endFillRun();
    bool readOnly = false;
    if (!model.File.askAboutHeldFile(path, ui, &readOnly))
        return false;
    QString error;
    if (!LoadWeekFile(model, labels, path, &error)) {
        ui.showError(error);
        return false;
    }
    emit model.settingsChanged();
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
