#pragma once
#include "Ui.h"
#include "document/WardModel.h"

namespace tavrola {

inline const QString kClearFormQuestion = QStringLiteral(
    "This will clear the entire Tavrola form, continue?\r\rClick \"All\" to clear saved requests at the same time.");

// The Clear Form command: Yes empties notes and day cells (putting saved requests back
// when the automatic fill took a copy), All also forgets the saved requests, No does
// nothing. Names, grades, hours set, colours and required boxes are never touched. One
// undoable step.
void ClearForm1Click(WardModel& model, Ui& ui);

}  // namespace tavrola
