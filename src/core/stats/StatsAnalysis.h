#pragma once
#include "stats/StatsTables.h"

namespace tavrola {

// The month initials of the year graphs, 1..12 (index 0 unused).
QChar MonthLetter(int month);

// Year slot of a week: 0 in the To year, 1 in the year before, 2 for every earlier year.
int YearSlot(int toYear, int weekYear);

// Whether a week-commencing date lies in the range, both ends included (whole days).
bool InStatsRange(const QDate& week, const QDate& from, const QDate& to);

// Adds one week to the tables, evaluating its day texts under `settings` (the week's own
// duty names and hours). `toYear` is the year of the range's To date.
//  - A block with a name takes that name's row (any letter case); a new name gets a new
//    row while the tables have room and is left out (counted once) after that.
//  - A block with an empty name adds its duties and notes to the person of the block
//    above it in the same week; before any named block it adds nothing. It never changes
//    contracted hours: unused lines store "0" there.
//  - Day texts holding the illness name add a day of illness and no hours; the holiday
//    names add 1 and 0.5 days (independently: a half-day name containing the full-day
//    name adds 1.5).
//  - Empty required or counted lines keep the values read before; each counted line
//    then adds any shortfall against the required number.
void AddStatsWeek(StatsTables& tables, const WardSettings& settings, const StatsWeek& week, int toYear);

}  // namespace tavrola
