#pragma once
#include "stats/StatsTables.h"

namespace tavrola {

// The year slots a range fills: slot 0 always, slot 1 when the From date lies in an
// earlier year, slot 2 when it lies two or more years before the To year.
int UsedYearSlots(const QDate& from, const QDate& to);

// The label of a year slot: "2026", "2025", "2024 and earlier" for a To year of 2026.
QString YearSlotLabel(int toYear, int slot);

// The statistics as a spreadsheet file (UTF-8 with a byte-order mark, CR LF line ends):
// first one row per name with the contracted hours, the fairness ledger and the training
// notes; after a blank line one row per name, measure and used year slot with the twelve
// monthly values and their total, then the ward's staff shortages. Names past the
// table's room are counted on a last line. Texts that a spreadsheet would take for a
// formula get a leading apostrophe.
QString StatisticsCsv(const StatsTables& tables, const QDate& from, const QDate& to);

}  // namespace tavrola
