#pragma once
#include "document/WardModel.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileReader.h"
#include "weeks/WeekView.h"

#include <QString>

namespace tavrola {

// Puts a parsed week into force in one go: the picker's date, the hospital and ward
// names (settings and captions), the stored duty names and hours, the 25 staff lines
// (a line without a name gets an empty hours-set box), the required boxes, and the
// counts and colours whose lines were not empty. Recalculation is held off while the
// cells are written; RosterChanged ends clear.
void ApplyWeekFile(WardModel& model, WeekView& labels, const WeekFileData& data);

// ReadWeekFile, then on success sets RosterFileLoaded and applies the week. A failed
// read leaves the model and the labels exactly as they were.
bool LoadWeekFile(WardModel& model, WeekView& labels, const QString& path, QString* error);

}  // namespace tavrola
