#pragma once
#include "document/WardModel.h"
#include "settings/StaffFile.h"

#include <QString>

namespace tavrola {

// Lays a successful read onto the model: the settings, the staff lines on the grid (name,
// skill codes, grade, hours set, standard shift as the day cells' hint, preferred days as
// cell colours), then records BaseCellColours. The required-staff boxes are the caller's:
// without a week file loaded it sets them up afterwards (SetupRequiredNurses).
void ApplyStaffFile(WardModel& model, const StaffFileReadResult& read);

// Reads Staff.txt from the data folder and applies it, with the working-time limits of
// Rules.txt beside it (`rulesProblems` names its damaged lines, whose defaults are kept).
// On failure nothing changes and `error` says what went wrong, naming the file.
bool Read_StaffTxtFile(WardModel& model, QString* error, QStringList* rulesProblems = nullptr);

// Read_StaffTxtFile for the reload after the staff editor: the grid then agrees with the
// file, so the lines past the file's staff lose their name, skill codes, grade, hours set,
// standard shift and preferred days too (their day texts and notes stay: they are the
// week's).
bool ReloadStaffTxtFile(WardModel& model, QString* error);

}  // namespace tavrola
