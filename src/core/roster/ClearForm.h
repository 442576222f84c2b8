#pragma once
#include "Ui.h"
#include "roster/RosterWeek.h"

namespace tavrola {

inline const QString kClearFormQuestion = QStringLiteral(
    "This will clear the entire Tavrola form, continue?\r\rClick \"All\" to clear saved requests at the same time.");

// The Clear Form command: Yes empties notes and day cells (putting saved requests back
// when the automatic fill took a copy), All also forgets the saved requests, No does
// nothing. Names, grades, hours set, colours and required boxes are never touched.
void ClearForm1Click(RosterWeek& week, Ui& ui);

}  // namespace tavrola
