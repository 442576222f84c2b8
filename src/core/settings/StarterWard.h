#pragma once
#include "settings/StaffFile.h"

namespace tavrola {

// A starter ward for a first start without Staff.txt: common duty codes and hours, core
// hours for the three shifts, modest requirements and two example staff lines to copy.
StaffEditorData StarterWardData();

// Writes the starter ward as Staff.txt into the folder (only when none exists there).
bool CreateStarterWard(const QString& dataFolder, QString* error);

}  // namespace tavrola
