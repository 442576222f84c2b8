#pragma once
#include "rules/WorkingTimeRules.h"

#include <QDate>
#include <QString>

namespace tavrola {

// Finds the stored weeks around `monday` in the data folder by the names the week
// selection looks for (this week's, the 16 before it and the next), reads each whole with
// its own duty names and hours, and lays them out for the checks. `weeksRead` counts the
// files read; a file that does not read is named in `damaged` and left out.
RuleHistory ReadRuleHistory(const QString& dataFolder, const WardSettings& ward, const QDate& monday);

}  // namespace tavrola
