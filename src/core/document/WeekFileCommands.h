#pragma once
#include "Ui.h"
#include "document/WardModel.h"
#include "weeks/WeekFileFormat.h"

#include <QString>

namespace tavrola {

inline const QString kChooseWeekFirstMessage = QStringLiteral("Please set the tavrola \"Week Commencing Date\"");
inline const QString kWeekFileSaveFilter = QStringLiteral("Tavrola files (*.rwk)");
inline const QString kWeekFileOpenFilter = QStringLiteral("Tavrola Files (*.rwk)");

// File > Save. Refuses with a message until a week is chosen; recalculates; asks for a
// name in the data folder (proposing the week's own name, ".rwk" added when the name
// chosen has no extension) and replaces the file atomically. RosterChanged is cleared
// only once the file is written: a cancelled dialog or a failed write keep it set.
// Returns whether the week was written.
bool SaveClick(WardModel& model, Ui& ui);

// The week as the grid holds it, for saving. The contracted hours are the first number
// of each hours-set text. Throws ConversionError (naming the staff line) when an
// hours-set text holds a number that does not convert.
WeekFileData WeekFileDataFromModel(const WardModel& model);

// The file name of the week in the picker (without and with the data folder): the name
// the week selection looks for and the save proposes.
QString WeekFileBaseName(const WardModel& model);
QString WeekFileName(const WardModel& model);

}  // namespace tavrola
