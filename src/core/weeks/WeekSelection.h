#pragma once
#include "Ui.h"
#include "roster/WardModel.h"
#include "weeks/WeekView.h"

#include <QString>

namespace tavrola {

inline const QString kStoredWeekQuestionStart =
    QStringLiteral("You already have an Tavrola file saved for this week, ");
inline const QString kStoredWeekQuestionEnd = QStringLiteral(" do you wish to Load ?");

// The week selection, run when the user closes the week picker (`fromUser`) and, with
// `fromUser` false, after every load, after the ward settings editor and once at start.
//  1. When the user picked the week and its file exists in the data folder: asks whether
//     to load it; on Yes asks about unsaved changes (saving them under the week the grid
//     shows) and loads it, which runs this selection again without asking.
//  2. Decodes the picker's date into labels.WeekYear/WeekMonth/WeekDay and, once a week
//     is chosen, sets the week-of-month label.
//  3. Empties the holiday labels and gives the cells of lines 1..NumberOfStaff their
//     BaseCellColours, except after a load (not from the picker, a week file in force):
//     a loaded week keeps its stored colours.
//  4. Colours the bank holidays of the week orange on lines 1..NumberOfStaff and sets
//     their labels.
//  5. Shows the ward's names, recalculates, sets the required boxes from the settings
//     and the clinic schedule, and forgets the automatic fill's copy of requests.
// The picker's date is used as picked; it is not moved to its Monday.
void DateTimePickerCloseUp(WardModel& model, WeekView& labels, Ui& ui, bool fromUser);

// The week-of-month text for a week whose Monday is this day of the month: "Wk1" for
// the 1st, "Wk1/2" for the 4th (the week runs into the second), "Wk5" for the 29th.
QString WeekOfMonthText(int dayOfMonth);

}  // namespace tavrola
