#pragma once
#include "Ui.h"
#include "roster/WardModel.h"

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

}  // namespace tavrola
