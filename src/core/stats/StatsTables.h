#pragma once
#include "settings/WardSettings.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavrola {

inline constexpr int kStatNames = 26;   // distinct names the tables hold
inline constexpr int kYearSlots = 3;    // the To year, the year before, every earlier year
inline constexpr int kMonths = 12;      // month tables are [13], index 0 unused

// One twelve-month row of a table: index 1..12 = January..December.
using MonthValues = float[kMonths + 1];

// Who got the nights and the weekends: shifts a person covered over the range. Cells
// holding the illness name count for none of these.
struct FairnessLedger {
    qint32 Nights = 0;               // cells that cover the night shift
    qint32 WeekendShifts = 0;        // Saturday and Sunday cells that cover a shift
    qint32 BankHolidayShifts = 0;    // cells on a bank holiday that cover a shift
    qint32 NonPreferredShifts = 0;   // cells that cover a shift on a day not marked as wished
    bool operator==(const FairnessLedger&) const = default;
};

// The result of one analysis over the stored weeks of a date range. Per name: the
// contracted hours, the four month tables per year slot, the joined training notes and the
// fairness ledger; for the ward: the monthly shortfall of staff. Names are kept in the
// order first met, with the spelling first met.
struct StatsTables {
    QStringList StatNames;  // at most kStatNames
    float StatHrsPerWeek[kStatNames] = {};
    MonthValues StatHoursWorked[kStatNames][kYearSlots] = {};
    MonthValues StatDaysHoliday[kStatNames][kYearSlots] = {};
    MonthValues StatDaysIllness[kStatNames][kYearSlots] = {};
    MonthValues StatNonPref[kStatNames][kYearSlots] = {};
    QString StatTraining[kStatNames];
    FairnessLedger Ledger[kStatNames];
    MonthValues StatShortages[kYearSlots] = {};

    // Required and counted staff per day and shift (1-based) as last read: an empty line
    // in a week keeps the value of the week before within one analysis.
    qint32 StatRequired[kDays + 1][kShifts + 1] = {};
    qint32 StatCounted[kDays + 1][kShifts + 1] = {};

    int Weeks = 0;          // week files analysed
    QStringList LeftOut;    // names met after the tables were full, in the order met
    QSet<QString> LeftOutKeys;  // the same, case-folded, for the look-up

    // Position of `name` among StatNames ignoring letter case; -1 when absent.
    int IndexOf(const QString& name) const;
};

// One stored week as the analysis uses it, already read and checked. Empty lines of the
// file are empty texts or no value. Tables are 1-based like the grid.
struct StatsWeek {
    QDate weekCommencing;
    struct Block {
        QString name;
        std::optional<float> contracted;  // first number of the contracted-hours line
        std::optional<qint32> nonPref;
        QString days[kDays + 1];
        bool wished[kDays + 1] = {};      // the cell carries the request colour
        QString notes;
    };
    Block blocks[kLines + 1];
    std::optional<qint32> required[kDays + 1][kShifts + 1];
    std::optional<qint32> counted[kDays + 1][kShifts + 1];
    bool bankHoliday[kDays + 1] = {};
};

}  // namespace tavrola
