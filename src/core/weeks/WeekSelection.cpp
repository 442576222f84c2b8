#include "weeks/WeekSelection.h"

#include "weeks/HistoryScan.h"

#include "autofill/RequiredNurses.h"
#include "roster/Totals.h"
#include "util/TraceLog.h"
#include "weeks/BankHolidays.h"
#include "weeks/WeekFileCommands.h"
#include "weeks/WeekFileName.h"

#include <QFileInfo>
#include <cmath>

namespace tavrola {

namespace {

// Saves unsaved changes under the week the grid shows: by the time the picker closes it
// already holds the new date, and saving under that would put this week's roster into
// the very file about to be loaded.
void SaveShownWeek(WardModel& model, const WeekView& labels, Ui& ui)
{
    RosterWeek& w = model.Week;
    const QDate picked = w.PickerDate;
    if (labels.ShownWeek.isValid())
        w.PickerDate = labels.ShownWeek;
    SaveClick(model, ui);
    w.PickerDate = picked;
}

// Offers the stored file of a picked week. True when it was loaded (the load has run
// the whole selection already).
bool OfferStoredWeek(WardModel& model, WeekView& labels, Ui& ui, const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    const QString question = kStoredWeekQuestionStart + QFileInfo(path).fileName() + kStoredWeekQuestionEnd;
    if (ui.askYesNo(question) != Answer::Yes)
        return false;
    if (model.Week.RosterChanged && ui.askYesNo(kSaveChangesQuestion) == Answer::Yes)
        SaveShownWeek(model, labels, ui);
    return AutoLoadRWKfile(model, labels, ui, path);
}

void MarkBankHolidays(RosterWeek& w, WeekView& labels, int staff)
{
    const BankHolidayWeek* row = FindBankHolidayWeek(w.PickerDate);
    if (!row)
        return;
    for (const BankHolidayMark& mark : row->marks) {
        if (mark.day < 1 || mark.day > kDays)
            continue;
        for (int line = 1; line <= staff; ++line)
            w.DayCells[mark.day][line].setColour(AlertColour);
        labels.HolidayLabels[mark.day] = QString::fromLatin1(mark.label);
    }
}

}  // namespace

QString WeekOfMonthText(int dayOfMonth)
{
    const long double seventh = 0.142857142857142857L;
    const int a = int(std::trunc(dayOfMonth * seventh - 0.142L)) + 1;
    const int b = int(std::trunc((dayOfMonth + 4) * seventh - 0.142L)) + 1;
    if (a == b)
        return QStringLiteral("Wk%1").arg(a);
    return QStringLiteral("Wk%1/%2").arg(a).arg(b);
}

void DateTimePickerCloseUp(WardModel& model, WeekView& labels, Ui& ui, bool fromUser)
{
    RosterWeek& w = model.Week;
    const QString path = WeekFileName(model);
    TraceLog(path);
    if (fromUser && OfferStoredWeek(model, labels, ui, path))
        return;

    const QDate date = w.PickerDate;
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
        TavrolaChange(model, &ui);
    w.RequestsSaved = false;
    labels.ShownWeek = date;
}

}  // namespace tavrola
