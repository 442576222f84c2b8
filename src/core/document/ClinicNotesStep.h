#pragma once
#include "Ui.h"
#include "document/WardModel.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavrola {

// The edits a click on a day's clinic pop-up makes to that day's column (`day` 1..7):
// the spare lines emptied and the notes of `dayLines` written in. Each cell keeps its
// colour; cells already as they are to be are left out.
std::vector<BoxEdit> ClinicNotesEdits(RosterDocument& doc, int day, const QStringList& dayLines);

// The same over `edits` not yet applied (a fill's result): the column is read as they
// would leave it, and each note goes into its cell's edit or into a new one.
void AddClinicNotes(RosterDocument& doc, int day, const QStringList& dayLines, std::vector<BoxEdit>& edits);
// Every day of the chosen week, each with its own week of the month, from the plain lines
// of Clinic.rtf.
void AddClinicNotesOfWeek(RosterDocument& doc, const QStringList& clinicLines, std::vector<BoxEdit>& edits);

// The click as one undo step, "Clinic notes on Monday". Returns whether anything changed.
bool WriteClinicNotes(RosterDocument& doc, int day, const QStringList& dayLines);
QString ClinicNotesLabel(int day);

// The day a heading click chose: the week's Monday plus day - 1, and its week of the month.
struct ClinicDayChoice {
    int day = 0;  // 1..7
    QDate date;
    int weekNumber = 0;
};

// A click on a day heading: with no week chosen, the error box and false; else the day,
// its date and week number (traced).
bool ChooseClinicDay(const WardModel& model, Ui& ui, int day, ClinicDayChoice* choice);

// "Clinics-Monday <long date> WK 2".
QString ClinicCaption(const ClinicDayChoice& choice);

// What the pop-up shows for the day chosen: its lines from Clinic.rtf (traced as the
// list is made), or no lines and `problem`, naming the file, when it is missing or
// cannot be read.
struct ClinicDayList {
    QString caption;
    QStringList lines;
    QString problem;
};
ClinicDayList ListClinicDay(const QString& dataFolder, const ClinicDayChoice& choice);

}  // namespace tavrola
