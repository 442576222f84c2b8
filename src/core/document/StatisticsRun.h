#pragma once
#include "settings/WardSettings.h"
#include "stats/StatsTables.h"

#include <QDate>
#include <QString>

namespace tavrola {

// Reads the lines of one stored week that the statistics use, converting only those: the
// duty names and hours (put into `settings`, so the week is evaluated as it was saved),
// the staff blocks (contracted hours by their first number), the required and counted
// staff, and the cell colours (a colour that does not read is no wish). A short file reads
// as empty lines past its end; an empty number line keeps the value before. Returns false
// with `error` naming the file and line at a line that does not convert.
bool ReadStatsWeek(const QString& path, WardSettings& settings, StatsWeek* week, QString* error);

// Analyses the week files of `folder` (*.rwk in any letter case, visited sorted by name)
// whose week-commencing date lies from `from` to `to`, both included, on a copy of
// `settings`: the settings in force are never changed. Files outside the range are read
// no further than their first line. On success `tables` holds the result; a first line
// that is not a date, a line that does not convert or a file that cannot be read stops
// the analysis with `error` naming the file (and line), and `tables` is left as it was.
bool CollectStatistics(const QString& folder, const WardSettings& settings, const QDate& from, const QDate& to,
                       StatsTables* tables, QString* error);

}  // namespace tavrola
