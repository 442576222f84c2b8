#pragma once
#include "Ui.h"
#include "render/NonPrefChart.h"
#include "roster/WardModel.h"

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

    // Set when the last run scanned the stored weeks to the end (a valid analysis start
    // date and no damaged week on the way).
    bool Scanned = false;
    // The damaged or unreadable week that stopped the last run, naming file and line.
    QString Error;

    // The non-preference bars of the last complete scan; empty otherwise. The window
    // keeps them and repaints from them (DrawNonPrefChart).
    NonPrefChart Bars;

    // Position of `name` in HistoryNames ignoring letter case; -1 when absent.
    int IndexOf(const QString& name) const;
};

// Scans the week files of `folder` (*.rwk in any letter case, visited sorted by name) whose
// week-commencing date D satisfies start - 1 < D < picked - 1, and adds up per name the
// stored non-preference counts and contracted minus worked hours into `scan`, whose names
// and arrays are reset first. Returns false at the first damaged or unreadable week with
// `error` naming the file and line; what was added before it stays.
bool ScanStoredWeeks(const QString& folder, const QDate& analysisStart, const QDate& picked,
                     HistoryScan& scan, QString* error);

// Brings the window into line with the settings and rescans the stored weeks, in order:
//  - after a settings save (StaffFileUpdated) the required boxes get StaffRequired, and
//    the flag is cleared; a box whose requirement is 0 is coloured RequestColour;
//  - the trace of the analysed period, then both arrays zeroed and the bars emptied
//    (the names stay until a scan makes a new list);
//  - with a valid analysis start date, the scan up to the week before the picked one,
//    under the busy cursor; when it completes, the bars and carried-over hours
//    (NonPrefGraphics);
//  - the totals recalculation, in every case.
// A damaged stored week is shown through `ui` (file and line); the names and counts
// added before it stay, no bars are computed and no hours box is rewritten, and the
// totals still run so the grid's colours stay right.
// The hospital and ward captions and the brush tool tips are the window's to set
// (BrushToolTip).
void UseStaffFileDataforInitialisation(WardModel& model, HistoryScan& scan, Ui& ui);

// Tool tip of a duty brush, 1..7 = AM, PM, N, Holiday, Sick, Leave, Training; empty
// for any other number.
QString BrushToolTip(const WardSettings& settings, int brush);

}  // namespace tavrola
