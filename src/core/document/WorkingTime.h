#pragma once
#include "document/WardModel.h"
#include "roster/WeekData.h"
#include "rules/WorkingTimeRules.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavrola {

// Reads Rules.txt from the data folder into the document's limits: the defaults where it
// or a key is absent. Returns one message per damaged line (naming the file and line,
// whose default is kept) or for a file that exists but does not read.
QStringList ReadRulesTxtFile(WardModel& model);

// Reads the stored weeks around the week in the picker (last and next week for rests and
// runs, the 16 before for the average). Done when a week is picked and after a save,
// never per edit.
void ReadRuleWeeks(WardModel& model);

// Checks the week as the grid holds it (`week` is its data) against the limits and the
// stored weeks read; announces breachesChanged when the breaches differ from before.
void RecheckRules(WardModel& model, const WeekData& week);
void RecheckRules(WardModel& model);

// Writes Rules.txt atomically and puts the limits in force (the marks follow). On failure
// `error` names the file, and the old file and limits stay.
bool ApplyRuleLimits(WardModel& model, const RuleLimits& limits, QString* error);

// "2 working-time rule breaches this week", "No working-time rule breaches this week".
QString BreachCountText(int count);

// The breaches reported on one day cell, one line each: "Daily rest: Rest 9 h after ...";
// empty when there are none.
QString BreachToolTip(const std::vector<Breach>& breaches, int line, int day);

}  // namespace tavrola
