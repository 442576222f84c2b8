#pragma once
#include "roster/WeekData.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavrola {

// A working-time rule the week breaks, as the landscape sheet lists it under the table.
struct PrintBreach {
    QString rule;  // "Daily rest"
    QString name;  // the person, as on the line
    int day = 0;   // 1 = Monday .. 7 = Sunday
    bool operator==(const PrintBreach&) const = default;
};

// A shift with fewer staff than its required box, as the landscape sheet lists it.
struct PrintShortShift {
    int day = 0;      // 1 = Monday .. 7 = Sunday
    int shift = 0;    // 1..3: the duty names' first three
    int missing = 0;  // staff short
    bool operator==(const PrintShortShift&) const = default;
};

// Everything a printed week shows: the grid as plain data, the week's date and the
// window's captions. The window fills it from its labels; the command line from the
// same sources the window's labels come from.
struct PrintSheet {
    WeekData Week;
    QDate WeekDate;  // the week-commencing date in the picker

    QString Hospital;                                             // HospitalNameLabel
    QString RotaTitle = QStringLiteral("NURSING STAFF TAVROLA");  // TavrolaLabel
    QString WeekCommencing = QStringLiteral("Week Commencing Monday");
    QString Ward;                                                 // WardNameLabel
    QString Holidays[kDays + 1];                                  // LabelMondayName ..; [0] unused
    QString NameHeading = QStringLiteral("NAME");                 // Label1
    QString HoursHeading = QStringLiteral("HRS");                 // Label2
    QString DayHeadings[kDays + 1] = {QString(),
                                      QStringLiteral("MONDAY"),   QStringLiteral("TUESDAY"),
                                      QStringLiteral("WEDNESDAY"), QStringLiteral("THURSDAY"),
                                      QStringLiteral("FRIDAY"),   QStringLiteral("SATURDAY"),
                                      QStringLiteral("SUNDAY")};
    QString NotesHeading = QStringLiteral("TRAINING, LECTURES and/or NOTES");  // Label10
    QString Footer = QStringLiteral("Tavrola duty roster");                    // FooterLabel
    QString DutyNames[15];  // the ward's 14 duty names (1..14), for the shift-code legend
    QString Signature = QStringLiteral("Sister / Charge Nurse: ...............................");
    std::vector<PrintBreach> Breaches;  // in the order the check gives them
    std::vector<PrintShortShift> ShortShifts;  // by day, then shift

    bool operator==(const PrintSheet&) const = default;
};

// The short shifts as the landscape page lists them after "Short:": "Mon EARLY 1,",
// "Wed NIGHT 2" (the ward's duty names, else the shift codes; a comma after all but
// the last).
QStringList ShortShiftItems(const PrintSheet& sheet);

// The last line 1..25 with a name, a note or any day text; 0 when all are empty.
int LinesUsed(const WeekData& week);
// One more than the last line with a name; 0 when no line has one.
int LinesWithNames(const WeekData& week);

}  // namespace tavrola
