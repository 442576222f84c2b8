#pragma once
#include <QString>
#include <QStringView>

namespace tavrola {

struct WardSettings;

// Steps of a duty reading, defined where it is read.
class UpperText;
struct ClockRange;

// The hour walk of a clock range over the ward's core-hour masks.
struct HourWalk {
    bool walked = false;   // a clock range was read and walked
    int wholeHours = 0;    // hours walked
    int marked[3] = {};    // of them, in the early, late and night masks
    int endSlot = 0;       // the mask slot after the last hour walked
};

inline constexpr int ShiftAM = 1;
inline constexpr int ShiftPM = 2;
inline constexpr int ShiftN = 4;

// What DutyHours reads in a text, with the clock range its hour walk covered and the shift
// names written before the first absence code.
struct DutyReading {
    float hours = 0;          // as DutyHours
    int shiftFlags = 0;       // as DutyHours
    bool timed = false;       // a clock range was read (the hour walk ran)
    int startMinute = 0;      // its start, minutes after midnight
    int lengthMinutes = 0;    // its length, breaks included
    int namedShifts = 0;      // ShiftAM | ShiftPM | ShiftN whose name stands before the first absence code
};

// Evaluates day-cell texts against one set of ward settings. Construct it once per
// recalculation: it keeps the upper-cased shift names and the mask counts at hand.
// The settings must outlive the evaluator and stay unchanged while it is used.
class DutyEvaluator {
public:
    explicit DutyEvaluator(const WardSettings& settings);

    // Hours of a day-cell text (single precision) and its shift kinds (ShiftAM | ...).
    float DutyHours(QStringView text, int* shiftFlags = nullptr) const;

    // The same reading with its clock range and the shift names before any absence code.
    DutyReading ReadDuty(QStringView text) const;

    // Adds the hours of every absence code in the text, in code order, to `hours`; each
    // code sees the running total. A code whose hours do not convert throws
    // ConversionError, or adds nothing when `skipUnreadable` is set.
    float AddAbsenceHours(QStringView text, float hours, bool skipUnreadable = false) const;

    // Whether the text holds the illness code.
    bool HoldsIllness(QStringView text) const;

private:
    // The reading in steps: the time digits' limit, the digit groups paired into a clock
    // range, the clock and first slot, the hour walk and the shift kinds it gives, the
    // details for ReadDuty, the hours, and a shift name's standard hours when none.
    template <bool Detailed>
    float Evaluate(QStringView text, int* shiftFlags, DutyReading* reading) const;
    qsizetype timeDigitLimit(QStringView text, const quint64 rawChars[2]) const;
    int shiftKinds(const HourWalk& walk) const;
    void readDetails(const HourWalk& walk, const ClockRange& range, QStringView before,
                     DutyReading* reading) const;
    void namedShiftHours(const UpperText& upper, float* hours, int* flags) const;

    const WardSettings& s_;
    QString upperAM_, upperPM_, upperN_;
    int coreCount_[3] = {};
    quint32 maskBits_[3] = {};  // bit s set when mask position s (1..24) holds "1"
    const QString* codes_[11] = {};  // the absence codes, in order
    // ASCII characters of each absence code and upper-cased shift name: a text that
    // lacks one of them cannot contain that code or name, and is spared the search.
    quint64 codeChars_[11][2] = {};
    quint64 nameChars_[3][2] = {};
};

// One-off evaluation (builds a temporary evaluator).
float DutyHours(QStringView text, const WardSettings& settings, int* shiftFlags = nullptr);

// Hours carried by one absence code inside a cell: the number written after the code,
// or HoursHolidayFullDay when there is none and the day has no hours yet.
// Throws ConversionError when the number does not convert (a lone point, two points).
float CodeHours(QStringView text, QStringView code, float hoursSoFar, const WardSettings& settings);

// Contracted-hours text: the first number, or first +/- second ("37.5 +2.5" gives 40,
// "37.5 -2.5" gives 35). Throws ConversionError on a group that does not convert.
float HoursSetValue(QStringView text, bool firstOnly);

// First number in a text (digits and points), 0 when there is none.
// Throws ConversionError on a group that does not convert.
float FirstNumber(QStringView text);

// The hours a day cell counts towards the week: DutyHours, then every absence code
// found in the text, in order, through CodeHours on the running total.
float DayHoursWithCodes(QStringView text, const DutyEvaluator& evaluator, int* shiftFlags = nullptr);

}  // namespace tavrola
