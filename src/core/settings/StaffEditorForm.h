#pragma once
#include "settings/StaffFile.h"

#include <QString>
#include <array>
#include <vector>

namespace tavrola {

// The rules of the ward and staff editor that need no window: what a showing loads, the
// input filters, and the check that keeps the duty codes apart.

inline constexpr int kDutyNameCount = 14;

inline const QString kDiscardStaffChangesQuestion =
    QStringLiteral("Discard the changes made in this window? Staff.txt stays as it was.");

// The setting key of duty-name box k = 0..13, in the names check's order: AM, PM, night,
// holiday full day, holiday half day, illness, the six leaves, study day, admin day.
QLatin1StringView DutyNameKey(int k);

// Whether a setting's box takes the numeric filter: the 21 staff-required boxes and the
// seven hours boxes (the staff rows' hours take it too).
bool TakesNumericFilter(QStringView key);

// The numeric filter: only the digits and "." of the text remain ("7,5" gives "75",
// "-2" gives "2").
QString NumericFilter(QStringView text);

// The free-text boxes drop "," ";" and "=" as they are typed: the file separates its
// fields with them, so "Smith, Ann" would come back as the name "Smith" with the skill
// codes "Ann", and a name holding "=" would drop the person from the file.
QString DropSeparators(QStringView text);

// The date check: whether the analysis start date text is a date (an empty box is not;
// the window then shows "OFF").
bool AnalysisDateValid(const QString& text);

// The names check. For every box j and every other box i, in order, when the text of j
// occurs in the text of i (case-sensitive; an empty text never occurs), "_" is appended
// to j when it is not longer than i, else to i, and both are marked. Texts are taken
// afresh at each comparison, so an appended "_" counts in later ones. Nothing is refused.
// Writes "Names Check" and one ">j< >i<" line per clash to the trace log.
struct NamesCheckResult {
    std::array<QString, kDutyNameCount> names;
    std::array<bool, kDutyNameCount> clashing{};
};
NamesCheckResult NamesCheck(const std::array<QString, kDutyNameCount>& names);

// The numeric filter applied to every box that takes it, as setting a box's text does.
void ApplyNumericFilters(StaffEditorData& data);

// An editor row for a staff line as a reader gave it.
StaffEditorRow EditorRow(const StaffGridLine& line);

// What one showing of the editor loads.
struct StaffEditorLoad {
    StaffEditorData data;
    QString error;    // Staff.txt did not read (names the file); `data` shows the settings in force
    QString warning;  // the file holds more staff lines than the editor has rows
};

// Loads the editor from the Staff.txt at `path`, with the editor's characters: every
// staff line the main reader takes fills the next row (rows past the file's staff are
// empty), and the settings are the file's keys over `inForce`. When the file does not
// read, the editor shows `inForce` and `staffInForce` instead, so OK can write them.
StaffEditorLoad LoadStaffEditor(const QString& path, const WardSettings& inForce,
                                const std::vector<StaffGridLine>& staffInForce);

}  // namespace tavrola
