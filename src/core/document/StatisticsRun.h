#pragma once
#include "settings/WardSettings.h"
#include "stats/StatsTables.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tavrola {

// Reads one stored week for the statistics with the week loader's own reader, so a week
// the loader refuses is refused here too: the duty names and hours go into `settings` (the
// week is evaluated as it was saved), then the staff blocks, the required and counted
// staff and the request colours. Returns false with `error` naming the file and line.
bool ReadStatsWeek(const QString& path, WardSettings& settings, StatsWeek* week, QString* error);

// Analyses the week files of `folder` (*.rwk in any letter case, visited sorted by name)
// whose week-commencing date lies from `from` to `to`, both included, on a copy of
// `settings`: the settings in force are never changed. Files outside the range are read
// no further than their first line. A week that does not read (a first line that is not
// a date, a damaged line, a file that cannot be read) is left out whole and its message,
// naming file and line, goes to `damaged`; the analysis goes on with the next. `tables`
// holds the result. Returns whether every week read.
bool CollectStatistics(const QString& folder, const WardSettings& settings, const QDate& from, const QDate& to,
                       StatsTables* tables, QStringList* damaged);

}  // namespace tavrola
