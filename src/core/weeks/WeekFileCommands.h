#pragma once
#include "Ui.h"
#include "roster/WardModel.h"
#include "weeks/WeekView.h"

#include <QString>

namespace tavrola {

inline const QString kChooseWeekFirstMessage = QStringLiteral("Please set the tavrola \"Week Commencing Date\"");
inline const QString kSaveChangesQuestion = QStringLiteral("You have made Tavrola changes, do you wish to Save ?");
inline const QString kWeekFileSaveFilter = QStringLiteral("Tavrola files (*.rwk)");
inline const QString kWeekFileOpenFilter = QStringLiteral("Tavrola Files (*.rwk)");

// File > Save. Refuses with a message until a week is chosen; recalculates; asks for a
// name in the data folder (proposing the week's own name, ".rwk" added when the name
// chosen has no extension) and replaces the file atomically. RosterChanged is cleared
// only once the file is written: a cancelled dialog or a failed write keep it set.
// Returns whether the week was written.
bool SaveClick(WardModel& model, Ui& ui);

// File > Load. Offers to save unsaved changes, asks for a file in the data folder,
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

}  // namespace tavrola
