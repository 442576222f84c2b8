#pragma once
#include "roster/Colours.h"
#include "settings/WardSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavrola {

// The roster week file: 540 lines, one value per line, CR LF ends, no header.
//   1          week-commencing date, short date format
//   2, 3       hospital and ward names
//   4..17      the 14 duty names
//   18..23     HoursWorkedOnAM, HoursWorkedOnPM, HoursWorkedOnN, MidShiftBreak,
//              HoursHolidayFullDay, HoursHolidayHalfDay
//   24..323    25 staff blocks of 12 lines: name, contracted hours, hours worked as
//              shown, non-preferred count, Monday..Sunday cell texts, notes
//   324..344   required-staff texts, Monday AM, PM, N, Tuesday AM, ..., Sunday N
//   345..365   ShiftCounts, same order
//   366..540   cell colours, Monday lines 1..25, Tuesday lines 1..25, ..., Sunday
inline constexpr int kWeekFileLines = 540;
inline constexpr int kWeekFileHourSettings = 6;
inline constexpr int kWeekFileBlockLines = 12;

inline constexpr int WeekFileBlockStart(int line) { return 24 + kWeekFileBlockLines * (line - 1); }
inline constexpr int WeekFileRequiredLine(int day, int shift) { return 324 + 3 * (day - 1) + shift - 1; }
inline constexpr int WeekFileCountLine(int day, int shift) { return 345 + 3 * (day - 1) + shift - 1; }
inline constexpr int WeekFileColourLine(int day, int line) { return 366 + kLines * (day - 1) + line - 1; }

// The six hour settings in file order (k = 0..5).
float& WeekFileHourSetting(WardSettings& s, int k);
float WeekFileHourSetting(const WardSettings& s, int k);

struct WeekFileStaffLine {
    QString name;
    std::optional<float> contracted;  // empty line: none
    QString hoursWorked;              // as shown; recomputed on loading
    std::optional<qint32> nonPref;    // empty line: none
    QString days[kDays + 1];          // 1..7
    QString notes;
};

// One week file's contents, parsed and checked, before anything is put into force.
struct WeekFileData {
    QDate weekCommencing;
    QString hospital, ward;
    QString dutyNames[15];  // 1..14, in the order of WardSettings::DutyName
    float hours[kWeekFileHourSettings] = {};
    WeekFileStaffLine lines[kLines + 1];                 // 1..25
    QString required[kDays + 1][kShifts + 1];            // trimmed whole numbers
    std::optional<qint32> counts[kDays + 1][kShifts + 1];  // empty line: none
    std::optional<Colour> colours[kDays + 1][kLines + 1];  // empty line: none
};

// The 540 lines with CR LF ends. Line breaks and other control characters inside a
// text become blanks, so every value stays on its own line.
QString WeekFileText(const WeekFileData& data);

struct WeekFileParse {
    bool ok = false;
    int errorLine = 0;   // 1-based; 0 when the fault is not on one line
    QString reason;
    WeekFileData data;
};

// A value quoted in a damaged-file message: one line, control characters shown as "?",
// long texts cut.
QString WeekFileShownValue(const QString& text);

// The reason given for a line past the end of a file that stops short.
QString WeekFileEndsEarlyReason();

// Checks and parses the lines of a week file. Nothing outside the result is touched.
WeekFileParse ParseWeekFile(const QStringList& lines);

}  // namespace tavrola
