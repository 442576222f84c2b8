#pragma once
#include "Ui.h"
#include "document/WardModel.h"
#include "document/WeekFileCommands.h"
#include "weeks/WeekSelection.h"
#include "weeks/WeekView.h"

#include <QString>

namespace tavrola {

// "Save changes to the week of Monday, 30 November 2026?"
QString SaveChangesQuestion(const QDate& week);

// Leaving the week shown (another week, a load, the staff editor, closing): stops a
// running fill, and when the week has changes its file does not hold asks
// SaveChangesQuestion with Save / Discard / Cancel. Save writes the week under the date
// the grid shows. Returns whether to go on: false on Cancel or when the save was
// cancelled or failed.
bool AskToLeaveWeek(WardModel& model, WeekView& labels, Ui& ui);

// The week selection, run when the user closes the week picker (`fromUser`) and, with
// `fromUser` false, after every load, after the ward settings editor and once at start.
//  1. When the user picked another week than the one shown, leaving it asks first
//     (AskToLeaveWeek). Then, when the picked week's file exists in the data folder:
//     asks whether to load it and on Yes loads it, which runs this selection again
//     without asking. On Cancel, or when the save is cancelled or fails, the pick is
//     abandoned: the grid, the labels and the flags stay, and the picker's date goes
//     back to the week shown. Without a stored file the grid keeps its duties: that is
//     how a ward starts a new week from the last.
//  2. Decodes the picker's date into labels.WeekYear/WeekMonth/WeekDay and, once a week
//     is chosen, sets the week-of-month label.
//  3. Empties the holiday labels and gives the cells of lines 1..NumberOfStaff their
//     BaseCellColours, except after a load (not from the picker, a week file in force):
//     a loaded week keeps its stored colours.
//  4. Colours the bank holidays of the week orange on lines 1..NumberOfStaff and sets
//     their labels.
//  5. Reads the stored weeks around the week for the working-time rules, shows the
//     ward's names, recalculates (the rules checked with the totals), sets the required boxes from the settings
//     and the clinic schedule, and forgets the automatic fill's copy of requests.
//  6. Starts a fresh undo history; the changed mark stays as it is (a picked week keeps
//     the grid's unsaved entries, a loaded one is unchanged).
// The window moves a picked or typed date to its Monday first; a date read from a week
// file stays as stored.
void DateTimePickerCloseUp(WardModel& model, WeekView& labels, Ui& ui, bool fromUser);

// File > Load. Leaving the week asks first (on Cancel, or when the save is cancelled or
// fails, nothing is loaded), asks for a file in the data folder,
// reads it and runs the week selection. A cancelled dialog still runs the week
// selection; a file that does not read is reported (file and line) and changes nothing,
// and then no week selection follows. Returns whether a week was loaded.
bool LoadClick(WardModel& model, WeekView& labels, Ui& ui);

// Loads the named week file without asking, then runs the week selection. A file that
// does not read is reported and changes nothing. Returns whether the week was loaded.
bool AutoLoadRWKfile(WardModel& model, WeekView& labels, Ui& ui, const QString& path);

// The deferred start: loads the week file named by the program's first argument, or
// (without one, or when it does not load) runs the week selection for the picker's date.
void NonPrefTimerTimer(WardModel& model, WeekView& labels, Ui& ui, const QString& firstArgument);

// Colours the bank holidays of the picked week orange (AlertColour) on lines 1..staff and
// sets their labels; a week without one is left alone.
void MarkBankHolidays(RosterWeek& week, WeekView& labels, int staff);

}  // namespace tavrola
