#pragma once
#include "settings/WardSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tavrola {

// Distinct names the history scan keeps; further names are ignored.
inline constexpr int kHistoryCapacity = 26;

// What the scan of stored weeks found: per staff name, in the order first met, the
// non-preferred shifts worked and the hours carried over (contracted minus worked).
struct HistoryScan {
    QStringList HistoryNames;
    qint32 NonPrefShifts[kHistoryCapacity] = {};
    float NameAdjHours[kHistoryCapacity] = {};

    // Set when the last run scanned the stored weeks (there was a valid analysis start
    // date). Damaged weeks are left out of it, not a reason to give up.
    bool Scanned = false;
    // The damaged or unreadable weeks the last run left out, each naming file and line.
    QStringList Damaged;
    // The damaged weeks already reported to the user: each is reported once per run of
    // the program, not on every pick.
    QStringList Reported;

    // Position of `name` in HistoryNames ignoring letter case; -1 when absent.
    int IndexOf(const QString& name) const;
};

// Scans the week files of `folder` (*.rwk in any letter case, visited sorted by name) whose
// week-commencing date D satisfies start - 1 < D < picked - 1, and adds up per name the
// stored non-preference counts and contracted minus worked hours into `scan`, whose names
// and arrays are reset first. Each counted week is read with the week loader's reader,
// so a week the loader refuses is refused here too. A damaged or unreadable week is left
// out whole (nothing of it is added) and its message, naming file and line, goes to
// `damaged`; the scan goes on with the next. Returns whether every week read.
bool ScanStoredWeeks(const QString& folder, const QDate& analysisStart, const QDate& picked,
                     HistoryScan& scan, QStringList* damaged);



// Tool tip of a duty brush, 1..7 = AM, PM, N, Holiday, Sick, Leave, Training; empty
// for any other number.
QString BrushToolTip(const WardSettings& settings, int brush);

// Hours as the hours-set box shows them: the shortest decimal that reads back as the
// same single value, and never in exponent form, so the box's own reading (digit and
// point groups) gives back exactly this number.
QString HoursText(float value);

}  // namespace tavrola
