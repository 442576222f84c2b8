#pragma once
#include "settings/WardSettings.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace tavrola {

inline const QString kStaffFileName = QStringLiteral("Staff.txt");

// Widths of the value columns as written; longer values are cut. The head's three keys,
// the other settings, and a staff line's name, skill codes, grade, hours and standard shift.
inline constexpr int kHeadValueWidth = 50, kValueWidth = 40;
inline constexpr int kNameWidth = 30, kSkillsWidth = 30, kGradeWidth = 10, kHoursWidth = 5, kShiftWidth = 15;

// One staff line of Staff.txt as it lands on the grid.
struct StaffGridLine {
    int line = 0;  // grid line 1..25
    QString name, skills, grade, hoursSet, standardShift;
    bool preferred[kDays + 1] = {};  // 1..7 = Monday..Sunday
};

// The outcome of reading Staff.txt. Nothing is applied by the reader itself: on success
// the caller takes `settings` (the previous settings with the file's keys laid over them,
// derived values computed) and lays `lines` onto the grid, so a failed read changes nothing.
struct StaffFileReadResult {
    bool ok = false;
    QString error;  // names the file (and line where there is one)
    WardSettings settings;
    std::vector<StaffGridLine> lines;  // in file order; a 26th named line targets line 25 again
    int staffLinesOverwritten = 0;     // named lines past the 25th, each overwriting line 25
};

// The characters a read keeps. The main window's reader keeps a small set (plus letters
// beyond ASCII); the staff editor also keeps the apostrophe, "^", "`" and the typographic
// single quotes, so a name such as O'Brien survives the editor's rewrite of the file.
enum class StaffFileChars { Reader, Editor };

// Reads a Staff.txt. `previous` supplies the values of keys the file lacks. With the
// editor's characters every field of a line is trimmed, not only fields 0..10.
StaffFileReadResult ReadStaffFile(const QString& path, const WardSettings& previous,
                                  StaffFileChars chars = StaffFileChars::Reader);

// The same over the bytes of a Staff.txt already read; `path` names it in a message.
StaffFileReadResult ParseStaffFileBytes(const QString& path, const QByteArray& bytes, const WardSettings& previous,
                                        StaffFileChars chars = StaffFileChars::Reader);

// Splits one line of the file into its (at most 21) fields, dropping characters outside
// the kept set and trimming fields 0..10 (all 21 with the editor's characters).
QStringList SplitStaffFileLine(QStringView line, StaffFileChars chars = StaffFileChars::Reader);

// The comment the writer puts after a setting's value; the staff editor shows it as the
// tool tip of the setting's box. Empty for the staff-required keys.
QString SettingComment(QLatin1StringView key);

// One row of the staff editor.
struct StaffEditorRow {
    QString name, skills, grade, hours, standardShift;
    bool preferred[kDays + 1] = {};  // 1..7 = Monday..Sunday
    bool operator==(const StaffEditorRow&) const = default;
};

// Everything the staff editor hands to the writer: the texts of its boxes by setting key
// (the head keys and every form-B key except the core hours and SkillCheckBoxes), its 25
// rows, and its check boxes.
struct StaffEditorData {
    QHash<QString, QString> values;
    StaffEditorRow rows[kLines + 1];     // 1..25
    bool hourChecks[3][24] = {};         // [AM, PM, N][hour 0..23]
    bool skillChecks[kSkills] = {};      // skill 1..6 at index 0..5
    bool operator==(const StaffEditorData&) const = default;
};

// The editor's contents as they would be filled from the current settings and staff.
StaffEditorData EditorDataFromSettings(const WardSettings& s, const std::vector<StaffEditorRow>& staff);

// The day-preference text of a staff line: for each preferred day, " ,Monday" etc.
// padded to 12 characters.
QString DayPrefsStr(const bool preferred[kDays + 1]);

// The complete Staff.txt text (CR LF lines) for the editor's data.
QString StaffFileText(const StaffEditorData& data);

// Writes Staff.txt atomically from the editor's data. Also stores the core-hour strings
// and SkillCheckBoxes built from the check boxes into `settings`. Returns false with
// `error` set when the file could not be written; the previous file is then untouched.
// The editor then shows the new standing requirements (ApplyStandingRequirements).
bool UpdateStaffFile(const QString& path, const StaffEditorData& data, WardSettings& settings,
                     QString* error);

}  // namespace tavrola
